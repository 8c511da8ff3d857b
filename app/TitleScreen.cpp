// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/GameLoop.h"
#include "app/KeptRuns.h"
#include "app/KeyInput.h"
#include "app/Scoreboard.h"
#include "app/ScreenStates.h"
#include "app/WinRecord.h"
#include "scene/SceneCatalogue.h"

#include <GLFW/glfw3.h>

namespace Pellwin {

void showTitle(GLFWwindow* window) {
    drawScreenQuad(titleScreen, 200.0f);
    const int best = bestTimeSoFar();
    if (best > 0) {
        drawTitleBest(best, medalFor(best, gameMedalTimes()));
    }
    if (isKeyPressed(window, GLFW_KEY_F1)) {
        startRound();
        playing = true;
    }
}

} // namespace Pellwin
