// SPDX-License-Identifier: GPL-3.0-or-later
#include "mesh.h"

#include <cmath>

namespace assetgen {

std::uint32_t Mesh::add(const Vertex& v) {
    vertices.push_back(v);
    return static_cast<std::uint32_t>(vertices.size() - 1);
}

void Mesh::addTriangle(std::uint32_t a, std::uint32_t b, std::uint32_t c) {
    const Vec3& pa = vertices[a].position;
    Vec3 n = cross(vertices[b].position - pa, vertices[c].position - pa);
    if (length(n) < 1e-12) {
        return;
    }
    Vec3 want = vertices[a].normal + vertices[b].normal + vertices[c].normal;
    if (dot(n, want) < 0) {
        triangles.push_back({a, c, b});
    } else {
        triangles.push_back({a, b, c});
    }
}

void Mesh::addQuad(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d) {
    addTriangle(a, b, c);
    addTriangle(a, c, d);
}

void Mesh::append(const Mesh& other) {
    auto base = static_cast<std::uint32_t>(vertices.size());
    vertices.insert(vertices.end(), other.vertices.begin(), other.vertices.end());
    for (const auto& t : other.triangles) {
        triangles.push_back({t[0] + base, t[1] + base, t[2] + base});
    }
}

void addFlatQuad(Mesh& mesh, const std::array<Vec3, 4>& corners, Vec2 uvMin, Vec2 uvMax) {
    Vec3 n = normalize(cross(corners[1] - corners[0], corners[3] - corners[0]));
    const Vec2 uvs[4] = {
        {uvMin.x, uvMin.y}, {uvMax.x, uvMin.y}, {uvMax.x, uvMax.y}, {uvMin.x, uvMax.y}};
    std::uint32_t idx[4];
    for (int i = 0; i < 4; ++i) {
        idx[i] = mesh.add({corners[i], n, uvs[i]});
    }
    mesh.addQuad(idx[0], idx[1], idx[2], idx[3]);
}

Mesh boxMesh(const Box& box) {
    const Vec3& a = box.min;
    const Vec3& b = box.max;
    Mesh m;
    Vec2 u0{insetUv(0), insetUv(0)}, u1{insetUv(1), insetUv(1)};
    // Each face: bottom-left, bottom-right, top-right, top-left as seen from outside.
    addFlatQuad(m, {{{a.x, a.y, b.z}, {b.x, a.y, b.z}, {b.x, b.y, b.z}, {a.x, b.y, b.z}}}, u0, u1);
    addFlatQuad(m, {{{b.x, a.y, a.z}, {a.x, a.y, a.z}, {a.x, b.y, a.z}, {b.x, b.y, a.z}}}, u0, u1);
    addFlatQuad(m, {{{b.x, a.y, b.z}, {b.x, a.y, a.z}, {b.x, b.y, a.z}, {b.x, b.y, b.z}}}, u0, u1);
    addFlatQuad(m, {{{a.x, a.y, a.z}, {a.x, a.y, b.z}, {a.x, b.y, b.z}, {a.x, b.y, a.z}}}, u0, u1);
    addFlatQuad(m, {{{a.x, b.y, b.z}, {b.x, b.y, b.z}, {b.x, b.y, a.z}, {a.x, b.y, a.z}}}, u0, u1);
    addFlatQuad(m, {{{b.x, a.y, b.z}, {a.x, a.y, b.z}, {a.x, a.y, a.z}, {b.x, a.y, a.z}}}, u0, u1);
    return m;
}

Mesh uvSphere(Vec3 center, double radius, int slices, int stacks) {
    Mesh m;
    for (int j = 0; j <= stacks; ++j) {
        double v = static_cast<double>(j) / stacks;
        for (int i = 0; i <= slices; ++i) {
            double u = static_cast<double>(i) / slices;
            Vec3 n = roundDirection(u, v);
            if (j == 0 || j == stacks) {
                n = {0, j == 0 ? -1.0 : 1.0, 0};
            }
            m.add({center + n * radius, n, {insetUv(u), insetUv(v)}});
        }
    }
    auto at = [&](int i, int j) { return static_cast<std::uint32_t>(j * (slices + 1) + i); };
    for (int j = 0; j < stacks; ++j) {
        for (int i = 0; i < slices; ++i) {
            m.addQuad(at(i, j), at(i + 1, j), at(i + 1, j + 1), at(i, j + 1));
        }
    }
    return m;
}

Mesh lathe(const std::vector<std::vector<ProfilePoint>>& runs, int slices) {
    Mesh m;
    for (const auto& run : runs) {
        auto base = static_cast<std::uint32_t>(m.vertices.size());
        for (const auto& p : run) {
            for (int i = 0; i <= slices; ++i) {
                double u = static_cast<double>(i) / slices;
                Vec3 d = roundDirection(u, 0.5);
                Vec3 pos{p.r * d.x, p.y, p.r * d.z};
                Vec3 n = normalize({p.normal.x * d.x, p.normal.y, p.normal.x * d.z});
                m.add({pos, n, {insetUv(u), insetUv(p.v)}});
            }
        }
        auto at = [&](size_t k, int i) {
            return base + static_cast<std::uint32_t>(k * (slices + 1) + i);
        };
        for (size_t k = 0; k + 1 < run.size(); ++k) {
            for (int i = 0; i < slices; ++i) {
                m.addQuad(at(k, i), at(k, i + 1), at(k + 1, i + 1), at(k + 1, i));
            }
        }
    }
    return m;
}

Mesh tube(const std::vector<Vec3>& path, double radius, int sides, Vec2 uvMin, Vec2 uvMax) {
    Mesh m;
    size_t n = path.size();
    Vec3 prevSide{0, 1, 0};
    for (size_t k = 0; k < n; ++k) {
        Vec3 t = normalize(path[std::min(k + 1, n - 1)] - path[k == 0 ? 0 : k - 1]);
        // Keep the ring frame steady along the path.
        Vec3 side = normalize(cross(t, cross(prevSide, t)));
        prevSide = side;
        Vec3 other = cross(t, side);
        double u = mix(uvMin.x, uvMax.x, static_cast<double>(k) / (n - 1));
        for (int i = 0; i <= sides; ++i) {
            double a = 2 * kPi * i / sides;
            Vec3 dir = side * std::cos(a) + other * std::sin(a);
            m.add({path[k] + dir * radius, dir, {u, mix(uvMin.y, uvMax.y, 1.0 * i / sides)}});
        }
    }
    auto at = [&](size_t k, int i) { return static_cast<std::uint32_t>(k * (sides + 1) + i); };
    for (size_t k = 0; k + 1 < n; ++k) {
        for (int i = 0; i < sides; ++i) {
            m.addQuad(at(k, i), at(k + 1, i), at(k + 1, i + 1), at(k, i + 1));
        }
    }
    return m;
}

} // namespace assetgen
