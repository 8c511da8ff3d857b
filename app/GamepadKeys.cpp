// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/GamepadKeys.h"

#include <cmath>

namespace Pellwin {

namespace {

bool isTrigger(int axis) {
    return axis == GLFW_GAMEPAD_AXIS_LEFT_TRIGGER || axis == GLFW_GAMEPAD_AXIS_RIGHT_TRIGGER;
}

float restOf(int axis) {
    return isTrigger(axis) ? -1.0f : 0.0f;
}

bool held(const GLFWgamepadstate& state, int button) {
    return state.buttons[button] == GLFW_PRESS;
}

// A stick half past the dead zone in the given direction (-1 or +1).
bool leans(const GLFWgamepadstate& state, int axis, float direction) {
    return state.axes[axis] * direction > padDeadZone;
}

} // namespace

bool padHoldsKey(const GLFWgamepadstate& state, int key) {
    switch (key) {
    case GLFW_KEY_W:
        return leans(state, GLFW_GAMEPAD_AXIS_LEFT_Y, -1.0f) ||
               held(state, GLFW_GAMEPAD_BUTTON_DPAD_UP);
    case GLFW_KEY_S:
        return leans(state, GLFW_GAMEPAD_AXIS_LEFT_Y, 1.0f) ||
               held(state, GLFW_GAMEPAD_BUTTON_DPAD_DOWN);
    case GLFW_KEY_A:
        return leans(state, GLFW_GAMEPAD_AXIS_LEFT_X, -1.0f) ||
               held(state, GLFW_GAMEPAD_BUTTON_DPAD_LEFT);
    case GLFW_KEY_D:
        return leans(state, GLFW_GAMEPAD_AXIS_LEFT_X, 1.0f) ||
               held(state, GLFW_GAMEPAD_BUTTON_DPAD_RIGHT);
    case GLFW_KEY_SPACE:
        return held(state, GLFW_GAMEPAD_BUTTON_A);
    case GLFW_KEY_R:
        // A trigger rests at -1; one that GLFW has no mapping for reads 0, so the middle
        // itself must not count.
        return held(state, GLFW_GAMEPAD_BUTTON_X) ||
               state.axes[GLFW_GAMEPAD_AXIS_RIGHT_TRIGGER] > padDeadZone;
    case GLFW_KEY_LEFT:
        return held(state, GLFW_GAMEPAD_BUTTON_LEFT_BUMPER);
    case GLFW_KEY_RIGHT:
        return held(state, GLFW_GAMEPAD_BUTTON_RIGHT_BUMPER);
    case GLFW_KEY_F1:
        return held(state, GLFW_GAMEPAD_BUTTON_START);
    case GLFW_KEY_ESCAPE:
        return held(state, GLFW_GAMEPAD_BUTTON_BACK);
    default:
        return false;
    }
}

void mergePadState(GLFWgamepadstate& into, const GLFWgamepadstate& pad) {
    for (int button = 0; button <= GLFW_GAMEPAD_BUTTON_LAST; ++button) {
        if (pad.buttons[button] == GLFW_PRESS) {
            into.buttons[button] = GLFW_PRESS;
        }
    }
    for (int axis = 0; axis <= GLFW_GAMEPAD_AXIS_LAST; ++axis) {
        const float rest = restOf(axis);
        if (std::fabs(pad.axes[axis] - rest) > std::fabs(into.axes[axis] - rest)) {
            into.axes[axis] = pad.axes[axis];
        }
    }
}

GLFWgamepadstate restingPad() {
    GLFWgamepadstate state{};
    for (int axis = 0; axis <= GLFW_GAMEPAD_AXIS_LAST; ++axis) {
        state.axes[axis] = restOf(axis);
    }
    return state;
}

} // namespace Pellwin
