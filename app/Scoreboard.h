// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace Pellwin {

struct WinTimes;

// The seconds left at the top centre of the window, sized from its height.
void drawTimeLeft(float secondsLeft);

// This game's time and the best time beside the ball of the won picture, and a line when
// the game set a record. Placed in the picture's own units, so they sit in the same spot
// at every window size.
void drawWinTimes(const WinTimes& times);

} // namespace Pellwin
