// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cmath>

#include "image.h"

namespace assetgen {

// Signed distances (negative inside) for painting with smooth edges.
inline double sdCircle(Vec2 p, Vec2 c, double r) {
    return length(p - c) - r;
}

inline double sdBox(Vec2 p, Vec2 centre, Vec2 half, double round = 0.0) {
    Vec2 d{std::abs(p.x - centre.x) - half.x + round, std::abs(p.y - centre.y) - half.y + round};
    Vec2 outside{std::max(d.x, 0.0), std::max(d.y, 0.0)};
    return length(outside) + std::min(std::max(d.x, d.y), 0.0) - round;
}

// A capsule from a (radius ra) to b (radius rb); good enough for gentle tapers.
inline double sdTaper(Vec2 p, Vec2 a, Vec2 b, double ra, double rb) {
    Vec2 ab = b - a;
    double t = clamp01(dot(p - a, ab) / dot(ab, ab));
    return length(p - (a + ab * t)) - mix(ra, rb, t);
}

inline double sdEllipse(Vec2 p, Vec2 c, Vec2 radii, double angle) {
    Vec2 d = p - c;
    double ca = std::cos(angle), sa = std::sin(angle);
    Vec2 q{(d.x * ca + d.y * sa) / radii.x, (-d.x * sa + d.y * ca) / radii.y};
    return (length(q) - 1.0) * std::min(radii.x, radii.y);
}

// Smooth union that rounds the joint over about k.
inline double smoothUnion(double a, double b, double k) {
    double h = clamp01(0.5 + 0.5 * (b - a) / k);
    return mix(b, a, h) - k * h * (1.0 - h);
}

// Fraction of a pixel of size px covered by a shape at distance d.
inline double coverage(double d, double px) {
    return clamp01(0.5 - d / px);
}

} // namespace assetgen
