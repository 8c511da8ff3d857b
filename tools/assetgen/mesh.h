// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include <cmath>

#include "vecmath.h"

namespace assetgen {

// Texture coordinates stay this far inside [0, 1]: the game clamps S to a
// clear border colour, and filtering right at the edge would pull it in (a
// see-through seam). Painters undo the mapping with uninsetUv.
constexpr double kUvInset = 1.0 / 512.0;
inline double insetUv(double t) {
    return kUvInset + (1.0 - 2.0 * kUvInset) * t;
}
inline double uninsetUv(double u) {
    return (u - kUvInset) / (1.0 - 2.0 * kUvInset);
}

// Surface direction of round meshes at (s, t) in [0, 1]: s turns round the y
// axis starting at -z, so the seam faces away from a camera behind the
// object, and grows to the right seen from outside; t runs from the bottom
// pole to the top one.
inline Vec3 roundDirection(double s, double t) {
    double theta = 2 * kPi * s, phi = -kPi / 2 + kPi * t;
    return {-std::cos(phi) * std::sin(theta), std::sin(phi), -std::cos(phi) * std::cos(theta)};
}

struct Vertex {
    Vec3 position;
    Vec3 normal;
    Vec2 uv;
};

// A triangle mesh in the game's model space (after import): counter-clockwise
// triangles seen from outside, normals pointing out.
struct Mesh {
    std::vector<Vertex> vertices;
    std::vector<std::array<std::uint32_t, 3>> triangles;

    std::uint32_t add(const Vertex& v);
    // Adds a triangle, turned so that its winding agrees with its vertex
    // normals; degenerate triangles are dropped.
    void addTriangle(std::uint32_t a, std::uint32_t b, std::uint32_t c);
    // Quad a-b-c-d given in order around its edge.
    void addQuad(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d);
    void append(const Mesh& other);
};

struct Box {
    Vec3 min, max;
};
// Six faces, each showing the whole texture upright and unmirrored from
// outside: v grows along +y on the sides; the top has v along -z and the
// bottom v along -z as well.
Mesh boxMesh(const Box& box);
// One box face with its texture rectangle; the corners go counter-clockwise
// from outside starting bottom-left in texture space.
void addFlatQuad(Mesh& mesh, const std::array<Vec3, 4>& corners, Vec2 uvMin, Vec2 uvMax);

// Sphere mapped by roundDirection (inset).
Mesh uvSphere(Vec3 center, double radius, int slices, int stacks);

// A point of a lathe profile: radius r at height y, with the outward normal in
// the (r, y) plane and the texture v of this ring.
struct ProfilePoint {
    double r, y;
    Vec2 normal;
    double v;
};
// Rotates each run of the profile about the y axis, u as in roundDirection
// (inset); the profile's v is inset as well. Runs are separate so that
// corners stay sharp.
Mesh lathe(const std::vector<std::vector<ProfilePoint>>& runs, int slices);

// A round tube of the given radius along a path, with u along the path and v
// around it, mapped into the texture rectangle [uvMin, uvMax]. Open ends.
Mesh tube(const std::vector<Vec3>& path, double radius, int sides, Vec2 uvMin, Vec2 uvMax);

} // namespace assetgen
