#include "scene/TextureCache.h"

#include "app/AssetPath.h"

#include <FreeImage.h>
#include <iostream>

namespace Pellwin {

std::unordered_map<std::string, GLuint> textureCache;

GLuint loadTexture(std::string path) {
    const std::string nativePath = toNativePath(path);
    FIBITMAP* decoded = FreeImage_Load(FIF_PNG, nativePath.c_str(), 0);
    FIBITMAP* converted = decoded != nullptr ? FreeImage_ConvertTo32Bits(decoded) : nullptr;
    const BYTE* pixels = converted != nullptr ? FreeImage_GetBits(converted) : nullptr;
    GLsizei width = 0;
    GLsizei height = 0;
    if (pixels != nullptr) {
        width = static_cast<GLsizei>(FreeImage_GetWidth(converted));
        height = static_cast<GLsizei>(FreeImage_GetHeight(converted));
    } else {
        // The game goes on with an empty texture; the player's console stays as it is.
        std::cerr << "Texture '" << nativePath << "' could not be read; it stays empty."
                  << std::endl;
    }

    GLuint name = 0;
    glGenTextures(1, &name);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, name);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_BGRA, GL_UNSIGNED_BYTE, pixels);
    glGenerateMipmap(GL_TEXTURE_2D);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    // Clamp on both axes: the meshes map each face onto the whole picture, and repeating
    // would bleed the opposite edge into it under linear filtering.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);

    if (converted != nullptr) {
        FreeImage_Unload(converted);
    }
    if (decoded != nullptr) {
        FreeImage_Unload(decoded);
    }
    return name;
}

} // namespace Pellwin
