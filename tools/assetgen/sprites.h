// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "image.h"

namespace assetgen {

// Lens-flare sprites and the particle blob: soft light on a clear ground,
// each fading to alpha 0 well inside its square.
Image flareStarTexture();  // FlareStern
Image flareRingTexture();  // FlareRing
Image flareGlowTexture();  // FlareSun
Image flareStar2Texture(); // FlareStern2
Image particleTexture();   // Flare3

} // namespace assetgen
