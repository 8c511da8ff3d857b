// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mesh.h"

namespace assetgen {

// Texture rows of the pot's atlas (pot1.png), bottom to top in v.
struct PotLayout {
    static constexpr double bottomTop = 0.05; // underside up to here
    static constexpr double wallTop = 0.78;   // glazed outside wall
    static constexpr double rimTop = 0.84;    // rolled rim
    static constexpr double innerBottom = 0.97;
    // Where the handles take their colour from.
    static constexpr double handleV0 = 0.40, handleV1 = 0.44;
};

// Texture areas of the knife's atlas (MetalBare.png). The handle runs along
// v with u around it; the blade runs along u.
struct KnifeLayout {
    static constexpr double handleV0 = 0.02, handleV1 = 0.45; // butt .. front
    static constexpr double bevelV0 = 0.50;                   // honed edge
    static constexpr double bevelV1 = 0.64;                   // top of the ground bevel
    static constexpr double flatV1 = 1.00;                    // spine
    // Rivets: along the handle (v) on both flat sides (u 0.25 and 0.75).
    static constexpr double rivetV[3] = {0.11, 0.23, 0.35};
    static constexpr double rivetU[2] = {0.25, 0.75};
};

Mesh pictureCubeMesh(); // cube.obj
Mesh centredCubeMesh(); // cube_zentriert.obj
Mesh ballMesh();        // sphere.obj
Mesh earthMesh();       // earth.obj
Mesh moonMesh();        // moon.obj
Mesh potMesh();         // pot1.obj
Mesh knifeMesh();       // metalKnife_2.obj

} // namespace assetgen
