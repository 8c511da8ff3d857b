// SPDX-License-Identifier: GPL-3.0-or-later
#include "sprites.h"

#include <cmath>

namespace assetgen {

namespace {

// Sprites are painted on a unit square with the centre at (0.5, 0.5).
// light is the glow's strength; it becomes alpha and whitens the core.
Rgba glowColour(Rgba tint, double light) {
    double a = clamp01(light);
    double white = smoothstep(0.6, 1.4, light);
    Rgba c = mixColor(tint, rgb(1, 1, 1), white);
    return {c.r, c.g, c.b, a};
}

double edgeFade(double r) {
    return smoothstep(0.49, 0.38, r);
}

// A ray along angle a: thin and bright near the centre, fading outwards.
double ray(Vec2 d, double a, double width, double reach) {
    double along = d.x * std::cos(a) + d.y * std::sin(a);
    double across = -d.x * std::sin(a) + d.y * std::cos(a);
    if (along < 0) {
        return 0.0;
    }
    double w = width * (1.0 + along * 2.0);
    return std::exp(-(across * across) / (w * w)) * std::pow(clamp01(1.0 - along / reach), 2.0);
}

} // namespace

Image flareStarTexture() {
    Image img(256, 256);
    paint(img, 1.0, 1.0, 2, [](Vec2 p) {
        Vec2 d = p - Vec2{0.5, 0.5};
        double r = length(d);
        double light = 1.3 * std::exp(-r * r / 0.0012) + 0.35 * std::exp(-r * r / 0.01);
        for (int k = 0; k < 4; ++k) {
            light += 0.9 * ray(d, k * kPi / 2, 0.006, 0.48);
            light += 0.45 * ray(d, k * kPi / 2 + kPi / 4, 0.004, 0.3);
        }
        return glowColour(rgb(1.0, 0.9, 0.7), light * edgeFade(r));
    });
    return img;
}

Image flareRingTexture() {
    Image img(256, 256);
    paint(img, 1.0, 1.0, 2, [](Vec2 p) {
        double r = length(p - Vec2{0.5, 0.5});
        double ring = std::exp(-std::pow((r - 0.34) / 0.035, 2.0));
        double fill = 0.12 * smoothstep(0.36, 0.1, r);
        // Lens dispersion: bluish inside, warm outside.
        Rgba tint = mixColor(rgb(0.55, 0.75, 1.0), rgb(1.0, 0.7, 0.45), smoothstep(0.3, 0.38, r));
        Rgba c = glowColour(tint, (0.5 * ring + fill) * edgeFade(r));
        return c;
    });
    return img;
}

Image flareGlowTexture() {
    Image img(256, 256);
    paint(img, 1.0, 1.0, 1, [](Vec2 p) {
        double r = length(p - Vec2{0.5, 0.5});
        double light = 0.8 * std::exp(-r * r / 0.01) + 0.4 * std::exp(-r * r / 0.05);
        return glowColour(rgb(1.0, 0.82, 0.5), light * edgeFade(r));
    });
    return img;
}

Image flareStar2Texture() {
    Image img(256, 256);
    paint(img, 1.0, 1.0, 2, [](Vec2 p) {
        Vec2 d = p - Vec2{0.5, 0.5};
        double r = length(d);
        double light = 1.0 * std::exp(-r * r / 0.0008) + 0.2 * std::exp(-r * r / 0.006);
        for (int k = 0; k < 6; ++k) {
            light += 0.7 * ray(d, k * kPi / 3 + 0.26, 0.004, 0.45);
        }
        // A faint hexagonal halo, as from an aperture's blades.
        double a = std::atan2(d.y, d.x) + 0.26;
        double hex = std::cos(kPi / 6) / std::cos(std::fmod(a + 10 * kPi, kPi / 3) - kPi / 6);
        double halo = std::exp(-std::pow((r / hex - 0.28) / 0.035, 2.0));
        light += 0.08 * halo;
        return glowColour(rgb(0.75, 0.85, 1.0), light * edgeFade(r));
    });
    return img;
}

Image particleTexture() {
    Image img(64, 64);
    paint(img, 1.0, 1.0, 2, [](Vec2 p) {
        double r = length(p - Vec2{0.5, 0.5}) / 0.5;
        double a = r >= 1.0 ? 0.0 : std::pow(1.0 - r * r, 2.0);
        return Rgba{1.0, 1.0, 1.0, a};
    });
    return img;
}

} // namespace assetgen
