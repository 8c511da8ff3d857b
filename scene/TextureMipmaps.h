// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <vector>

namespace Pellwin {

// A picture of 32-bit pixels with the smaller levels of its mipmap chain, level 0 first.
struct MipmapChain {
    int width = 0;
    int height = 0;
    std::vector<std::vector<unsigned char>> levels;
};

// Whether the loader makes a picture's smaller levels itself: only for power-of-two
// sizes, where its box filter is exactly what the GL driver makes.
bool makesOwnMipmaps(int width, int height);

// Adds the smaller levels to a chain that holds level 0: each texel is the rounded mean
// of the rounded means of its two pairs of texels, channel by channel. Down to 1 x 1 for
// power-of-two sizes; for others only while every side longer than 1 halves exactly,
// where the driver's filter would weigh texels otherwise.
void addMipmapLevels(MipmapChain& chain);

} // namespace Pellwin
