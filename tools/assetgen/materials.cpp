// SPDX-License-Identifier: GPL-3.0-or-later
#include "materials.h"

#include <cmath>

#include "mesh.h"
#include "models.h"
#include "noise.h"

namespace assetgen {

Rgba woodAt(Vec3 p, Vec2 pith, const WoodStyle& style, std::uint32_t seed) {
    // Rings are cylinders round the pith; a slow wobble keeps them from
    // looking turned on a lathe.
    Vec3 q{p.x * 1.3, p.y * 0.06, p.z * 1.3};
    double wobble = style.figure * fbm(q, 3, seed);
    double dx = p.x - pith.x, dz = p.z - pith.y;
    double r = std::sqrt(dx * dx + dz * dz) + wobble;
    double t = fract(r * style.ringsPerUnit);
    // Spring wood darkens slowly into the late band, which ends abruptly.
    double band = std::pow(t, 2.6) * (1.0 - smoothstep(0.94, 1.0, t));
    Rgba c = mixColor(style.early, style.late, band);
    // Fibres: fine streaks along the grain.
    double fibre = fbm(Vec3{p.x * 38.0, p.y * 0.9, p.z * 38.0}, 2, seed + 7U);
    double pores = gradientNoise(Vec3{p.x * 90.0, p.y * 2.5, p.z * 90.0}, seed + 11U);
    double k = 1.0 + 0.06 * fibre - 0.05 * std::max(0.0, pores);
    return scaleColor(c, k);
}

namespace {

Rgba clampColor(Rgba c) {
    return {clamp01(c.r), clamp01(c.g), clamp01(c.b), clamp01(c.a)};
}

// Sphere maps, laid out as the round meshes take them.
Vec3 sphereDir(Vec2 uv) {
    return roundDirection(uninsetUv(uv.x), uninsetUv(uv.y));
}

// Atlas position as the meshes meant it, before the inset.
Vec2 atlasUv(Vec2 uv) {
    return {uninsetUv(uv.x), uninsetUv(uv.y)};
}

} // namespace

Image worktopTexture() {
    // A worktop glued from long staves, 20 wide and 95 long as the counter's top.
    const WoodStyle beech{rgb(0.96, 0.76, 0.50), rgb(0.78, 0.52, 0.29), 3.2, 0.12};
    const double stave = 1.25;
    Image img(512, 1024);
    paint(img, 20.0, 95.0, 1, [&](Vec2 p) {
        int col = static_cast<int>(std::floor(p.x / stave));
        double lx = p.x - col * stave;
        double len = 30.0 + 25.0 * hashUnit(col, 0, 0, 21U);
        double shifted = p.y + len * hashUnit(col, 1, 0, 21U);
        int seg = static_cast<int>(std::floor(shifted / len));
        double ly = shifted - seg * len;
        std::uint32_t seed = hashCoords(col, seg, 0, 77U);
        Vec2 pith{(hashUnit(col, seg, 1, 5U) - 0.5) * 3.0, 0.6 + 1.8 * hashUnit(col, seg, 2, 5U)};
        // The pith drifts a little along the stave, so some rings close into arches.
        double drift = (hashUnit(col, seg, 3, 5U) - 0.5) * 0.03;
        Vec3 q{lx - stave / 2, ly, drift * ly};
        Rgba c = woodAt(q, pith, beech, seed);
        double tone = 0.93 + 0.12 * hashUnit(col, seg, 4, 5U);
        c = scaleColor(c, tone);
        // Glue lines between staves and the butt joints.
        double edge = std::min(lx, stave - lx);
        double joint = std::min(ly, len - ly);
        double line = std::min(smoothstep(0.0, 0.05, edge), smoothstep(0.0, 0.1, joint));
        c = scaleColor(c, 0.72 + 0.28 * line);
        // Faint wear and oil stains over the whole top.
        double wear = fbm(Vec2{p.x * 0.12, p.y * 0.04}, 4, 91U);
        c = scaleColor(c, 1.0 - 0.05 * std::max(0.0, wear));
        return clampColor(c);
    });
    return img;
}

Image floorTexture() {
    // Floorboards 1 unit wide running along the room, 30 x 100 as the floor.
    const WoodStyle oak{rgb(0.80, 0.58, 0.38), rgb(0.58, 0.38, 0.22), 2.6, 0.18};
    Image img(512, 1024);
    paint(img, 30.0, 100.0, 1, [&](Vec2 p) {
        int col = static_cast<int>(std::floor(p.x));
        double lx = p.x - col;
        double len = 9.0 + 9.0 * hashUnit(col, 0, 0, 31U);
        double shifted = p.y + len * hashUnit(col, 1, 0, 31U);
        int seg = static_cast<int>(std::floor(shifted / len));
        double ly = shifted - seg * len;
        std::uint32_t seed = hashCoords(col, seg, 0, 87U);
        Vec2 pith{(hashUnit(col, seg, 1, 6U) - 0.5) * 2.0, 0.4 + 1.4 * hashUnit(col, seg, 2, 6U)};
        Rgba c = woodAt({lx - 0.5, ly, 0.01 * ly}, pith, oak, seed);
        // Boards differ: some redder, some greyer, some darker.
        double h = hashUnit(col, seg, 3, 6U);
        c = scaleColor(c, 0.82 + 0.26 * hashUnit(col, seg, 4, 6U));
        c = mixColor(c, rgb(c.r * 0.85 + 0.05, c.g * 0.92, c.b * 0.95 + 0.04), h > 0.7 ? 0.6 : 0.0);
        // Worn in the middle of the room, darker towards the walls.
        double traffic = smoothstep(15.0, 3.0, std::abs(p.x - 15.0));
        c = scaleColor(c, 0.9 + 0.12 * traffic);
        // Gaps between boards and at the butt ends, dirt collecting there.
        double edge = std::min(lx, 1.0 - lx), joint = std::min(ly, len - ly);
        double gap = std::min(smoothstep(0.0, 0.07, edge), smoothstep(0.0, 0.12, joint));
        c = mixColor(rgb(0.16, 0.1, 0.06), c, gap);
        double dirt = smoothstep(0.25, 0.0, std::min(edge, joint));
        c = scaleColor(c, 1.0 - 0.12 * dirt);
        // Two nails at each end of a board.
        for (double ny : {0.25, len - 0.25}) {
            for (double nx : {0.22, 0.78}) {
                double d = length(Vec2{lx - nx, ly - ny});
                c = mixColor(c, rgb(0.2, 0.17, 0.15), smoothstep(0.06, 0.035, d));
            }
        }
        return clampColor(c);
    });
    return img;
}

Image boardTexture() {
    // One pine board as the planks show it (4.5 wide, 2 high), grain across.
    const WoodStyle pine{rgb(0.98, 0.84, 0.60), rgb(0.82, 0.57, 0.32), 4.0, 0.10};
    const double w = 4.5, h = 2.0;
    struct Knot {
        Vec2 at;
        double r;
    };
    const Knot knots[] = {{{1.25, 1.15}, 0.11}, {{3.55, 0.55}, 0.07}};
    Image img(512, 512);
    paint(img, w, h, 1, [&](Vec2 p) {
        // Grain runs along x; rings are bent round the knots.
        Vec3 q{p.y - h / 2, p.x, 0.0};
        for (const Knot& k : knots) {
            // Growth lines flow round a knot like water round a stone.
            Vec2 d = p - k.at;
            double dd2 = d.x * d.x * 0.3 + d.y * d.y;
            q.x -= 1.6 * k.r * k.r * d.y / (dd2 + k.r * k.r) * std::exp(-std::sqrt(dd2) * 1.5);
        }
        Rgba c = woodAt(q, {-0.9, 0.9}, pine, 401U);
        for (const Knot& k : knots) {
            double d = length(p - k.at);
            if (d < k.r * 1.6) {
                double ring = 0.5 + 0.5 * std::cos(d / k.r * 14.0);
                Rgba knot = mixColor(rgb(0.55, 0.33, 0.16), rgb(0.38, 0.2, 0.09), ring);
                c = mixColor(c, knot, smoothstep(k.r * 1.6, k.r * 0.9, d));
            }
        }
        // Slightly darker, handled edges make the board read as a board.
        double edge = std::min(std::min(p.x, w - p.x), std::min(p.y, h - p.y));
        c = scaleColor(c, 0.8 + 0.2 * smoothstep(0.0, 0.12, edge));
        return clampColor(c);
    });
    return img;
}

Image marbleTexture() {
    // White marble with grey veins; the slab's top is 20 x 20.
    Image img(512, 512);
    paint(img, 20.0, 20.0, 1, [](Vec2 p) {
        Vec2 q = p * 0.1;
        Vec2 warp{fbm(q * 1.3, 3, 501U), fbm(q * 1.3 + Vec2{5.2, 1.3}, 3, 502U)};
        // Long veins sweeping diagonally, bent by the warp.
        double phase = (q.x * 1.0 + q.y * 0.55) * 2.2 + 2.6 * fbm(q * 0.9 + warp * 0.8, 4, 503U);
        double phase2 = (q.x * -0.4 + q.y * 1.0) * 4.0 + 3.0 * fbm(q * 1.7 + warp, 4, 504U);
        double cloud = fbm(q * 0.8, 3, 505U);
        Rgba base = mixColor(rgb(0.97, 0.96, 0.93), rgb(0.87, 0.88, 0.89), 0.5 + 0.5 * cloud);
        double s1 = std::abs(std::sin(phase * kPi));
        double s2 = std::abs(std::sin(phase2 * kPi));
        double v1 = std::exp(-s1 * 22.0) * smoothstep(-0.5, 0.2, fbm(q * 2.0, 2, 507U));
        double v1soft = std::exp(-s1 * 5.0);
        double v2 = std::exp(-s2 * 45.0) * smoothstep(0.0, 0.5, fbm(q * 1.5 + Vec2{9, 2}, 2, 508U));
        Rgba c = mixColor(base, rgb(0.78, 0.8, 0.83), 0.35 * v1soft);
        c = mixColor(c, rgb(0.44, 0.47, 0.54), 0.8 * v1);
        c = mixColor(c, rgb(0.56, 0.58, 0.63), 0.55 * v2);
        double grain = gradientNoise(p * 6.0, 506U);
        c = scaleColor(c, 1.0 + 0.015 * grain);
        // A polished edge round the slab.
        double edge = std::min(std::min(p.x, 20.0 - p.x), std::min(p.y, 20.0 - p.y));
        c = scaleColor(c, 0.86 + 0.14 * smoothstep(0.0, 0.25, edge));
        return clampColor(c);
    });
    return img;
}

Image stoneTexture() {
    // Granite-like grains on a sphere map, so earth and moon have no seam.
    Image img(512, 256);
    paint(img, 1.0, 1.0, 1, [](Vec2 uv) {
        Vec3 d = sphereDir(uv);
        double large = fbm(d * 1.8, 5, 601U);
        double patches = smoothstep(0.1, 0.5, fbm(d * 2.6 + Vec3{4, 1, 2}, 4, 602U));
        CellDistances cell = cellular(d * 46.0, 603U);
        double kind = (cell.id >> 8) % 100 / 100.0;
        Rgba grain = kind < 0.6   ? rgb(0.80, 0.79, 0.76)
                     : kind < 0.9 ? rgb(0.84, 0.74, 0.66)
                                  : rgb(0.42, 0.41, 0.42);
        double shade = 0.92 + 0.08 * hashUnit(static_cast<int>(cell.id % 977U), 0, 0, 604U);
        grain = scaleColor(grain, shade);
        grain = scaleColor(grain, 0.88 + 0.12 * smoothstep(0.0, 0.12, cell.f2 - cell.f1));
        double fine = fbm(d * 90.0, 2, 605U);
        Rgba c = scaleColor(grain, 1.0 + 0.08 * fine + 0.1 * large);
        c = mixColor(c, scaleColor(c, 0.7), 0.5 * patches);
        return clampColor(c);
    });
    return img;
}

Image metalTexture() {
    using L = KnifeLayout;
    Image img(256, 256);
    paint(img, 1.0, 1.0, 2, [](Vec2 texUv) {
        Vec2 uv = atlasUv(texUv);
        if (uv.y >= L::bevelV0 - 0.02) {
            // Blade: brushing along its length, a brighter ground bevel at the edge.
            double brush = fbm(Vec2{uv.x * 3.0, uv.y * 260.0}, 4, 701U);
            double streak = fbm(Vec2{uv.x * 1.2, uv.y * 60.0}, 3, 702U);
            Rgba steel = rgb(0.80, 0.82, 0.86);
            if (uv.y < L::bevelV1) {
                double t = (uv.y - L::bevelV0) / (L::bevelV1 - L::bevelV0);
                steel = mixColor(rgb(0.97, 0.98, 1.0), rgb(0.86, 0.88, 0.92), t);
                brush = fbm(Vec2{uv.x * 40.0 + uv.y * 60.0, uv.y * 60.0}, 3, 703U) * 0.5;
            }
            Rgba c = scaleColor(steel, 1.0 + 0.07 * brush + 0.04 * streak);
            // The crease between bevel and flat catches the light.
            c = mixColor(c, rgb(1, 1, 1),
                         0.6 * smoothstep(0.012, 0.0, std::abs(uv.y - L::bevelV1)));
            // A darker spine.
            c = scaleColor(c, 1.0 - 0.18 * smoothstep(0.97, 1.0, uv.y));
            return clampColor(c);
        }
        if (uv.y <= L::handleV1 + 0.02) {
            // Handle: dark walnut along its length, three steel rivets per side.
            Vec3 q{std::sin(uv.x * 2 * kPi) * 0.2, uv.y * 3.0, std::cos(uv.x * 2 * kPi) * 0.2};
            const WoodStyle walnut{rgb(0.42, 0.26, 0.16), rgb(0.22, 0.12, 0.07), 9.0, 0.08};
            Rgba c = woodAt(q, {0.5, 0.3}, walnut, 711U);
            for (double ru : L::rivetU) {
                for (double rv : L::rivetV) {
                    // The handle's u covers about 0.84 units, its v range about 0.38.
                    double dx = (uv.x - ru) * 0.84, dy = (uv.y - rv) * (0.38 / 0.43);
                    double d = std::sqrt(dx * dx + dy * dy);
                    double rim = smoothstep(0.026, 0.02, d);
                    Rgba rivet =
                        mixColor(rgb(0.62, 0.64, 0.68), rgb(0.95, 0.96, 0.98),
                                 smoothstep(0.02, 0.0, length(Vec2{dx + 0.006, dy - 0.006})));
                    c = mixColor(c, rgb(0.12, 0.08, 0.05), smoothstep(0.03, 0.024, d) * (1 - rim));
                    c = mixColor(c, rivet, rim);
                }
            }
            return clampColor(c);
        }
        return rgb(0.5, 0.5, 0.52);
    });
    return img;
}

Image potTexture() {
    using L = PotLayout;
    Image img(512, 256);
    paint(img, 1.0, 1.0, 2, [](Vec2 texUv) {
        Vec2 uv = atlasUv(texUv);
        double a = 2 * kPi * uv.x;
        Vec3 ring{std::sin(a), uv.y * 4.0, std::cos(a)};
        double n = fbm(ring * 2.0, 4, 801U);
        if (uv.y < L::bottomTop) {
            // Unglazed foot.
            double grit = fbm(ring * 40.0, 2, 802U);
            return clampColor(scaleColor(rgb(0.78, 0.5, 0.34), 0.95 + 0.08 * grit + 0.05 * n));
        }
        if (uv.y < L::wallTop) {
            double t = (uv.y - L::bottomTop) / (L::wallTop - L::bottomTop);
            // Deep blue glaze that pools darker near the foot.
            Rgba blue =
                mixColor(rgb(0.10, 0.24, 0.62), rgb(0.22, 0.46, 0.92), smoothstep(0.0, 0.35, t));
            blue = scaleColor(blue, 1.0 + 0.1 * n);
            // Cream glaze poured over the top: a wavy edge and a few long runs.
            double drips = 0.0;
            for (int k = 0; k < 9; ++k) {
                double centre = (k + 0.2 + 0.6 * hashUnit(k, 0, 0, 803U)) / 9.0;
                double w = 0.006 + 0.006 * hashUnit(k, 1, 0, 803U);
                double du = std::abs(uv.x - centre);
                du = std::min(du, 1.0 - du);
                double len = 0.06 + 0.16 * hashUnit(k, 2, 0, 803U);
                if (du < w) {
                    // A run ends in a round bead; one unit of u is about
                    // four of t on the pot.
                    double cap = 4.2 * w * (1.0 - std::sqrt(1.0 - (du / w) * (du / w)));
                    drips = std::max(drips, len - cap);
                }
            }
            double wave = 0.05 * fbm(Vec3{ring.x * 2.5, 0.0, ring.z * 2.5}, 4, 804U);
            double edgeLine = 0.8 + wave - drips;
            double cream = smoothstep(edgeLine - 0.01, edgeLine + 0.01, t);
            Rgba glaze = mixColor(rgb(0.98, 0.93, 0.80), rgb(0.93, 0.84, 0.66), 0.5 + 0.5 * n);
            Rgba c = mixColor(blue, glaze, cream);
            // A thin brown line where the two glazes meet.
            c = mixColor(c, rgb(0.55, 0.36, 0.2),
                         0.5 * std::exp(-std::pow((t - edgeLine) / 0.006, 2)));
            return clampColor(c);
        }
        if (uv.y < L::rimTop) {
            // The glaze breaks thin and brown over the rim.
            double t = (uv.y - L::wallTop) / (L::rimTop - L::wallTop);
            double thin = std::sin(t * kPi);
            Rgba c = mixColor(rgb(0.95, 0.88, 0.72), rgb(0.66, 0.44, 0.26), 0.7 * thin);
            return clampColor(scaleColor(c, 1.0 + 0.08 * n));
        }
        // Inside: cream glaze, shadowed and stained towards the bottom.
        double depth = (uv.y - L::rimTop) / (1.0 - L::rimTop);
        Rgba c = scaleColor(rgb(0.96, 0.91, 0.8), 1.0 - 0.45 * smoothstep(0.0, 0.8, depth));
        double stain = smoothstep(0.2, 0.6, fbm(ring * 3.0, 4, 805U)) * smoothstep(0.5, 0.9, depth);
        c = mixColor(c, rgb(0.45, 0.3, 0.18), 0.5 * stain);
        return clampColor(c);
    });
    return img;
}

Rgba citrusAt(Vec3 d) {
    // Orange with yellow flushes, dimpled by oil glands.
    double flush = fbm(d * 1.4, 4, 901U);
    Rgba c = mixColor(rgb(1.0, 0.50, 0.05), rgb(1.0, 0.64, 0.10), smoothstep(-0.5, 0.7, flush));
    // One cheek ripened yellower in the sun.
    c = mixColor(c, rgb(1.0, 0.74, 0.16), 0.35 * smoothstep(0.2, 0.9, d.x * 0.7 + d.y * 0.3));
    CellDistances pores = cellular(d * 19.0, 902U);
    CellDistances fine = cellular(d * 41.0, 903U);
    double dimple = smoothstep(0.0, 0.3, pores.f1);
    double fineDimple = smoothstep(0.0, 0.26, fine.f1);
    c = scaleColor(c, 0.74 + 0.26 * dimple);
    c = scaleColor(c, 0.9 + 0.1 * fineDimple);
    c = scaleColor(c, 1.0 + 0.06 * smoothstep(0.35, 0.55, pores.f1));
    double speck = fbm(d * 70.0, 2, 904U);
    c = scaleColor(c, 1.0 + 0.04 * speck);
    // Stem scar at the top pole, blossom end at the bottom.
    double top = std::acos(std::min(1.0, d.y));
    double star = 0.045 + 0.018 * std::cos(5.0 * std::atan2(d.x, d.z));
    c = mixColor(c, rgb(0.72, 0.66, 0.2), smoothstep(0.5, 0.1, top) * 0.5);
    c = mixColor(c, rgb(0.42, 0.46, 0.16), smoothstep(star + 0.01, star - 0.005, top));
    c = mixColor(c, rgb(0.35, 0.25, 0.1), smoothstep(0.02, 0.012, top));
    double bottom = std::acos(std::min(1.0, -d.y));
    c = mixColor(c, rgb(0.7, 0.45, 0.12), smoothstep(0.05, 0.03, bottom) * 0.8);
    return clampColor(c);
}

Image citrusTexture() {
    Image img(512, 256);
    paint(img, 1.0, 1.0, 1, [](Vec2 uv) { return citrusAt(sphereDir(uv)); });
    return img;
}

} // namespace assetgen
