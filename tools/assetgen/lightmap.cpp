// SPDX-License-Identifier: GPL-3.0-or-later
#include "lightmap.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <vector>

#include "materials.h"
#include "noise.h"

namespace assetgen {

namespace {

constexpr int kAtlas = 512;
constexpr int kPad = 3; // texels of gutter round every patch, for mipmaps

// A board of the rack. Grain runs along axis (0 x, 1 y, 2 z).
struct Board {
    Box box;
    int grain;
    std::uint32_t seed;
};

struct Jar {
    Vec3 base; // centre of the bottom
    double radius, height;
    int spice;
};

constexpr double kJarLid = 0.09;

// Rack layout, in model units: about 2.9 wide (z), 0.9 deep (x), 2.2 high.
std::vector<Board> rackBoards() {
    return {
        {{{0.0, 0.0, -1.4}, {0.1, 2.2, 1.4}}, 2, 11U},     // back board against the wall
        {{{0.1, 0.0, -1.4}, {0.86, 2.0, -1.3}}, 1, 12U},   // left side
        {{{0.1, 0.0, 1.3}, {0.86, 2.0, 1.4}}, 1, 13U},     // right side
        {{{0.1, 0.0, -1.3}, {0.86, 0.1, 1.3}}, 2, 14U},    // bottom shelf
        {{{0.1, 1.0, -1.3}, {0.86, 1.1, 1.3}}, 2, 15U},    // middle shelf
        {{{0.78, 0.34, -1.3}, {0.86, 0.42, 1.3}}, 2, 16U}, // lower rail
        {{{0.78, 1.34, -1.3}, {0.86, 1.42, 1.3}}, 2, 17U}, // upper rail
        {{{0.0, 2.0, -1.47}, {0.92, 2.12, 1.47}}, 2, 18U}, // top board
    };
}

std::vector<Jar> rackJars() {
    std::vector<Jar> jars;
    for (int shelf = 0; shelf < 2; ++shelf) {
        for (int k = 0; k < 5; ++k) {
            double y = shelf == 0 ? 0.1 : 1.1;
            double h = 0.5 + 0.08 * ((k + shelf) % 3);
            jars.push_back({{0.45, y, -1.0 + 0.5 * k}, 0.17, h, (k + 2 * shelf) % 5});
        }
    }
    return jars;
}

// Ray against an axis-aligned box: distance to entry, or a negative value.
double hitBox(Vec3 o, Vec3 d, const Box& b) {
    double t0 = 0.0, t1 = 1e9;
    const double os[3] = {o.x, o.y, o.z}, ds[3] = {d.x, d.y, d.z};
    const double lo[3] = {b.min.x, b.min.y, b.min.z}, hi[3] = {b.max.x, b.max.y, b.max.z};
    for (int a = 0; a < 3; ++a) {
        if (std::abs(ds[a]) < 1e-12) {
            if (os[a] < lo[a] || os[a] > hi[a]) {
                return -1.0;
            }
            continue;
        }
        double ta = (lo[a] - os[a]) / ds[a], tb = (hi[a] - os[a]) / ds[a];
        t0 = std::max(t0, std::min(ta, tb));
        t1 = std::min(t1, std::max(ta, tb));
        if (t0 > t1) {
            return -1.0;
        }
    }
    return t0;
}

// Everything that can shade the rack: its boards, its jars (as boxes), the
// wall behind it and the pedestal it stands on.
class Occluders {
public:
    Occluders(const std::vector<Board>& boards, const std::vector<Jar>& jars) {
        for (const auto& b : boards) {
            boxes_.push_back(b.box);
        }
        for (const auto& j : jars) {
            double r = j.radius * 0.9;
            boxes_.push_back({{j.base.x - r, j.base.y, j.base.z - r},
                              {j.base.x + r, j.base.y + j.height + kJarLid, j.base.z + r}});
        }
        boxes_.push_back({{-1.0, -1.0, -1.5}, {0.0, 4.0, 1.5}}); // wall
        boxes_.push_back({{0.0, -1.0, -1.5}, {3.0, 0.0, 1.5}});  // pedestal top
    }

    bool blocked(Vec3 o, Vec3 d, double maxDist) const {
        for (const Box& b : boxes_) {
            double t = hitBox(o, d, b);
            if (t >= 0.0 && t < maxDist) {
                return true;
            }
        }
        return false;
    }

private:
    std::vector<Box> boxes_;
};

// Fixed cosine-weighted directions round +z, turned onto a normal.
std::vector<Vec3> hemisphere(int n) {
    std::vector<Vec3> dirs;
    const double golden = kPi * (3.0 - std::sqrt(5.0));
    for (int i = 0; i < n; ++i) {
        double r = std::sqrt((i + 0.5) / n);
        double a = golden * i;
        dirs.push_back({r * std::cos(a), r * std::sin(a), std::sqrt(1.0 - r * r)});
    }
    return dirs;
}

Vec3 onNormal(Vec3 d, Vec3 n) {
    Vec3 t = std::abs(n.x) < 0.9 ? normalize(cross(n, {1, 0, 0})) : normalize(cross(n, {0, 1, 0}));
    Vec3 b = cross(n, t);
    return t * d.x + b * d.y + n * d.z;
}

// The baked light: soft sky light with contact shadows, and a key light from
// the room side, above and a little towards the player.
double bakedLight(const Occluders& occ, Vec3 pos, Vec3 n) {
    static const std::vector<Vec3> dirs = hemisphere(40);
    Vec3 o = pos + n * 0.004;
    int open = 0;
    for (const Vec3& d : dirs) {
        if (!occ.blocked(o, onNormal(d, n), 1.2)) {
            ++open;
        }
    }
    double ao = static_cast<double>(open) / dirs.size();
    const Vec3 key = normalize({0.55, 0.8, 0.35});
    double lambert = std::max(0.0, dot(n, key));
    double lit = 0.0;
    if (lambert > 0.0) {
        const Vec3 jitter[5] = {{0, 0, 0}, {0.06, 0, 0}, {-0.06, 0, 0}, {0, 0.06, 0}, {0, 0, 0.06}};
        for (const Vec3& j : jitter) {
            if (!occ.blocked(o, normalize(key + j), 10.0)) {
                lit += 0.2;
            }
        }
    }
    return 0.32 + 0.5 * ao + 0.38 * lambert * lit;
}

// A rectangle of the atlas with the surface it shows.
struct Patch {
    int w = 0, h = 0; // texels, without gutter
    int x = 0, y = 0; // top-left of the texels, without gutter
    // Surface point and normal for texture coordinates (s, t) in [0, 1],
    // t = 0 at the patch's bottom row.
    std::function<void(double, double, Vec3&, Vec3&)> surface;
    std::function<Rgba(Vec3, Vec3, double, double)> albedo;
};

// Shelf packing, tallest first; returns false if the atlas is too small.
bool pack(std::vector<Patch*>& patches) {
    std::sort(patches.begin(), patches.end(), [](const Patch* a, const Patch* b) {
        return a->h != b->h ? a->h > b->h : a->w > b->w;
    });
    int x = 0, y = 0, shelf = 0;
    for (Patch* p : patches) {
        int w = p->w + 2 * kPad, h = p->h + 2 * kPad;
        if (x + w > kAtlas) {
            x = 0;
            y += shelf;
            shelf = 0;
        }
        if (y + h > kAtlas || w > kAtlas) {
            return false;
        }
        p->x = x + kPad;
        p->y = y + kPad;
        x += w;
        shelf = std::max(shelf, h);
    }
    return true;
}

Vec2 uvAt(const Patch& p, double s, double t) {
    return {(p.x + s * p.w) / kAtlas, 1.0 - (p.y + (1.0 - t) * p.h) / kAtlas};
}

const WoodStyle kRackWood{rgb(0.92, 0.7, 0.45), rgb(0.72, 0.47, 0.27), 3.4, 0.12};

Rgba boardAlbedo(const Board& b, Vec3 pos) {
    Vec3 c = (b.box.min + b.box.max) * 0.5;
    Vec3 q = pos - c;
    Vec3 local = b.grain == 0   ? Vec3{q.y, q.x, q.z}
                 : b.grain == 1 ? Vec3{q.x, q.y, q.z}
                                : Vec3{q.x, q.z, q.y};
    Vec2 pith{0.6 * (hashUnit(static_cast<int>(b.seed), 0, 0, 31U) - 0.5),
              0.5 + hashUnit(static_cast<int>(b.seed), 1, 0, 31U)};
    return woodAt(local, pith, kRackWood, b.seed);
}

Rgba spiceColour(int spice, Vec3 pos) {
    static const Rgba colours[5] = {rgb(0.86, 0.22, 0.1), rgb(0.98, 0.72, 0.1),
                                    rgb(0.38, 0.55, 0.22), rgb(0.3, 0.25, 0.22),
                                    rgb(0.96, 0.95, 0.92)};
    double grain = fbm(pos * 60.0, 2, 2301U + static_cast<std::uint32_t>(spice));
    return scaleColor(colours[spice], 1.0 + 0.12 * grain);
}

} // namespace

LightmappedModel spiceRack() {
    const std::vector<Board> boards = rackBoards();
    const std::vector<Jar> jars = rackJars();
    const Occluders occluders(boards, jars);

    // Collect the visible faces: every face except those against the wall
    // and the undersides resting on the pedestal.
    struct BoxFace {
        const Board* board;
        std::array<Vec3, 4> corners; // bottom-left, bottom-right, top-right, top-left
    };
    std::vector<BoxFace> faces;
    for (const Board& b : boards) {
        Mesh m = boxMesh(b.box);
        for (size_t f = 0; f < m.vertices.size(); f += 4) {
            Vec3 n = m.vertices[f].normal;
            bool againstWall = n.x < -0.5 && b.box.min.x <= 0.0;
            bool onFloor = n.y < -0.5 && b.box.min.y <= 0.0;
            if (againstWall || onFloor) {
                continue;
            }
            faces.push_back({&b,
                             {m.vertices[f].position, m.vertices[f + 1].position,
                              m.vertices[f + 2].position, m.vertices[f + 3].position}});
        }
    }

    std::vector<Patch> patches;
    const int jarSides = 20;
    auto buildPatches = [&](double density) {
        patches.clear();
        for (const BoxFace& f : faces) {
            Patch p;
            double w = length(f.corners[1] - f.corners[0]), h = length(f.corners[3] - f.corners[0]);
            p.w = std::max(2, static_cast<int>(std::ceil(w * density)));
            p.h = std::max(2, static_cast<int>(std::ceil(h * density)));
            const BoxFace face = f;
            Vec3 n = normalize(
                cross(face.corners[1] - face.corners[0], face.corners[3] - face.corners[0]));
            p.surface = [face, n](double s, double t, Vec3& pos, Vec3& nrm) {
                Vec3 bottom = face.corners[0] + (face.corners[1] - face.corners[0]) * s;
                Vec3 top = face.corners[3] + (face.corners[2] - face.corners[3]) * s;
                pos = bottom + (top - bottom) * t;
                nrm = n;
            };
            const Board* board = f.board;
            double fw = w, fh = h;
            p.albedo = [board, fw, fh](Vec3 pos, Vec3, double s, double t) {
                Rgba c = boardAlbedo(*board, pos);
                // Sanded edges catch a little light.
                double edge =
                    std::min(std::min(s * fw, (1 - s) * fw), std::min(t * fh, (1 - t) * fh));
                return scaleColor(c, 1.0 + 0.1 * smoothstep(0.02, 0.0, edge));
            };
            patches.push_back(p);
        }
        for (const Jar& j : jars) {
            const Jar jar = j;
            Patch side;
            side.w = static_cast<int>(std::ceil(2 * kPi * j.radius * density));
            side.h = static_cast<int>(std::ceil((j.height + kJarLid) * density));
            side.surface = [jar](double s, double t, Vec3& pos, Vec3& nrm) {
                double a = 2 * kPi * s;
                nrm = {std::sin(a), 0, std::cos(a)};
                double r = t * (jar.height + kJarLid) > jar.height ? jar.radius * 1.06 : jar.radius;
                pos = jar.base + Vec3{nrm.x * r, t * (jar.height + kJarLid), nrm.z * r};
            };
            side.albedo = [jar](Vec3 pos, Vec3 n, double s, double t) {
                double y = t * (jar.height + kJarLid);
                if (y > jar.height) {
                    // Cork stopper.
                    return scaleColor(rgb(0.8, 0.62, 0.42), 0.9 + 0.2 * fbm(pos * 40.0, 2, 2302U));
                }
                double fill = jar.height * 0.82;
                Rgba c = y < fill ? spiceColour(jar.spice, pos) : rgb(0.5, 0.5, 0.52);
                // A paper label facing the room.
                double labelAngle = std::abs(std::remainder(s - 0.25, 1.0));
                if (labelAngle < 0.12 && y > jar.height * 0.3 && y < jar.height * 0.62) {
                    c = rgb(0.96, 0.93, 0.84);
                    double mid = jar.height * 0.46;
                    if (std::abs(y - mid) < jar.height * 0.05) {
                        c = spiceColour(jar.spice, pos);
                    }
                }
                // Glass: a bright streak where it faces the light.
                double streak = std::exp(-std::pow((n.x * 0.8 + n.z * 0.6 - 0.9) / 0.06, 2.0));
                c = mixColor(c, rgb(1, 1, 1), 0.5 * streak);
                return mixColor(c, rgb(0.85, 0.92, 0.95), 0.12);
            };
            patches.push_back(side);
            Patch lid;
            lid.w = lid.h = static_cast<int>(std::ceil(2 * jar.radius * 1.06 * density));
            lid.surface = [jar](double s, double t, Vec3& pos, Vec3& nrm) {
                double r = jar.radius * 1.06;
                pos = jar.base + Vec3{(s - 0.5) * 2 * r, jar.height + kJarLid, (0.5 - t) * 2 * r};
                nrm = {0, 1, 0};
            };
            lid.albedo = [](Vec3 pos, Vec3, double, double) {
                return scaleColor(rgb(0.82, 0.64, 0.44), 0.9 + 0.2 * fbm(pos * 40.0, 2, 2303U));
            };
            patches.push_back(lid);
        }
    };
    // Densest texel size that still fits the atlas.
    double density = 160.0;
    std::vector<Patch*> order;
    for (;;) {
        buildPatches(density);
        order.clear();
        for (Patch& p : patches) {
            order.push_back(&p);
        }
        if (pack(order)) {
            break;
        }
        density *= 0.95;
    }

    // Mesh: box faces are quads on their patches; jars are cylinders with a
    // cap, their ring seams sharing the patch's edges.
    Mesh mesh;
    size_t pi = 0;
    for (const BoxFace& f : faces) {
        const Patch& p = patches[pi++];
        addFlatQuad(mesh, f.corners, uvAt(p, 0, 0), uvAt(p, 1, 1));
    }
    for (const Jar& j : jars) {
        const Patch& side = patches[pi++];
        const Patch& lid = patches[pi++];
        const double lidR = j.radius * 1.06;
        // Glass wall, then the stopper's rim, each a ring of quads.
        struct Ring {
            double y0, y1, r, t0, t1;
        };
        const double total = j.height + kJarLid;
        const Ring rings[2] = {{0.0, j.height, j.radius, 0.0, j.height / total},
                               {j.height, total, lidR, j.height / total, 1.0}};
        for (const Ring& ring : rings) {
            auto base = static_cast<std::uint32_t>(mesh.vertices.size());
            for (int k = 0; k <= jarSides; ++k) {
                double s = static_cast<double>(k) / jarSides;
                Vec3 n{std::sin(2 * kPi * s), 0, std::cos(2 * kPi * s)};
                for (double t : {0.0, 1.0}) {
                    Vec3 pos = j.base + Vec3{n.x * ring.r, mix(ring.y0, ring.y1, t), n.z * ring.r};
                    mesh.add({pos, n, uvAt(side, s, mix(ring.t0, ring.t1, t))});
                }
            }
            for (int k = 0; k < jarSides; ++k) {
                std::uint32_t a = base + 2 * k;
                mesh.addQuad(a, a + 2, a + 3, a + 1);
            }
        }
        // The ledge where the stopper overhangs the glass, and the top.
        auto ledge = static_cast<std::uint32_t>(mesh.vertices.size());
        for (int k = 0; k <= jarSides; ++k) {
            double s = static_cast<double>(k) / jarSides;
            Vec3 dir{std::sin(2 * kPi * s), 0, std::cos(2 * kPi * s)};
            for (double r : {j.radius, lidR}) {
                mesh.add({j.base + Vec3{dir.x * r, j.height, dir.z * r},
                          {0, -1, 0},
                          uvAt(side, s, j.height / total)});
            }
        }
        for (int k = 0; k < jarSides; ++k) {
            std::uint32_t a = ledge + 2 * k;
            mesh.addQuad(a, a + 2, a + 3, a + 1);
        }
        Vec3 top = j.base + Vec3{0, total, 0};
        std::uint32_t centre = mesh.add({top, {0, 1, 0}, uvAt(lid, 0.5, 0.5)});
        auto rim = static_cast<std::uint32_t>(mesh.vertices.size());
        for (int k = 0; k < jarSides; ++k) {
            double a = 2 * kPi * k / jarSides;
            Vec3 off{std::sin(a) * lidR, 0, std::cos(a) * lidR};
            mesh.add({top + off,
                      {0, 1, 0},
                      uvAt(lid, 0.5 + off.x / (2 * lidR), 0.5 - off.z / (2 * lidR))});
        }
        for (int k = 0; k < jarSides; ++k) {
            mesh.addTriangle(centre, rim + k, rim + (k + 1) % jarSides);
        }
    }

    // Bake: light is smooth, so it is traced on a coarse grid per patch and
    // interpolated; the wood and spices are painted per texel.
    Image tex(kAtlas, kAtlas, scaleColor(kRackWood.early, 0.75));
    const int step = 3;
    for (const Patch& p : patches) {
        int gw = (p.w + 2 * kPad) / step + 2, gh = (p.h + 2 * kPad) / step + 2;
        std::vector<double> light(static_cast<size_t>(gw) * gh);
        auto st = [&](double tx, double ty) {
            // Texel position (relative to the patch's top-left) to (s, t),
            // clamped so that gutters repeat the edge.
            return Vec2{clamp01(tx / p.w), clamp01(1.0 - ty / p.h)};
        };
        forEachRow(gh, [&](int gy) {
            for (int gx = 0; gx < gw; ++gx) {
                Vec2 s = st(gx * step - kPad, gy * step - kPad);
                // Keep light samples just inside the face, away from the
                // neighbouring boards it touches.
                s = {mix(0.01, 0.99, s.x), mix(0.01, 0.99, s.y)};
                Vec3 pos, n;
                p.surface(s.x, s.y, pos, n);
                light[static_cast<size_t>(gy) * gw + gx] = bakedLight(occluders, pos, n);
            }
        });
        forEachRow(p.h + 2 * kPad, [&](int row) {
            for (int col = 0; col < p.w + 2 * kPad; ++col) {
                double tx = col - kPad + 0.5, ty = row - kPad + 0.5;
                double gx = (tx + kPad) / step, gy = (ty + kPad) / step;
                int ix = std::min(gw - 2, static_cast<int>(gx)),
                    iy = std::min(gh - 2, static_cast<int>(gy));
                double fx = gx - ix, fy = gy - iy;
                auto L = [&](int x, int y) { return light[static_cast<size_t>(y) * gw + x]; };
                double l = mix(mix(L(ix, iy), L(ix + 1, iy), fx),
                               mix(L(ix, iy + 1), L(ix + 1, iy + 1), fx), fy);
                Vec2 s = st(tx, ty);
                Vec3 pos, n;
                p.surface(s.x, s.y, pos, n);
                Rgba c = scaleColor(p.albedo(pos, n, s.x, s.y), l);
                int x = p.x - kPad + col, y = p.y - kPad + row;
                tex.at(x, y) = {clamp01(c.r), clamp01(c.g), clamp01(c.b), 1.0};
            }
        });
    }
    return {mesh, tex};
}

} // namespace assetgen
