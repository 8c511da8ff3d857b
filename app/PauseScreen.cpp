// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/PauseScreen.h"

#include "app/KeyInput.h"
#include "app/Replay.h"
#include "app/Scoreboard.h"
#include "app/Screen.h"
#include "app/ScreenStates.h"
#include "render/RenderTarget.h"

#include <GLFW/glfw3.h>

namespace Pellwin {

bool gamePaused = false;

namespace {

bool pauseKeyDown = false;

} // namespace

void takePauseKey(GLFWwindow* window) {
    if (!keyPressedAnew(window, GLFW_KEY_P, pauseKeyDown)) {
        return;
    }
    if (currentScreen() == Screen::playing) {
        gamePaused = true;
    } else if (currentScreen() == Screen::paused) {
        gamePaused = false;
    }
}

void pauseGameInPlay() {
    // A replay plays on: a frame it has taken must be played.
    if (currentScreen() == Screen::playing && !replaying()) {
        gamePaused = true;
    }
}

void showPause() {
    // The scene is not drawn again: the last played frame's picture, blur and clock stay,
    // filling the window at whatever size it has now.
    redrawLastBlurPass();
    drawTimeLeft(lastClockReading());
    drawNotice({{"Pause", 0.09f}, {"Weiter mit P", 0.035f}}, 0.5f);
}

} // namespace Pellwin
