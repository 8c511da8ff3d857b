// SPDX-License-Identifier: GPL-3.0-or-later
#include "models.h"

#include <cmath>
#include <functional>

namespace assetgen {

Mesh pictureCubeMesh() {
    // Seen by the picture camera as world x -5.25..5.25, y -2.95..2.95: wide
    // enough for 16:9, while 4:3 shows the middle part.
    return boxMesh({{-1.25, -0.19, -0.5}, {0.85, 0.99, 0.5}});
}

Mesh centredCubeMesh() {
    // Centred in x, standing on y = 0 and running from its origin along -z,
    // so a placement's translation is the near bottom middle.
    return boxMesh({{-0.5, 0.0, -1.0}, {0.5, 1.0, 0.0}});
}

Mesh ballMesh() {
    // The ball's position is where it touches the ground.
    return uvSphere({0, 0.5, 0}, 0.5, 48, 24);
}

Mesh earthMesh() {
    return uvSphere({0, 0, 0}, 0.6, 40, 20);
}

Mesh moonMesh() {
    // Off-centre so that spinning about its own axis makes it orbit the earth.
    return uvSphere({4.5, 0, 0}, 1.0, 24, 12);
}

namespace {

struct ProfileVertex {
    double r, y;
    double v;
};

// Normals from the profile's direction: walking from the bottom centre round
// the outside, over the rim and down the inside, the outside is on the right.
std::vector<ProfilePoint> withNormals(const std::vector<ProfileVertex>& pts) {
    std::vector<ProfilePoint> out;
    for (size_t k = 0; k < pts.size(); ++k) {
        const auto& a = pts[k == 0 ? 0 : k - 1];
        const auto& b = pts[std::min(k + 1, pts.size() - 1)];
        Vec2 t = Vec2{b.r - a.r, b.y - a.y};
        Vec2 n = Vec2{t.y, -t.x} * (1.0 / length(t));
        out.push_back({pts[k].r, pts[k].y, n, pts[k].v});
    }
    return out;
}

// Arc from angle a0 to a1 (radians, 0 = +r) around (cr, cy).
void arc(std::vector<Vec2>& pts, double cr, double cy, double rad, double a0, double a1, int n) {
    for (int i = 1; i <= n; ++i) {
        double a = mix(a0, a1, static_cast<double>(i) / n);
        pts.push_back({cr + rad * std::cos(a), cy + rad * std::sin(a)});
    }
}

// Gives each point a v by arc length, spread evenly over [v0, v1].
void spread(std::vector<ProfileVertex>& out, const std::vector<Vec2>& pts, double v0, double v1) {
    std::vector<double> len{0.0};
    for (size_t k = 1; k < pts.size(); ++k) {
        len.push_back(len.back() + length(pts[k] - pts[k - 1]));
    }
    for (size_t k = 0; k < pts.size(); ++k) {
        if (!out.empty() && k == 0) {
            continue; // shared with the previous stretch
        }
        out.push_back({pts[k].x, pts[k].y, mix(v0, v1, len[k] / len.back())});
    }
}

} // namespace

Mesh potMesh() {
    using L = PotLayout;
    std::vector<ProfileVertex> prof;
    // Underside, out to the rounded foot.
    spread(prof, {{0.0, 0.0}, {0.18, 0.0}, {0.36, 0.0}}, 0.0, L::bottomTop * 0.8);
    std::vector<Vec2> wall{{0.36, 0.0}};
    arc(wall, 0.36, 0.06, 0.06, -kPi / 2, 0.0, 5);
    for (Vec2 p : std::vector<Vec2>{{0.426, 0.14},
                                    {0.434, 0.24},
                                    {0.438, 0.34},
                                    {0.437, 0.44},
                                    {0.431, 0.53},
                                    {0.424, 0.60}}) {
        wall.push_back(p);
    }
    spread(prof, wall, L::bottomTop * 0.8, L::wallTop);
    // Rolled rim: flares out, over the top and back in.
    std::vector<Vec2> rim{{0.424, 0.60}, {0.428, 0.63}, {0.442, 0.652}};
    arc(rim, 0.440, 0.668, 0.016, -kPi / 2 + 0.4, kPi, 6);
    rim.push_back({0.420, 0.655});
    spread(prof, rim, L::wallTop, L::rimTop);
    std::vector<Vec2> inner{{0.420, 0.655}, {0.414, 0.50}, {0.410, 0.30}, {0.404, 0.15}};
    arc(inner, 0.344, 0.110, 0.06, 0.0, -kPi / 2, 5);
    spread(prof, inner, L::rimTop, L::innerBottom);
    spread(prof, {{0.344, 0.05}, {0.17, 0.05}, {0.0, 0.05}}, L::innerBottom, 1.0);

    Mesh pot = lathe({withNormals(prof)}, 48);

    // Two loop handles on the +x and -x sides, ends buried in the wall.
    for (double side : {1.0, -1.0}) {
        std::vector<Vec3> path;
        for (int i = 0; i <= 16; ++i) {
            double t = kPi * i / 16.0;
            double x = 0.405 + 0.077 * std::sin(t);
            path.push_back({side * x, 0.50 + 0.012 * std::sin(t), 0.11 * std::cos(t)});
        }
        pot.append(tube(path, 0.018, 10, {insetUv(0.1), insetUv(L::handleV0)},
                        {insetUv(0.3), insetUv(L::handleV1)}));
    }
    return pot;
}

namespace {

// A smooth patch from a grid of points; normals come from the grid's own
// directions, so the caller orders rows and columns with the outside in mind.
void gridPatch(Mesh& mesh, int rows, int cols, const std::function<Vec3(int, int)>& pos,
               const std::function<Vec2(int, int)>& uv,
               const std::function<Vec3(const Vec3&)>& outwardAt) {
    auto base = static_cast<std::uint32_t>(mesh.vertices.size());
    for (int i = 0; i < rows; ++i) {
        for (int j = 0; j < cols; ++j) {
            Vec3 du = pos(std::min(i + 1, rows - 1), j) - pos(std::max(i - 1, 0), j);
            Vec3 dv = pos(i, std::min(j + 1, cols - 1)) - pos(i, std::max(j - 1, 0));
            Vec3 n = cross(du, dv);
            if (length(n) < 1e-9) {
                // Where the patch pinches to a point (the blade's tip) use the
                // neighbouring row's direction.
                int k = i > 0 ? i - 1 : i + 1;
                du = pos(std::min(k + 1, rows - 1), j) - pos(std::max(k - 1, 0), j);
                dv = pos(k, std::min(j + 1, cols - 1)) - pos(k, std::max(j - 1, 0));
                n = cross(du, dv);
            }
            n = normalize(n);
            if (dot(n, outwardAt(pos(i, j))) < 0) {
                n = -n;
            }
            mesh.add({pos(i, j), n, uv(i, j)});
        }
    }
    auto at = [&](int i, int j) { return base + static_cast<std::uint32_t>(i * cols + j); };
    for (int i = 0; i + 1 < rows; ++i) {
        for (int j = 0; j + 1 < cols; ++j) {
            mesh.addQuad(at(i, j), at(i + 1, j), at(i + 1, j + 1), at(i, j + 1));
        }
    }
}

// Fan over a convex outline, all with one normal.
void capFan(Mesh& mesh, const std::vector<Vec3>& outline, Vec3 normal, Vec2 uvCentre) {
    Vec3 c{0, 0, 0};
    for (const auto& p : outline) {
        c = c + p;
    }
    c = c * (1.0 / outline.size());
    std::uint32_t ci = mesh.add({c, normal, uvCentre});
    std::vector<std::uint32_t> ids;
    for (const auto& p : outline) {
        ids.push_back(mesh.add({p, normal, uvCentre}));
    }
    for (size_t k = 0; k < ids.size(); ++k) {
        mesh.addTriangle(ci, ids[k], ids[(k + 1) % ids.size()]);
    }
}

} // namespace

Mesh knifeMesh() {
    using L = KnifeLayout;
    auto atlas = [](double u, double v) { return Vec2{insetUv(u), insetUv(v)}; };
    // Pivot at the end of the handle, blade along -z with its edge on y = 0.
    const double handleLen = 0.36, bladeLen = 1.2;
    const double tipY = 0.075;
    auto zAt = [&](double t) { return -handleLen - bladeLen * t; };
    auto edgeY = [&](double t) { return t < 0.5 ? 0.0 : tipY * std::pow((t - 0.5) / 0.5, 2.0); };
    auto spineY = [&](double t) {
        return t < 0.2 ? 0.35 : tipY + (0.35 - tipY) * (1.0 - std::pow((t - 0.2) / 0.8, 2.2));
    };
    auto halfThick = [&](double t) { return 0.055 * (1.0 - 0.85 * t); };
    const double edgeHalf = 0.004, bevelTop = 0.42;

    // Point on one side of the blade: s = 0 at the edge, 1 at the spine.
    auto bladePoint = [&](double t, double s, double side) {
        double y = mix(edgeY(t), spineY(t), s);
        double x = s < bevelTop
                       ? mix(edgeHalf, halfThick(t) * 0.92, s / bevelTop)
                       : mix(halfThick(t) * 0.92, halfThick(t), (s - bevelTop) / (1 - bevelTop));
        return Vec3{side * x, y, zAt(t)};
    };

    Mesh m;
    const int stations = 28;
    auto tAt = [&](int i) { return static_cast<double>(i) / (stations - 1); };
    for (double side : {1.0, -1.0}) {
        // Bevel strip and flat, with a crease between them.
        gridPatch(
            m, stations, 3,
            [&](int i, int j) { return bladePoint(tAt(i), bevelTop * j / 2.0, side); },
            [&](int i, int j) { return atlas(tAt(i), mix(L::bevelV0, L::bevelV1, j / 2.0)); },
            [side](const Vec3&) {
                return Vec3{side, 0, 0};
            });
        gridPatch(
            m, stations, 4,
            [&](int i, int j) { return bladePoint(tAt(i), mix(bevelTop, 1.0, j / 3.0), side); },
            [&](int i, int j) { return atlas(tAt(i), mix(L::bevelV1, L::flatV1, j / 3.0)); },
            [side](const Vec3&) {
                return Vec3{side, 0, 0};
            });
    }
    // Spine and the honed edge as narrow strips.
    gridPatch(
        m, stations, 2, [&](int i, int j) { return bladePoint(tAt(i), 1.0, j == 0 ? -1.0 : 1.0); },
        [&](int i, int j) { return atlas(tAt(i), L::flatV1 - 0.02 * (1 - j)); },
        [](const Vec3&) {
            return Vec3{0, 1, 0.2};
        });
    gridPatch(
        m, stations, 2, [&](int i, int j) { return bladePoint(tAt(i), 0.0, j == 0 ? -1.0 : 1.0); },
        [&](int i, int j) { return atlas(tAt(i), L::bevelV0 + 0.01 * j); },
        [](const Vec3&) {
            return Vec3{0, -1, 0};
        });
    // Heel of the blade, where it meets the handle.
    capFan(m,
           {bladePoint(0, 0, 1), bladePoint(0, bevelTop, 1), bladePoint(0, 1, 1),
            bladePoint(0, 1, -1), bladePoint(0, bevelTop, -1), bladePoint(0, 0, -1)},
           {0, 0, 1}, atlas(0.02, 0.8));

    // Handle: a rounded bar, a little swollen at the butt, slightly longer
    // than its nominal length so the blade's heel sits inside it.
    const int ring = 20, handleStations = 12;
    const double handleEnd = handleLen + 0.02;
    auto handlePoint = [&](int i, int k) {
        double f = static_cast<double>(i) / (handleStations - 1); // 0 butt .. 1 front
        double swell = 1.0 + 0.08 * std::pow(1.0 - f, 3.0) - 0.03 * std::sin(kPi * f);
        double a = 2 * kPi * k / ring; // 0 at the top, pi/2 at +x
        double sx = std::sin(a), cy = std::cos(a);
        // Superellipse: flat sides with rounded edges.
        double ex = std::copysign(std::pow(std::abs(sx), 0.6), sx);
        double ey = std::copysign(std::pow(std::abs(cy), 0.6), cy);
        return Vec3{0.085 * swell * ex, 0.215 + 0.125 * swell * ey, -handleEnd * f};
    };
    gridPatch(
        m, handleStations, ring + 1, handlePoint,
        [&](int i, int k) {
            return atlas(
                static_cast<double>(k) / ring,
                mix(L::handleV0, L::handleV1, static_cast<double>(i) / (handleStations - 1)));
        },
        [](const Vec3& p) {
            return Vec3{p.x, p.y - 0.215, 0};
        });
    std::vector<Vec3> butt, front;
    for (int k = 0; k < ring; ++k) {
        butt.push_back(handlePoint(0, k));
        front.push_back(handlePoint(handleStations - 1, k));
    }
    capFan(m, butt, {0, 0, 1}, atlas(0.5, L::handleV0));
    capFan(m, front, {0, 0, -1}, atlas(0.5, L::handleV1));
    return m;
}

} // namespace assetgen
