// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/Overlay.h"

#include "app/AssetPath.h"
#include "app/WindowSettings.h"
#include "render/GlyphLayout.h"
#include "render/ShaderProgram.h"
#include "scene/TextureCache.h"

#include <GL/glew.h>

namespace Pellwin {

namespace {

ShaderProgram* overlayProgram = nullptr;
GLuint letteringTexture = 0;
GLuint overlayVertexArray = 0;
GLuint overlayBuffer = 0;
// x, y, u, v, fill rgba, rim rgba for every corner of every queued triangle.
constexpr int floatsPerCorner = 12;
std::vector<GLfloat> queued;

// The outline reaches 0.3 dots past the ink.
constexpr float rimWidth = 0.15f;

GLuint loadLettering() {
    MipmapChain picture;
    if (!decodePicture(toNativePath("Resourcen\\Schrift.png"), picture) ||
        picture.width != lettering::pictureWidth || picture.height != lettering::pictureHeight) {
        return 0;
    }
    // Its sides halve exactly four times, down to far smaller letters than any window
    // shows; the driver's own generation would first compile its blit programs, which
    // costs start-up some 60 ms.
    addMipmapLevels(picture);
    GLuint name = 0;
    glGenTextures(1, &name);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, name);
    // Bottom row first, as decoded: v then counts up, like the framebuffer's y.
    uploadPicture(picture);
    glBindTexture(GL_TEXTURE_2D, 0);
    return name;
}

void pushCorner(float x, float y, float u, float v, const glm::vec4& fill, const glm::vec4& rim) {
    queued.insert(queued.end(),
                  {x, y, u, v, fill.r, fill.g, fill.b, fill.a, rim.r, rim.g, rim.b, rim.a});
}

} // namespace

void createOverlay() {
    destroyOverlay();
    // An extra: without its program or its lettering the game plays on without the overlay.
    overlayProgram = loadOptionalShaderProgram("Shader\\overlay.vert", "Shader\\overlay.frag");
    letteringTexture = overlayProgram != nullptr ? loadLettering() : 0;
    if (letteringTexture == 0) {
        destroyOverlay();
        return;
    }
    glGenVertexArrays(1, &overlayVertexArray);
    glGenBuffers(1, &overlayBuffer);
    glBindVertexArray(overlayVertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, overlayBuffer);
    const GLsizei stride = floatsPerCorner * sizeof(GLfloat);
    const int sizes[4] = {2, 2, 4, 4};
    size_t offset = 0;
    for (GLuint attribute = 0; attribute < 4; ++attribute) {
        glEnableVertexAttribArray(attribute);
        glVertexAttribPointer(attribute, sizes[attribute], GL_FLOAT, GL_FALSE, stride,
                              reinterpret_cast<const void*>(offset * sizeof(GLfloat)));
        offset += static_cast<size_t>(sizes[attribute]);
    }
    glBindVertexArray(0);
}

void destroyOverlay() {
    // Names are only ever made with a context; without one there is nothing to release.
    destroyShaderProgram(overlayProgram);
    if (letteringTexture != 0) {
        glDeleteTextures(1, &letteringTexture);
    }
    if (overlayBuffer != 0) {
        glDeleteBuffers(1, &overlayBuffer);
        glDeleteVertexArrays(1, &overlayVertexArray);
    }
    overlayProgram = nullptr;
    letteringTexture = overlayBuffer = overlayVertexArray = 0;
    queued.clear();
}

bool overlayReady() {
    return overlayProgram != nullptr;
}

void queueOverlay(const std::vector<OverlayQuad>& quads, glm::vec4 fill, glm::vec4 rim) {
    for (const OverlayQuad& q : quads) {
        pushCorner(q.left, q.bottom, q.uLeft, q.vBottom, fill, rim);
        pushCorner(q.right, q.bottom, q.uRight, q.vBottom, fill, rim);
        pushCorner(q.right, q.top, q.uRight, q.vTop, fill, rim);
        pushCorner(q.left, q.bottom, q.uLeft, q.vBottom, fill, rim);
        pushCorner(q.right, q.top, q.uRight, q.vTop, fill, rim);
        pushCorner(q.left, q.top, q.uLeft, q.vTop, fill, rim);
    }
}

void drawOverlay() {
    const glm::ivec2 size = framebufferSize();
    if (!overlayReady() || queued.empty() || size.x <= 0 || size.y <= 0) {
        queued.clear();
        return;
    }
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(0, 0, size.x, size.y);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    const GLuint program = overlayProgram->programId;
    glUseProgram(program);
    glUniform2f(glGetUniformLocation(program, "framebufferSize"), static_cast<float>(size.x),
                static_cast<float>(size.y));
    glUniform1f(glGetUniformLocation(program, "rimWidth"), rimWidth);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, letteringTexture);
    glUniform1i(glGetUniformLocation(program, "lettering"), 0);

    glBindVertexArray(overlayVertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, overlayBuffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(queued.size() * sizeof(GLfloat)),
                 queued.data(), GL_STREAM_DRAW);
    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(queued.size() / floatsPerCorner));
    queued.clear();

    glBindVertexArray(0);
    glBindTexture(GL_TEXTURE_2D, 0);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
}

} // namespace Pellwin
