// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a picture file, decoded as the texture loader decodes it: a picture that
// reads fills width x height, one that does not leaves nothing behind.
#include "scene/TextureCache.h"

#include <FreeImage.h>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {
std::string path;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    path = std::filesystem::temp_directory_path() / ("tolva-fuzz-" + std::to_string(getpid()));
    FreeImage_Initialise(FALSE);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), std::streamsize(size));
    int width = -1, height = -1;
    std::vector<unsigned char> pixels;
    const bool read = Pellwin::decodeTexture(path, width, height, pixels);
    if (read ? width <= 0 || height <= 0 || pixels.size() < 4u * size_t(width) * size_t(height)
             : width != 0 || height != 0 || !pixels.empty()) {
        std::abort();
    }
    return 0;
}
