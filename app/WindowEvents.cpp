// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/WindowEvents.h"

#include "app/PauseScreen.h"

#include <GLFW/glfw3.h>

namespace Pellwin {

namespace {

bool redrawRequested = false;
} // namespace

void watchWindowEvents(GLFWwindow* window) {
    glfwSetWindowFocusCallback(window, onWindowFocus);
    glfwSetWindowIconifyCallback(window, onWindowIconify);
    glfwSetWindowRefreshCallback(window, onWindowRefresh);
}

void onWindowFocus(GLFWwindow* /*window*/, int focused) {
    if (focused == GLFW_FALSE) {
        pauseGameInPlay();
    }
}

void onWindowIconify(GLFWwindow* /*window*/, int iconified) {
    if (iconified == GLFW_TRUE) {
        pauseGameInPlay();
    }
}

void onWindowRefresh(GLFWwindow* /*window*/) {
    redrawRequested = true;
}

bool takeRedrawRequest() {
    const bool requested = redrawRequested;
    redrawRequested = false;
    return requested;
}

} // namespace Pellwin
