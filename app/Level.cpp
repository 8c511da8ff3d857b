// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Level.h"

#include "app/GameLoop.h"
#include "render/RenderTarget.h"
#include "scene/LoadModel.h"
#include "scene/SceneCatalogue.h"
#include "sim/Controller.h"
#include "sim/GameUpdate.h"
#include "sim/WorldRules.h"

#include <cmath>

namespace Pellwin {

LoadModel* hazardSlots[fallingKnifeCount] = {};

namespace {

LoadModel* placeKnife(LoadModel* knife, float side, float z) {
    knife->boxSize = glm::vec3(2.8f, 0.35f, 0.1f);
    knife->scale(5.5f, 5.5f, 5.5f);
    knife->rotate(0.0f, 1.0f, 0.0f, side * 90.0f);
    knife->setPosition(side * knifeSideX, knifeStartHeight, z);
    return knife;
}

void placeScreen(LoadModel* screen) {
    screen->translate(1.0f, -2.0f, 0.0f);
    screen->scale(5.0f, 5.0f, 0.0f);
}

void placeFlareAtPlayer(LoadModel* flare, float size) {
    glm::vec3 at;
    player->getPosition(at);
    flare->boxSize = glm::vec3(0.5f, 0.5f, 0.5f);
    flare->setPosition(at.x, at.y, at.z);
    flare->scale(size, size, 0.0f);
}

void undoScreen(LoadModel* screen) {
    screen->setPosition(0.0f, 0.0f, 0.0f);
    screen->scale(0.2f, 0.2f, 0.0f);
}

void undoFlare(LoadModel* flare) {
    flare->scale(1.0f / flare->scaleFactor.x, 1.0f / flare->scaleFactor.y, 0.0f);
}

void undoPlank(LoadModel* plank) {
    plank->setPosition(0.0f, 0.0f, 0.0f);
    plank->scale(2.0f / 9.0f, 0.5f, 2.0f);
}

// A knife taken off the level is back at the identity but for rounding, and that
// rounding would add up over many restarts; it takes the exact identity instead. An
// object that is not near the identity (undone from the wrong side) is left alone.
void settleAtIdentity(LoadModel* object) {
    const glm::mat4 identity = identityMatrix();
    for (int column = 0; column < 4; ++column) {
        for (int row = 0; row < 4; ++row) {
            if (std::fabs(object->modelMatrix[column][row] - identity[column][row]) >= 1e-3f) {
                return;
            }
        }
    }
    object->modelMatrix = identity;
    if (glm::all(
            glm::lessThan(glm::abs(object->scaleFactor - glm::vec3(1.0f)), glm::vec3(1e-3f)))) {
        object->scaleFactor = glm::vec3(1.0f, 1.0f, 1.0f);
    }
}

// Undoes placeKnife when side is the negative of the side it was placed with.
void unplaceKnife(LoadModel* knife, float side) {
    knife->setPosition(0.0f, 0.0f, 0.0f);
    knife->rotate(0.0f, 1.0f, 0.0f, side * 90.0f);
    knife->scale(2.0f / 11.0f, 2.0f / 11.0f, 2.0f / 11.0f);
    settleAtIdentity(knife);
}

// Every object in its place, in the level's own order of steps. Needs no GL.
void placeLevelObjects() {
    placeScreen(gameOverScreen);
    placeScreen(youWonScreen);
    placeScreen(titleScreen);

    player->boxSize = glm::vec3(1.0f, 1.0f, 1.0f);
    player->setPosition(0.0f, 5.0f, -9.0f);

    rightWall->translate(15.0f, 0.0f, 0.0f);
    rightWall->scale(0.0f, 20.0f, 100.0f);
    leftWall->translate(-15.0f, 0.0f, 0.0f);
    leftWall->scale(0.0f, 20.0f, 100.0f);
    backWall->translate(0.0f, 0.0f, -100.0f);
    backWall->scale(30.0f, 20.0f, 0.0f);
    frontWall->scale(30.0f, 20.0f, 0.0f);
    floor->scale(30.0f, 0.0f, 100.0f);
    sun->translate(-2.0f, 11.0f, -102.0f);
    sun->scale(5.0f, 5.0f, 0.0f);
    sky->translate(0.0f, 0.0f, -104.0f);
    sky->scale(30.0f, 20.0f, 0.0f);

    marbleSlab->boxSize = glm::vec3(1.0f, 1.0f, 1.0f);
    marbleSlab->translate(0.0f, 5.0f, -30.0f);
    marbleSlab->scale(20.0f, 0.5f, 20.0f);
    stoneDisc->translate(0.0f, 5.01f, -60.0f);
    stoneDisc->scale(10.0f, 0.0f, 10.0f);
    vegetableBoard->translate(-15.0f, 5.0f, -20.0f);
    vegetableBoard->scale(1.0f, 9.0f, 16.0f);
    lightmapModel->translate(-14.99f, 5.01f, -55.0f);
    pedestal->translate(-13.49f, 0.0f, -53.5f);
    pedestal->scale(3.0f, 5.0f, 3.0f);

    plank1->boxSize = glm::vec3(1.0f, 0.5f, 8.5f);
    plank1->translate(-1.0f, 5.0f, -15.0f);
    plank1->scale(4.5f, 2.0f, 0.5f);
    plank2->boxSize = glm::vec3(1.0f, 0.5f, 8.5f);
    plank2->translate(1.0f, 5.0f, -70.0f);
    plank2->scale(4.5f, 2.0f, 0.5f);
    plank3->translate(0.0f, -5.0f, 0.0f);
    plank3->scale(0.0f, 0.0f, 0.0f);

    placeFlareAtPlayer(flareStar, 0.5f);
    placeFlareAtPlayer(flareRing, 0.65f);
    placeFlareAtPlayer(flareSun, 1.3f);
    placeFlareAtPlayer(flareStar2, 2.0f);

    // A new level measures the approach to the sun afresh; carried over from a lost game,
    // the old distance would grow the sprites at every restart.
    lastSunDistance = 0.0f;
    placeFlares();

    // The globes keep their turn from game to game; they are put in place directly, as a
    // way there along their turned axes would drift by rounding at every restart.
    earth->setPosition(0.0f, 8.5f, -40.0f);
    moon->setPosition(0.0f, 8.5f, -40.0f);
    moon->scale(0.3f, 0.3f, 0.3f);
    pot->boxSize = glm::vec3(1.0f, 1.5f, 1.0f);
    pot->setPosition(particleEmitterPosition.x, particleEmitterPosition.y,
                     particleEmitterPosition.z);
    pot->scale(2.0f, 1.0f, 1.0f);
    flyingKnife->boxSize = glm::vec3(1.0f, 1.0f, 0.1f);
    flyingKnife->setPosition(20.0f, 5.0f, -12.0f);
    flyingKnife->rotate(0.0f, 1.0f, 0.0f, 90.0f);

    for (int k = 0; k < fallingKnifeCount; ++k) {
        hazardSlots[k] = placeKnife(*fallingKnives[k], knifeStarts[k].side, knifeStarts[k].z);
    }
    knivesFalling = true;

    counter->translate(0.0f, 0.0f, -5.0f);
    counter->scale(20.0f, 5.0f, 95.0f);

    if (controller != nullptr) {
        controller->barriers[0] = marbleSlab;
        controller->barriers[1] = plank1;
        controller->barriers[2] = plank2;
    }
}

// Brings every object but the falling knives and the vanished third plank back to the
// matrix it had before placeLevelObjects.
void undoLevelPlacement() {
    player->modelMatrix = identityMatrix();
    undoScreen(gameOverScreen);
    undoScreen(youWonScreen);
    undoScreen(titleScreen);
    rightWall->translate(-15.0f, 0.0f, 0.0f);
    rightWall->scale(0.0f, 0.05f, 0.01f);
    leftWall->translate(15.0f, 0.0f, 0.0f);
    leftWall->scale(0.0f, 0.05f, 0.01f);
    backWall->translate(0.0f, 0.0f, 100.0f);
    backWall->scale(1.0f / 30.0f, 0.05f, 0.0f);
    frontWall->scale(1.0f / 30.0f, 0.05f, 0.0f);
    floor->scale(1.0f / 30.0f, 0.0f, 0.01f);
    sun->scale(0.2f, 0.2f, 0.0f);
    sun->translate(2.0f, -11.0f, 102.0f);
    sky->scale(1.0f / 30.0f, 0.05f, 0.0f);
    sky->translate(0.0f, 0.0f, 104.0f);
    marbleSlab->setPosition(0.0f, 0.0f, 0.0f);
    marbleSlab->scale(0.05f, 2.0f, 0.05f);
    stoneDisc->scale(0.1f, 0.0f, 0.1f);
    stoneDisc->translate(0.0f, -5.01f, 60.0f);
    vegetableBoard->setPosition(0.0f, 0.0f, 0.0f);
    vegetableBoard->scale(1.0f, 1.0f / 9.0f, 0.0625f);
    lightmapModel->setPosition(0.0f, 0.0f, 0.0f);
    pedestal->setPosition(0.0f, 0.0f, 0.0f);
    pedestal->scale(1.0f / 3.0f, 0.2f, 1.0f / 3.0f);
    undoPlank(plank1);
    undoPlank(plank2);
    undoFlare(flareStar);
    undoFlare(flareRing);
    undoFlare(flareSun);
    undoFlare(flareStar2);
    earth->setPosition(0.0f, 0.0f, 0.0f);
    moon->scale(10.0f / 3.0f, 10.0f / 3.0f, 10.0f / 3.0f);
    moon->setPosition(0.0f, 0.0f, 0.0f);
    pot->scale(0.5f, 1.0f, 1.0f);
    flyingKnife->setPosition(0.0f, 0.0f, 0.0f);
    flyingKnife->rotate(0.0f, -1.0f, 0.0f, 90.0f);
    settleAtIdentity(flyingKnife);
    counter->setPosition(0.0f, 0.0f, 0.0f);
    counter->scale(0.05f, 0.2f, 1.0f / 95.0f);
    if (controller != nullptr) {
        controller->rightSteps = 0;
        controller->leftSteps = 0;
    }
}

} // namespace

void resetLevel() {
    createRenderTarget();
    layOutLevel();
}

void layOutLevel() {
    roundLost = false;
    hazardHit = false;
    raisedLevel = false;
    placeLevelObjects();
}

void takeLevelDown() {
    undoLevelPlacement();
    for (int k = 0; k < fallingKnifeCount; ++k) {
        unplaceKnife(*fallingKnives[k], -knifeStarts[k].side);
    }
}

void restartLevel() {
    takeLevelDown();
    resetLevel();
}

} // namespace Pellwin
