// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/IdleWait.h"

#include "app/GameClock.h"
#include "app/GameLoop.h"
#include "app/KeyInput.h"
#include "app/Screen.h"
#include "app/VolumeControl.h"
#include "app/WindowEvents.h"
#include "app/WindowSettings.h"
#include "audio/GameSounds.h"

#include <GLFW/glfw3.h>
#include <algorithm>
#include <iterator>

namespace Pellwin {

namespace {

// Every key the title, the end pictures and the pause read, but the volume keys.
constexpr int keysOfStillPictures[] = {GLFW_KEY_F1, GLFW_KEY_F2,  GLFW_KEY_F4,    GLFW_KEY_F5,
                                       GLFW_KEY_F7, GLFW_KEY_F8,  GLFW_KEY_F9,    GLFW_KEY_ESCAPE,
                                       GLFW_KEY_P,  GLFW_KEY_F11, GLFW_KEY_ENTER, GLFW_KEY_G,
                                       GLFW_KEY_V};

EventWaiter waiter = glfwWaitEventsTimeout;
Screen screenAfterLastFrame = Screen::title;

bool keyHeld(GLFWwindow* window) {
    return volumeKeyHeld(window) ||
           std::any_of(std::begin(keysOfStillPictures), std::end(keysOfStillPictures),
                       [window](int key) { return isKeyPressed(window, key); });
}

struct WindowLook {
    glm::ivec2 framebuffer;
    int width;
    int height;
    bool operator!=(const WindowLook& other) const {
        return framebuffer != other.framebuffer || width != other.width || height != other.height;
    }
};

WindowLook lookOf() {
    return {framebufferSize(), windowWidth, windowHeight};
}

// Screens that move on their own (a game in play) are never still.
bool stillScreen(Screen screen) {
    return screen == Screen::title || screen == Screen::won || screen == Screen::lost ||
           screen == Screen::paused;
}

} // namespace

bool pictureStaysStill(GLFWwindow* window) {
    const Screen screen = currentScreen();
    const bool changed = screen != screenAfterLastFrame;
    screenAfterLastFrame = screen;
    // This frame was drawn after its events, so it answered any redraw they asked for.
    takeRedrawRequest();
    return stillScreen(screen) && !changed && !keyHeld(window) && !glfwWindowShouldClose(window);
}

void waitForChange(GLFWwindow* window) {
    const WindowLook before = lookOf();
    for (;;) {
        const double now = readGameClock();
        const double overlayChange = volumeLevelLeavesAt();
        if (overlayChange <= now) {
            break;
        }
        waiter(std::min(stillPollSeconds, overlayChange - now));
        readPads();
        if (keyHeld(window) || takeRedrawRequest() || glfwWindowShouldClose(window) ||
            lookOf() != before || keepSoundDevice(readGameClock())) {
            break;
        }
    }
    takeFrameClockAfterWait();
}

void setEventWaiter(EventWaiter newWaiter) {
    waiter = newWaiter != nullptr ? newWaiter : glfwWaitEventsTimeout;
}

} // namespace Pellwin
