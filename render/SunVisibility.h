// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <glm/glm.hpp>

namespace Pellwin {

class LoadModel;

// The box a falling knife blocks the view to the sun with.
glm::vec3 hazardBoxMin(const LoadModel& knife);
glm::vec3 hazardBoxMax(const LoadModel& knife);

// True when the segment from inner to outer passes through the box.
bool segmentBlockedByBox(glm::vec3 boxMin, glm::vec3 boxMax, glm::vec3 inner, glm::vec3 outer);

// True when one of the six falling knives stands between the ball and the sun.
bool sunLineBlocked();

} // namespace Pellwin
