// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/Controller.h"

#include "app/GameLoop.h"
#include "app/KeyInput.h"
#include "scene/LoadModel.h"
#include "scene/SceneCatalogue.h"
#include "sim/BoxOverlap.h"
#include "sim/GameUpdate.h"

#include <GLFW/glfw3.h>

namespace Pellwin {

namespace {

constexpr float jumpHeight = 1.3f;
constexpr float jumpSeconds = 0.5f;
constexpr float sidewaysSpeed = 5.0f;
constexpr float sidewaysDrift = 2.5f;
constexpr float steeringDegreesPerSecond = -54.24f;
constexpr float trackHeight = 5.0f;

struct TravelKey {
    int key;
    float factor;
};
const TravelKey travelKeys[3] = {{GLFW_KEY_W, -1.5f}, {GLFW_KEY_R, -3.0f}, {GLFW_KEY_S, 0.5f}};

void setHeight(LoadModel* ball, float y) {
    ball->modelMatrix[3][1] = y;
}

float ballZ(const LoadModel* ball) {
    return ball->modelMatrix[3][2];
}

HalfExtents slabPairing(const LoadModel* object) {
    return {halfOf(object->scaleFactor.x, object->boxSize.x),
            halfOf(object->scaleFactor.y, object->boxSize.z),
            halfOf(object->scaleFactor.z, object->boxSize.y)};
}

HalfExtents plankPairing(const LoadModel* object) {
    return {halfOf(object->scaleFactor.x, object->boxSize.x),
            halfOf(object->scaleFactor.z, object->boxSize.z),
            halfOf(object->scaleFactor.y, object->boxSize.y)};
}

} // namespace

Controller::Controller(GLFWwindow* window)
    : speed(5.0f), jumping(false), window(window),
      player(Pellwin::player), barriers{nullptr, nullptr, nullptr}, jumpTime(0.0f),
      landedInRaisedZone(false), rightSteps(0), leftSteps(0) {
    if (window != nullptr) {
        glfwSetInputMode(window, GLFW_CURSOR, GLFW_CURSOR_HIDDEN);
    }
}

bool Controller::touchesBarrier(LoadModel* player, LoadModel* slab, LoadModel* plankA,
                                LoadModel* plankB) {
    const glm::vec3 ball = translationOf(player->modelMatrix);
    if (slab != nullptr && boxesOverlap(ball, slabPairing(player), translationOf(slab->modelMatrix),
                                        slabPairing(slab))) {
        return true;
    }
    for (LoadModel* plank : {plankA, plankB}) {
        if (plank != nullptr &&
            boxesOverlap(ball, plankPairing(player), translationOf(plank->modelMatrix),
                         plankPairing(plank))) {
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
    const bool wasBlocked = blocked;
    jumpTime += dt;

    if (isKeyPressed(window, GLFW_KEY_SPACE) && !jumping) {
        player->translate(0.0f, jumpHeight, 0.0f);
        jumping = true;
        jumpTime = 0.0f;
    }
    if (jumping && jumpTime >= jumpSeconds) {
        player->translate(0.0f, -jumpHeight, 0.0f);
        const float z = ballZ(player);
        if (-50.0f < z && z < -30.0f) {
            landedInRaisedZone = true;
        }
        jumping = false;
        jumpTime = 0.0f;
    }

    for (const TravelKey& travel : travelKeys) {
        if (!isKeyPressed(window, travel.key)) {
            continue;
        }
        if (!jumping && ballZ(player) > -29.0f) {
            setHeight(player, trackHeight);
            landedInRaisedZone = false;
        }
        if (!jumping && ballZ(player) < -50.0f) {
            setHeight(player, trackHeight);
            landedInRaisedZone = false;
        }
        const float step = travel.factor * speed * dt;
        if (wasBlocked && !landedInRaisedZone) {
            player->translate(0.0f, 0.0f, step);
            if (touchesBarrier(player, barriers[0], barriers[1], barriers[2])) {
                player->translate(0.0f, 0.0f, -step);
            }
        } else {
            player->translate(0.0f, 0.0f, step);
        }
    }

    const struct {
        int key;
        float side;
    } sidewaysKeys[2] = {{GLFW_KEY_A, -1.0f}, {GLFW_KEY_D, 1.0f}};
    for (const auto& sideways : sidewaysKeys) {
        if (!isKeyPressed(window, sideways.key)) {
            continue;
        }
        if (wasBlocked) {
            if (!landedInRaisedZone &&
                touchesBarrier(player, barriers[0], barriers[1], barriers[2])) {
                player->translate(sidewaysSpeed * sideways.side * dt, 0.0f, sidewaysDrift * dt);
            }
        } else {
            player->translate(sidewaysSpeed * sideways.side * dt, 0.0f, -sidewaysDrift * dt);
        }
    }
}

void Controller::steer() {
    if (player == nullptr) {
        return;
    }
    const float dt = deltaTime;
    if (isKeyPressed(window, GLFW_KEY_RIGHT) && rightSteps < steeringFrameLimit) {
        player->rotateByTime(dt, 0.0f, 1.0f, 0.0f, steeringDegreesPerSecond);
        rightSteps += 1;
        leftSteps -= 1;
    }
    if (isKeyPressed(window, GLFW_KEY_LEFT) && leftSteps < steeringFrameLimit) {
        player->rotateByTime(dt, 0.0f, -1.0f, 0.0f, steeringDegreesPerSecond);
        rightSteps -= 1;
        leftSteps += 1;
    }
}

} // namespace Pellwin
