// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/GameRecording.h"
#include "app/GhostView.h"
#include "app/Replay.h"
#include "app/Scoreboard.h"
#include "app/ScreenStates.h"
#include "render/FrameRenderer.h"
#include "sim/GameUpdate.h"

namespace Pellwin {

void playFrame(GLFWwindow* window) {
    // The keys as the update is about to read them: nothing polls in between.
    const RunKeys keys = readRunKeys(window);
    updateGame();
    recordPlayedFrame(keys);
    placeGhost();
    renderFrame();
    // Over the blurred picture, so the digits stay sharp.
    drawTimeLeft(takeClockReading());
    if (replaying()) {
        drawReplayNotice();
    }
    countPlayedFrame();
}

} // namespace Pellwin
