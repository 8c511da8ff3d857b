// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/ShaderProgram.h"

#include "app/AssetPath.h"
#include "app/ConsolePause.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

namespace Pellwin {

static ShaderProgram* buildProgram(const std::string& vertexPath, const std::string& secondPath,
                                   GLenum secondStage) {
    ShaderProgram* program = new ShaderProgram{0, 0, 0, 0};
    program->programId = glCreateProgram();
    if (program->programId == 0) {
        std::cout << "ERROR: Could not create program." << std::endl;
        exitAfterPause(-1);
    }
    program->vertexShaderId = compileShaderFile(vertexPath, GL_VERTEX_SHADER);
    GLuint second = compileShaderFile(secondPath, secondStage);
    if (secondStage == GL_GEOMETRY_SHADER) {
        program->geometryShaderId = second;
    } else {
        program->fragmentShaderId = second;
    }
    linkShaderProgram(*program);
    return program;
}

ShaderProgram* loadShaderProgram(const std::string& vertexPath, const std::string& fragmentPath) {
    return buildProgram(vertexPath, fragmentPath, GL_FRAGMENT_SHADER);
}

ShaderProgram* loadGeometryShaderProgram(const std::string& vertexPath,
                                         const std::string& geometryPath) {
    return buildProgram(vertexPath, geometryPath, GL_GEOMETRY_SHADER);
}

static std::string readWholeFile(const std::string& path) {
    std::ifstream file(toNativePath(path));
    if (file.fail()) {
        std::cout << "ERROR: Load file '" << path << "'." << std::endl;
    }
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    // Windows line ends reach the compiler as single newlines, as a text-mode read would give.
    std::string unixText;
    unixText.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            continue;
        }
        unixText.push_back(text[i]);
    }
    return unixText;
}

static void printLogAndExit(const std::vector<char>& log) {
    std::cout << (log.empty() ? "" : log.data()) << std::endl;
    exitAfterPause(1);
}

GLuint compileShaderFile(const std::string& path, GLenum stage) {
    std::string text = readWholeFile(path);
    GLuint shader = glCreateShader(stage);
    if (shader == 0) {
        std::cout << "ERROR: failed to create shader" << std::endl;
        exitAfterPause(-1);
    }
    const char* source = text.c_str();
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint status = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &status);
    if (status == 0) {
        GLint length = 0;
        glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
        std::vector<char> log(static_cast<size_t>(length > 0 ? length : 1), '\0');
        glGetShaderInfoLog(shader, length, nullptr, log.data());
        printLogAndExit(log);
    }
    return shader;
}

void linkShaderProgram(ShaderProgram& program) {
    glAttachShader(program.programId, program.vertexShaderId);
    glAttachShader(program.programId, program.geometryShaderId != 0 ? program.geometryShaderId
                                                                    : program.fragmentShaderId);
    glBindFragDataLocation(program.programId, 0, "fragColor");
    glLinkProgram(program.programId);
    requireLinked(program.programId);
}

void requireLinked(GLuint programId) {
    GLint status = 0;
    glGetProgramiv(programId, GL_LINK_STATUS, &status);
    if (status == 0) {
        GLint length = 0;
        glGetProgramiv(programId, GL_INFO_LOG_LENGTH, &length);
        std::vector<char> log(static_cast<size_t>(length > 0 ? length : 1), '\0');
        glGetProgramInfoLog(programId, length, nullptr, log.data());
        printLogAndExit(log);
    }
}

void destroyShaderProgram(ShaderProgram* program) {
    if (program == nullptr) {
        return;
    }
    glDeleteProgram(program->programId);
    glDeleteShader(program->vertexShaderId);
    glDeleteShader(program->fragmentShaderId);
    // The geometry stage is released too; leaving it would leak a shader object per run.
    glDeleteShader(program->geometryShaderId);
    delete program;
}

} // namespace Pellwin
