// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "image.h"
#include "mesh.h"

namespace assetgen {

// The lightmapped model: a wooden spice rack with jars that stands on the
// pedestal against the left wall (x = 0 is the wall side), and its texture
// with the lighting baked in, since it is drawn unlit at full brightness.
// Its file is imported without mirroring or V flip, so the texture is
// stored upright.
struct LightmappedModel {
    Mesh mesh;
    Image texture;
};

LightmappedModel spiceRack();

} // namespace assetgen
