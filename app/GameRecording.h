// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "app/RunRecording.h"

namespace Pellwin {

// The game in play, recorded from F1 frame by frame, so that a won game can be kept as a run.

// What the last game left behind for the next (see RunStart), read now and put back.
RunStart currentRunStart();
void restoreRunStart(const RunStart& start);

// At F1: a new recording, with the state the game starts from.
void beginGameRecording();

// After the update of a played frame: its seconds, the keys it read, the ball it left.
void recordPlayedFrame(RunKeys keys);

// The recorded game as a won run with its finish time and the goal frame's seconds; false
// when the recording was cut short.
bool takeWonRun(int finishHundredths, float goalFrameSeconds, RecordedRun& run);

} // namespace Pellwin
