#pragma once
#include <GL/glew.h>
#include <string>
#include <unordered_map>

namespace Pellwin {

// Keyed by the path exactly as written: two spellings of one file are two textures.
extern std::unordered_map<std::string, GLuint> textureCache;

GLuint loadTexture(std::string path);

} // namespace Pellwin
