// SPDX-License-Identifier: GPL-3.0-or-later
#include "lettering.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "font.h"
#include "render/GlyphLayout.h"

namespace assetgen {

namespace lettering = Pellwin::lettering;

namespace {

std::string utf8FromLatin1(char c) {
    auto b = static_cast<unsigned char>(c);
    if (b < 0x80) {
        return std::string(1, c);
    }
    return {static_cast<char>(0xc0 | (b >> 6)), static_cast<char>(0x80 | (b & 0x3f))};
}

// Distance in dots (negative inside) mapped so that the edge is alpha 0.5.
double fieldAlpha(double distance) {
    return clamp01(0.5 - 0.5 * distance / lettering::spreadDots);
}

} // namespace

Image letteringTexture() {
    Image img(lettering::pictureWidth, lettering::pictureHeight, {1, 1, 1, 0});
    const double dot = lettering::pixelsPerDot;
    for (int cell = 0; cell <= lettering::plateCell; ++cell) {
        const double left = (cell % lettering::cellColumns) * lettering::cellWidthDots;
        const double top = (cell / lettering::cellColumns) * lettering::cellHeightDots;
        // Dot units, y up from the cell's baseline, so the font's own units apply.
        const Vec2 baseline{left + lettering::glyphLeftDots, 0.0};
        const bool plate = cell == lettering::plateCell;
        const std::string text = plate ? "" : utf8FromLatin1(lettering::characters[cell]);
        const TextShape shape(text, baseline, lettering::capHeightDots);
        if (!plate && std::abs(shape.width() - lettering::widthInDots[cell]) > 1e-9) {
            std::fprintf(stderr, "glyph %d is %g dots wide, the layout says %d\n", cell,
                         shape.width(), lettering::widthInDots[cell]);
            return Image(1, 1);
        }
        const Vec2 plateCentre{left + lettering::cellWidthDots / 2,
                               lettering::baselineFromTopDots - lettering::cellHeightDots / 2};
        const int x0 = static_cast<int>(left * dot);
        const int y0 = static_cast<int>(top * dot);
        for (int y = y0; y < y0 + static_cast<int>(lettering::cellHeightDots * dot); ++y) {
            for (int x = x0; x < x0 + static_cast<int>(lettering::cellWidthDots * dot); ++x) {
                const Vec2 p{(x + 0.5) / dot,
                             top + lettering::baselineFromTopDots - (y + 0.5) / dot};
                const double d = plate ? length(p - plateCentre) - lettering::plateRadiusDots
                                       : shape.distance(p, 2.0 * lettering::spreadDots);
                img.at(x, y).a = fieldAlpha(d);
            }
        }
    }
    return img;
}

} // namespace assetgen
