// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/FullScreen.h"

#include "app/KeyInput.h"
#include "app/WindowSettings.h"

#include <GLFW/glfw3.h>
#include <algorithm>

namespace Pellwin {

namespace {

bool fullScreenKeyDown = false;
bool enterKeyDown = false;

// Where the window was before it went full screen.
struct WindowPlace {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};
WindowPlace windowed;
bool windowedKnown = false;

int overlap(int start, int length, int otherStart, int otherLength) {
    return std::max(0, std::min(start + length, otherStart + otherLength) -
                           std::max(start, otherStart));
}

// The monitor that shows the largest part of the window.
GLFWmonitor* monitorUnder(const WindowPlace& place) {
    int count = 0;
    GLFWmonitor** monitors = glfwGetMonitors(&count);
    GLFWmonitor* best = glfwGetPrimaryMonitor();
    long bestArea = 0;
    for (int i = 0; i < count; ++i) {
        const GLFWvidmode* mode = glfwGetVideoMode(monitors[i]);
        int x = 0;
        int y = 0;
        glfwGetMonitorPos(monitors[i], &x, &y);
        const long area = mode == nullptr
                              ? 0L
                              : static_cast<long>(overlap(place.x, place.width, x, mode->width)) *
                                    overlap(place.y, place.height, y, mode->height);
        if (area > bestArea) {
            best = monitors[i];
            bestArea = area;
        }
    }
    return best;
}

// A game started in full screen has never had a window: the command line's size, centred.
WindowPlace firstWindowOn(GLFWmonitor* monitor) {
    WindowPlace place;
    place.width = windowSettings != nullptr ? windowSettings->width : 1024;
    place.height = windowSettings != nullptr ? windowSettings->height : 768;
    glfwGetMonitorPos(monitor, &place.x, &place.y);
    if (const GLFWvidmode* mode = glfwGetVideoMode(monitor)) {
        place.x += std::max(0, (mode->width - place.width) / 2);
        place.y += std::max(0, (mode->height - place.height) / 2);
    }
    return place;
}

} // namespace

void takeFullScreenKeys(GLFWwindow* window) {
    const bool f11 = keyPressedAnew(window, GLFW_KEY_F11, fullScreenKeyDown);
    const bool enter = keyPressedAnew(window, GLFW_KEY_ENTER, enterKeyDown);
    const bool alt =
        isKeyPressed(window, GLFW_KEY_LEFT_ALT) || isKeyPressed(window, GLFW_KEY_RIGHT_ALT);
    if (f11 || (enter && alt)) {
        toggleFullScreen(window);
    }
}

void toggleFullScreen(GLFWwindow* window) {
    if (GLFWmonitor* monitor = glfwGetWindowMonitor(window)) {
        const WindowPlace place = windowedKnown ? windowed : firstWindowOn(monitor);
        glfwSetWindowMonitor(window, nullptr, place.x, place.y, place.width, place.height,
                             GLFW_DONT_CARE);
    } else {
        glfwGetWindowPos(window, &windowed.x, &windowed.y);
        glfwGetWindowSize(window, &windowed.width, &windowed.height);
        windowedKnown = true;
        GLFWmonitor* target = monitorUnder(windowed);
        const GLFWvidmode* mode = glfwGetVideoMode(target);
        if (mode == nullptr) {
            return;
        }
        glfwSetWindowMonitor(window, target, 0, 0, mode->width, mode->height, mode->refreshRate);
    }
    // The size callback may come a frame later; the projections need the new size now.
    int width = 0;
    int height = 0;
    glfwGetWindowSize(window, &width, &height);
    onWindowSize(window, width, height);
}

} // namespace Pellwin
