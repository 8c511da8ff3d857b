// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/Camera.h"

#include "scene/LoadModel.h"
#include "scene/SceneCatalogue.h"

namespace Pellwin {

Camera::Camera()
    : target(player), view(identityMatrix()), targetMatrix(identityMatrix()), distance(3.5f) {
    targetMatrix = target->modelMatrix;
    update();
}

void Camera::update() {
    targetMatrix = target->modelMatrix;
    const glm::vec4 eye = targetMatrix * glm::vec4(0.0f, 2.0f, distance, 1.0f);
    view = glm::lookAt(glm::vec3(eye), translationOf(targetMatrix), glm::vec3(0.0f, 1.0f, 0.0f));
}

} // namespace Pellwin
