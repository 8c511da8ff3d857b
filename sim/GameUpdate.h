// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace Pellwin {

class LoadModel;

extern bool blocked;
extern bool raisedLevel;
extern bool knivesFalling;
extern float lastSunDistance;

// One playing frame: the player's keys and the world's motion, in steps of at most
// 1/60 s, then the lens flare, the turning globes, the camera and the steam.
void updateGame();

// How many steps of at most 1/60 s a frame of this length is played in.
int stepsForFrame(float seconds);

// The game update's contact test of the ball against the slab and the two planks.
bool blockedByBarrier();

// Puts the lens-flare sprites on the line from the ball to the sun.
void placeFlares();

// The game update's hazard test: the ball's share of the box comes from the hazard.
bool touchesHazard(const LoadModel& ball, const LoadModel& hazard);

} // namespace Pellwin
