// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/GameUpdate.h"

#include "app/GameLoop.h"
#include "render/ParticleSystem.h"
#include "scene/LoadModel.h"
#include "scene/SceneCatalogue.h"
#include "sim/BoxOverlap.h"
#include "sim/Camera.h"
#include "sim/Controller.h"
#include "sim/WorldRules.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace Pellwin {

bool blocked = false;
bool raisedLevel = false;
bool knivesFalling = true;
float lastSunDistance = 0.0f;

namespace {

// The flare sprites grow only while the ball comes at least this much nearer the sun
// between two placements, by a share of flareGrowth over the distance left.
constexpr float flareApproachStep = 0.07f;
constexpr float flareGrowth = 0.08f;

void keepTrackHeight(float z) {
    if (raisedLevel || (controller != nullptr && controller->jumping)) {
        return;
    }
    float& y = player->modelMatrix[3][1];
    if (z > worktopEndZ) {
        y = trackHeight;
    }
    if (z < slabFarZ) {
        y = trackHeight;
    }
    if (slabFarZ < z && z < slabNearZ) {
        y = raisedTrackHeight;
    }
}

bool touchesAnyHazard() {
    const auto touches = [](const LoadModel* hazard) {
        return hazard != nullptr && touchesHazard(*player, *hazard);
    };
    return touches(flyingKnife) ||
           std::any_of(std::begin(fallingKnives), std::end(fallingKnives),
                       [&touches](LoadModel** knife) { return touches(*knife); }) ||
           touches(pot);
}

float randomUnit() {
    return static_cast<float>(std::rand() / static_cast<double>(RAND_MAX));
}

void moveFallingKnives(float dt) {
    // The second knife says when all six go back up.
    const LoadModel* pacer = *fallingKnives[1];
    knivesFalling = pacer != nullptr && pacer->modelMatrix[3][1] > knifeResetHeight;
    for (int k = 0; k < fallingKnifeCount; ++k) {
        LoadModel* knife = *fallingKnives[k];
        if (knife == nullptr) {
            continue;
        }
        if (knivesFalling) {
            knife->translateByTime(dt, 0.0f, knifeFallSpeed, 0.0f);
        } else {
            const glm::vec3 start = knifeStartPosition(k);
            knife->setPosition(start.x, start.y, start.z);
        }
    }
}

// Bounds, contact, track height, roll, hazards and knives over deltaTime.
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
    if (static_cast<double>(player->modelMatrix[3][1]) > raisedLevelHeight) {
        raisedLevel = true;
    }
    keepTrackHeight(player->modelMatrix[3][2]);
    if (!blocked && playing) {
        player->translate(0.0f, 0.0f, -rollSpeed * dt);
    }
    // Once hit, the ball stays hit until the next level.
    if (!hazardHit) {
        hazardHit = touchesAnyHazard();
    }

    flyingKnife->translateByTime(dt, 0.0f, 0.0f, flyingKnifeSpeed);
    moveFallingKnives(dt);
}

} // namespace

bool touchesHazard(const LoadModel& ball, const LoadModel& hazard) {
    // The ball's share of the box is its own scale with the hazard's box.
    return boxesOverlap(
        translationOf(ball.modelMatrix), contactExtents(ball.scaleFactor, hazard.boxSize),
        translationOf(hazard.modelMatrix), contactExtents(hazard.scaleFactor, hazard.boxSize));
}

bool blockedByBarrier() {
    for (const LoadModel* barrier : {marbleSlab, plank1, plank2}) {
        if (barrier != nullptr && contactBoxesOverlap(*player, *barrier)) {
            return true;
        }
    }
    return false;
}

void placeFlares() {
    glm::vec3 ball;
    player->getPosition(ball);
    glm::vec3 sunAt;
    sun->getPosition(sunAt);
    const glm::vec3 toSun = sunAt - ball;
    const float distance = glm::length(toSun);
    if (lastSunDistance > distance + flareApproachStep) {
        const float growth = 1.0f + flareGrowth / distance;
        for (LoadModel** flare : lensFlares) {
            (*flare)->scale(growth, growth, 0.0f);
        }
    }
    lastSunDistance = distance;
    // A ball exactly at the sun has no direction to it; the sprites then sit on the ball.
    const glm::vec3 halfWay =
        distance > 0.0f ? glm::normalize(toSun) * distance * 0.5f : glm::vec3(0.0f);
    // Shares of the way to the halfway point.
    const float along[lensFlareCount] = {0.15f, 0.37f, 0.9f, 0.95f};
    for (int i = 0; i < lensFlareCount; ++i) {
        const glm::vec3 at = ball + along[i] * halfWay;
        (*lensFlares[i])->setPosition(at.x, at.y, at.z);
    }
}

int stepsForFrame(float seconds) {
    // A frame a hair over 1/60 s (clock rounding) is still one step.
    const double steps = std::ceil(static_cast<double>(seconds) / longestStepSeconds - 1e-3);
    if (!(steps > 1.0)) {
        return 1;
    }
    return steps < mostSteps ? static_cast<int>(steps) : mostSteps;
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
    earth->rotateByTime(frameSeconds, 0.0f, -1.0f, 0.0f, earthDegreesPerSecond);
    moon->rotateByTime(frameSeconds, 0.0f, 1.0f, 0.0f, moonDegreesPerSecond);
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
