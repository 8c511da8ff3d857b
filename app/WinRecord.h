// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

namespace Pellwin {

// A won game's time from F1 to the goal and the best time it was measured against.
struct WinTimes {
    int hundredths = 0;
    int bestHundredths = 0;
    bool newRecord = false;
};

// Where records are kept; empty (the start-up default) keeps them for this run only. The
// game names the player's file; tests name their own or none.
void keepBestTimeIn(const std::string& path);

// Compares a won game's time with the best time in the file and in this run, and writes
// the file when the game set a record. A file that cannot be written costs one line on
// standard error; the game goes on.
WinTimes recordWin(double seconds);

// The best time so far, from the file and this run, or -1 when there is none.
int bestTimeSoFar();

// Forgets the best time of this run (not the file's).
void forgetRunBest();

} // namespace Pellwin
