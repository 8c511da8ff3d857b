// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/GameLoop.h"
#include "app/KeyInput.h"
#include "app/Level.h"
#include "app/Scoreboard.h"
#include "app/ScreenStates.h"
#include "scene/SceneCatalogue.h"

#include <GLFW/glfw3.h>

namespace Pellwin {

void showLost(GLFWwindow* window) {
    playing = false;
    drawScreenQuad(gameOverScreen, 20.0f);
    drawTimeLeft(lastClockReading());
    if (isKeyPressed(window, GLFW_KEY_F1)) {
        startRound();
        restartLevel();
    }
}

} // namespace Pellwin
