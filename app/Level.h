// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace Pellwin {

class LoadModel;

// The six falling knives, as the level set them up (slot 1 is hazardSlots[0]).
extern LoadModel* hazardSlots[6];

// Lays out the level: a new render target, cleared round flags, every object placed.
void resetLevel();

// Everything of resetLevel but the render target: cleared round flags, every object
// placed. Needs no GL.
void layOutLevel();

// Places every object without touching GL.
void placeLevelObjects();

// Brings every object but the falling knives and the vanished third plank back to
// the matrix it had before resetLevel placed it.
void undoLevelPlacement();

LoadModel* placeKnife(LoadModel* knife, float side, float z);

// Undoes placeKnife when side is the negative of the side it was placed with.
void unplaceKnife(LoadModel* knife, float side);

// The first half of a restart, which needs no GL: undo the placement and bring the six
// knives back with the opposite side.
void takeLevelDown();

// The whole restart: take the level down, then lay it out afresh.
void restartLevel();

} // namespace Pellwin
