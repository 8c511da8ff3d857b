// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/GameUpdate.h"

#include "app/GameLoop.h"
#include "render/ParticleSystem.h"
#include "scene/LoadModel.h"
#include "scene/SceneCatalogue.h"
#include "sim/BoxOverlap.h"
#include "sim/Camera.h"
#include "sim/Controller.h"

#include <cmath>
#include <cstdlib>

namespace Pellwin {

bool blocked = false;
bool raisedLevel = false;
bool knivesFalling = true;
float lastSunDistance = 0.0f;

namespace {

constexpr float trackEdgeX = 10.0f;
constexpr float startEdgeZ = -5.0f;
constexpr float rollSpeed = 2.5f;
constexpr float knifeFallSpeed = -1.2f;
constexpr float knifeResetHeight = 4.0f;
constexpr double longestStep = 1.0 / 60.0;
// Fifty seconds of 1/60 s steps: no round lasts longer.
constexpr int mostSteps = 3000;

struct KnifeStart {
    LoadModel** knife;
    float x, y, z;
};
const KnifeStart knifeStarts[6] = {
    {&fallingKnife1, -10.0f, 30.0f, -20.0f}, {&fallingKnife2, 10.0f, 30.0f, -25.0f},
    {&fallingKnife3, -10.0f, 30.0f, -40.0f}, {&fallingKnife4, 10.0f, 30.0f, -45.0f},
    {&fallingKnife5, -10.0f, 30.0f, -60.0f}, {&fallingKnife6, 10.0f, 30.0f, -65.0f},
};

HalfExtents barrierPairing(const LoadModel* object) {
    return {halfOf(object->scaleFactor.x, object->boxSize.x),
            halfOf(object->scaleFactor.z, object->boxSize.z),
            halfOf(object->scaleFactor.y, object->boxSize.y)};
}

bool overlapsBarrier(const LoadModel* ball, const LoadModel* barrier) {
    return barrier != nullptr &&
           boxesOverlap(translationOf(ball->modelMatrix), barrierPairing(ball),
                        translationOf(barrier->modelMatrix), barrierPairing(barrier));
}

void keepTrackHeight(float z) {
    if (raisedLevel || (controller != nullptr && controller->jumping)) {
        return;
    }
    float& y = player->modelMatrix[3][1];
    if (z > -29.0f) {
        y = 5.0f;
    }
    if (z < -50.0f) {
        y = 5.0f;
    }
    if (-50.0f < z && z < -30.0f) {
        y = 5.4f;
    }
}

void testHazards() {
    if (hazardHit) {
        return;
    }
    for (LoadModel* hazard : {flyingKnife, fallingKnife1, fallingKnife2, fallingKnife3,
                              fallingKnife4, fallingKnife5, fallingKnife6, pot}) {
        if (hazard != nullptr && touchesHazard(*player, *hazard)) {
            hazardHit = true;
            return;
        }
    }
    hazardHit = false;
}

float randomUnit() {
    return static_cast<float>(std::rand() / static_cast<double>(RAND_MAX));
}

void moveFallingKnives(float dt) {
    if (fallingKnife2 != nullptr && fallingKnife2->modelMatrix[3][1] > knifeResetHeight) {
        knivesFalling = true;
    } else {
        knivesFalling = false;
    }
    for (const KnifeStart& start : knifeStarts) {
        LoadModel* knife = *start.knife;
        if (knife == nullptr) {
            continue;
        }
        if (knivesFalling) {
            knife->translateByTime(dt, 0.0f, knifeFallSpeed, 0.0f);
        } else {
            knife->setPosition(start.x, start.y, start.z);
        }
    }
}

} // namespace

bool touchesHazard(const LoadModel& ball, const LoadModel& hazard) {
    const HalfExtents ballShare{halfOf(ball.scaleFactor.x, hazard.boxSize.x),
                                halfOf(ball.scaleFactor.z, hazard.boxSize.z),
                                halfOf(ball.scaleFactor.y, hazard.boxSize.y)};
    return boxesOverlap(translationOf(ball.modelMatrix), ballShare,
                        translationOf(hazard.modelMatrix), barrierPairing(&hazard));
}

bool blockedByBarrier() {
    return overlapsBarrier(player, marbleSlab) || overlapsBarrier(player, plank1) ||
           overlapsBarrier(player, plank2);
}

void placeFlares() {
    glm::vec3 ball;
    player->getPosition(ball);
    glm::vec3 sunAt;
    sun->getPosition(sunAt);
    const glm::vec3 toSun = sunAt - ball;
    const float distance = glm::length(toSun);
    LoadModel* const flares[4] = {flareStar, flareRing, flareSun, flareStar2};
    if (lastSunDistance > distance + 0.07f) {
        const float growth = 1.0f + 0.08f / distance;
        for (LoadModel* flare : flares) {
            flare->scale(growth, growth, 0.0f);
        }
    }
    lastSunDistance = distance;
    // A ball exactly at the sun has no direction to it; the sprites then sit on the ball.
    const glm::vec3 halfWay =
        distance > 0.0f ? glm::normalize(toSun) * distance * 0.5f : glm::vec3(0.0f);
    const float along[4] = {0.15f, 0.37f, 0.9f, 0.95f};
    for (int i = 0; i < 4; ++i) {
        const glm::vec3 at = ball + along[i] * halfWay;
        flares[i]->setPosition(at.x, at.y, at.z);
    }
}

int stepsForFrame(float seconds) {
    // A frame a hair over 1/60 s (clock rounding) is still one step.
    const double steps = std::ceil(static_cast<double>(seconds) / longestStep - 1e-3);
    if (!(steps > 1.0)) {
        return 1;
    }
    return steps < mostSteps ? static_cast<int>(steps) : mostSteps;
}

void stepWorld() {
    const float dt = deltaTime;
    glm::vec3 ball;
    player->getPosition(ball);

    if (ball.x >= trackEdgeX || ball.x <= -trackEdgeX || ball.z >= startEdgeZ || hazardHit) {
        roundLost = true;
    }
    if (marbleSlab != nullptr) {
        blocked = blockedByBarrier();
    }
    if (static_cast<double>(player->modelMatrix[3][1]) > 6.5) {
        raisedLevel = true;
    }
    keepTrackHeight(player->modelMatrix[3][2]);
    if (!blocked && playing) {
        player->translate(0.0f, 0.0f, -rollSpeed * dt);
    }
    testHazards();

    flyingKnife->translateByTime(dt, 0.0f, 0.0f, -7.0f);
    moveFallingKnives(dt);
}

void updateGame() {
    // A long frame is played in steps of at most 1/60 s, so that a fast ball cannot cross
    // a plank or the slab's band between two contact tests. Steering counts frames, so it
    // acts once, over the whole frame.
    const float frameSeconds = deltaTime;
    const int steps = stepsForFrame(frameSeconds);
    const float stepSeconds = frameSeconds / static_cast<float>(steps);
    for (int i = 0; i < steps; ++i) {
        deltaTime = stepSeconds;
        if (controller != nullptr) {
            controller->moveBall();
            if (i == 0) {
                deltaTime = frameSeconds;
                controller->steer();
                deltaTime = stepSeconds;
            }
        }
        stepWorld();
        if (roundLost || hazardHit) {
            break;
        }
    }
    deltaTime = frameSeconds;

    placeFlares();
    earth->rotateByTime(frameSeconds, 0.0f, -1.0f, 0.0f, 30.0f);
    moon->rotateByTime(frameSeconds, 0.0f, 1.0f, 0.0f, 90.0f);
    camera->update();

    // RAND_MAX, not 32767: on this platform rand() reaches 2^31 - 1.
    const float u1 = randomUnit();
    const float u2 = randomUnit();
    if (particleSystem != nullptr) {
        particleSystem->updateParticles(frameSeconds, particleEmitterPosition,
                                        glm::vec3(u2, u1, -0.5f),
                                        glm::vec4(1.0f, 1.0f, 1.0f, 1.0f));
    }
}

} // namespace Pellwin
