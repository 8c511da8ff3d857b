// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace Pellwin {

// What the player is looking at, worked out from the four game flags: a won game shows
// its picture before anything else, then a lost one, then the game in play (or held on
// pause), else the title.
enum class Screen { title, playing, won, lost, paused };

Screen currentScreen();

} // namespace Pellwin
