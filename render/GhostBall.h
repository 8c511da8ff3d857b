// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <glm/vec3.hpp>

namespace Pellwin {

// The ghost: the ball's mesh drawn see-through and tinted where a recorded run's ball was.
// Not a scene object: not counted, culled or touched by the hotkeys, and it writes no depth,
// so the blur pass sees the scene behind it.

// Its texture, made after the overlay's so that no other texture's name (and unit) moves.
void createGhostBall();
void destroyGhostBall();

// Where the next scene pass draws the ghost; hideGhostBall draws none.
void placeGhostBall(const glm::vec3& at);
void hideGhostBall();
bool ghostBallPlaced();

// After the scene pass, into the render target. Leaves blending off, the depth mask on and
// the blend factors as the scene's draws expect them.
void drawGhostBall();

// How see-through the ghost is.
constexpr float ghostAlpha = 0.35f;

} // namespace Pellwin
