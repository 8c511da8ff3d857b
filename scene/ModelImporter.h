// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <vector>

namespace Pellwin {

// Reads the first mesh of a model file into the four vectors of a scene object,
// halving every position. Failure is reported on the console and leaves them empty.
class ModelImporter {
public:
    ModelImporter(const char* modelPath, std::vector<unsigned int>& indices,
                  std::vector<float>& positions, std::vector<float>& uvs,
                  std::vector<float>& normals);
};

// The first mesh of a model file, halved, as ModelImporter hands it to an object.
struct ImportedMesh {
    std::vector<unsigned int> indices;
    std::vector<float> positions;
    std::vector<float> uvs;
    std::vector<float> normals;
};

// ModelImporter's reading without its console line: false when the file cannot be read or
// holds no whole triangle.
// Safe on any thread.
bool readModelFile(const char* modelPath, ImportedMesh& mesh);

// While one lives, each model file is read once: every later object that names the same
// file gets a copy of that import, and of its failure line. Scene construction uses one.
class MeshSharing {
public:
    MeshSharing();
    ~MeshSharing();
    MeshSharing(const MeshSharing&) = delete;
    MeshSharing& operator=(const MeshSharing&) = delete;
};

// The one model that keeps its handedness, V direction and winding.
extern const char* const lightmapModelPath;

} // namespace Pellwin
