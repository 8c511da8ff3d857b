// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/GameLoop.h"
#include "app/KeyInput.h"
#include "app/Level.h"
#include "app/Scoreboard.h"
#include "app/ScreenStates.h"
#include "app/WinRecord.h"
#include "scene/LoadModel.h"
#include "scene/SceneCatalogue.h"

#include <GLFW/glfw3.h>
#include <optional>

namespace Pellwin {

namespace {

// This game's time and the best, from the goal until the player leaves the won picture.
std::optional<WinTimes> thisWin;

} // namespace

void testGoal() {
    glm::vec3 ball;
    player->getPosition(ball);
    if (ball.z <= goalZ) {
        goalReached = true;
        thisWin = recordWin(roundSecondsUsed());
    }
}

void showWon(GLFWwindow* window) {
    playing = false;
    drawScreenQuad(youWonScreen, 20.0f);
    if (thisWin) {
        drawWinTimes(*thisWin);
    }
    if (isKeyPressed(window, GLFW_KEY_F1)) {
        thisWin.reset();
        startRound();
        goalReached = false;
        restartLevel();
    }
}

} // namespace Pellwin
