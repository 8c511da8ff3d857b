// Any bytes as a model file, read through the game's importer from a path like the game's
// own. Whatever Assimp makes of it, the importer must hand back vectors that the buffer
// upload and the indexed draw can use: whole vertices and triangles, no index past the end.
#include "scene/ModelImporter.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <iostream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

void fail(const char* what) {
    std::fprintf(stderr, "model import: %s\n", what);
    std::abort();
}

} // namespace

namespace {

// A folder of our own that looks like the game's working folder; the importer runs with it
// as the working folder and the fuzzer's own is restored after every input.
int gameFolder = -1;

class InGameFolder {
public:
    InGameFolder() : fuzzerFolder_(open(".", O_RDONLY | O_DIRECTORY)) {
        if (fuzzerFolder_ < 0 || fchdir(gameFolder) != 0) {
            fail("cannot enter the working folder");
        }
    }
    ~InGameFolder() {
        if (fchdir(fuzzerFolder_) != 0) {
            fail("cannot return to the fuzzer's folder");
        }
        close(fuzzerFolder_);
    }
    InGameFolder(const InGameFolder&) = delete;
    InGameFolder& operator=(const InGameFolder&) = delete;

private:
    int fuzzerFolder_;
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
    const char* temporary = std::getenv("TMPDIR");
    std::string pattern =
        std::string(temporary != nullptr ? temporary : "/tmp") + "/tolva-fuzz-model-XXXXXX";
    char* folder = mkdtemp(&pattern[0]);
    if (folder == nullptr) {
        fail("cannot make a working folder");
    }
    const std::string root = folder;
    if (mkdir((root + "/Resourcen").c_str(), 0755) != 0 ||
        mkdir((root + "/Resourcen/Lightmap").c_str(), 0755) != 0) {
        fail("cannot make the model folders");
    }
    gameFolder = open(folder, O_RDONLY | O_DIRECTORY);
    if (gameFolder < 0) {
        fail("cannot open the working folder");
    }
    // The importer's one console line for an unreadable file would drown the fuzzer's own.
    std::cout.rdbuf(nullptr);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Odd sizes go through the lightmapped model's path, which is read without the
    // left-handed conversion; even sizes through an ordinary model's.
    const bool lightmap = size % 2 == 1;
    const char* gamePath = lightmap ? "Resourcen\\Lightmap\\lightmap.obj" : "Resourcen\\fuzz.obj";
    const char* nativePath = lightmap ? "Resourcen/Lightmap/lightmap.obj" : "Resourcen/fuzz.obj";
    InGameFolder inGameFolder;
    {
        std::ofstream file(nativePath, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    std::vector<unsigned int> indices;
    std::vector<float> positions;
    std::vector<float> uvs;
    std::vector<float> normals;
    Pellwin::ModelImporter importer(gamePath, indices, positions, uvs, normals);

    if (positions.size() % 3 != 0) {
        fail("positions are not whole vertices");
    }
    const size_t vertices = positions.size() / 3;
    if (normals.size() != 3 * vertices || uvs.size() != 2 * vertices) {
        fail("normals or texture coordinates do not match the vertices");
    }
    if (indices.size() % 3 != 0) {
        fail("indices are not whole triangles");
    }
    for (unsigned int index : indices) {
        if (index >= vertices) {
            fail("an index points past the last vertex");
        }
    }
    return 0;
}
