// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game thinks in degrees and expects a fresh matrix to be the identity.
// GLM 0.9.9 takes radians and leaves mat4 uninitialised unless told, so every
// angle goes through these helpers and every matrix starts from identityMatrix().
#include <glm/glm.hpp>
#include <glm/gtc/matrix_transform.hpp>

namespace Pellwin {

// The float factor the game's angles have always been converted with.
constexpr float degreesToRadiansFactor = 0.017453292f;

inline float radiansFromDegrees(float degrees) {
    return degrees * degreesToRadiansFactor;
}

inline glm::mat4 identityMatrix() {
    return glm::mat4(1.0f);
}

inline glm::mat4 rotateDegrees(const glm::mat4& m, float angleDegrees, const glm::vec3& axis) {
    return glm::rotate(m, radiansFromDegrees(angleDegrees), axis);
}

inline glm::mat4 perspectiveDegrees(float fovyDegrees, float aspect, float nearPlane,
                                    float farPlane) {
    return glm::perspective(radiansFromDegrees(fovyDegrees), aspect, nearPlane, farPlane);
}

inline glm::vec3 translationOf(const glm::mat4& m) {
    return glm::vec3(m[3][0], m[3][1], m[3][2]);
}

} // namespace Pellwin
