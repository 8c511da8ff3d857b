#pragma once
#include "scene/TextureMipmaps.h"

#include <string>
#include <vector>

namespace Pellwin {

// PNG decodes run on worker threads ahead of their uploads, while the window opens and
// the programs compile. Only decoding happens there: every GL call stays with the caller.
void startDecodingPictures(const std::vector<std::string>& gamePaths);

// The decode of a path started above (decodePicture's result), waited for if need be and
// handed over once; false when none was started for it, and the caller decodes it itself.
bool takeDecodedPicture(const std::string& gamePath, bool& readable, MipmapChain& picture);

// Waits for the workers and drops what was not taken.
void finishDecodingPictures();

} // namespace Pellwin
