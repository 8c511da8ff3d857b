// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <glm/glm.hpp>

namespace Pellwin {

struct FrustumPlane {
    float a, b, c, d;
};

// Scratch record of the last culling test; nothing reads it between tests.
struct ViewFrustum {
    glm::mat4 projection;
    glm::mat4 modelView;
    glm::mat4 clip;
    float planeLength;
    FrustumPlane planes[6]; // right, left, bottom, top, far, near
    glm::vec3 center{0.0f, 0.0f, 0.0f};
    double radius;
};

extern ViewFrustum* viewFrustum;

// True when the sphere (in model space) may be visible. Works without a frustum record
// too, so it can run before the scene exists.
bool sphereInFrustum(glm::vec3 center, glm::mat4 projection, glm::mat4 view, glm::mat4 model,
                     double radius);

} // namespace Pellwin
