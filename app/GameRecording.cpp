// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/GameRecording.h"

#include "app/GameLoop.h"
#include "app/LevelFingerprint.h"
#include "scene/LoadModel.h"
#include "scene/SceneCatalogue.h"
#include "sim/Controller.h"
#include "sim/GameUpdate.h"

namespace Pellwin {

namespace {

RunRecording recording;

} // namespace

RunStart currentRunStart() {
    if (controller == nullptr) {
        return {false, false, blocked, 0.0f};
    }
    return {controller->jumping, controller->landedInRaisedZone, blocked, controller->jumpTime};
}

void restoreRunStart(const RunStart& start) {
    blocked = start.blocked;
    if (controller != nullptr) {
        controller->jumping = start.jumping;
        controller->landedInRaisedZone = start.landedInRaisedZone;
        controller->jumpTime = start.jumpTime;
    }
}

void beginGameRecording() {
    beginRecording(recording, levelFingerprint());
    recording.run.start = currentRunStart();
}

void recordPlayedFrame(RunKeys keys) {
    recordFrame(recording, deltaTime, keys, translationOf(player->modelMatrix));
}

bool takeWonRun(int finishHundredths, float goalFrameSeconds, RecordedRun& run) {
    if (recording.cutShort) {
        return false;
    }
    run = recording.run;
    run.finishHundredths = finishHundredths;
    run.goalFrameSeconds = goalFrameSeconds;
    return true;
}

} // namespace Pellwin
