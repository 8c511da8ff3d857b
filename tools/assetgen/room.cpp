// SPDX-License-Identifier: GPL-3.0-or-later
#include "room.h"

#include <cmath>
#include <vector>

#include "noise.h"

namespace assetgen {

namespace {

Rgba clampColor(Rgba c) {
    return {clamp01(c.r), clamp01(c.g), clamp01(c.b), clamp01(c.a)};
}

// All three walls end in the same cornice under the (missing) ceiling, so
// the open top reads as the top of the room.
constexpr double kCorniceBottom = 18.9;
constexpr double kRoomTop = 20.0;

// Colour of the cornice at height y, or alpha 0 below it. The band below
// it gets a soft shadow (returned as a dark colour with partial alpha).
Rgba cornice(double y, double x) {
    const Rgba paint = rgb(0.96, 0.95, 0.91);
    if (y < kCorniceBottom) {
        double shadow = smoothstep(kCorniceBottom - 0.5, kCorniceBottom, y);
        return {0.1, 0.08, 0.06, 0.35 * shadow * shadow};
    }
    double t = y - kCorniceBottom;
    double shade;
    if (t < 0.18) {
        shade = 0.78 + 0.1 * t / 0.18; // fillet
    } else if (t < 0.32) {
        double b = (t - 0.18) / 0.14; // bead
        shade = 0.85 + 0.15 * std::sin(b * kPi);
    } else if (t < 0.8) {
        double c = (t - 0.32) / 0.48; // cove, darker into its corner
        shade = mix(0.98, 0.72, c * c);
    } else {
        shade = 0.93 - 0.06 * (t - 0.8) / 0.3; // fascia
    }
    double dirt = fbm(Vec2{x * 0.4, y * 2.0}, 3, 1201U);
    return clampColor(scaleColor(paint, shade * (1.0 + 0.02 * dirt)));
}

// A painted skirting board from the floor to y = 0.55.
Rgba skirting(double y, Rgba paint) {
    double shade = 0.86;
    if (y < 0.04) {
        shade = 0.45;
    } else if (y > 0.42) {
        double t = (y - 0.42) / 0.13; // rounded top edge
        shade = 0.86 + 0.14 * std::sin(t * kPi * 0.5) - 0.3 * smoothstep(0.8, 1.0, t);
    }
    return scaleColor(paint, shade);
}

// Bricks behind fallen plaster, in running bond.
Rgba brickAt(Vec2 p) {
    const double bw = 1.4, bh = 0.5;
    int row = static_cast<int>(std::floor(p.y / bh));
    double x = p.x + (row % 2 != 0 ? bw * 0.5 : 0.0);
    int col = static_cast<int>(std::floor(x / bw));
    double lx = x - col * bw, ly = p.y - row * bh;
    double mortar = std::min(std::min(lx, bw - lx), std::min(ly, bh - ly));
    double h = hashUnit(col, row, 0, 1301U);
    Rgba brick = mixColor(rgb(0.72, 0.36, 0.24), rgb(0.6, 0.3, 0.22), h);
    brick = mixColor(brick, rgb(0.78, 0.52, 0.38), 0.3 * hashUnit(col, row, 1, 1301U));
    brick = scaleColor(brick, 1.0 + 0.08 * fbm(p * 6.0, 2, 1302U));
    return mixColor(rgb(0.62, 0.6, 0.55), brick, smoothstep(0.03, 0.06, mortar));
}

} // namespace

Image grungeWallTexture() {
    Image img(1024, 256);
    paint(img, 100.0, kRoomTop, 2, [](Vec2 p) {
        Rgba plaster = rgb(0.88, 0.82, 0.69);
        double mottle = fbm(p * 0.09, 4, 1401U);
        double stains = smoothstep(0.05, 0.6, fbm(p * 0.22 + Vec2{3, 9}, 3, 1402U));
        Rgba c = scaleColor(plaster, 1.0 + 0.1 * mottle);
        c = mixColor(c, rgb(0.64, 0.56, 0.42), 0.55 * stains);
        // Water has run down from the top for years.
        double streak = fbm(Vec2{p.x * 1.4, p.y * 0.05}, 3, 1403U);
        double wet = smoothstep(0.1, 0.6, streak) * smoothstep(6.0, 18.5, p.y);
        c = mixColor(c, rgb(0.55, 0.5, 0.4), 0.5 * wet);
        // Grime near the floor.
        c = scaleColor(c, 1.0 - 0.25 * smoothstep(2.5, 0.5, p.y));
        // Fine plaster grain.
        c = scaleColor(c, 1.0 + 0.05 * gradientNoise(p * 4.0, 1404U));
        // Cracks in a few places.
        double crackField = fbm(p * 0.12 + Vec2{7, 1}, 4, 1405U);
        double crackMask = smoothstep(0.2, 0.45, fbm(p * 0.05, 2, 1406U));
        double crack = (1.0 - smoothstep(0.0, 0.012, std::abs(crackField))) * crackMask;
        c = mixColor(c, rgb(0.3, 0.26, 0.2), 0.8 * crack);
        // Where the plaster has fallen off, bricks show, rimmed by a broken edge.
        double hole = fbm(p * 0.07 + Vec2{11, 4}, 4, 1407U) + 0.12 * fbm(p * 0.9, 2, 1408U);
        const double holeEdge = 0.3;
        if (hole > holeEdge - 0.03 && p.y > 0.6 && p.y < kCorniceBottom - 0.3) {
            c = mixColor(c, rgb(0.94, 0.91, 0.83), smoothstep(holeEdge - 0.03, holeEdge, hole));
            Rgba brick = brickAt(p);
            // The plaster's edge casts a thin shadow onto the bricks.
            brick =
                scaleColor(brick, 0.6 + 0.4 * smoothstep(holeEdge + 0.01, holeEdge + 0.07, hole));
            c = mixColor(c, brick, smoothstep(holeEdge - 0.005, holeEdge + 0.005, hole));
        }
        if (p.y < 0.55) {
            c = skirting(p.y, rgb(0.46, 0.32, 0.22));
        }
        Rgba top = cornice(p.y, p.x);
        return clampColor(over(c, top));
    });
    return img;
}

Image wallpaperTexture() {
    Image img(1024, 256);
    const double tile = 6.25;
    paint(img, 100.0, kRoomTop, 3, [tile](Vec2 p) {
        const Rgba paper = rgb(0.97, 0.91, 0.74);
        const Rgba teal = rgb(0.16, 0.55, 0.56);
        const Rgba rose = rgb(0.92, 0.42, 0.40);
        const Rgba gold = rgb(0.97, 0.76, 0.25);
        Rgba c = paper;
        double lx = fract(p.x / tile) * tile;
        // Stripes at the tile edges: a broad band flanked by two thin lines.
        double ds = std::min(lx, tile - lx);
        c = mixColor(c, mixColor(paper, teal, 0.25), smoothstep(0.42, 0.38, ds));
        c = mixColor(c, teal, smoothstep(0.06, 0.03, std::abs(ds - 0.55)));
        // Half-drop flower sprigs in the middle of each tile.
        int col = static_cast<int>(std::floor(p.x / tile));
        double yy = p.y + (col % 2 != 0 ? tile * 0.5 : 0.0);
        double ly = fract(yy / tile) * tile;
        Vec2 d{lx - tile / 2, ly - tile / 2};
        double r = length(d);
        double a = std::atan2(d.y, d.x);
        // Two leaves on a stem below the flower.
        for (double side : {-1.0, 1.0}) {
            Vec2 lc{side * 0.55, -0.95};
            Vec2 ld = d - lc;
            double ang = side * 0.7;
            double u = ld.x * std::cos(ang) + ld.y * std::sin(ang);
            double v = -ld.x * std::sin(ang) + ld.y * std::cos(ang);
            double leaf = (u / 0.55) * (u / 0.55) + (v / 0.22) * (v / 0.22);
            c = mixColor(c, teal, smoothstep(1.05, 0.9, leaf));
            c = mixColor(c, mixColor(teal, paper, 0.5),
                         smoothstep(0.03, 0.0, std::abs(v)) * smoothstep(1.0, 0.6, leaf));
        }
        double stem = std::abs(d.x + 0.08 * std::sin(d.y * 2.0));
        c = mixColor(c, teal,
                     smoothstep(0.06, 0.035, stem) * smoothstep(-1.7, -1.5, d.y) *
                         smoothstep(0.0, -0.2, d.y));
        double petals = 0.62 + 0.3 * std::pow(std::abs(std::cos(2.5 * a)), 0.8);
        c = mixColor(c, scaleColor(rose, 0.85), smoothstep(petals + 0.04, petals, r));
        c = mixColor(c, rose, smoothstep(petals - 0.08, petals - 0.14, r));
        c = mixColor(c, gold, smoothstep(0.24, 0.2, r));
        // Small dots between the sprigs.
        Vec2 dd{std::abs(lx - tile / 2) - tile * 0.5 + 0.9, ly};
        for (double yd : {0.0, tile}) {
            double dist = length(Vec2{dd.x, dd.y - yd});
            c = mixColor(c, rose, smoothstep(0.13, 0.09, dist));
        }
        // Aged paper: faint grain, yellowing towards the top, a few stains.
        c = scaleColor(c, 1.0 + 0.03 * fbm(p * 3.0, 2, 1501U));
        double age = smoothstep(0.2, 0.8, fbm(p * 0.1, 4, 1502U));
        c = mixColor(c, rgb(0.8, 0.68, 0.45), 0.15 * age + 0.08 * smoothstep(10.0, 18.5, p.y));
        c = scaleColor(c, 1.0 - 0.12 * smoothstep(2.0, 0.5, p.y));
        if (p.y < 0.55) {
            c = skirting(p.y, rgb(0.95, 0.94, 0.9));
        }
        return clampColor(over(c, cornice(p.y, p.x)));
    });
    return img;
}

namespace {

// The conservatory's frame in back-wall face units (x 0..30, y 0..20; world
// x is face x - 15). Posts stand 4 apart from -12 to 12.
struct Conservatory {
    static constexpr double sill = 5.5, sillTop = 5.95;
    static constexpr double transom = 10.0, transomTop = 10.4;
    static constexpr double head = 16.2, headTop = 16.7;
    static constexpr double post = 0.36;
    static constexpr double firstPost = 3.0, postStep = 4.0;
    static constexpr int bays = 6;
};

// Signed distance (negative inside) to the nearest pane opening, and which
// pane edge is above, below, left or right for the bevel shading.
struct PaneHit {
    double dist;
    double dx, dy; // position inside the bay, 0..1
    bool upper;
};

PaneHit nearestPane(Vec2 p) {
    using C = Conservatory;
    PaneHit best{1e9, 0, 0, false};
    int bay = static_cast<int>(std::floor((p.x - C::firstPost) / C::postStep));
    bay = std::max(0, std::min(C::bays - 1, bay));
    double x0 = C::firstPost + bay * C::postStep + C::post / 2;
    double x1 = x0 + C::postStep - C::post;
    double xc = (x0 + x1) / 2, hw = (x1 - x0) / 2;
    // Lower panes split by a thin muntin.
    for (int half = 0; half < 2; ++half) {
        double a = half == 0 ? x0 : xc + 0.06, b = half == 0 ? xc - 0.06 : x1;
        double ddx = std::max(a - p.x, p.x - b);
        double ddy = std::max(C::sillTop - p.y, p.y - C::transom);
        double d = std::max(ddx, ddy);
        if (d < best.dist) {
            best = {d, (p.x - a) / (b - a), (p.y - C::sillTop) / (C::transom - C::sillTop), false};
        }
    }
    // Upper panes with round-arched tops.
    double spring = C::head - 0.95;
    double ddx = std::abs(p.x - xc) - hw;
    double d = std::max(ddx, C::transomTop - p.y);
    if (p.y > spring) {
        double ex = (p.x - xc) / hw, ey = (p.y - spring) / 0.85;
        d = std::max(d, (std::sqrt(ex * ex + ey * ey) - 1.0) * 0.85);
    }
    if (d < best.dist) {
        best = {d, (p.x - x0) / (x1 - x0), (p.y - C::transomTop) / (C::head - C::transomTop), true};
    }
    return best;
}

} // namespace

Image conservatoryTexture() {
    using C = Conservatory;
    Image img(1024, 512);
    paint(img, 30.0, kRoomTop, 4, [](Vec2 p) {
        const Rgba white = rgb(0.97, 0.97, 0.95);
        const double leftEdge = C::firstPost - C::post / 2;
        const double rightEdge = C::firstPost + C::bays * C::postStep + C::post / 2;
        bool inFrameZone =
            p.x > leftEdge && p.x < rightEdge && p.y > C::sillTop - 0.01 && p.y < C::headTop;
        if (inFrameZone) {
            PaneHit pane = nearestPane(p);
            if (pane.dist < 0.0) {
                return Rgba{0.85, 0.92, 1.0, 0.0}; // clear glass
            }
            // White frame, with the light from above: the edge over a pane is
            // in shadow, the edge under a pane catches the light.
            double shade = 0.95;
            double bevel = smoothstep(0.09, 0.0, pane.dist);
            if (pane.dy > 1.0) {
                shade -= 0.2 * bevel; // underside of the member above a pane
            } else if (pane.dy < 0.0) {
                shade += 0.05 * bevel; // top of the member below, in the light
            } else {
                shade -= 0.08 * bevel;
            }
            double grime = fbm(p * 0.9, 3, 1601U);
            shade *= 1.0 - 0.04 * grime - 0.05 * smoothstep(0.3, 0.0, pane.dist) * (1 - bevel);
            Rgba c = scaleColor(white, shade);
            // Transom and head beams are separate boards: a faint joint line.
            for (double y : {C::transom, C::transomTop, C::head, C::headTop}) {
                c = scaleColor(c, 1.0 - 0.15 * smoothstep(0.03, 0.0, std::abs(p.y - y)));
            }
            return clampColor(c);
        }
        // Below the windows: white panelling over a sill; above: plaster.
        Rgba c;
        if (p.y < C::sillTop && p.x > leftEdge && p.x < rightEdge) {
            if (p.y > C::sill) {
                double t = (p.y - C::sill) / (C::sillTop - C::sill);
                c = scaleColor(white, 0.8 + 0.2 * std::sin(t * kPi * 0.5 + 0.3));
            } else {
                double lx = std::fmod(p.x - C::firstPost + C::postStep * 4, C::postStep / 2);
                double px = std::min(lx, C::postStep / 2 - lx);
                double py = std::min(p.y - 0.8, C::sill - 0.4 - p.y);
                double inset = std::min(px - 0.3, py);
                double shade = 0.9;
                if (inset > 0.0) {
                    shade = 0.86 + 0.1 * smoothstep(0.0, 0.12, inset);
                } else if (inset > -0.08) {
                    shade = 0.7;
                }
                c = scaleColor(white, shade);
                if (p.y < 0.55) {
                    c = skirting(p.y, white);
                }
            }
        } else {
            // Plaster in the corners and above the windows.
            Rgba plaster = rgb(0.93, 0.9, 0.84);
            c = scaleColor(plaster,
                           1.0 + 0.06 * fbm(p * 0.3, 4, 1602U) + 0.03 * fbm(p * 4.0, 2, 1603U));
            double corner = std::min(p.x, 30.0 - p.x);
            c = scaleColor(c, 0.8 + 0.2 * smoothstep(0.0, 1.5, corner));
            // Shadow under the head beam and beside the outer posts.
            if (p.y > C::headTop) {
                c = scaleColor(c, 1.0 - 0.25 * smoothstep(0.4, 0.0, p.y - C::headTop));
            }
            if (p.y < 0.55) {
                c = skirting(p.y, rgb(0.95, 0.94, 0.9));
            }
        }
        return clampColor(over(c, cornice(p.y, p.x)));
    });
    return img;
}

namespace {

// A cumulus cloud: a row of round puffs on a flat base.
struct Puff {
    Vec2 centre;
    double radius;
};
struct Cloud {
    double base, left, right, top;
    std::vector<Puff> puffs;
};

std::vector<Cloud> makeClouds() {
    std::vector<Cloud> clouds;
    Rng rng(1711U);
    for (int k = 0; k < 11; ++k) {
        Cloud c;
        double cx = rng.range(-1.0, 31.0), width = rng.range(2.5, 6.5);
        c.base = rng.range(10.3, 18.0);
        int n = 5 + static_cast<int>(rng.unit() * 5);
        c.left = cx - width, c.right = cx + width, c.top = c.base;
        for (int i = 0; i < n; ++i) {
            double f = (n == 1) ? 0.5 : static_cast<double>(i) / (n - 1);
            double r = width * 0.2 * (0.7 + 0.9 * std::sin(kPi * f)) * rng.range(0.75, 1.2);
            Vec2 at{cx + width * (f - 0.5) * 1.2 + rng.range(-0.3, 0.3),
                    c.base + r * rng.range(0.3, 0.8)};
            c.puffs.push_back({at, r});
            c.top = std::max(c.top, at.y + r);
        }
        clouds.push_back(c);
    }
    return clouds;
}

const std::vector<Cloud>& skyClouds() {
    static const std::vector<Cloud> clouds = makeClouds();
    return clouds;
}

double cloudsCover(Vec2 p) {
    double cover = 0.0;
    for (const Cloud& c : skyClouds()) {
        if (p.x < c.left - 2 || p.x > c.right + 2 || p.y < c.base - 0.3 || p.y > c.top + 0.5) {
            continue;
        }
        double edge = 0.18 * fbm(p * 1.3, 3, 1712U);
        for (const Puff& puff : c.puffs) {
            double d = length(p - puff.centre) / puff.radius + edge;
            cover = std::max(cover, smoothstep(1.0, 0.8, d) *
                                        smoothstep(c.base - 0.2, c.base + 0.35, p.y));
        }
    }
    return cover;
}

// Puffs are lit from the sun's side and from above, grey towards the base.
Rgba clouds(Vec2 p, Vec2 sun) {
    // Blend the puffs' shading by how deep inside each one the point is, so
    // neighbouring puffs merge without seams.
    double weight = 0.0, lit = 0.0, base = 0.0;
    for (const Cloud& c : skyClouds()) {
        if (p.x < c.left - 2 || p.x > c.right + 2 || p.y < c.base - 0.3 || p.y > c.top + 0.5) {
            continue;
        }
        for (const Puff& puff : c.puffs) {
            Vec2 d = (p - puff.centre) * (1.0 / puff.radius);
            double w = std::exp(8.0 * (1.0 - length(d)));
            Vec2 toSun = sun - puff.centre;
            toSun = toSun * (1.0 / std::max(1e-6, length(toSun)));
            lit += w * (0.55 + 0.3 * d.y + 0.2 * dot(d, toSun));
            base += w * smoothstep(c.base + 1.2, c.base, p.y);
            weight += w;
        }
    }
    if (weight <= 0.0) {
        return rgb(1, 1, 1);
    }
    lit = lit / weight + 0.08 * fbm(p * 2.2, 3, 1713U);
    base /= weight;
    Rgba col = mixColor(rgb(0.72, 0.76, 0.85), rgb(1.0, 1.0, 0.98), clamp01(lit));
    return mixColor(col, rgb(0.68, 0.72, 0.82), 0.45 * base);
}

} // namespace

Image skyTexture() {
    Image img(512, 512);
    // The sun shines from (-2, 12.4) in world terms, x 13 on this face.
    const Vec2 sun{13.0, 12.4};
    paint(img, 30.0, kRoomTop, 2, [sun](Vec2 p) {
        double h = clamp01((p.y - 6.0) / 14.0);
        Rgba c = mixColor(rgb(0.78, 0.88, 0.98), rgb(0.22, 0.48, 0.92), std::pow(h, 0.7));
        double glow = std::exp(-length(p - sun) / 4.0);
        c = mixColor(c, rgb(1.0, 0.95, 0.8), 0.6 * glow);
        c = mixColor(c, clouds(p, sun), cloudsCover(p));
        // Far hills, then a line of trees, then meadow.
        double hills = 6.6 + 0.9 * fbm(Vec2{p.x * 0.08, 0.5}, 4, 1704U);
        c = mixColor(c, mixColor(rgb(0.52, 0.66, 0.7), rgb(0.62, 0.74, 0.78), 0.5),
                     smoothstep(hills + 0.03, hills - 0.03, p.y));
        double trees =
            5.6 + 0.5 * fbm(Vec2{p.x * 0.25, 1.5}, 3, 1705U) +
            0.35 * std::abs(std::sin(p.x * 2.1 + 2.0 * fbm(Vec2{p.x * 0.5, 3.0}, 2, 1706U)));
        Rgba treeColour = scaleColor(rgb(0.24, 0.46, 0.22), 0.85 + 0.3 * fbm(p * 2.0, 3, 1707U));
        c = mixColor(c, treeColour, smoothstep(trees + 0.04, trees - 0.04, p.y));
        double meadow = 4.6 + 0.2 * fbm(Vec2{p.x * 0.1, 7.0}, 3, 1708U);
        Rgba grass = scaleColor(rgb(0.46, 0.7, 0.28), 0.9 + 0.15 * fbm(p * 1.5, 3, 1709U));
        c = mixColor(c, grass, smoothstep(meadow + 0.04, meadow - 0.04, p.y));
        return clampColor(c);
    });
    return img;
}

Image sunTexture() {
    Image img(256, 256);
    // The sun's anchor is the bottom middle of its square, and the lens
    // flare aims there, so the disc sits low.
    const Vec2 centre{2.5, 1.55};
    const double radius = 0.62, glowEnd = 1.52;
    paint(img, 5.0, 5.0, 3, [=](Vec2 p) {
        double d = length(p - centre);
        double fade = smoothstep(glowEnd, glowEnd - 0.3, d);
        double glow = std::exp(-std::pow((d - radius) / 0.28, 2.0)) * (d > radius ? 1.0 : 0.0);
        double halo = std::exp(-d * 1.6) * fade;
        double disc = smoothstep(radius + 0.02, radius - 0.02, d);
        double limb = std::sqrt(clamp01(1.0 - (d / radius) * (d / radius)));
        Rgba body = mixColor(rgb(1.0, 0.78, 0.35), rgb(1.0, 0.98, 0.86), std::pow(limb, 0.5));
        Rgba glowColour = rgb(1.0, 0.8, 0.42);
        double a = std::max(disc, std::max(0.75 * glow * fade, 0.5 * halo));
        Rgba c = mixColor(glowColour, body, disc);
        return Rgba{c.r, c.g, c.b, a * fade + disc * (1 - fade)};
    });
    return img;
}

} // namespace assetgen
