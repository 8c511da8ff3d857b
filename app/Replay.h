// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "app/RunFile.h"

struct GLFWwindow;

namespace Pellwin {

// V on the title plays the ghost's run through the real game: its frames' seconds stand in
// for the clock's and its keys for the player's. Only V (back to the title) and Escape act;
// the won picture it ends on writes no record, and there F1 starts a game as ever.

// Starts replaying `run` as F1 starts a game: the round, the state the run started from and
// its first frame. The level must be freshly laid out, as the title has it.
void startReplay(const RecordedRun& run);
bool replaying();

// Ends the replay where it stands: the player's keys act again. The level is left as it is.
void leaveReplay();

// At the frame's start, once deltaTime is read: a replayed game in play takes its next
// frame's seconds and keys instead. A run that has no frame left without reaching the goal
// ends the replay.
void takeReplayFrame();

// V on the title replays the ghost's run, when there is one, as F1 starts a game; V during
// a replay, in play or on its won picture, goes back to the title.
void takeReplayKey(GLFWwindow* window);

// Seconds on the game clock by which the replayed frames are due, so a replay keeps to
// real time; negative when no replay is under way.
double replayDeadline();

} // namespace Pellwin
