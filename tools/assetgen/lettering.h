// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "image.h"

namespace assetgen {

// The lettering for the clock and the times on the won picture: the title's dot font as a
// distance field in the cells of render/GlyphLayout.h. Fails (empty picture) when the
// font's widths no longer match that layout.
Image letteringTexture(); // Schrift

} // namespace assetgen
