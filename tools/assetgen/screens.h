// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "image.h"

namespace assetgen {

// The full-window pictures on cube.obj's front face. They are painted in
// world units of the picture plane: x -5.25..5.25, y -2.95..2.95. A 4:3
// window shows only x -3.85..3.85, so everything that matters stays there.
Image titleScreenTexture(); // titel
Image lostScreenTexture();  // gameOver
Image wonScreenTexture();   // youWon

} // namespace assetgen
