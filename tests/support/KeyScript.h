// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Only the key names: whoever needs GL includes GLEW first, itself.
#ifndef GLFW_INCLUDE_NONE
#define GLFW_INCLUDE_NONE
#endif
#include <GLFW/glfw3.h>
#include <initializer_list>
#include <vector>

struct GLFWwindow;

namespace TolvaTest {

// Short names for the game's keys, for scripts and key tables.
namespace GameKeys {
constexpr int W = GLFW_KEY_W, S = GLFW_KEY_S, A = GLFW_KEY_A, D = GLFW_KEY_D, R = GLFW_KEY_R,
              Space = GLFW_KEY_SPACE, Left = GLFW_KEY_LEFT, Right = GLFW_KEY_RIGHT;
} // namespace GameKeys

// A keyboard that tests play: the game reads it through the key seam.
void useScriptedKeys();
void holdKeys(std::initializer_list<int> keys);
void holdKey(int key);
void releaseKey(int key);
void releaseAllKeys();
bool scriptedKeyReader(GLFWwindow* window, int key);
const std::vector<int>& scriptedKeys();

// One step of a scripted game: from `time` (seconds of game clock) on, exactly `keys` are held.
struct ScriptStep {
    double time;
    std::vector<int> keys;
};

// Holds the keys the script asks for at time t (the last step that has begun).
void applyScript(const std::vector<ScriptStep>& script, double t);

} // namespace TolvaTest
