// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "vecmath.h"

namespace assetgen {

// Every random value is a hash of integer coordinates and a seed, so the
// output never depends on call order, time or addresses.
std::uint32_t hash32(std::uint32_t x);
std::uint32_t hashCoords(int x, int y, int z, std::uint32_t seed);
// Uniform in [0, 1).
double hashUnit(int x, int y, int z, std::uint32_t seed);

// Small sequential generator for placing things (vegetables, stains, ...).
class Rng {
public:
    explicit Rng(std::uint32_t seed) : state_(seed) {}
    std::uint32_t next();
    double unit();                      // [0, 1)
    double range(double lo, double hi); // [lo, hi)

private:
    std::uint32_t state_;
};

// Gradient noise in about [-1, 1].
double gradientNoise(Vec3 p, std::uint32_t seed);
double gradientNoise(Vec2 p, std::uint32_t seed);
// Sum of octaves of gradient noise, normalised to about [-1, 1].
double fbm(Vec3 p, int octaves, std::uint32_t seed, double gain = 0.5);
double fbm(Vec2 p, int octaves, std::uint32_t seed, double gain = 0.5);
// Distances to the nearest and second-nearest feature points of a jittered grid.
struct CellDistances {
    double f1 = 0, f2 = 0;
    std::uint32_t id = 0;
};
CellDistances cellular(Vec3 p, std::uint32_t seed);
CellDistances cellular(Vec2 p, std::uint32_t seed);

} // namespace assetgen
