// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "image.h"

namespace assetgen {

// Colours of one kind of wood.
struct WoodStyle {
    Rgba early;          // light spring wood
    Rgba late;           // dark band at the end of a growth ring
    double ringsPerUnit; // growth rings per unit of distance from the pith
    double figure;       // how strongly the rings wobble
};

// Wood seen on a cut surface. p.x runs across the board, p.y along the grain
// and p.z into the board; pith is where the tree's centre runs (x, z).
Rgba woodAt(Vec3 p, Vec2 pith, const WoodStyle& style, std::uint32_t seed);

Image worktopTexture(); // WoodFine: the counter, grain along the track
Image floorTexture();   // WoodPlanks: floorboards
Image boardTexture();   // wood02: planks and pedestal
Image marbleTexture();  // marmor
Image stoneTexture();   // stone01: a sphere map
Image metalTexture();   // MetalBare: the knife's atlas
Image potTexture();     // pot1: the pot's atlas
Image citrusTexture();  // pomla: a sphere map

// The ball's skin at a point of the unit sphere (also used for pictures).
Rgba citrusAt(Vec3 dir);

} // namespace assetgen
