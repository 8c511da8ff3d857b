// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/Controller.h"

#include "app/GameLoop.h"
#include "app/KeyInput.h"
#include "scene/LoadModel.h"
#include "scene/SceneCatalogue.h"
#include "sim/BoxOverlap.h"
#include "sim/GameUpdate.h"
#include "sim/WorldRules.h"

#include <GLFW/glfw3.h>

namespace Pellwin {

namespace {

struct TravelKey {
    int key;
    float factor;
};
const TravelKey travelKeys[3] = {
    {GLFW_KEY_W, forwardFactor}, {GLFW_KEY_R, fastForwardFactor}, {GLFW_KEY_S, backFactor}};

void setHeight(LoadModel* ball, float y) {
    ball->modelMatrix[3][1] = y;
}

float ballZ(const LoadModel* ball) {
    return ball->modelMatrix[3][2];
}

// The controller holds the ball against the slab lying flat: its height from the y of the
// scale with the z of the box, its depth from their other halves.
HalfExtents slabPairing(const LoadModel* object) {
    return {halfOf(object->scaleFactor.x, object->boxSize.x),
            halfOf(object->scaleFactor.y, object->boxSize.z),
            halfOf(object->scaleFactor.z, object->boxSize.y)};
}

bool inRaisedZone(float z) {
    return slabFarZ < z && z < slabNearZ;
}

} // namespace

Controller::Controller(GLFWwindow* window)
    : speed(ballBaseSpeed), jumping(false), window(window),
      player(Pellwin::player), barriers{nullptr, nullptr, nullptr}, jumpTime(0.0f),
      landedInRaisedZone(false), rightSteps(0), leftSteps(0) {
    if (window != nullptr) {
        glfwSetInputMode(window, GLFW_CURSOR, GLFW_CURSOR_HIDDEN);
    }
}

bool Controller::touchesBarrier(LoadModel* player, LoadModel* slab, LoadModel* plankA,
                                LoadModel* plankB) {
    if (slab != nullptr && boxesOverlap(translationOf(player->modelMatrix), slabPairing(player),
                                        translationOf(slab->modelMatrix), slabPairing(slab))) {
        return true;
    }
    for (const LoadModel* plank : {plankA, plankB}) {
        if (plank != nullptr && contactBoxesOverlap(*player, *plank)) {
            return true;
        }
    }
    return false;
}

void Controller::handleInput() {
    moveBall();
    steer();
}

void Controller::moveBall() {
    if (player == nullptr) {
        return;
    }
    const float dt = deltaTime;
    // Contact as the world's last step left it; the moves below do not change it.
    const bool wasBlocked = blocked;
    jumpTime += dt;
    jumpOrLand();
    travel(dt, wasBlocked);
    moveSideways(dt, wasBlocked);
}

void Controller::jumpOrLand() {
    if (isKeyPressed(window, GLFW_KEY_SPACE) && !jumping) {
        player->translate(0.0f, jumpHeight, 0.0f);
        jumping = true;
        jumpTime = 0.0f;
    }
    if (jumping && jumpTime >= jumpSeconds) {
        player->translate(0.0f, -jumpHeight, 0.0f);
        if (inRaisedZone(ballZ(player))) {
            landedInRaisedZone = true;
        }
        jumping = false;
        jumpTime = 0.0f;
    }
}

void Controller::travel(float dt, bool wasBlocked) {
    for (const TravelKey& key : travelKeys) {
        if (!isKeyPressed(window, key.key)) {
            continue;
        }
        // Off the slab a travel key puts a ball on the ground back on the worktop.
        if (!jumping && ballZ(player) > worktopEndZ) {
            setHeight(player, trackHeight);
            landedInRaisedZone = false;
        }
        if (!jumping && ballZ(player) < slabFarZ) {
            setHeight(player, trackHeight);
            landedInRaisedZone = false;
        }
        // In contact, a move that would end in contact again is taken back.
        const float step = key.factor * speed * dt;
        player->translate(0.0f, 0.0f, step);
        if (wasBlocked && !landedInRaisedZone &&
            touchesBarrier(player, barriers[0], barriers[1], barriers[2])) {
            player->translate(0.0f, 0.0f, -step);
        }
    }
}

void Controller::moveSideways(float dt, bool wasBlocked) {
    for (const float side : {-1.0f, 1.0f}) {
        if (!isKeyPressed(window, side < 0.0f ? GLFW_KEY_A : GLFW_KEY_D)) {
            continue;
        }
        if (!wasBlocked) {
            player->translate(sidewaysSpeed * side * dt, 0.0f, -sidewaysDrift * dt);
        } else if (!landedInRaisedZone &&
                   touchesBarrier(player, barriers[0], barriers[1], barriers[2])) {
            // Along a barrier it touches, the ball slides across and backs off it.
            player->translate(sidewaysSpeed * side * dt, 0.0f, sidewaysDrift * dt);
        }
    }
}

void Controller::steer() {
    if (player == nullptr) {
        return;
    }
    const float dt = deltaTime;
    // A negative turn about the ball's +y swings its heading from -z towards +x: right.
    if (isKeyPressed(window, GLFW_KEY_RIGHT) && rightSteps < steeringFrameLimit) {
        player->rotateByTime(dt, 0.0f, 1.0f, 0.0f, -steeringDegreesPerSecond);
        rightSteps += 1;
        leftSteps -= 1;
    }
    if (isKeyPressed(window, GLFW_KEY_LEFT) && leftSteps < steeringFrameLimit) {
        player->rotateByTime(dt, 0.0f, -1.0f, 0.0f, -steeringDegreesPerSecond);
        rightSteps -= 1;
        leftSteps += 1;
    }
}

} // namespace Pellwin
