// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <glm/glm.hpp>

namespace Pellwin {

class LoadModel;

// Chase view: 2 units above and 3.5 behind the ball along its heading, looking at it.
class Camera {
public:
    LoadModel* target;
    glm::mat4 view;
    glm::mat4 targetMatrix;
    float distance;

    Camera();
    virtual ~Camera() = default;
    Camera(const Camera&) = delete;
    Camera& operator=(const Camera&) = delete;

    void update();
};

} // namespace Pellwin
