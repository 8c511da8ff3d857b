// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

namespace Pellwin {

struct WinTimes;

// The seconds left at the top centre of the window, sized from its height.
void drawTimeLeft(float secondsLeft);

// This game's time and the best time beside the ball of the won picture, and a line when
// the game set a record. Placed in the picture's own units, so they sit in the same spot
// at every window size.
void drawWinTimes(const WinTimes& times);

// A few lines centred on one plate over the picture, the plate's middle at `middleShare`
// of the window's height from its bottom. Each line's capitals are `capShare` of the height.
struct NoticeLine {
    std::string text;
    float capShare;
};
void drawNotice(const std::vector<NoticeLine>& lines, float middleShare);

} // namespace Pellwin
