// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/KeyScript.h"

#include "app/KeyInput.h"

#include <algorithm>

namespace TolvaTest {

static std::vector<int> heldKeys;

bool scriptedKeyReader(GLFWwindow* /*window*/, int key) {
    return std::find(heldKeys.begin(), heldKeys.end(), key) != heldKeys.end();
}

const std::vector<int>& scriptedKeys() {
    return heldKeys;
}

void useScriptedKeys() {
    heldKeys.clear();
    Pellwin::setKeyReader(scriptedKeyReader);
}

void holdKeys(std::initializer_list<int> keys) {
    heldKeys.assign(keys.begin(), keys.end());
}

void holdKey(int key) {
    if (!scriptedKeyReader(nullptr, key)) {
        heldKeys.push_back(key);
    }
}

void releaseKey(int key) {
    heldKeys.erase(std::remove(heldKeys.begin(), heldKeys.end(), key), heldKeys.end());
}

void releaseAllKeys() {
    heldKeys.clear();
}

void applyScript(const std::vector<ScriptStep>& script, double t) {
    heldKeys.clear();
    for (const ScriptStep& step : script) {
        if (step.time <= t) {
            heldKeys = step.keys;
        }
    }
}

} // namespace TolvaTest
