// Writes the small seed corpora the fuzzers start from into <folder>/command-line,
// <folder>/model-import and <folder>/texture-decode.
#include <FreeImage.h>
#include <cstdio>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

void writeSeed(const std::string& folder, const std::string& name, const std::string& bytes) {
    std::ofstream file(folder + "/" + name, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A NUL-separated argument vector, program name first.
std::string vectorOf(const std::vector<std::string>& strings) {
    std::string bytes;
    for (size_t i = 0; i < strings.size(); ++i) {
        bytes += strings[i];
        if (i + 1 < strings.size()) {
            bytes.push_back('\0');
        }
    }
    return bytes;
}

void commandLines(const std::string& folder) {
    const std::vector<std::vector<std::string>> vectors = {
        {"tolva"},
        {"tolva", "1024"},
        {"tolva", "1024", "768"},
        {"tolva", "1024", "768", "1"},
        {"tolva", "800abc", "600", "0", "extra"},
        {"tolva", " -12", "+7", "true"},
        {"tolva", "2147483648", "768"},
        {"tolva", "1024", "-2147483649"},
        {"tolva", "1024", "768", "2"},
    };
    for (size_t i = 0; i < vectors.size(); ++i) {
        writeSeed(folder, "vector" + std::to_string(i), vectorOf(vectors[i]));
    }
}

void models(const std::string& folder) {
    writeSeed(folder, "triangle.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");
    writeSeed(folder, "quad.obj",
              "# a quad with texture coordinates and normals\n"
              "v -1 -1 0\nv 1 -1 0\nv 1 1 0\nv -1 1 0\n"
              "vt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\nvn 0 0 1\n"
              "f 1/1/1 2/2/1 3/3/1 4/4/1\n");
    writeSeed(folder, "two-objects.obj",
              "o first\nv 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n"
              "o second\nv 0 0 1\nv 1 0 1\nv 0 1 1\nf -3 -2 -1\n");
    writeSeed(folder, "points-and-lines.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\np 1\nl 1 2\nf 1 2 3\n");
    writeSeed(folder, "groups.obj",
              "mtllib missing.mtl\ng box\nusemtl wood\ns 1\n"
              "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nv 0 0 1\nv 1 0 1\nv 1 1 1\nv 0 1 1\n"
              "f 1 2 3 4\nf 5 8 7 6\nf 1 5 6 2\nf 2 6 7 3\nf 3 7 8 4\nf 5 1 4 8\n");
}

bool savePicture(const std::string& path, int width, int height, int bitsPerPixel) {
    FIBITMAP* picture = FreeImage_Allocate(width, height, bitsPerPixel);
    if (picture == nullptr) {
        return false;
    }
    const unsigned pitch = FreeImage_GetPitch(picture);
    for (int y = 0; y < height; ++y) {
        BYTE* row = FreeImage_GetScanLine(picture, y);
        for (unsigned x = 0; x < pitch; ++x) {
            row[x] = static_cast<BYTE>((x * 37u + static_cast<unsigned>(y) * 11u) & 0xFFu);
        }
    }
    if (bitsPerPixel == 8) {
        RGBQUAD* palette = FreeImage_GetPalette(picture);
        for (int i = 0; i < 256; ++i) {
            palette[i].rgbRed = static_cast<BYTE>(i);
            palette[i].rgbGreen = static_cast<BYTE>(255 - i);
            palette[i].rgbBlue = static_cast<BYTE>(i / 2);
        }
    }
    const bool saved = FreeImage_Save(FIF_PNG, picture, path.c_str(), PNG_Z_BEST_COMPRESSION) != 0;
    FreeImage_Unload(picture);
    return saved;
}

bool pictures(const std::string& folder) {
    return savePicture(folder + "/rgba-1x1.png", 1, 1, 32) &&
           savePicture(folder + "/rgb-5x3.png", 5, 3, 24) &&
           savePicture(folder + "/palette-7x7.png", 7, 7, 8) &&
           savePicture(folder + "/rgba-16x8.png", 16, 8, 32);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const std::string root = argv[1];
    mkdir(root.c_str(), 0755);
    for (const char* name : {"/command-line", "/model-import", "/texture-decode"}) {
        mkdir((root + name).c_str(), 0755);
    }
    FreeImage_Initialise(FALSE);
    commandLines(root + "/command-line");
    models(root + "/model-import");
    const bool ok = pictures(root + "/texture-decode");
    FreeImage_DeInitialise();
    return ok ? 0 : 1;
}
