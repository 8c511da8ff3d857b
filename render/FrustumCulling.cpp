// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/FrustumCulling.h"

#include <cmath>

namespace Pellwin {

ViewFrustum* viewFrustum = nullptr;

static FrustumPlane normalisedPlane(const glm::mat4& clip, int row, float sign,
                                    float& planeLength) {
    FrustumPlane plane{clip[0][3] + sign * clip[0][row], clip[1][3] + sign * clip[1][row],
                       clip[2][3] + sign * clip[2][row], clip[3][3] + sign * clip[3][row]};
    const float squares = plane.a * plane.a + plane.b * plane.b + plane.c * plane.c;
    planeLength = static_cast<float>(std::sqrt(static_cast<double>(squares)));
    plane.a /= planeLength;
    plane.b /= planeLength;
    plane.c /= planeLength;
    plane.d /= planeLength;
    return plane;
}

bool sphereInFrustum(glm::vec3 center, glm::mat4 projection, glm::mat4 view, glm::mat4 model,
                     double radius) {
    ViewFrustum scratch;
    ViewFrustum& frustum = viewFrustum != nullptr ? *viewFrustum : scratch;
    frustum.center = center;
    frustum.radius = radius;
    frustum.projection = projection;
    frustum.modelView = view * model;
    frustum.clip = projection * frustum.modelView;

    // Row 3 minus/plus rows 0, 1, 2 give right, left, bottom, top, far, near.
    const struct {
        int row;
        float sign;
    } planeRows[6] = {{0, -1.0f}, {0, 1.0f}, {1, 1.0f}, {1, -1.0f}, {2, -1.0f}, {2, 1.0f}};
    for (int i = 0; i < 6; ++i) {
        frustum.planes[i] =
            normalisedPlane(frustum.clip, planeRows[i].row, planeRows[i].sign, frustum.planeLength);
    }
    for (const FrustumPlane& plane : frustum.planes) {
        const float distance =
            plane.a * center.x + plane.b * center.y + plane.c * center.z + plane.d;
        if (static_cast<double>(distance) <= -radius) {
            return false;
        }
    }
    return true;
}

} // namespace Pellwin
