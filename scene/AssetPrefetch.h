// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "scene/ModelImporter.h"
#include "scene/TextureMipmaps.h"

#include <string>
#include <vector>

namespace Pellwin {

// The world's files are read on worker threads ahead of their use, while the window opens
// and the programs compile: PNG decodes with their mipmap levels, and model imports. Only
// reading happens there: every GL call and every console line stays with the caller.
struct AssetList {
    std::vector<std::string> pictures;
    std::vector<std::string> models;
};
void startReadingAssets(const AssetList& assets);

// A read started above, waited for if need be and handed over once; false when none was
// started for the path, and the caller reads it itself. `readable` as decodePicture and
// readModelFile tell it.
bool takeDecodedPicture(const std::string& gamePath, bool& readable, MipmapChain& picture);
bool takeImportedModel(const std::string& gamePath, bool& readable, ImportedMesh& mesh);

// Waits for the workers and drops what was not taken.
void finishReadingAssets();

} // namespace Pellwin
