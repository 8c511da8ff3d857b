// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "scene/TextureMipmaps.h"

#include <GL/glew.h>
#include <string>
#include <unordered_map>
#include <vector>

namespace Pellwin {

// Keyed by the path exactly as written: two spellings of one file are two textures.
extern std::unordered_map<std::string, GLuint> textureCache;

GLuint loadTexture(std::string path);

// The decode half of loadTexture: 32-bit pixels (blue, green, red, alpha; bottom row
// first) of a file path as the system spells it. Needs no GL. False, with nothing filled
// in, when the file cannot be read.
bool decodeTexture(const std::string& nativePath, int& width, int& height,
                   std::vector<unsigned char>& pixels);

// Fills the bound texture with a picture and its smaller levels (the driver's when the
// chain holds none), filtered trilinearly and clamped at the edges.
void uploadPicture(const MipmapChain& picture);

// decodeTexture's pixels as level 0 of a chain, with the smaller levels the loader makes
// itself (see makesOwnMipmaps). False, with an empty chain, when the file cannot be read.
bool decodePicture(const std::string& nativePath, MipmapChain& picture);

} // namespace Pellwin
