// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/FrameRenderer.h"

#include "app/Hotkeys.h"
#include "app/WindowSettings.h"
#include "render/FrustumCulling.h"
#include "render/ParticleSystem.h"
#include "render/RenderTarget.h"
#include "render/SunVisibility.h"
#include "scene/LoadModel.h"
#include "scene/SceneCatalogue.h"
#include "sim/Camera.h"

#include <GL/glew.h>
#include <iostream>

namespace Pellwin {

glm::mat4 projectionMatrix = identityMatrix();
glm::mat4 viewMatrix = identityMatrix();
int drawnObjectCount = 0;

namespace {

bool passesCulling(const LoadModel* object, double radius) {
    return !cullingEnabled || sphereInFrustum(object->center, projectionMatrix, viewMatrix,
                                              object->modelMatrix, radius);
}

void drawCounted(LoadModel* object, bool transparent) {
    if (object == nullptr || !passesCulling(object, object->radius)) {
        return;
    }
    object->draw(projectionMatrix, viewMatrix, transparent);
    ++drawnObjectCount;
}

} // namespace

void drawIfVisible(LoadModel* object) {
    drawCounted(object, transparencyEnabled);
}

void drawIfVisibleBlended(LoadModel* object) {
    drawCounted(object, true);
}

void renderFrame() {
    glBindFramebuffer(GL_FRAMEBUFFER, sceneFramebuffer);
    glViewport(0, 0, renderTargetWidth, renderTargetHeight);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    renderScene();
    renderMotionBlur(projectionMatrix, viewMatrix);
}

void renderScene() {
    projectionMatrix = perspectiveDegrees(90.0f, windowAspectRatio(), 0.1f, 1000.0f);
    drawnObjectCount = 0;
    viewMatrix = camera->view;

    // Near things first, so the rasteriser skips what they hide: most of the floor under
    // the worktop, the feet of the walls. The order used to be player, rightWall, leftWall,
    // sky, sun, backWall, floor, counter, marbleSlab, vegetableBoard, and every pixel must
    // come out as it did. Opaque pictures have alpha 1, so blending them does not depend
    // on what lies behind; the see-through sun and far wall still come after the sky that
    // shows through them. What is left are depth ties where two objects touch: with
    // GL_LESS the one drawn first keeps the pixel. An object that now comes after one it
    // touches and used to precede (the floor after the worktop; the far wall and the side
    // walls after the floor and the worktop) is drawn with GL_LEQUAL, so it keeps those
    // pixels as before.
    for (LoadModel* object : {player, counter, marbleSlab, sky, sun}) {
        drawIfVisible(object);
    }
    glDepthFunc(GL_LEQUAL);
    for (LoadModel* object : {floor, backWall, rightWall, leftWall}) {
        drawIfVisible(object);
    }
    glDepthFunc(GL_LESS);
    drawIfVisible(vegetableBoard);
    if (lightmapModel != nullptr && passesCulling(lightmapModel, lightmapModel->radius)) {
        lightmapModel->drawOpaque(projectionMatrix, viewMatrix);
        ++drawnObjectCount;
    }
    for (LoadModel* object : {pedestal, earth, moon}) {
        drawIfVisible(object);
    }
    // The steam may rise out of view of the pot itself, so it is tested with a doubled sphere.
    if (pot == nullptr || passesCulling(pot, 2.0 * pot->radius)) {
        drawParticles();
        ++drawnObjectCount;
    }
    for (LoadModel* object :
         {pot, flyingKnife, fallingKnife1, fallingKnife2, fallingKnife3, fallingKnife4,
          fallingKnife5, fallingKnife6, plank1, plank2, plank3}) {
        drawIfVisible(object);
    }
    if (!sunLineBlocked()) {
        glDisable(GL_DEPTH_TEST);
        for (LoadModel* flare : {flareStar, flareRing, flareSun, flareStar2}) {
            drawIfVisibleBlended(flare);
        }
        glEnable(GL_DEPTH_TEST);
    }
    if (printObjectCount) {
        std::cout << "obj:" << drawnObjectCount << std::endl;
    }
}

} // namespace Pellwin
