// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "vecmath.h"

namespace assetgen {

// Text from the generator's own 5 x 9 dot font. Neighbouring dots are joined
// by round strokes, so the letters scale up smoothly: diagonals become lines
// and corners are rounded. Cap height is 7 dots; two more rows hang below
// the baseline.
class TextShape {
public:
    // utf8 may use the German letters, the arrows U+2190 and U+2192 and the
    // middle dot. baseline is the left end of the baseline; capHeight is in
    // face units; weight is the stroke radius in dots (0.5 joins strokes
    // edge to edge).
    TextShape(const std::string& utf8, Vec2 baseline, double capHeight, double weight = 0.5);

    // Signed distance to the letters (negative inside). Points further than
    // reach outside are reported as reach (cheap early out).
    double distance(Vec2 p, double reach) const;

    double width() const { return width_; }
    double capHeight() const { return cell_ * 7.0; }
    Vec2 min() const { return min_; }
    Vec2 max() const { return max_; }

    // Width the text would have, for centring before placing it.
    static double measure(const std::string& utf8, double capHeight);

private:
    struct Segment {
        Vec2 a, b;
    };
    struct Glyph {
        Vec2 min, max;
        std::vector<Segment> segments;
    };
    std::vector<Glyph> glyphs_;
    double cell_;
    double radius_;
    double width_ = 0;
    Vec2 min_, max_;
};

} // namespace assetgen
