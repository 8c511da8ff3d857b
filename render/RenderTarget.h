// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <GL/glew.h>
#include <glm/glm.hpp>

namespace Pellwin {

// The scene is always rendered at this size, whatever the window's size.
constexpr int renderTargetWidth = 1024;
constexpr int renderTargetHeight = 768;

extern GLuint sceneFramebuffer;
extern GLuint sceneColorTexture;
extern GLuint sceneDepthTexture;
extern GLuint screenQuadBuffer;
extern GLuint screenQuadVertexArray;
extern glm::mat4 previousViewProjection;
extern glm::vec3 previousBallPosition;
extern glm::vec3 currentBallPosition;

// Makes a fresh render target for a new level, releasing the previous level's one.
void createRenderTarget();

// Hands the heap's free memory back to the system once the first frame after a new
// render target has been shown.
void returnFreedTargetMemory();

// Draws the scene texture into the whole window through the blur program.
void renderMotionBlur(glm::mat4 projection, glm::mat4 view);

// The last blur pass once more, from the scene texture it read and the same inputs, into
// the window at its size now; the ball's history stays as it is.
void redrawLastBlurPass();

} // namespace Pellwin
