// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

struct GLFWwindow;
struct GLFWgamepadstate;

namespace Pellwin {

// Every key the game reads goes through here, so tests can play the keyboard. A pressed
// key is one held on the keyboard or its counterpart held on a gamepad.
using KeyReader = bool (*)(GLFWwindow* window, int key);

bool isKeyPressed(GLFWwindow* window, int key);

// For keys that switch something: true only in the first frame a press is seen, so a held
// key switches once. `wasDown` is the key's own memory from frame to frame.
bool keyPressedAnew(GLFWwindow* window, int key, bool& wasDown);

// Replaces the keyboard; nullptr gives the real one (glfwGetKey) back. The pads stay.
void setKeyReader(KeyReader reader);

// While a run is replayed, its keys stand in for the player's: the filter answers for every
// key, told whether the keyboard or a pad holds it. nullptr lets every key through.
using KeyFilter = bool (*)(GLFWwindow* window, int key, bool held);
void setKeyFilter(KeyFilter filter);

// Fills `state` with every connected pad's buttons and axes merged; false when no pad is
// connected. The default asks GLFW about joysticks 1 to 16 that it knows as gamepads.
using PadStateReader = bool (*)(GLFWgamepadstate& state);

// Replaces the pads; nullptr gives GLFW's back.
void setPadStateReader(PadStateReader reader);

// Reads the pads once for the frame. Polling each frame also picks up pads plugged in or
// out while the game runs.
void readPads();

} // namespace Pellwin
