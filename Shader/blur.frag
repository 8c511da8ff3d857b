// SPDX-License-Identifier: GPL-3.0-or-later
#version 330 core

in vec2 texCoord;

uniform sampler2D blurTexture;
uniform sampler2D depthBlurTexture;
// Set by the pass but not needed: the camera is tied rigidly to the ball, so the ball's
// own travel tells how the whole view moved.
uniform mat4 vpInverse;
uniform mat4 vpPrevious;
uniform vec3 blurPrevPosition;
uniform vec3 blurCurrentPosition;
uniform float deltaT;

out vec4 fragColor;

const float zNear = 0.1;
const float zFar = 1000.0;
const vec2 targetSize = vec2(1024.0, 768.0);

// Blur fades in between a brisk walk and the fast-forward key (~17.5 units/s).
const float blurStartSpeed = 6.0;
const float blurFullSpeed = 18.0;
// Jumps, restarts and the first frames move the ball in one step; that is no motion.
const float implausibleSpeed = 40.0;
// Smear per uv of distance from the centre, for a pixel 1 unit in front of the camera:
// about the image motion of 1/70 s at full speed. Capped so the worktop under the
// camera stays readable.
const float smearScale = 0.22;
const float maxSmear = 0.05;
const int maxTaps = 9;

void main()
{
    vec3 sharp = textureLod(blurTexture, texCoord, 0.0).rgb;

    // Only travel over the track zooms the view; the vertical jump step does not.
    vec2 travel = (blurCurrentPosition - blurPrevPosition).xz;
    float speed = deltaT > 0.0 ? length(travel) / deltaT : 0.0;
    float amount = speed > implausibleSpeed
                       ? 0.0
                       : clamp((speed - blurStartSpeed) / (blurFullSpeed - blurStartSpeed), 0.0,
                               1.0);
    if (amount <= 0.0) {
        fragColor = vec4(sharp, 1.0);
        return;
    }

    // The camera rides with the ball, so the scene streams out of the centre; near
    // things (the worktop under the camera) streak, the far end of the track hardly moves.
    float depth = textureLod(depthBlurTexture, texCoord, 0.0).r;
    float viewZ = 2.0 * zNear * zFar / (zFar + zNear - (2.0 * depth - 1.0) * (zFar - zNear));
    vec2 smear = (texCoord - 0.5) * (amount * smearScale / max(viewZ, 1.0));
    float smearLength = length(smear);
    if (smearLength > maxSmear) {
        smear *= maxSmear / smearLength;
    }
    float lengthPx = length(smear * targetSize);
    if (lengthPx < 1.0) {
        fragColor = vec4(sharp, 1.0);
        return;
    }

    int taps = int(min(ceil(lengthPx), float(maxTaps)));
    // Per-pixel offset of the taps turns the banding of few taps into fine noise.
    float jitter = fract(52.9829189 * fract(dot(gl_FragCoord.xy, vec2(0.06711056, 0.00583715))));
    vec3 sum = sharp;
    for (int i = 1; i <= maxTaps; ++i) {
        if (i > taps) {
            break;
        }
        // Trail towards the centre, where the texel came from.
        float t = (float(i) - jitter) / float(taps);
        sum += textureLod(blurTexture, texCoord - smear * t, 0.0).rgb;
    }
    fragColor = vec4(sum / float(taps + 1), 1.0);
}
