// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "app/Medals.h"

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

// The medal a won game earned, a disc in its colour with its word, below the times; and a
// line of its own for a game faster than the run that ships with the game.
void drawWonMedal(Medal medal, bool beatShippedRun);

// The best time on the title, with its medal when it earned one.
void drawTitleBest(int hundredths, Medal medal);

// "Wiederholung" at the top of a replayed game's pictures.
void drawReplayNotice();

// A few lines centred on one plate over the picture, the plate's middle at `middleShare`
// of the window's height from its bottom. Each line's capitals are `capShare` of the height.
struct NoticeLine {
    std::string text;
    float capShare;
};
void drawNotice(const std::vector<NoticeLine>& lines, float middleShare);

} // namespace Pellwin
