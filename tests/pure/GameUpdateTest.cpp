// SPDX-License-Identifier: GPL-3.0-or-later
// The game update's rules on a laid-out level without GL (there is no steam here).
#include "sim/GameUpdate.h"
#include "app/GameLoop.h"
#include "scene/LoadModel.h"
#include "scene/SceneCatalogue.h"
#include "sim/Controller.h"
#include "support/BareLevel.h"
#include "support/KeyScript.h"

#include <GLFW/glfw3.h>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace Pellwin;
using TolvaTest::frame64;

namespace {

glm::vec3 at(const LoadModel* object) {
    return translationOf(object->modelMatrix);
}

void put(LoadModel* object, glm::vec3 p) {
    object->setPosition(p.x, p.y, p.z);
}

using GameUpdateTest = TolvaTest::BareLevel;

} // namespace

TEST_F(GameUpdateTest, LeavingTheTrackLosesButTheFrameRunsToItsEnd) {
    const struct {
        float x, z;
        bool lost;
    } cases[] = {{10, -9, true}, {-10, -9, true}, {9.999f, -9, false}, {-9.999f, -9, false},
                 {0, -5, true},  {0, -4, true},   {0, -5.001f, false}};
    for (const auto& c : cases) {
        roundLost = hazardHit = false;
        put(player, {c.x, 5, c.z});
        updateGame();
        EXPECT_EQ(roundLost, c.lost) << c.x << ", " << c.z;
        EXPECT_FLOAT_EQ(at(player).z, c.z - 2.5f * frame64) << "the ball rolls on";
    }
}

TEST_F(GameUpdateTest, TrackHeightFollowsTheRaisedZoneUnlessAirborneOrRaised) {
    playing = false; // no roll: the ball stays where it is put
    const struct {
        float z, y;
    } cases[] = {{-20, 5},        {-29, 5.2f}, {-29.5f, 5.2f}, {-30, 5.2f}, {-30.5f, 5.4f},
                 {-49.99f, 5.4f}, {-50, 5.2f}, {-50.01f, 5},   {-80, 5}};
    for (const auto& c : cases) {
        put(player, {0, 5.2f, c.z});
        updateGame();
        EXPECT_FLOAT_EQ(at(player).y, c.y) << "z " << c.z;
        for (int exception = 0; exception < 2; ++exception) {
            controller->jumpTime = 0.0f;
            controller->jumping = exception == 0;
            raisedLevel = exception == 1;
            put(player, {0, 5.2f, c.z});
            updateGame();
            EXPECT_FLOAT_EQ(at(player).y, 5.2f) << "z " << c.z;
            controller->jumping = raisedLevel = false;
        }
    }
}

TEST_F(GameUpdateTest, OnlyAJumpFromTheSlabRaisesTheLevel) {
    playing = false;
    TolvaTest::holdKey(GLFW_KEY_SPACE);
    updateGame();
    EXPECT_NEAR(at(player).y, 6.3f, 1e-5f);
    EXPECT_FALSE(raisedLevel) << "6.3 is not above 6.5";
    controller->jumping = false;
    put(player, {0, 5.4f, -40});
    updateGame();
    updateGame();
    EXPECT_TRUE(raisedLevel);
    TolvaTest::releaseAllKeys();
    for (int i = 0; i < 32; ++i) {
        updateGame();
    }
    put(player, {0, at(player).y, -60});
    updateGame();
    EXPECT_NEAR(at(player).y, 5.4f, 1e-5f) << "a raised ball keeps its height";
}

TEST_F(GameUpdateTest, BallRollsAlongItsHeading) {
    player->rotate(0.0f, 1.0f, 0.0f, 90.0f);
    updateGame();
    EXPECT_NEAR(at(player).x, -2.5f * frame64, 1e-6f);
    EXPECT_NEAR(at(player).z, -9.0f, 1e-6f);
}

TEST_F(GameUpdateTest, ThePlanksAndABandAcrossTheSlabsEdgeStopTheRoll) {
    const struct {
        glm::vec3 at;
        bool stopped;
    } places[] = {{{0, 5, -29.3f}, true},     {{0, 5, -30.8f}, false}, {{0, 5, -40}, false},
                  {{0, 14.9f, -30}, true},    {{3.74f, 5, -70}, true}, {{3.76f, 5, -70}, false},
                  {{1, 7.6f, -15.99f}, true}, {{1, 7.7f, -15}, false}};
    for (const auto& p : places) {
        put(player, p.at);
        updateGame();
        EXPECT_EQ(blocked, p.stopped) << p.at.x << ", " << p.at.y << ", " << p.at.z;
        EXPECT_FLOAT_EQ(at(player).z, p.stopped ? p.at.z : p.at.z - 2.5f * frame64) << p.at.z;
    }
}

TEST_F(GameUpdateTest, HazardsTouchWithinTheirContactBoxes) {
    playing = false;
    const glm::vec3 ball(0, 5, -20);
    const glm::vec3 knife(9.1f, 0.325f, 1.1375f);
    const struct {
        LoadModel* hazard;
        glm::vec3 half;
    } hazards[] = {{flyingKnife, {1, 0.1f, 1}}, {fallingKnife1, knife}, {fallingKnife2, knife},
                   {fallingKnife3, knife},      {fallingKnife4, knife}, {fallingKnife5, knife},
                   {fallingKnife6, knife},      {pot, {1.5f, 1, 1.5f}}};
    for (const auto& h : hazards) {
        const glm::vec3 home = at(h.hazard);
        for (int axis = 0; axis < 3; ++axis) {
            for (float offset : {0.99f, -0.99f, 1.01f, -1.01f}) {
                glm::vec3 shift(0.0f);
                shift[axis] = h.half[axis] * offset;
                roundLost = hazardHit = false;
                put(player, ball);
                put(h.hazard, ball + shift);
                updateGame();
                EXPECT_EQ(hazardHit, std::fabs(offset) < 1.0f) << axis << " " << shift[axis];
            }
        }
        put(h.hazard, home);
    }
}

TEST_F(GameUpdateTest, AHitStaysAndCountsWithLeavingTheTrack) {
    playing = false;
    put(player, {10, 5, -20});
    put(fallingKnife1, {10, 5, -20});
    updateGame();
    EXPECT_TRUE(hazardHit);
    EXPECT_TRUE(roundLost);
    roundLost = false;
    put(fallingKnife1, {-10, 30, -20});
    put(player, {0, 5, -20});
    updateGame();
    EXPECT_TRUE(hazardHit) << "a hit stays a hit";
    EXPECT_TRUE(roundLost);
}

TEST_F(GameUpdateTest, KnivesFallTogetherAndStartOverAtFour) {
    playing = false;
    LoadModel* const knives[6] = {fallingKnife1, fallingKnife2, fallingKnife3,
                                  fallingKnife4, fallingKnife5, fallingKnife6};
    const glm::vec3 starts[6] = {{-10, 30, -20}, {10, 30, -25},  {-10, 30, -40},
                                 {10, 30, -45},  {-10, 30, -60}, {10, 30, -65}};
    const auto placeAll = [&](float y) {
        for (int i = 0; i < 6; ++i) {
            put(knives[i], {starts[i].x, y, starts[i].z});
        }
    };
    placeAll(4.0f);
    updateGame();
    EXPECT_FALSE(knivesFalling) << "4.0 is not above 4";
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(at(knives[i]), starts[i]) << "knife " << i + 1;
    }
    placeAll(4.0f);
    put(fallingKnife2, {10, 4.001f, -25});
    updateGame();
    EXPECT_TRUE(knivesFalling) << "the second knife sets the pace";
    EXPECT_NEAR(at(fallingKnife6).y, 4.0f - 6.6f * frame64, 1e-4f);

    deltaTime = 1.0f / 60.0f;
    placeAll(30.0f);
    int resets[2] = {0, 0};
    for (int frame = 1, found = 0; frame <= 600 && found < 2; ++frame) {
        updateGame();
        if (!knivesFalling) {
            resets[found++] = frame;
        }
    }
    EXPECT_EQ(resets[0], 238) << "26 units at 6.6 a second: 237 frames, then the one back up";
    EXPECT_EQ(resets[1] - resets[0], 238);
}

TEST_F(GameUpdateTest, FlaresLieOnTheLineToTheSunAndGrowAsTheBallNears) {
    const glm::vec3 sun(-2, 11, -102);
    LoadModel* const flares[4] = {flareStar, flareRing, flareSun, flareStar2};
    const float sizes[4] = {0.5f, 0.65f, 1.3f, 2.0f};
    const float along[4] = {0.075f, 0.185f, 0.45f, 0.475f};
    const auto expectPlaced = [&](float grown) {
        for (int i = 0; i < 4; ++i) {
            const glm::vec3 expected = at(player) + along[i] * (sun - at(player));
            EXPECT_NEAR(glm::length(at(flares[i]) - expected), 0.0f, 1e-3f) << "flare " << i;
            EXPECT_NEAR(flares[i]->scaleFactor.x, sizes[i] * grown, 1e-5f) << "flare " << i;
            EXPECT_NEAR(flares[i]->modelMatrix[1][1], sizes[i] * grown, 1e-5f) << "flare " << i;
        }
    };
    expectPlaced(1.0f);
    lastSunDistance = 0.0f; // nothing on record: placed, not grown
    put(player, {0, 5, -50});
    placeFlares();
    expectPlaced(1.0f);
    put(player, {0, 5, -50.05f}); // 0.05 nearer is not enough
    placeFlares();
    expectPlaced(1.0f);
    put(player, {0, 5, -90.05f});
    placeFlares();
    const float d = glm::length(sun - at(player));
    expectPlaced(1.0f + 0.08f / d);
    EXPECT_FLOAT_EQ(lastSunDistance, d);
    put(player, {0, 5, -20});
    placeFlares();
    EXPECT_NEAR(flareStar->scaleFactor.x, 0.5f * (1.0f + 0.08f / d), 1e-5f) << "never shrinks";
}
TEST_F(GameUpdateTest, LongFramesArePlayedInStepsOfAtMostASixtieth) {
    const struct {
        float seconds;
        int steps;
    } cases[] = {{0.0f, 1},    {1.0f / 60, 1}, {0.0167f, 2},
                 {0.02f, 2},   {0.1f, 6},      {49.9f, 2994},
                 {1e9f, 3000}, {-1.0f, 1},     {std::numeric_limits<float>::quiet_NaN(), 1}};
    for (const auto& c : cases) {
        EXPECT_EQ(stepsForFrame(c.seconds), c.steps) << c.seconds << " s";
    }
    // A tenth of a second at W and R speed: in one move the ball would jump from in front
    // of plank1's 2-unit contact band to behind it.
    put(player, {0, 5, -13.9f});
    TolvaTest::holdKey(GLFW_KEY_W);
    TolvaTest::holdKey(GLFW_KEY_R);
    deltaTime = 0.1f;
    updateGame();
    EXPECT_TRUE(blocked);
    EXPECT_GT(at(player).z, -16.0f);
    EXPECT_FLOAT_EQ(deltaTime, 0.1f) << "the frame keeps its own length for what follows";
}

TEST_F(GameUpdateTest, ALongFrameSteersOnceAndALossStopsItsRemainingSteps) {
    const auto heading = [] {
        const glm::mat4& m = player->modelMatrix;
        return std::atan2(m[2][0], m[2][2]) * 180.0f / 3.14159265f;
    };
    deltaTime = 0.1f; // six steps
    TolvaTest::holdKey(GLFW_KEY_RIGHT);
    updateGame();
    EXPECT_EQ(controller->rightSteps, 1);
    EXPECT_NEAR(heading(), -5.424f, 1e-3f) << "turned by the whole frame's angle";
    put(player, {9.95f, 5, -20});
    TolvaTest::holdKey(GLFW_KEY_D);
    updateGame();
    EXPECT_TRUE(roundLost);
    EXPECT_LT(at(player).x, 10.05f) << "the ball went on after it left the worktop";
    roundLost = false;
    TolvaTest::releaseAllKeys();
    put(player, {0, 5, -20});
    put(fallingKnife1, {0, 5, -20});
    updateGame();
    EXPECT_TRUE(hazardHit);
    EXPECT_FALSE(roundLost) << "the step after a hit would count it as lost";
}
