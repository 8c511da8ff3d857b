// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/BlurSharpness.h"

#include <algorithm>

namespace Pellwin {

namespace {

// The blur program's own constants.
constexpr float blurStartSpeed = 6.0f;
constexpr float blurFullSpeed = 18.0f;
constexpr float implausibleSpeed = 40.0f;
// Its longest smear at full blur, in pixels: the corner of the 1024 x 768 target seen
// 1 unit from the camera (0.22 times the 640-pixel half diagonal).
constexpr float longestSmearPixels = 0.22f * 640.0f;

} // namespace

bool blurLeavesPictureSharp(glm::vec3 previousBall, glm::vec3 currentBall, float seconds) {
    if (!(seconds > 0.0f)) {
        return true;
    }
    const glm::vec2 travel(currentBall.x - previousBall.x, currentBall.z - previousBall.z);
    const float speed = glm::length(travel) / seconds;
    // A jump no ball can make never blurs; near that line the program decides itself.
    if (speed > implausibleSpeed * 1.01f) {
        return true;
    }
    const float amount =
        std::clamp((speed - blurStartSpeed) / (blurFullSpeed - blurStartSpeed), 0.0f, 1.0f);
    // The program keeps a pixel sharp when its smear is under one pixel.
    return amount * longestSmearPixels < 0.5f;
}

} // namespace Pellwin
