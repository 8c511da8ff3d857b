// SPDX-License-Identifier: GPL-3.0-or-later
#include "scene/TextureCache.h"

#include "app/AssetPath.h"
#include "scene/AssetPrefetch.h"

#include <FreeImage.h>
#include <algorithm>
#include <iostream>
#include <vector>

namespace Pellwin {

std::unordered_map<std::string, GLuint> textureCache;

bool decodeTexture(const std::string& nativePath, int& width, int& height,
                   std::vector<unsigned char>& pixels) {
    width = 0;
    height = 0;
    pixels.clear();
    FIBITMAP* decoded = FreeImage_Load(FIF_PNG, nativePath.c_str(), 0);
    FIBITMAP* converted = decoded != nullptr ? FreeImage_ConvertTo32Bits(decoded) : nullptr;
    const BYTE* bits = converted != nullptr ? FreeImage_GetBits(converted) : nullptr;
    if (bits != nullptr) {
        width = static_cast<int>(FreeImage_GetWidth(converted));
        height = static_cast<int>(FreeImage_GetHeight(converted));
        const size_t rowBytes = FreeImage_GetPitch(converted);
        pixels.assign(bits, bits + rowBytes * static_cast<size_t>(height));
    }
    if (converted != nullptr) {
        FreeImage_Unload(converted);
    }
    if (decoded != nullptr) {
        FreeImage_Unload(decoded);
    }
    return bits != nullptr;
}

bool decodePicture(const std::string& nativePath, MipmapChain& picture) {
    picture = MipmapChain();
    std::vector<unsigned char> pixels;
    if (!decodeTexture(nativePath, picture.width, picture.height, pixels)) {
        return false;
    }
    picture.levels.push_back(std::move(pixels));
    if (makesOwnMipmaps(picture.width, picture.height)) {
        addMipmapLevels(picture);
    }
    return true;
}

void uploadPicture(const MipmapChain& picture) {
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, picture.width, picture.height, 0, GL_BGRA,
                 GL_UNSIGNED_BYTE, picture.levels.empty() ? nullptr : picture.levels[0].data());
    if (picture.levels.size() > 1) {
        // Made by the loader; the driver's own generation would first compile its blit
        // programs, the largest single cost of start-up.
        for (size_t level = 1; level < picture.levels.size(); ++level) {
            glTexImage2D(GL_TEXTURE_2D, static_cast<GLint>(level), GL_RGBA,
                         std::max(1, picture.width >> level), std::max(1, picture.height >> level),
                         0, GL_BGRA, GL_UNSIGNED_BYTE, picture.levels[level].data());
        }
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL,
                        static_cast<GLint>(picture.levels.size()) - 1);
    } else {
        glGenerateMipmap(GL_TEXTURE_2D);
    }
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    // Clamp on both axes: the meshes map each face onto the whole picture, and repeating
    // would bleed the opposite edge into it under linear filtering.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
}

GLuint loadTexture(std::string path) {
    MipmapChain picture;
    bool readable = false;
    if (!takeDecodedPicture(path, readable, picture)) {
        readable = decodePicture(toNativePath(path), picture);
    }
    if (!readable) {
        // The game goes on with an empty texture; the player's console stays as it is.
        std::cerr << "Texture '" << path << "' could not be read; it stays empty." << std::endl;
    }

    GLuint name = 0;
    glGenTextures(1, &name);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, name);
    // A picture load leaves the game in its loaded state: alpha blending on, with the usual
    // mix. Only an object's draw turns blending off again, so the first title frame is
    // drawn blended.
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    uploadPicture(picture);
    return name;
}

} // namespace Pellwin
