// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/BoxOverlap.h"

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

} // namespace Pellwin
