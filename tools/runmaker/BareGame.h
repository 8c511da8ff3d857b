// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "app/RunFile.h"
#include "support/KeyScript.h"

#include <vector>

namespace TolvaTest {

// Whole games in the bare level, frame by frame as runFrame plays them (time-out, goal
// test, recorded update), without pictures.
struct BareGame {
    bool won = false;
    int hundredths = 0; // when won
    std::vector<glm::vec3> balls;
    Pellwin::RecordedRun run; // the recorded game, its finish when won
};

// F1 and then frames of `frameSeconds(i)` seconds, the script's keys taken at the round's
// time, until the game ends or `frameLimit` frames have passed.
BareGame playBareGame(const std::vector<ScriptStep>& script, float (*frameSeconds)(int frame),
                      int frameLimit = 6000);

// The run's frames and keys fed through the replay, as V starts it.
BareGame replayBareRun(const Pellwin::RecordedRun& run);

} // namespace TolvaTest
