// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

struct GLFWwindow;

namespace Pellwin {

// G shows or hides the ghost in any picture, quietly; the player's settings keep the choice.
void takeGhostKey(GLFWwindow* window);

// Before a played frame's scene pass: the ghost where its run's ball was at this moment of
// the round clock, or none (hidden, no run, or a replay, which needs no ghost of itself).
void placeGhost();

} // namespace Pellwin
