// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <glm/glm.hpp>

namespace Pellwin {

// True when the blur program would leave every pixel of the frame sharp for this motion
// of the ball, with room to spare for rounding; the blur pass then copies the scene
// instead of running the program over the whole window. Follows Shader/blur.frag.
bool blurLeavesPictureSharp(glm::vec3 previousBall, glm::vec3 currentBall, float seconds);

} // namespace Pellwin
