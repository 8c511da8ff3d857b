// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <initializer_list>
#include <vector>

struct GLFWwindow;

namespace TolvaTest {

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
