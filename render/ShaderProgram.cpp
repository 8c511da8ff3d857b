// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/ShaderProgram.h"

#include "app/AssetPath.h"
#include "app/ConsolePause.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

namespace Pellwin {

namespace {

// The game's own programs end the game when they fail, with the driver's log; an optional
// one is only left out.
enum class OnFailure { endGame, leaveOut };

// The whole file, as a text-mode read gives it: Windows line ends reach the compiler as
// single newlines. False when the file cannot be opened; the text is then empty.
bool readShaderText(const std::string& path, std::string& text) {
    std::ifstream file(toNativePath(path));
    const bool opened = !file.fail();
    const std::string raw((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    text.clear();
    text.reserve(raw.size());
    for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n') {
            continue;
        }
        text.push_back(raw[i]);
    }
    return opened;
}

// A shader's or a program's info log, as the driver wrote it.
std::vector<char> infoLog(GLuint object, PFNGLGETSHADERIVPROC getInfo,
                          PFNGLGETSHADERINFOLOGPROC getLog) {
    GLint length = 0;
    getInfo(object, GL_INFO_LOG_LENGTH, &length);
    std::vector<char> log(static_cast<size_t>(length > 0 ? length : 1), '\0');
    getLog(object, length, nullptr, log.data());
    return log;
}

void printLogAndExit(const std::vector<char>& log) {
    std::cout << log.data() << std::endl;
    exitAfterPause(1);
}

GLuint compileStage(const std::string& path, GLenum stage, OnFailure onFailure) {
    std::string text;
    if (!readShaderText(path, text)) {
        if (onFailure == OnFailure::leaveOut) {
            return 0;
        }
        // The empty text then fails to compile, and the driver's log ends the game.
        std::cout << "ERROR: Load file '" << path << "'." << std::endl;
    }
    const GLuint shader = glCreateShader(stage);
    if (shader == 0) {
        if (onFailure == OnFailure::leaveOut) {
            return 0;
        }
        std::cout << "ERROR: failed to create shader" << std::endl;
        exitAfterPause(-1);
    }
    const char* source = text.c_str();
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint status = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &status);
    if (status == 0) {
        if (onFailure == OnFailure::endGame) {
            printLogAndExit(infoLog(shader, glGetShaderiv, glGetShaderInfoLog));
        }
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

bool linked(GLuint programId) {
    GLint status = 0;
    glGetProgramiv(programId, GL_LINK_STATUS, &status);
    return status != 0;
}

void attachAndLink(const ShaderProgram& program) {
    glAttachShader(program.programId, program.vertexShaderId);
    glAttachShader(program.programId, program.geometryShaderId != 0 ? program.geometryShaderId
                                                                    : program.fragmentShaderId);
    glBindFragDataLocation(program.programId, 0, "fragColor");
    glLinkProgram(program.programId);
}

ShaderProgram* buildProgram(const std::string& vertexPath, const std::string& secondPath,
                            GLenum secondStage, OnFailure onFailure) {
    ShaderProgram* program = new ShaderProgram{0, 0, 0, 0};
    program->programId = glCreateProgram();
    if (program->programId == 0 && onFailure == OnFailure::endGame) {
        std::cout << "ERROR: Could not create program." << std::endl;
        exitAfterPause(-1);
    }
    program->vertexShaderId = compileStage(vertexPath, GL_VERTEX_SHADER, onFailure);
    const GLuint second = compileStage(secondPath, secondStage, onFailure);
    if (secondStage == GL_GEOMETRY_SHADER) {
        program->geometryShaderId = second;
    } else {
        program->fragmentShaderId = second;
    }
    if (onFailure == OnFailure::endGame) {
        linkShaderProgram(*program);
        return program;
    }
    if (program->programId != 0 && program->vertexShaderId != 0 && second != 0) {
        attachAndLink(*program);
        if (linked(program->programId)) {
            return program;
        }
    }
    destroyShaderProgram(program);
    return nullptr;
}

} // namespace

ShaderProgram* loadShaderProgram(const std::string& vertexPath, const std::string& fragmentPath) {
    return buildProgram(vertexPath, fragmentPath, GL_FRAGMENT_SHADER, OnFailure::endGame);
}

ShaderProgram* loadGeometryShaderProgram(const std::string& vertexPath,
                                         const std::string& geometryPath) {
    return buildProgram(vertexPath, geometryPath, GL_GEOMETRY_SHADER, OnFailure::endGame);
}

ShaderProgram* loadOptionalShaderProgram(const std::string& vertexPath,
                                         const std::string& fragmentPath) {
    return buildProgram(vertexPath, fragmentPath, GL_FRAGMENT_SHADER, OnFailure::leaveOut);
}

GLuint compileShaderFile(const std::string& path, GLenum stage) {
    return compileStage(path, stage, OnFailure::endGame);
}

void linkShaderProgram(ShaderProgram& program) {
    attachAndLink(program);
    requireLinked(program.programId);
}

void requireLinked(GLuint programId) {
    if (!linked(programId)) {
        printLogAndExit(infoLog(programId, glGetProgramiv, glGetProgramInfoLog));
    }
}

void destroyShaderProgram(ShaderProgram* program) {
    if (program == nullptr) {
        return;
    }
    glDeleteProgram(program->programId);
    glDeleteShader(program->vertexShaderId);
    // A program holds a fragment or a geometry stage; the other name is 0, which GL ignores.
    glDeleteShader(program->fragmentShaderId);
    glDeleteShader(program->geometryShaderId);
    delete program;
}

} // namespace Pellwin
