#pragma once

namespace Pellwin {

extern bool blocked;
extern bool raisedLevel;
extern bool knivesFalling;
extern float lastSunDistance;

// Advances the world by one playing frame.
void updateGame();

// The game update's contact test of the ball against the slab and the two planks.
bool blockedByBarrier();

// Puts the lens-flare sprites on the line from the ball to the sun.
void placeFlares();

// The game update's hazard test: the ball's share of the box comes from the hazard.
class LoadModel;
bool touchesHazard(const LoadModel& ball, const LoadModel& hazard);

} // namespace Pellwin
