// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "image.h"

namespace assetgen {

// gemuese: a framed picture of vegetables on a kitchen table, painted for the
// board's face of 16 x 9.
Image vegetablePictureTexture();

} // namespace assetgen
