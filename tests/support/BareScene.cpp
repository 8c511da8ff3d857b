// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/BareScene.h"

#include "app/GameLoop.h"
#include "app/Hotkeys.h"
#include "app/KeyInput.h"
#include "app/Level.h"
#include "scene/LoadModel.h"
#include "scene/SceneCatalogue.h"
#include "sim/Camera.h"
#include "sim/Controller.h"
#include "sim/GameUpdate.h"
#include "support/KeyScript.h"

namespace TolvaTest {

using namespace Pellwin;

void buildBareScene() {
    for (int i = 0; i < sceneObjectCount; ++i) {
        LoadModel* object = new LoadModel();
        object->scaleFactor = glm::vec3(1.0f, 1.0f, 1.0f);
        *sceneObjectSlot(i) = object;
    }
    camera = new Camera();
    controller = new Controller(nullptr);
    particleSystem = nullptr;
    deltaTime = 0.0f;
    playing = true;
    goalReached = roundLost = hazardHit = blocked = raisedLevel = false;
    knivesFalling = true;
    lastSunDistance = 0.0f;
    resetRenderSettings();
}

void destroyBareScene() {
    for (int i = 0; i < sceneObjectCount; ++i) {
        delete *sceneObjectSlot(i);
        *sceneObjectSlot(i) = nullptr;
    }
    delete camera;
    camera = nullptr;
    delete controller;
    controller = nullptr;
}

void layOutBareLevel() {
    buildBareScene();
    layOutLevel();
    useScriptedKeys();
    deltaTime = frame64;
}

} // namespace TolvaTest
