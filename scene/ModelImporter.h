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

// The one model that keeps its handedness, V direction and winding.
extern const char* const lightmapModelPath;

} // namespace Pellwin
