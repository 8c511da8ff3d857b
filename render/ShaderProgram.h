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

GLuint compileShaderFile(const std::string& path, GLenum stage);
void linkShaderProgram(ShaderProgram& program);
void destroyShaderProgram(ShaderProgram* program);

} // namespace Pellwin
