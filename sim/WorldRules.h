// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the ball and the world move, and where a round ends: world units, seconds, degrees.
// The controller, the game update, the level and the frame loop take these from here alone.
#include <glm/glm.hpp>

namespace Pellwin {

// The round.
constexpr float roundSeconds = 50.0f;
// The far end of the worktop: a ball whose z reaches it wins.
constexpr float goalZ = -100.0f;

// The worktop. At |x| >= trackEdgeX the ball has left it sideways, at z >= startEdgeZ it
// has rolled back off its near end; either loses.
constexpr float trackEdgeX = 10.0f;
constexpr float startEdgeZ = -5.0f;
constexpr float trackHeight = 5.0f;

// The marble slab raises the track strictly between slabNearZ and slabFarZ. Nearer than
// worktopEndZ the ball is held on the worktop; from there to slabNearZ it may be climbing,
// and its height is left alone.
constexpr float worktopEndZ = -29.0f;
constexpr float slabNearZ = -30.0f;
constexpr float slabFarZ = -50.0f;
constexpr float raisedTrackHeight = 5.4f;
// Only a jump from the slab gets the ball above this; from then on until the next level its
// height is no longer held. Compared in double.
constexpr double raisedLevelHeight = 6.5;

// The ball's own roll forward, along its heading, while nothing blocks it.
constexpr float rollSpeed = 2.5f;
// The travel keys move the ball by a factor of this along its own z (negative is forward).
constexpr float ballBaseSpeed = 5.0f;
constexpr float forwardFactor = -1.5f;     // W
constexpr float fastForwardFactor = -3.0f; // R
constexpr float backFactor = 0.5f;         // S
// Sideways keys: across at sidewaysSpeed, and along z at sidewaysDrift (forward when free,
// back off a barrier it touches).
constexpr float sidewaysSpeed = 5.0f;
constexpr float sidewaysDrift = 2.5f;
// A jump is a step up held for jumpSeconds, then a step down: no arc.
constexpr float jumpHeight = 1.3f;
constexpr float jumpSeconds = 0.5f;
// Steering turns at this rate, in at most steeringFrameLimit more frames one way than the
// other: about 27 degrees each way at 60 frames a second.
constexpr float steeringDegreesPerSecond = 54.24f;
constexpr int steeringFrameLimit = 30;

// A long frame is played in steps no longer than this, at most mostSteps of them (a whole
// round), so a fast ball cannot pass through a plank between two contact tests.
constexpr double longestStepSeconds = 1.0 / 60.0;
constexpr int mostSteps = 3000;

// The six falling knives hang at the track's edges, side -1 left and +1 right, and fall
// along their own y (scaled by 5.5: 6.6 units a second). When the second is no higher than
// knifeResetHeight, all six go back up together.
constexpr int fallingKnifeCount = 6;
struct KnifeStart {
    float side;
    float z;
};
constexpr KnifeStart knifeStarts[fallingKnifeCount] = {{-1.0f, -20.0f}, {1.0f, -25.0f},
                                                       {-1.0f, -40.0f}, {1.0f, -45.0f},
                                                       {-1.0f, -60.0f}, {1.0f, -65.0f}};
constexpr float knifeSideX = 10.0f;
constexpr float knifeStartHeight = 30.0f;
constexpr float knifeFallSpeed = -1.2f;
constexpr float knifeResetHeight = 4.0f;

inline glm::vec3 knifeStartPosition(int knife) {
    return glm::vec3(knifeStarts[knife].side * knifeSideX, knifeStartHeight, knifeStarts[knife].z);
}

// The seventh knife flies along its own z, turned to cross the track.
constexpr float flyingKnifeSpeed = -7.0f;

// The globes turn about their own vertical axes, in opposite senses.
constexpr float earthDegreesPerSecond = 30.0f;
constexpr float moonDegreesPerSecond = 90.0f;

} // namespace Pellwin
