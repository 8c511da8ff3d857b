// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a model file, read by the game's importer, through the lightmap's path for
// odd sizes and an ordinary model's for even ones. Whatever Assimp makes of it, the
// vectors must be whole vertices and triangles with no index past the last vertex.
#include "scene/ModelImporter.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::string folder = std::filesystem::temp_directory_path() / "tolva-fuzz-model-XXXXXX";
    if (mkdtemp(folder.data()) == nullptr) {
        std::abort();
    }
    std::filesystem::create_directories(folder + "/Resourcen/Lightmap");
    std::filesystem::current_path(folder);
    std::cout.rdbuf(nullptr); // the one line for an unreadable file, thousands of times
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const bool lightmap = size % 2 == 1;
    std::ofstream(lightmap ? "Resourcen/Lightmap/lightmap.obj" : "Resourcen/fuzz.obj",
                  std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), std::streamsize(size));
    std::vector<unsigned int> indices;
    std::vector<float> positions, uvs, normals;
    Pellwin::ModelImporter(lightmap ? "Resourcen\\Lightmap\\lightmap.obj" : "Resourcen\\fuzz.obj",
                           indices, positions, uvs, normals);
    const size_t vertices = positions.size() / 3;
    bool whole = positions.size() % 3 == 0 && normals.size() == 3 * vertices &&
                 uvs.size() == 2 * vertices && indices.size() % 3 == 0;
    for (unsigned int index : indices) {
        whole = whole && index < vertices;
    }
    if (!whole) {
        std::abort();
    }
    return 0;
}
