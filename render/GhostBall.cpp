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

// A cold blue, so the ghost never passes for the ball itself.
const glm::vec3 ghostTint(0.45f, 0.8f, 1.0f);

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

void drawGhostBall() {
    if (!placed || player == nullptr) {
        return;
    }
    // The ball's own mesh, program and texture, borrowed for one draw at the ghost's place;
    // the ball's matrix is put back exactly as it was.
    const glm::mat4 ballMatrix = player->modelMatrix;
    player->modelMatrix[3] = glm::vec4(place, 1.0f);
    const glm::vec3 tint = ghostTint * ghostAlpha;
    glEnable(GL_BLEND);
    glBlendColor(tint.r, tint.g, tint.b, ghostAlpha);
    glBlendFunc(GL_CONSTANT_COLOR, GL_ONE_MINUS_CONSTANT_ALPHA);
    glDepthMask(GL_FALSE);
    player->drawOpaque(projectionMatrix, viewMatrix);
    glDepthMask(GL_TRUE);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glBlendColor(0.0f, 0.0f, 0.0f, 0.0f);
    glDisable(GL_BLEND);
    player->modelMatrix = ballMatrix;
}

} // namespace Pellwin
