// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Scoreboard.h"
#include "app/ScreenStates.h"
#include "render/FrameRenderer.h"
#include "sim/GameUpdate.h"

namespace Pellwin {

void playFrame() {
    updateGame();
    renderFrame();
    // Over the blurred picture, so the digits stay sharp.
    drawTimeLeft(takeClockReading());
    countPlayedFrame();
}

} // namespace Pellwin
