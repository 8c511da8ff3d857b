// SPDX-License-Identifier: GPL-3.0-or-later
#include "noise.h"

#include <cmath>
#include <limits>

namespace assetgen {

std::uint32_t hash32(std::uint32_t x) {
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

std::uint32_t hashCoords(int x, int y, int z, std::uint32_t seed) {
    // One strong mix of a cheap combination is plenty for noise lattices.
    std::uint32_t h = static_cast<std::uint32_t>(x) * 0x8da6b343U ^
                      static_cast<std::uint32_t>(y) * 0xd8163841U ^
                      static_cast<std::uint32_t>(z) * 0xcb1ab31fU ^ seed * 0x9e3779b9U;
    return hash32(h ^ (h >> 13) ^ seed);
}

double hashUnit(int x, int y, int z, std::uint32_t seed) {
    return (hashCoords(x, y, z, seed) >> 8) * (1.0 / 16777216.0);
}

std::uint32_t Rng::next() {
    state_ += 0x6d2b79f5U;
    return hash32(state_);
}

double Rng::unit() {
    return (next() >> 8) * (1.0 / 16777216.0);
}

double Rng::range(double lo, double hi) {
    return lo + (hi - lo) * unit();
}

namespace {

double fade(double t) {
    return t * t * t * (t * (t * 6.0 - 15.0) + 10.0);
}

// The twelve cube-edge directions, four of them twice, so a hash picks one
// with a mask instead of a division.
constexpr double kGrad3[16][3] = {
    {1, 1, 0}, {-1, 1, 0}, {1, -1, 0}, {-1, -1, 0}, {1, 0, 1}, {-1, 0, 1}, {1, 0, -1}, {-1, 0, -1},
    {0, 1, 1}, {0, -1, 1}, {0, 1, -1}, {0, -1, -1}, {1, 1, 0}, {-1, 1, 0}, {0, -1, 1}, {0, -1, -1}};
constexpr double kGrad2[8][2] = {{1, 1},         {-1, 1},         {1, -1},        {-1, -1},
                                 {1.4142135, 0}, {-1.4142135, 0}, {0, 1.4142135}, {0, -1.4142135}};

double gradDot(std::uint32_t h, double x, double y, double z) {
    const double* g = kGrad3[h >> 28];
    return g[0] * x + g[1] * y + g[2] * z;
}

double gradDot2(std::uint32_t h, double x, double y) {
    const double* g = kGrad2[h >> 29];
    return g[0] * x + g[1] * y;
}

} // namespace

double gradientNoise(Vec3 p, std::uint32_t seed) {
    double fx = std::floor(p.x), fy = std::floor(p.y), fz = std::floor(p.z);
    int ix = static_cast<int>(fx), iy = static_cast<int>(fy), iz = static_cast<int>(fz);
    double x = p.x - fx, y = p.y - fy, z = p.z - fz;
    double u = fade(x), v = fade(y), w = fade(z);
    auto g = [&](int dx, int dy, int dz) {
        return gradDot(hashCoords(ix + dx, iy + dy, iz + dz, seed), x - dx, y - dy, z - dz);
    };
    double x00 = mix(g(0, 0, 0), g(1, 0, 0), u);
    double x10 = mix(g(0, 1, 0), g(1, 1, 0), u);
    double x01 = mix(g(0, 0, 1), g(1, 0, 1), u);
    double x11 = mix(g(0, 1, 1), g(1, 1, 1), u);
    return mix(mix(x00, x10, v), mix(x01, x11, v), w);
}

double gradientNoise(Vec2 p, std::uint32_t seed) {
    double fx = std::floor(p.x), fy = std::floor(p.y);
    int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    double x = p.x - fx, y = p.y - fy;
    double u = fade(x), v = fade(y);
    auto g = [&](int dx, int dy) {
        return gradDot2(hashCoords(ix + dx, iy + dy, 0, seed), x - dx, y - dy);
    };
    return 0.7 * mix(mix(g(0, 0), g(1, 0), u), mix(g(0, 1), g(1, 1), u), v);
}

double fbm(Vec3 p, int octaves, std::uint32_t seed, double gain) {
    double sum = 0, amp = 1, norm = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amp * gradientNoise(p, seed + static_cast<std::uint32_t>(i) * 1013U);
        norm += amp;
        amp *= gain;
        // Slightly off 2 so the octaves' lattices never line up.
        p = p * 2.03 + Vec3{17.3, -9.1, 4.7};
    }
    return sum / norm * 1.6;
}

double fbm(Vec2 p, int octaves, std::uint32_t seed, double gain) {
    double sum = 0, amp = 1, norm = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amp * gradientNoise(p, seed + static_cast<std::uint32_t>(i) * 1013U);
        norm += amp;
        amp *= gain;
        p = p * 2.03 + Vec2{17.3, -9.1};
    }
    return sum / norm * 1.6;
}

CellDistances cellular(Vec3 p, std::uint32_t seed) {
    double fx = std::floor(p.x), fy = std::floor(p.y), fz = std::floor(p.z);
    int ix = static_cast<int>(fx), iy = static_cast<int>(fy), iz = static_cast<int>(fz);
    CellDistances r;
    r.f1 = r.f2 = std::numeric_limits<double>::max();
    for (int dz = -1; dz <= 1; ++dz) {
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                std::uint32_t h = hashCoords(ix + dx, iy + dy, iz + dz, seed);
                Vec3 f{ix + dx + (h & 1023U) / 1023.0, iy + dy + ((h >> 10) & 1023U) / 1023.0,
                       iz + dz + ((h >> 20) & 1023U) / 1023.0};
                Vec3 d = f - p;
                double dist = dot(d, d);
                if (dist < r.f1) {
                    r.f2 = r.f1;
                    r.f1 = dist;
                    r.id = h;
                } else if (dist < r.f2) {
                    r.f2 = dist;
                }
            }
        }
    }
    r.f1 = std::sqrt(r.f1);
    r.f2 = std::sqrt(r.f2);
    return r;
}

CellDistances cellular(Vec2 p, std::uint32_t seed) {
    double fx = std::floor(p.x), fy = std::floor(p.y);
    int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    CellDistances r;
    r.f1 = r.f2 = std::numeric_limits<double>::max();
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            std::uint32_t h = hashCoords(ix + dx, iy + dy, 0, seed);
            Vec2 f{ix + dx + (h & 1023U) / 1023.0, iy + dy + ((h >> 10) & 1023U) / 1023.0};
            Vec2 d = f - p;
            double dist = dot(d, d);
            if (dist < r.f1) {
                r.f2 = r.f1;
                r.f1 = dist;
                r.id = h;
            } else if (dist < r.f2) {
                r.f2 = dist;
            }
        }
    }
    r.f1 = std::sqrt(r.f1);
    r.f2 = std::sqrt(r.f2);
    return r;
}

} // namespace assetgen
