// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "image.h"

namespace assetgen {

Image grungeWallTexture();   // Grungemaps: right wall, 100 x 20
Image wallpaperTexture();    // wand-02: left wall, 100 x 20
Image conservatoryTexture(); // wintergartenFrei: back wall, 30 x 20, clear panes
Image skyTexture();          // Sky: behind the back wall, 30 x 20
Image sunTexture();          // sun: 5 x 5, anchored at its bottom middle

} // namespace assetgen
