#include "bench/CpuOnly.h"

#include "support/BareScene.h"

#include "app/GameLoop.h"
#include "app/Hotkeys.h"
#include "app/Level.h"
#include "app/WindowSettings.h"
#include "bench/BenchKeys.h"
#include "bench/BenchSupport.h"
#include "render/FrustumCulling.h"
#include "render/RenderTarget.h"
#include "render/SunVisibility.h"
#include "scene/LoadModel.h"
#include "scene/SceneCatalogue.h"
#include "sim/Camera.h"
#include "sim/Controller.h"
#include "sim/GameUpdate.h"

#include <algorithm>
#include <vector>

namespace TolvaBench {

using namespace Pellwin;

namespace {

constexpr float frameSeconds = 1.0f / 60.0f;

void clearRoundFlags() {
    playing = true;
    goalReached = false;
    roundLost = false;
    hazardHit = false;
    raisedLevel = false;
}

void buildBareWorld() {
    TolvaTest::buildBareScene();
    windowWidth = renderTargetWidth;
    windowHeight = renderTargetHeight;
    deltaTime = frameSeconds;
    placeLevelObjects();
    clearRoundFlags();
}

void destroyBareWorld() {
    TolvaTest::destroyBareScene();
}

// The restart of the game minus its new render target, which needs GL.
void restartBareLevel() {
    takeLevelDown();
    placeLevelObjects();
    clearRoundFlags();
}

// What the scene pass tests before it draws, in its order; the steam goes with the pot's
// doubled sphere.
long countVisible() {
    const glm::mat4 projection = perspectiveDegrees(90.0f, windowAspectRatio(), 0.1f, 1000.0f);
    const glm::mat4 view = camera->view;
    long visible = 0;
    for (LoadModel* object :
         {player, rightWall, leftWall, sky, sun, backWall, Pellwin::floor, counter, marbleSlab,
          vegetableBoard, lightmapModel, pedestal, earth, moon}) {
        visible +=
            sphereInFrustum(object->center, projection, view, object->modelMatrix, object->radius);
    }
    visible += sphereInFrustum(pot->center, projection, view, pot->modelMatrix, 2.0 * pot->radius);
    for (LoadModel* object : {pot, flyingKnife, fallingKnife1, fallingKnife2, fallingKnife3,
                              fallingKnife4, fallingKnife5, fallingKnife6, plank1, plank2, plank3,
                              flareStar, flareRing, flareSun, flareStar2}) {
        visible +=
            sphereInFrustum(object->center, projection, view, object->modelMatrix, object->radius);
    }
    return visible;
}

} // namespace

__attribute__((noinline)) CpuLoopTally runCpuFrames(int frames, bool withCulling) {
    CpuLoopTally tally;
    double roundTime = 0.0;
    for (int frame = 0; frame < frames; ++frame) {
        if (goalReached || roundLost || hazardHit) {
            restartBareLevel();
            roundTime = 0.0;
            ++tally.rounds;
        }
        applyScript(winningRun, roundTime);
        deltaTime = frameSeconds;
        controller->handleInput();
        if (player->modelMatrix[3][2] <= goalZ) {
            goalReached = true;
        } else {
            updateGame();
            if (withCulling) {
                tally.visible += countVisible();
                tally.sunBlocked += sunLineBlocked() ? 1 : 0;
            }
        }
        roundTime += frameSeconds;
    }
    return tally;
}

void runCpuProfilePass(int frames) {
    useScriptedKeys();
    buildBareWorld();
    runCpuFrames(frames, true);
    destroyBareWorld();
}

CpuFigures runCpuOnly(int frames, int repetitions) {
    useScriptedKeys();
    CpuFigures figures;
    figures.frames = frames;
    figures.repetitions = repetitions;
    std::vector<double> whole;
    std::vector<double> logic;
    // One unmeasured pass first, so the measured ones start with warm caches.
    const int passes = repetitions > 1 ? repetitions + 1 : repetitions;
    for (int pass = 0; pass < passes; ++pass) {
        for (const bool withCulling : {true, false}) {
            buildBareWorld();
            const double start = threadCpuUs();
            const CpuLoopTally tally = runCpuFrames(frames, withCulling);
            const double perFrame = (threadCpuUs() - start) / std::max(frames, 1);
            destroyBareWorld();
            if (pass == 0 && passes > repetitions) {
                continue;
            }
            (withCulling ? whole : logic).push_back(perFrame);
            if (withCulling) {
                figures.rounds = tally.rounds;
                figures.visiblePerFrame = static_cast<double>(tally.visible) / std::max(frames, 1);
            }
        }
    }
    figures.usPerFrame = median(whole);
    figures.logicUsPerFrame = median(logic);
    figures.cullUsPerFrame = std::max(0.0, figures.usPerFrame - figures.logicUsPerFrame);
    return figures;
}

} // namespace TolvaBench
