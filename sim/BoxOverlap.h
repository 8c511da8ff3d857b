// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <glm/glm.hpp>

namespace Pellwin {

class LoadModel;

// Half-extents per world axis. Each is half a float product of a scale and a box size,
// widened to double, because that is the precision the game's collisions were tuned with.
struct HalfExtents {
    double x, y, z;
};

inline double halfOf(float scale, float size) {
    return 0.5 * static_cast<double>(scale * size);
}

// Strictly overlapping on all three axes: distances in float, extents summed in double.
bool boxesOverlap(glm::vec3 positionA, const HalfExtents& a, glm::vec3 positionB,
                  const HalfExtents& b);

// The contact box of the planks, the hazards and the game update's slab: world x from the
// x of the scale and the box, world y from their z, world z from their y.
HalfExtents contactExtents(glm::vec3 scale, glm::vec3 box);

// The two objects' contact boxes, each from its own scale and box, overlap.
bool contactBoxesOverlap(const LoadModel& a, const LoadModel& b);

} // namespace Pellwin
