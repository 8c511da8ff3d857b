// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/RunRecording.h"

#include "app/KeyInput.h"

#include <GLFW/glfw3.h>

namespace Pellwin {

namespace {

// Bit i of RunKeys.
constexpr int runKeyCodes[8] = {GLFW_KEY_W, GLFW_KEY_S,     GLFW_KEY_A,    GLFW_KEY_D,
                                GLFW_KEY_R, GLFW_KEY_SPACE, GLFW_KEY_LEFT, GLFW_KEY_RIGHT};

} // namespace

RunKeys readRunKeys(GLFWwindow* window) {
    RunKeys keys = 0;
    for (int bit = 0; bit < 8; ++bit) {
        keys |= isKeyPressed(window, runKeyCodes[bit]) ? 1u << bit : 0u;
    }
    return keys;
}

bool runKeysHold(RunKeys keys, int key) {
    for (int bit = 0; bit < 8; ++bit) {
        if (runKeyCodes[bit] == key) {
            return (keys >> bit & 1u) != 0;
        }
    }
    return false;
}

void beginRecording(RunRecording& recording, std::uint64_t fingerprint) {
    recording.run = RecordedRun();
    recording.run.fingerprint = fingerprint;
    recording.cutShort = false;
}

void recordFrame(RunRecording& recording, float seconds, RunKeys keys, const glm::vec3& ball) {
    if (recording.run.frames.size() >= runFrameLimit) {
        recording.cutShort = true;
        return;
    }
    recording.run.frames.push_back({seconds, keys, ball});
}

} // namespace Pellwin
