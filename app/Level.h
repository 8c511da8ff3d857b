// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "sim/WorldRules.h"

namespace Pellwin {

class LoadModel;

// The six falling knives, as the level set them up (slot 1 is hazardSlots[0]).
extern LoadModel* hazardSlots[fallingKnifeCount];

// Lays out the level: a new render target, cleared round flags, every object placed.
void resetLevel();

// Everything of resetLevel but the render target: cleared round flags, every object
// placed. Needs no GL.
void layOutLevel();

// The first half of a restart, which needs no GL: every object but the vanished third
// plank back to the matrix it had before the level placed it.
void takeLevelDown();

// The whole restart: take the level down, then lay it out afresh.
void restartLevel();

} // namespace Pellwin
