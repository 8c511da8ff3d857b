// SPDX-License-Identifier: GPL-3.0-or-later
#include "scene/TextureMipmaps.h"

#include <cstddef>

namespace Pellwin {

namespace {

bool powerOfTwo(int side) {
    return side > 0 && (side & (side - 1)) == 0;
}

} // namespace

bool makesOwnMipmaps(int width, int height) {
    return powerOfTwo(width) && powerOfTwo(height);
}

void addMipmapLevels(MipmapChain& chain) {
    int width = chain.width;
    int height = chain.height;
    const auto halves = [](int side) { return side == 1 || side % 2 == 0; };
    while ((width > 1 || height > 1) && halves(width) && halves(height)) {
        const int nextWidth = width > 1 ? width / 2 : 1;
        const int nextHeight = height > 1 ? height / 2 : 1;
        const std::vector<unsigned char>& from = chain.levels.back();
        std::vector<unsigned char> next(4u * static_cast<std::size_t>(nextWidth) * nextHeight);
        for (int y = 0; y < nextHeight; ++y) {
            // A side already 1 texel long is read twice instead of halved.
            const std::size_t row0 = static_cast<std::size_t>(height > 1 ? 2 * y : y) * width;
            const std::size_t row1 = static_cast<std::size_t>(height > 1 ? 2 * y + 1 : y) * width;
            for (int x = 0; x < nextWidth; ++x) {
                const std::size_t x0 = static_cast<std::size_t>(width > 1 ? 2 * x : x);
                const std::size_t x1 = static_cast<std::size_t>(width > 1 ? 2 * x + 1 : x);
                for (std::size_t channel = 0; channel < 4; ++channel) {
                    const int top =
                        (from[4 * (row0 + x0) + channel] + from[4 * (row0 + x1) + channel] + 1) >>
                        1;
                    const int bottom =
                        (from[4 * (row1 + x0) + channel] + from[4 * (row1 + x1) + channel] + 1) >>
                        1;
                    next[4 * (static_cast<std::size_t>(y) * nextWidth + x) + channel] =
                        static_cast<unsigned char>((top + bottom + 1) >> 1);
                }
            }
        }
        chain.levels.push_back(std::move(next));
        width = nextWidth;
        height = nextHeight;
    }
}

} // namespace Pellwin
