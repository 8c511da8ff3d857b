// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "vecmath.h"

namespace assetgen {

struct Rgba {
    double r = 0, g = 0, b = 0, a = 1;
};

inline Rgba rgb(double r, double g, double b) {
    return {r, g, b, 1.0};
}
inline Rgba withAlpha(Rgba c, double a) {
    return {c.r, c.g, c.b, a};
}
inline Rgba mixColor(Rgba a, Rgba b, double t) {
    return {mix(a.r, b.r, t), mix(a.g, b.g, t), mix(a.b, b.b, t), mix(a.a, b.a, t)};
}
inline Rgba scaleColor(Rgba c, double s) {
    return {c.r * s, c.g * s, c.b * s, c.a};
}
// Straight-alpha "src over dst".
Rgba over(Rgba dst, Rgba src);

// A picture painted upright: row 0 is the top row as a viewer sees it.
class Image {
public:
    Image(int width, int height, Rgba fill = {0, 0, 0, 1});
    int width() const { return width_; }
    int height() const { return height_; }
    Rgba& at(int x, int y) { return pixels_[static_cast<size_t>(y) * width_ + x]; }
    const Rgba& at(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }

private:
    int width_, height_;
    std::vector<Rgba> pixels_;
};

// Runs fn(row) for every row, spread over the machine's cores. Rows must not
// depend on each other, which keeps the result independent of the split.
void forEachRow(int rows, const std::function<void(int)>& fn);

// Paints every pixel from a function of the face position: p.x in [0, faceW]
// left to right, p.y in [0, faceH] bottom to top, so painting happens in the
// units of the surface the texture ends up on. Where a pixel differs from its
// neighbours, samples x samples sub-pixel positions are averaged
// (premultiplied) for smooth edges.
using Painter = std::function<Rgba(Vec2)>;
void paint(Image& image, double faceW, double faceH, int samples, const Painter& painter);

enum class Storage {
    Upright,
    Turned, // bottom row first in the file, undoes the model import's V flip
};
enum class Channels { Rgb, Rgba };

// Writes an 8-bit PNG; returns false on failure.
bool savePng(const Image& image, const std::string& path, Storage storage, Channels channels);

} // namespace assetgen
