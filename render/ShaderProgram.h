// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <GL/glew.h>
#include <string>

namespace Pellwin {

struct ShaderProgram {
    GLuint programId;
    GLuint vertexShaderId;
    GLuint fragmentShaderId;
    GLuint geometryShaderId;
};

// Both builders end the process on any shader failure; they never return a half-built program.
ShaderProgram* loadShaderProgram(const std::string& vertexPath, const std::string& fragmentPath);
ShaderProgram* loadGeometryShaderProgram(const std::string& vertexPath,
                                         const std::string& geometryPath);

// A program the game can do without, such as the overlay's: null when a file is missing or
// a stage does not compile or link, with nothing printed; the game plays on without it.
ShaderProgram* loadOptionalShaderProgram(const std::string& vertexPath,
                                         const std::string& fragmentPath);

GLuint compileShaderFile(const std::string& path, GLenum stage);
void linkShaderProgram(ShaderProgram& program);
// After a link: on failure prints the program's log and ends the process with status 1.
void requireLinked(GLuint programId);
void destroyShaderProgram(ShaderProgram* program);

} // namespace Pellwin
