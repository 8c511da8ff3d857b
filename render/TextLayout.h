// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

namespace Pellwin {

// One rectangle of the overlay: framebuffer pixels (y up) and where it samples the
// lettering picture (v up).
struct OverlayQuad {
    float left, bottom, right, top;
    float uLeft, vBottom, uRight, vTop;
};

// Width in pixels of a line of Latin-1 text whose capitals are capHeight pixels tall.
float textWidth(const std::string& text, float capHeight);

// The glyphs of a line of text whose baseline starts at (x, baseline). A character the
// lettering lacks takes the room of a space.
std::vector<OverlayQuad> layOutText(const std::string& text, float x, float baseline,
                                    float capHeight);

// A plate with round ends filling the box: the lettering's disc, cut in half and
// stretched through its middle.
std::vector<OverlayQuad> layOutPlate(float left, float bottom, float right, float top);

} // namespace Pellwin
