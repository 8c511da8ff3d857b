// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/RenderTarget.h"

#include "app/GameLoop.h"
#include "app/WindowSettings.h"
#include "render/BlurSharpness.h"
#include "render/ShaderProgram.h"
#include "scene/LoadModel.h"
#include "scene/SceneCatalogue.h"

#include <glm/gtc/type_ptr.hpp>
#include <iostream>
#include <malloc.h>

namespace Pellwin {

GLuint sceneFramebuffer = 0;
GLuint sceneColorTexture = 0;
GLuint sceneDepthTexture = 0;
GLuint screenQuadBuffer = 0;
GLuint screenQuadVertexArray = 0;
glm::mat4 previousViewProjection = identityMatrix();
glm::vec3 previousBallPosition(0.0f, 0.0f, 0.0f);
glm::vec3 currentBallPosition(0.0f, 0.0f, 0.0f);

namespace {

bool oldTargetMayBeHeld = false;

const GLfloat screenQuadCorners[18] = {-1.0f, -1.0f, 0.0f, 1.0f, -1.0f, 0.0f, -1.0f, 1.0f, 0.0f,
                                       -1.0f, 1.0f,  0.0f, 1.0f, -1.0f, 0.0f, 1.0f,  1.0f, 0.0f};

void setNearestClamped() {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
}

// Every restart makes a new target; without this each one would leak about 5 MB.
void releaseRenderTarget() {
    glDeleteFramebuffers(1, &sceneFramebuffer);
    glDeleteTextures(1, &sceneColorTexture);
    glDeleteTextures(1, &sceneDepthTexture);
    glDeleteBuffers(1, &screenQuadBuffer);
    glDeleteVertexArrays(1, &screenQuadVertexArray);
    sceneFramebuffer = sceneColorTexture = sceneDepthTexture = 0;
    screenQuadBuffer = screenQuadVertexArray = 0;
}

} // namespace

void returnFreedTargetMemory() {
    if (!oldTargetMayBeHeld) {
        return;
    }
    oldTargetMayBeHeld = false;
    // The allocator keeps freed blocks in its heap and their pages resident: start-up's
    // pictures after the first set-up, the last level's 3 MB buffers after each restart.
    // The driver lets go of the old colour buffer only when a draw replaces its binding,
    // so trimming at the set-up itself left 3 MB more or less resident, by chance.
    malloc_trim(0);
}

void createRenderTarget() {
    releaseRenderTarget();
    oldTargetMayBeHeld = true;
    glGenFramebuffers(1, &sceneFramebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, sceneFramebuffer);

    glGenTextures(1, &sceneColorTexture);
    glBindTexture(GL_TEXTURE_2D, sceneColorTexture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, renderTargetWidth, renderTargetHeight, 0, GL_RGB,
                 GL_UNSIGNED_BYTE, nullptr);
    setNearestClamped();

    glGenTextures(1, &sceneDepthTexture);
    glBindTexture(GL_TEXTURE_2D, sceneDepthTexture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT24, renderTargetWidth, renderTargetHeight, 0,
                 GL_DEPTH_COMPONENT, GL_FLOAT, nullptr);
    setNearestClamped();

    glFramebufferTexture(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, sceneColorTexture, 0);
    glFramebufferTexture(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, sceneDepthTexture, 0);
    const GLenum drawBuffers[1] = {GL_COLOR_ATTACHMENT0};
    glDrawBuffers(1, drawBuffers);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        std::cerr << "GL: Framebuffer object is not complete." << std::endl;
    }

    // The pass has a vertex array of its own so the scene objects' ones stay untouched.
    glGenVertexArrays(1, &screenQuadVertexArray);
    glGenBuffers(1, &screenQuadBuffer);
    glBindBuffer(GL_ARRAY_BUFFER, screenQuadBuffer);
    glBufferData(GL_ARRAY_BUFFER, sizeof(screenQuadCorners), screenQuadCorners, GL_STATIC_DRAW);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

namespace {

// What one blur pass reads; kept so a paused game can show its last picture again.
struct BlurInputs {
    glm::mat4 projection = identityMatrix();
    glm::mat4 view = identityMatrix();
    glm::vec3 previousBall{0.0f};
    glm::vec3 currentBall{0.0f};
    float seconds = 0.0f;
};
BlurInputs lastPass;

void setBlurUniforms(GLuint programId, const BlurInputs& in) {
    glUniform1i(glGetUniformLocation(programId, "blurTexture"), 0);
    glUniform1i(glGetUniformLocation(programId, "depthBlurTexture"), 1);
    const glm::mat4 viewProjectionInverse = glm::inverse(in.view * in.projection);
    glUniformMatrix4fv(glGetUniformLocation(programId, "vpInverse"), 1, GL_FALSE,
                       glm::value_ptr(viewProjectionInverse));
    glUniformMatrix4fv(glGetUniformLocation(programId, "vpPrevious"), 1, GL_FALSE,
                       glm::value_ptr(previousViewProjection));
    glUniform3fv(glGetUniformLocation(programId, "blurPrevPosition"), 1,
                 glm::value_ptr(in.previousBall));
    glUniform3fv(glGetUniformLocation(programId, "blurCurrentPosition"), 1,
                 glm::value_ptr(in.currentBall));
    glUniform1f(glGetUniformLocation(programId, "deltaT"), in.seconds);
}

void drawBlurPass(const BlurInputs& in) {
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    // The 1024 x 768 picture is stretched over the whole window, whatever its size.
    const glm::ivec2 window = framebufferSize();
    glViewport(0, 0, window.x, window.y);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    const GLuint programId = blurShader->programId;
    glUseProgram(programId);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, sceneColorTexture);
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, sceneDepthTexture);
    setBlurUniforms(programId, in);

    glBindVertexArray(screenQuadVertexArray);
    glEnableVertexAttribArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, screenQuadBuffer);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 0, nullptr);
    // A scaled copy would take a neighbouring texel here and there where the program's
    // sampling does not, so only a window of the target's own size is copied into.
    const bool sameSize = window == glm::ivec2(renderTargetWidth, renderTargetHeight);
    if (sameSize && blurLeavesPictureSharp(in.previousBall, in.currentBall, in.seconds)) {
        // The program would only copy the picture, texel for texel, at the cost of a full
        // blur; the copy alone is many times cheaper and gives the same pixels.
        glBindFramebuffer(GL_READ_FRAMEBUFFER, sceneFramebuffer);
        glBlitFramebuffer(0, 0, renderTargetWidth, renderTargetHeight, 0, 0, window.x, window.y,
                          GL_COLOR_BUFFER_BIT, GL_NEAREST);
        glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    } else {
        glDrawArrays(GL_TRIANGLES, 0, 6);
    }
    glDisableVertexAttribArray(0);
}

} // namespace

void renderMotionBlur(glm::mat4 projection, glm::mat4 view) {
    lastPass = {projection, view, previousBallPosition, currentBallPosition, deltaTime};
    drawBlurPass(lastPass);
    previousBallPosition = currentBallPosition;
    if (player != nullptr) {
        player->getPosition(currentBallPosition);
    }
}

void redrawLastBlurPass() {
    drawBlurPass(lastPass);
}

} // namespace Pellwin
