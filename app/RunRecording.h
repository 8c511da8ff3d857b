// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "app/RunFile.h"

struct GLFWwindow;

namespace Pellwin {

// The keys held now, as the update reads them through the key seam (pads included).
RunKeys readRunKeys(GLFWwindow* window);

// Whether a run's keys hold `key` (a GLFW key code); false for every key a run does not keep.
bool runKeysHold(RunKeys keys, int key);

// A run being recorded. Frames past the file's limit are dropped and the recording marked
// cut short: such a run would not reach the goal again, so it is never kept.
struct RunRecording {
    RecordedRun run;
    bool cutShort = false;
};

void beginRecording(RunRecording& recording, std::uint64_t fingerprint);
void recordFrame(RunRecording& recording, float seconds, RunKeys keys, const glm::vec3& ball);

} // namespace Pellwin
