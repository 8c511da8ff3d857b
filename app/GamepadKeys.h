// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <GL/glew.h> // before GLFW, which would bring in the old gl.h
#include <GLFW/glfw3.h>

namespace Pellwin {

// How far a stick must lean, or a trigger go past its middle, before it counts.
constexpr float padDeadZone = 0.25f;

// Whether a pad in this state holds the game key `key` (a GLFW_KEY_ code): left stick or
// D-pad to move, A (cross) to jump, X (square) or the right trigger to run, the shoulder
// buttons to steer, Start for F1 and Back for Escape.
bool padHoldsKey(const GLFWgamepadstate& state, int key);

// Two pads as one: a button is down when either holds it, an axis leans as far as the one
// further from its rest (the middle for sticks, released for triggers).
void mergePadState(GLFWgamepadstate& into, const GLFWgamepadstate& pad);

// A pad with nothing touched.
GLFWgamepadstate restingPad();

} // namespace Pellwin
