// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/FrameRenderer.h"

#include "app/Hotkeys.h"
#include "app/WindowSettings.h"
#include "render/FrustumCulling.h"
#include "render/GhostBall.h"
#include "render/ParticleSystem.h"
#include "render/RenderTarget.h"
#include "render/SunVisibility.h"
#include "scene/LoadModel.h"
#include "scene/SceneCatalogue.h"
#include "sim/Camera.h"

#include <GL/glew.h>
#include <iostream>
#include <iterator>

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

// How a step of the draw order draws.
enum class Way {
    lit,           // drawIfVisible
    winningTies,   // drawIfVisible, keeping the pixels it ties with in depth
    unblended,     // without blending, whatever the transparency setting
    steam,         // the particles, culled with the pot's sphere doubled
    fallingKnives, // the six, drawIfVisible each
    lensFlare      // the four sprites over everything, unless a knife hides the sun
};

struct SceneDraw {
    const char* name;
    LoadModel** object;
    Way way;
};

// Near things first, so the rasteriser skips what they hide: most of the floor under the
// worktop, the feet of the walls. Opaque pictures have alpha 1, so blending them does not
// depend on what lies behind; the see-through sun and far wall come after the sky that
// shows through them. Where two objects meet, the depth test keeps the one drawn first
// (GL_LESS). The floor and the walls come after the worktop for speed, yet they own their
// seams with it, and the side walls own theirs with the far wall and the floor: so these
// four win depth ties (GL_LEQUAL), the last drawn keeping the pixel.
const SceneDraw drawOrder[] = {
    {"player", &player, Way::lit},
    {"counter", &counter, Way::lit},
    {"marbleSlab", &marbleSlab, Way::lit},
    {"sky", &sky, Way::lit},
    {"sun", &sun, Way::lit},
    {"floor", &floor, Way::winningTies},
    {"backWall", &backWall, Way::winningTies},
    {"rightWall", &rightWall, Way::winningTies},
    {"leftWall", &leftWall, Way::winningTies},
    {"vegetableBoard", &vegetableBoard, Way::lit},
    {"lightmapModel", &lightmapModel, Way::unblended},
    {"pedestal", &pedestal, Way::lit},
    {"earth", &earth, Way::lit},
    {"moon", &moon, Way::lit},
    {"particles", &pot, Way::steam},
    {"pot", &pot, Way::lit},
    {"flyingKnife", &flyingKnife, Way::lit},
    {"fallingKnives", nullptr, Way::fallingKnives},
    {"plank1", &plank1, Way::lit},
    {"plank2", &plank2, Way::lit},
    {"plank3", &plank3, Way::lit},
    {"lensFlare", nullptr, Way::lensFlare},
};

void drawStep(const SceneDraw& step) {
    LoadModel* const object = step.object != nullptr ? *step.object : nullptr;
    switch (step.way) {
    case Way::lit:
        drawIfVisible(object);
        break;
    case Way::winningTies:
        glDepthFunc(GL_LEQUAL);
        drawIfVisible(object);
        glDepthFunc(GL_LESS);
        break;
    case Way::unblended:
        if (object != nullptr && passesCulling(object, object->radius)) {
            object->drawOpaque(projectionMatrix, viewMatrix);
            ++drawnObjectCount;
        }
        break;
    case Way::steam:
        // The steam may rise out of view of the pot itself.
        if (object == nullptr || passesCulling(object, 2.0 * object->radius)) {
            drawParticles();
            ++drawnObjectCount;
        }
        break;
    case Way::fallingKnives:
        for (LoadModel** knife : fallingKnives) {
            drawIfVisible(*knife);
        }
        break;
    case Way::lensFlare:
        if (!sunLineBlocked()) {
            glDisable(GL_DEPTH_TEST);
            for (LoadModel** flare : lensFlares) {
                drawIfVisibleBlended(*flare);
            }
            glEnable(GL_DEPTH_TEST);
        }
        break;
    }
}

} // namespace

void drawIfVisible(LoadModel* object) {
    drawCounted(object, transparencyEnabled);
}

void drawIfVisibleBlended(LoadModel* object) {
    drawCounted(object, true);
}

void clearSceneTarget() {
    glBindFramebuffer(GL_FRAMEBUFFER, sceneFramebuffer);
    glViewport(0, 0, renderTargetWidth, renderTargetHeight);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void renderFrame() {
    clearSceneTarget();
    renderScene();
    drawGhostBall();
    renderMotionBlur(projectionMatrix, viewMatrix);
}

void renderScene(void (*afterEachDraw)(int step)) {
    projectionMatrix = perspectiveDegrees(90.0f, windowAspectRatio(), 0.1f, 1000.0f);
    drawnObjectCount = 0;
    viewMatrix = camera->view;
    for (int step = 0; step < static_cast<int>(std::size(drawOrder)); ++step) {
        drawStep(drawOrder[step]);
        if (afterEachDraw != nullptr) {
            afterEachDraw(step);
        }
    }
    if (printObjectCount) {
        std::cout << "obj:" << drawnObjectCount << std::endl;
    }
}

std::vector<std::string> sceneDrawNames() {
    std::vector<std::string> names;
    for (const SceneDraw& step : drawOrder) {
        names.emplace_back(step.name);
    }
    return names;
}

} // namespace Pellwin
