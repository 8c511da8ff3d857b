// SPDX-License-Identifier: GPL-3.0-or-later
#include "stilllife.h"

#include <cmath>
#include <functional>
#include <vector>

#include "materials.h"
#include "noise.h"
#include "shapes.h"

namespace assetgen {

namespace {

constexpr double kW = 16.0, kH = 9.0;
constexpr double kFrame = 0.45;
constexpr double kTableTop = 3.0;

// One vegetable (or part of one): its outline, its colour at a point, how
// round it is (for the shading) and how glossy.
struct Item {
    std::function<double(Vec2)> sdf;
    std::function<Rgba(Vec2, double)> colour; // point, depth inside the outline
    double roundness;
    double gloss;
};

const Vec3 kLight = normalize({-0.55, 0.6, 0.6});

// Shades an item as a soft, rounded solid: its height rises from the outline
// like a pillow, and the light comes from the upper left.
Rgba shade(const Item& item, Vec2 p, double d) {
    auto height = [&](Vec2 q) {
        double t = clamp01(-item.sdf(q) / item.roundness);
        return item.roundness * std::sqrt(1.0 - (1.0 - t) * (1.0 - t));
    };
    const double e = 0.01;
    double dx = (height(p + Vec2{e, 0}) - height(p - Vec2{e, 0})) / (2 * e);
    double dy = (height(p + Vec2{0, e}) - height(p - Vec2{0, e})) / (2 * e);
    Vec3 n = normalize({-dx, -dy, 1.0});
    double lambert = std::max(0.0, dot(n, kLight));
    Vec3 h = normalize(kLight + Vec3{0, 0, 1});
    double shine = item.gloss * std::pow(std::max(0.0, dot(n, h)), 60.0);
    Rgba base = item.colour(p, -d);
    Rgba c = scaleColor(base, 0.42 + 0.7 * lambert);
    c = mixColor(c, rgb(1, 1, 1), clamp01(shine));
    return c;
}

Rgba clampColor(Rgba c) {
    return {clamp01(c.r), clamp01(c.g), clamp01(c.b), clamp01(c.a)};
}

std::vector<Item> arrangement() {
    std::vector<Item> items;
    // Leek leaning against the wall on the left: white root end, green leaves.
    const Vec2 leekBase{2.4, 1.7}, leekTop{3.6, 6.2};
    items.push_back({[=](Vec2 p) {
                         return sdTaper(p, leekTop, Vec2{5.4, 8.1}, 0.3, 0.12);
                     },
                     [](Vec2 p, double) {
                         return scaleColor(rgb(0.2, 0.52, 0.24), 1.0 + 0.1 * std::sin(p.x * 30.0));
                     },
                     0.25, 0.1});
    items.push_back({[=](Vec2 p) {
                         return sdTaper(p, leekTop, Vec2{4.3, 8.35}, 0.28, 0.1);
                     },
                     [](Vec2 p, double) {
                         return scaleColor(rgb(0.17, 0.45, 0.2), 1.0 + 0.1 * std::sin(p.x * 30.0));
                     },
                     0.25, 0.1});
    items.push_back({[=](Vec2 p) {
                         return sdTaper(p, leekTop, Vec2{2.2, 8.2}, 0.3, 0.1);
                     },
                     [](Vec2 p, double) {
                         return scaleColor(rgb(0.25, 0.58, 0.26), 1.0 + 0.1 * std::sin(p.x * 30.0));
                     },
                     0.25, 0.1});
    items.push_back({[=](Vec2 p) { return sdTaper(p, leekBase, leekTop, 0.46, 0.36); },
                     [=](Vec2 p, double) {
                         double t = clamp01(dot(p - leekBase, leekTop - leekBase) /
                                            dot(leekTop - leekBase, leekTop - leekBase));
                         Rgba c = mixColor(rgb(0.97, 0.97, 0.9), rgb(0.75, 0.88, 0.45),
                                           smoothstep(0.35, 0.7, t));
                         c = mixColor(c, rgb(0.3, 0.6, 0.28), smoothstep(0.75, 1.0, t));
                         double stripe = std::sin((p.x - p.y * 0.27) * 40.0);
                         return scaleColor(c, 1.0 + 0.04 * stripe);
                     },
                     0.45, 0.25});
    // Root hairs.
    items.push_back({[=](Vec2 p) {
                         double d = 1e9;
                         for (int k = 0; k < 7; ++k) {
                             double a = -kPi / 2 + (k - 3) * 0.28;
                             Vec2 end = leekBase + Vec2{std::cos(a), std::sin(a)} * 0.6;
                             d = std::min(d, sdTaper(p, leekBase, end, 0.05, 0.015));
                         }
                         return d;
                     },
                     [](Vec2, double) { return rgb(0.85, 0.8, 0.66); }, 0.04, 0.0});
    // Aubergine lying at the back right.
    items.push_back({[](Vec2 p) {
                         return smoothUnion(sdEllipse(p, {12.6, 3.55}, {1.55, 0.62}, 0.1),
                                            sdCircle(p, {11.4, 3.4}, 0.68), 0.4);
                     },
                     [](Vec2, double) { return rgb(0.38, 0.14, 0.44); }, 0.6, 0.9});
    // Its green cap with sepals lying over the body.
    items.push_back({[](Vec2 p) {
                         double d = sdTaper(p, {14.0, 3.82}, {14.95, 3.98}, 0.22, 0.07);
                         for (int k = 0; k < 3; ++k) {
                             Vec2 tip{13.45 + 0.05 * k, 3.45 + 0.38 * k};
                             d = smoothUnion(d, sdTaper(p, {14.05, 3.82}, tip, 0.16, 0.03), 0.08);
                         }
                         return d;
                     },
                     [](Vec2, double) { return rgb(0.36, 0.55, 0.2); }, 0.15, 0.2});
    // Yellow pepper: three lobes and a green stalk.
    items.push_back({[](Vec2 p) {
                         double d = sdEllipse(p, {12.55, 2.45}, {0.95, 0.9}, 0.0);
                         d = smoothUnion(d, sdEllipse(p, {12.55, 3.05}, {0.8, 0.4}, 0.0), 0.3);
                         return d;
                     },
                     [](Vec2 p, double) {
                         double folds = std::exp(-std::pow((p.x - 12.15) / 0.07, 2.0)) +
                                        std::exp(-std::pow((p.x - 12.98) / 0.07, 2.0));
                         return scaleColor(rgb(1.0, 0.8, 0.08), 1.0 - 0.15 * folds);
                     },
                     0.8, 1.0});
    items.push_back({[](Vec2 p) {
                         return sdTaper(p, {12.55, 3.2}, {12.75, 3.75}, 0.13, 0.08);
                     },
                     [](Vec2, double) { return rgb(0.3, 0.55, 0.18); }, 0.12, 0.3});
    // Onion with a pointed top and papery stripes.
    items.push_back({[](Vec2 p) {
                         double body = sdCircle(p, {6.7, 2.75}, 0.95);
                         double tip = sdTaper(p, {6.7, 3.3}, {6.85, 4.25}, 0.45, 0.04);
                         return smoothUnion(body, tip, 0.35);
                     },
                     [](Vec2 p, double) {
                         double a = std::atan2(p.y - 2.75, p.x - 6.7);
                         double stripe = std::sin(a * 9.0 + (p.y - 2.75) * 3.0);
                         return scaleColor(rgb(0.9, 0.58, 0.26), 1.0 + 0.08 * stripe);
                     },
                     0.9, 0.35});
    // Tomatoes.
    const Vec2 tomatoes[] = {{9.3, 2.75}, {10.9, 2.6}, {10.05, 1.75}};
    for (Vec2 t : tomatoes) {
        items.push_back({[t](Vec2 p) {
                             return sdEllipse(p, t, {0.88, 0.8}, 0.0);
                         },
                         [](Vec2, double) { return rgb(0.93, 0.13, 0.08); }, 0.8, 1.0});
        items.push_back({[t](Vec2 p) {
                             Vec2 d = p - (t + Vec2{0.0, 0.62});
                             double a = std::atan2(d.y, d.x);
                             double r = 0.1 + 0.2 * std::pow(std::abs(std::cos(2.5 * a)), 3.0);
                             return length(d) - r;
                         },
                         [](Vec2, double) { return rgb(0.26, 0.55, 0.16); }, 0.06, 0.2});
    }
    // Carrots lying in front, tops to the left.
    for (int k = 0; k < 3; ++k) {
        Vec2 a{3.5 + 0.3 * k, 1.35 + 0.42 * k}, b{7.6 + 0.6 * k, 0.95 + 0.2 * k};
        items.push_back({[=](Vec2 p) {
                             double d = 1e9;
                             for (int s = 0; s < 4; ++s) {
                                 double ang = kPi * (0.78 + 0.12 * s) + 0.1 * k;
                                 Vec2 e = a + Vec2{std::cos(ang), std::sin(ang)} * (1.3 + 0.2 * s);
                                 d = std::min(d, sdTaper(p, a, e, 0.09, 0.03));
                             }
                             return d;
                         },
                         [](Vec2 p, double) {
                             return scaleColor(rgb(0.3, 0.64, 0.2),
                                               1.0 + 0.15 * std::sin(p.y * 25.0));
                         },
                         0.08, 0.1});
        items.push_back({[=](Vec2 p) { return sdTaper(p, a, b, 0.34, 0.05); },
                         [=](Vec2 p, double) {
                             double t = dot(p - a, b - a) / dot(b - a, b - a);
                             double ridge = std::sin(t * 70.0 + 2.0 * k);
                             return scaleColor(rgb(1.0, 0.5, 0.08),
                                               1.0 - 0.12 * smoothstep(0.6, 1.0, ridge));
                         },
                         0.3, 0.35});
    }
    // Radishes in front on the right.
    const Vec2 radishes[] = {{13.4, 1.2}, {14.3, 1.45}};
    for (Vec2 r : radishes) {
        items.push_back(
            {[r](Vec2 p) {
                 double body = sdCircle(p, r, 0.38);
                 return smoothUnion(body, sdTaper(p, r, r + Vec2{0.7, -0.35}, 0.12, 0.01), 0.12);
             },
             [r](Vec2 p, double) {
                 return mixColor(rgb(0.9, 0.12, 0.32), rgb(0.97, 0.92, 0.9),
                                 smoothstep(0.2, 0.55, p.x - r.x - (p.y - r.y) * 0.5));
             },
             0.35, 0.8});
    }
    return items;
}

} // namespace

Image vegetablePictureTexture() {
    const std::vector<Item> items = arrangement();
    Image img(512, 256);
    const double px = kW / 512.0;
    const WoodStyle tableWood{rgb(0.82, 0.58, 0.36), rgb(0.62, 0.4, 0.23), 2.5, 0.15};
    const WoodStyle frameWood{rgb(0.42, 0.26, 0.15), rgb(0.26, 0.15, 0.08), 6.0, 0.1};
    paint(img, kW, kH, 3, [&](Vec2 p) {
        // Frame: a moulding with a gilt inner edge.
        double edge = std::min(std::min(p.x, kW - p.x), std::min(p.y, kH - p.y));
        if (edge < kFrame) {
            bool horizontal = std::min(p.y, kH - p.y) < std::min(p.x, kW - p.x);
            Vec3 q = horizontal ? Vec3{p.y, p.x, 0.3} : Vec3{p.x, p.y, 0.3};
            Rgba c = woodAt(q, {-1.0, 0.5}, frameWood, 1801U);
            double t = edge / kFrame;
            double profile = 0.75 + 0.35 * std::sin(t * kPi);
            bool litSide = (p.y > kH - kFrame && edge == kH - p.y) || (p.x < kFrame && edge == p.x);
            c = scaleColor(c, profile * (litSide ? 1.15 : 0.9));
            return clampColor(c);
        }
        if (edge < kFrame + 0.1) {
            double t = (edge - kFrame) / 0.1;
            return scaleColor(rgb(0.95, 0.75, 0.3), 0.7 + 0.4 * std::sin(t * kPi));
        }
        // Background wall and the table.
        Rgba c;
        if (p.y > kTableTop) {
            double t = (p.y - kTableTop) / (kH - kTableTop);
            c = mixColor(rgb(0.42, 0.62, 0.66), rgb(0.22, 0.4, 0.5), t);
            c = scaleColor(c, 1.0 + 0.05 * fbm(p * 0.8, 4, 1802U));
            // Daylight falling on the wall from a window on the right.
            c = mixColor(c, rgb(0.7, 0.82, 0.8),
                         0.35 * std::exp(-length(p - Vec2{11.5, 6.8}) / 2.5));
            c = scaleColor(c, 1.0 - 0.25 * smoothstep(0.8, 0.0, p.y - kTableTop));
        } else {
            c = woodAt({p.y * 1.5, p.x, 0.2}, {-0.8, 0.6}, tableWood, 1803U);
            c = scaleColor(c, 0.85 + 0.15 * (p.y / kTableTop));
            c = scaleColor(c, 1.0 + 0.3 * smoothstep(0.12, 0.0, std::abs(p.y - kTableTop + 0.06)));
        }
        // Soft shadows thrown down and to the right.
        double shadow = 0.0;
        for (const Item& item : items) {
            double d = item.sdf(p - Vec2{0.25, -0.2});
            shadow = std::max(shadow, smoothstep(0.35, -0.15, d));
        }
        c = scaleColor(c, 1.0 - 0.35 * shadow);
        for (const Item& item : items) {
            double d = item.sdf(p);
            if (d < px) {
                Rgba ic = shade(item, p, d);
                c = mixColor(c, ic, coverage(d, px));
            }
        }
        // Varnish: a slight warm vignette.
        Vec2 v{(p.x - kW / 2) / kW, (p.y - kH / 2) / kH};
        c = scaleColor(c, 1.0 - 0.35 * dot(v, v));
        return clampColor(c);
    });
    return img;
}

} // namespace assetgen
