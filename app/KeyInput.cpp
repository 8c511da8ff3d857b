// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/KeyInput.h"

#include "app/GamepadKeys.h"

#include <GLFW/glfw3.h>

namespace Pellwin {

static bool readGlfwKey(GLFWwindow* window, int key) {
    return glfwGetKey(window, key) == GLFW_PRESS;
}

static bool readGlfwPads(GLFWgamepadstate& state) {
    bool any = false;
    for (int joystick = GLFW_JOYSTICK_1; joystick <= GLFW_JOYSTICK_LAST; ++joystick) {
        GLFWgamepadstate pad;
        // False for a slot without a pad or without a gamepad mapping.
        if (glfwGetGamepadState(joystick, &pad) == GLFW_TRUE) {
            mergePadState(state, pad);
            any = true;
        }
    }
    return any;
}

static KeyReader currentReader = readGlfwKey;
static PadStateReader currentPads = readGlfwPads;
static GLFWgamepadstate padsThisFrame = restingPad();
static KeyFilter currentFilter = nullptr;

bool isKeyPressed(GLFWwindow* window, int key) {
    const bool held = currentReader(window, key) || padHoldsKey(padsThisFrame, key);
    return currentFilter != nullptr ? currentFilter(window, key, held) : held;
}

bool keyPressedAnew(GLFWwindow* window, int key, bool& wasDown) {
    const bool down = isKeyPressed(window, key);
    const bool anew = down && !wasDown;
    wasDown = down;
    return anew;
}

void setKeyReader(KeyReader reader) {
    currentReader = reader != nullptr ? reader : readGlfwKey;
}

void setKeyFilter(KeyFilter filter) {
    currentFilter = filter;
}

void setPadStateReader(PadStateReader reader) {
    currentPads = reader != nullptr ? reader : readGlfwPads;
    padsThisFrame = restingPad();
}

void readPads() {
    GLFWgamepadstate state = restingPad();
    padsThisFrame = currentPads(state) ? state : restingPad();
}

} // namespace Pellwin
