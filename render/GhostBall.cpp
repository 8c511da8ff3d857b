// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/GhostBall.h"

#include "render/FrameRenderer.h"
#include "scene/LoadModel.h"
#include "scene/SceneCatalogue.h"

#include <GL/glew.h>

namespace Pellwin {

namespace {

bool placed = false;
glm::vec3 place(0.0f);
// One texel of cold blue in place of the ball's orange skin, so the ghost never passes for
// the ball itself.
GLuint ghostTexture = 0;

} // namespace

void placeGhostBall(const glm::vec3& at) {
    placed = true;
    place = at;
}

void hideGhostBall() {
    placed = false;
}

bool ghostBallPlaced() {
    return placed;
}

void createGhostBall() {
    const unsigned char coldBlue[4] = {110, 190, 255, 255};
    glGenTextures(1, &ghostTexture);
    glBindTexture(GL_TEXTURE_2D, ghostTexture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, coldBlue);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glBindTexture(GL_TEXTURE_2D, 0);
}

void destroyGhostBall() {
    glDeleteTextures(1, &ghostTexture);
    ghostTexture = 0;
    placed = false;
}

void drawGhostBall() {
    if (!placed || player == nullptr || ghostTexture == 0) {
        return;
    }
    // The ball's own mesh and program, borrowed for one draw at the ghost's place; its
    // matrix and texture are put back exactly as they were.
    const glm::mat4 ballMatrix = player->modelMatrix;
    const GLuint ballTexture = player->texture;
    player->modelMatrix[3] = glm::vec4(place, 1.0f);
    player->texture = ghostTexture;
    glEnable(GL_BLEND);
    glBlendColor(0.0f, 0.0f, 0.0f, ghostAlpha);
    glBlendFunc(GL_CONSTANT_ALPHA, GL_ONE_MINUS_CONSTANT_ALPHA);
    glDepthMask(GL_FALSE);
    player->drawOpaque(projectionMatrix, viewMatrix);
    glDepthMask(GL_TRUE);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glBlendColor(0.0f, 0.0f, 0.0f, 0.0f);
    glDisable(GL_BLEND);
    player->modelMatrix = ballMatrix;
    player->texture = ballTexture;
}

} // namespace Pellwin
