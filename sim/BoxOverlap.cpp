// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/BoxOverlap.h"

#include "scene/LoadModel.h"

#include <cmath>

namespace Pellwin {

bool boxesOverlap(glm::vec3 positionA, const HalfExtents& a, glm::vec3 positionB,
                  const HalfExtents& b) {
    const float dx = std::fabs(positionA.x - positionB.x);
    const float dy = std::fabs(positionA.y - positionB.y);
    const float dz = std::fabs(positionA.z - positionB.z);
    return static_cast<double>(dx) < a.x + b.x && static_cast<double>(dy) < a.y + b.y &&
           static_cast<double>(dz) < a.z + b.z;
}

HalfExtents contactExtents(glm::vec3 scale, glm::vec3 box) {
    return {halfOf(scale.x, box.x), halfOf(scale.z, box.z), halfOf(scale.y, box.y)};
}

bool contactBoxesOverlap(const LoadModel& a, const LoadModel& b) {
    return boxesOverlap(translationOf(a.modelMatrix), contactExtents(a.scaleFactor, a.boxSize),
                        translationOf(b.modelMatrix), contactExtents(b.scaleFactor, b.boxSize));
}

} // namespace Pellwin
