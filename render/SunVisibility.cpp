// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/SunVisibility.h"

#include "scene/LoadModel.h"
#include "scene/SceneCatalogue.h"

#include <algorithm>
#include <cmath>

namespace Pellwin {

namespace {

// The half-extents of the box a knife hides the sun with are its contact box's sides times
// these, without its scale: long across the track, a sliver high and deep.
const glm::vec3 bladeShadowFactors(2.7f, 0.07f, 0.5f);

// The flare is seen from the ball towards the sun's lower part, this far below its origin.
constexpr float sunSightDrop = 2.0f;

glm::vec3 hazardHalfExtents(const LoadModel& knife) {
    return glm::abs(knife.boxSize * bladeShadowFactors);
}

} // namespace

glm::vec3 hazardBoxMin(const LoadModel& knife) {
    return translationOf(knife.modelMatrix) - hazardHalfExtents(knife);
}

glm::vec3 hazardBoxMax(const LoadModel& knife) {
    return translationOf(knife.modelMatrix) + hazardHalfExtents(knife);
}

bool segmentBlockedByBox(glm::vec3 boxMin, glm::vec3 boxMax, glm::vec3 inner, glm::vec3 outer) {
    for (int axis = 0; axis < 3; ++axis) {
        if ((boxMin[axis] > inner[axis] && boxMin[axis] > outer[axis]) ||
            (inner[axis] > boxMax[axis] && outer[axis] > boxMax[axis])) {
            return false;
        }
    }
    bool innerInside = true;
    for (int axis = 0; axis < 3; ++axis) {
        innerInside = innerInside && boxMin[axis] < inner[axis] && inner[axis] < boxMax[axis];
    }
    if (innerInside) {
        return true;
    }
    // Slabs: clip the segment's parameter range against each pair of faces.
    double enter = 0.0;
    double leave = 1.0;
    for (int axis = 0; axis < 3; ++axis) {
        const double start = inner[axis];
        const double step = static_cast<double>(outer[axis]) - start;
        if (step == 0.0) {
            if (start < boxMin[axis] || start > boxMax[axis]) {
                return false;
            }
            continue;
        }
        double t0 = (boxMin[axis] - start) / step;
        double t1 = (boxMax[axis] - start) / step;
        if (t0 > t1) {
            std::swap(t0, t1);
        }
        enter = std::max(enter, t0);
        leave = std::min(leave, t1);
        if (enter > leave) {
            return false;
        }
    }
    return true;
}

bool sunLineBlocked() {
    if (player == nullptr || sun == nullptr) {
        return false;
    }
    glm::vec3 inner;
    player->getPosition(inner);
    glm::vec3 outer;
    sun->getPosition(outer);
    outer.y -= sunSightDrop;
    for (LoadModel** slot : fallingKnives) {
        const LoadModel* knife = *slot;
        if (knife != nullptr &&
            segmentBlockedByBox(hazardBoxMin(*knife), hazardBoxMax(*knife), inner, outer)) {
            return true;
        }
    }
    return false;
}

} // namespace Pellwin
