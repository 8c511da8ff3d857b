// Any bytes as a picture file, decoded as the texture loader decodes it. A file that reads
// must give a picture whose pixels fill width x height; one that does not must give
// nothing, so the upload makes an empty texture.
#include "scene/TextureCache.h"

#include <FreeImage.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

std::string picturePath;

void fail(const char* what) {
    std::fprintf(stderr, "texture decode: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
    const char* temporary = std::getenv("TMPDIR");
    std::string pattern =
        std::string(temporary != nullptr ? temporary : "/tmp") + "/tolva-fuzz-texture-XXXXXX";
    char* folder = mkdtemp(&pattern[0]);
    if (folder == nullptr) {
        fail("cannot make a working folder");
    }
    picturePath = std::string(folder) + "/fuzz.png";
    FreeImage_Initialise(FALSE);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    {
        std::ofstream file(picturePath, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    int width = -1;
    int height = -1;
    std::vector<unsigned char> pixels;
    if (Pellwin::decodeTexture(picturePath, width, height, pixels)) {
        if (width <= 0 || height <= 0) {
            fail("a decoded picture has no size");
        }
        if (pixels.size() < 4u * static_cast<size_t>(width) * static_cast<size_t>(height)) {
            fail("the pixels do not fill the picture");
        }
    } else if (width != 0 || height != 0 || !pixels.empty()) {
        fail("a picture that did not decode left a size or pixels behind");
    }
    return 0;
}
