// The per-frame game update on a laid-out level without meshes or GL. The particle system
// does not exist here, so only the rules are exercised.
#include "sim/GameUpdate.h"
#include "app/GameLoop.h"
#include "app/KeyInput.h"
#include "app/Level.h"
#include "scene/LoadModel.h"
#include "scene/SceneCatalogue.h"
#include "sim/Controller.h"
#include "support/BareLevelTest.h"
#include "support/BareScene.h"
#include "support/KeyScript.h"

#include <GLFW/glfw3.h>
#include <cmath>
#include <gtest/gtest.h>
#include <string>

using namespace Pellwin;

using TolvaTest::frame64;

namespace {

constexpr double pi = 3.14159265358979323846;

glm::vec3 positionOf(const LoadModel* object) {
    return translationOf(object->modelMatrix);
}

// Turn of an object about its vertical axis, in degrees, read from where its own x axis
// points (works for a uniform scale too).
double turnDegrees(const LoadModel* object) {
    const glm::mat4& m = object->modelMatrix;
    return std::atan2(-static_cast<double>(m[0][2]), static_cast<double>(m[0][0])) * 180.0 / pi;
}

class GameUpdateTest : public TolvaTest::BareLevelTest {
protected:
    void clearRoundFlags() {
        roundLost = false;
        hazardHit = false;
    }
};

TEST_F(GameUpdateTest, LeavingTheTrackEndsTheRound) {
    struct Case {
        float x, z;
        bool lost;
    };
    const Case cases[] = {{10.0f, -9.0f, true},    {-10.0f, -9.0f, true}, {9.999f, -9.0f, false},
                          {-9.999f, -9.0f, false}, {0.0f, -5.0f, true},   {0.0f, -5.001f, false},
                          {0.0f, -4.0f, true}};
    for (const Case& c : cases) {
        clearRoundFlags();
        player->setPosition(c.x, 5.0f, c.z);
        updateGame();
        EXPECT_EQ(roundLost, c.lost) << "x = " << c.x << ", z = " << c.z;
        EXPECT_FALSE(hazardHit);
        // The frame runs to its end either way: the ball still rolls on.
        EXPECT_FLOAT_EQ(positionOf(player).z, c.z - 2.5f * frame64);
    }
}

TEST_F(GameUpdateTest, TrackHeightFollowsTheRaisedZone) {
    playing = false; // keep the ball where it is put
    struct Case {
        float z;
        float y;
    };
    const Case cases[] = {{-20.0f, 5.0f},  {-29.0f, 5.2f}, {-29.5f, 5.2f},  {-30.0f, 5.2f},
                          {-30.5f, 5.4f},  {-40.0f, 5.4f}, {-49.99f, 5.4f}, {-50.0f, 5.2f},
                          {-50.01f, 5.0f}, {-80.0f, 5.0f}};
    for (const Case& c : cases) {
        player->setPosition(0.0f, 5.2f, c.z);
        updateGame();
        EXPECT_FLOAT_EQ(positionOf(player).y, c.y) << "z = " << c.z;
    }

    // Neither while airborne nor once the ball has been high up.
    controller->jumping = true;
    player->setPosition(0.0f, 5.2f, -30.5f);
    updateGame();
    EXPECT_FLOAT_EQ(positionOf(player).y, 5.2f);
    player->setPosition(0.0f, 5.2f, -20.0f);
    updateGame();
    EXPECT_FLOAT_EQ(positionOf(player).y, 5.2f);

    controller->jumping = false;
    raisedLevel = true;
    for (float z : {-20.0f, -40.0f, -60.0f}) {
        player->setPosition(0.0f, 5.2f, z);
        updateGame();
        EXPECT_FLOAT_EQ(positionOf(player).y, 5.2f) << "z = " << z;
    }
}

TEST_F(GameUpdateTest, OnlyAJumpFromTheRaisedZoneRaisesTheLevel) {
    playing = false;
    player->setPosition(0.0f, 5.0f, -20.0f);
    TolvaTest::holdKeys({GLFW_KEY_SPACE});
    controller->handleInput();
    updateGame();
    EXPECT_NEAR(positionOf(player).y, 6.3f, 1e-5);
    EXPECT_FALSE(raisedLevel);

    controller->jumping = false;
    player->setPosition(0.0f, 5.4f, -40.0f);
    controller->handleInput();
    updateGame();
    EXPECT_NEAR(positionOf(player).y, 6.7f, 1e-5);
    EXPECT_TRUE(raisedLevel);

    // Down again, the ball keeps 5.4 also beyond the raised zone.
    TolvaTest::releaseAllKeys();
    for (int i = 0; i < 32; ++i) {
        controller->handleInput();
        updateGame();
    }
    EXPECT_FALSE(controller->jumping);
    player->setPosition(0.0f, positionOf(player).y, -60.0f);
    updateGame();
    EXPECT_NEAR(positionOf(player).y, 5.4f, 1e-5);
}

TEST_F(GameUpdateTest, BallRollsAlongItsHeadingWhenFree) {
    updateGame();
    EXPECT_FLOAT_EQ(positionOf(player).z, -9.0f - 2.5f * frame64);
    EXPECT_FLOAT_EQ(positionOf(player).x, 0.0f);

    // Turned a quarter to the left, it rolls along -x.
    player->setPosition(0.0f, 5.0f, -9.0f);
    player->rotate(0.0f, 1.0f, 0.0f, 90.0f);
    updateGame();
    EXPECT_NEAR(positionOf(player).x, -2.5f * frame64, 1e-6);
    EXPECT_NEAR(positionOf(player).z, -9.0f, 1e-6);

    player->modelMatrix = identityMatrix();
    player->setPosition(0.0f, 5.0f, -9.0f);
    playing = false;
    updateGame();
    EXPECT_FLOAT_EQ(positionOf(player).z, -9.0f);
    playing = true;

    // Half a unit in front of plank1 it stays, frame after frame.
    player->setPosition(0.0f, 5.0f, -14.5f);
    for (int i = 0; i < 5; ++i) {
        updateGame();
        EXPECT_TRUE(blocked);
        EXPECT_FLOAT_EQ(positionOf(player).z, -14.5f);
    }
    // Moved clear sideways, it rolls again in the very next frame.
    player->setPosition(5.0f, 5.0f, -14.5f);
    updateGame();
    EXPECT_FALSE(blocked);
    EXPECT_FLOAT_EQ(positionOf(player).z, -14.5f - 2.5f * frame64);
}

TEST_F(GameUpdateTest, SlabBlocksOnlyInANarrowBandAcrossTheTrack) {
    playing = false;
    struct Case {
        float x, y, z;
        bool blocked;
    };
    const Case cases[] = {
        {0.0f, 5.0f, -30.0f, true},   {0.0f, 5.0f, -30.74f, true},   {0.0f, 5.0f, -30.76f, false},
        {0.0f, 5.0f, -29.26f, true},  {0.0f, 5.0f, -29.24f, false},  {0.0f, 5.0f, -40.0f, false},
        {10.4f, 5.0f, -30.0f, true},  {-10.6f, 5.0f, -30.0f, false}, {0.0f, 15.4f, -30.0f, true},
        {0.0f, 15.6f, -30.0f, false},
    };
    for (const Case& c : cases) {
        clearRoundFlags();
        raisedLevel = true; // keep the height that is put
        player->setPosition(c.x, c.y, c.z);
        updateGame();
        EXPECT_EQ(blocked, c.blocked) << "at " << c.x << ", " << c.y << ", " << c.z;
    }
}

TEST_F(GameUpdateTest, FlyingKnifePassesBelowAJumpingBall) {
    playing = false;
    player->setPosition(0.0f, 5.0f, -12.0f);
    flyingKnife->setPosition(0.0f, 5.0f, -12.0f);

    TolvaTest::holdKeys({GLFW_KEY_SPACE});
    controller->handleInput();
    updateGame();
    EXPECT_NEAR(positionOf(player).y, 6.3f, 1e-5);
    EXPECT_FALSE(hazardHit);
    EXPECT_FALSE(roundLost);

    flyingKnife->setPosition(0.0f, 5.0f, -12.0f);
    controller->jumping = false;
    player->setPosition(0.0f, 5.0f, -12.0f);
    updateGame();
    EXPECT_TRUE(hazardHit);
}

TEST_F(GameUpdateTest, FallingKnivesStartOverBelowHeightFour) {
    playing = false;
    LoadModel* const knives[6] = {fallingKnife1, fallingKnife2, fallingKnife3,
                                  fallingKnife4, fallingKnife5, fallingKnife6};
    const glm::vec3 starts[6] = {{-10.0f, 30.0f, -20.0f}, {10.0f, 30.0f, -25.0f},
                                 {-10.0f, 30.0f, -40.0f}, {10.0f, 30.0f, -45.0f},
                                 {-10.0f, 30.0f, -60.0f}, {10.0f, 30.0f, -65.0f}};

    // At exactly 4.0 they are put back; the test is "above 4".
    for (int i = 0; i < 6; ++i) {
        knives[i]->setPosition(starts[i].x, 4.0f, starts[i].z);
    }
    updateGame();
    EXPECT_FALSE(knivesFalling);
    for (int i = 0; i < 6; ++i) {
        const glm::vec3 at = positionOf(knives[i]);
        EXPECT_FLOAT_EQ(at.x, starts[i].x) << "knife " << i + 1;
        EXPECT_FLOAT_EQ(at.y, 30.0f) << "knife " << i + 1;
        EXPECT_FLOAT_EQ(at.z, starts[i].z) << "knife " << i + 1;
    }

    // Just above 4.0 they fall on.
    for (int i = 0; i < 6; ++i) {
        knives[i]->setPosition(starts[i].x, 4.001f, starts[i].z);
    }
    updateGame();
    EXPECT_TRUE(knivesFalling);
    EXPECT_NEAR(positionOf(fallingKnife2).y, 4.001f - 6.6f * frame64, 1e-4);

    // From the start, 6.6 units per second straight down, all six together.
    deltaTime = 1.0f / 60.0f;
    for (int i = 0; i < 6; ++i) {
        knives[i]->setPosition(starts[i].x, 30.0f, starts[i].z);
    }
    for (int f = 0; f < 60; ++f) {
        updateGame();
    }
    for (int i = 0; i < 6; ++i) {
        const glm::vec3 at = positionOf(knives[i]);
        EXPECT_NEAR(at.x, starts[i].x, 1e-4) << "knife " << i + 1;
        EXPECT_NEAR(at.y, 30.0f - 6.6f, 1e-3) << "knife " << i + 1;
        EXPECT_NEAR(at.z, starts[i].z, 1e-4) << "knife " << i + 1;
    }

    // One cycle at 60 Hz: 237 frames of falling (26 / 0.11 per frame, rounded up) and the
    // frame that puts them back.
    for (int i = 0; i < 6; ++i) {
        knives[i]->setPosition(starts[i].x, 30.0f, starts[i].z);
    }
    int resets[2] = {0, 0};
    int found = 0;
    for (int f = 1; f <= 600 && found < 2; ++f) {
        updateGame();
        if (!knivesFalling) {
            resets[found++] = f;
        }
    }
    ASSERT_EQ(found, 2);
    EXPECT_EQ(resets[0], 238);
    EXPECT_EQ(resets[1] - resets[0], 238);
}

TEST_F(GameUpdateTest, FlaresLieOnTheLineToTheSunAndGrowAsTheBallNears) {
    const glm::vec3 sunAt(-2.0f, 11.0f, -102.0f);
    LoadModel* const flares[4] = {flareStar, flareRing, flareSun, flareStar2};
    const float sizes[4] = {0.5f, 0.65f, 1.3f, 2.0f};
    const float along[4] = {0.075f, 0.185f, 0.45f, 0.475f};

    auto expectOnLine = [&](const std::string& when) {
        const glm::vec3 ball = positionOf(player);
        for (int i = 0; i < 4; ++i) {
            const glm::vec3 expected = ball + along[i] * (sunAt - ball);
            const glm::vec3 at = positionOf(flares[i]);
            EXPECT_NEAR(at.x, expected.x, 1e-3) << when << ", flare " << i;
            EXPECT_NEAR(at.y, expected.y, 1e-3) << when << ", flare " << i;
            EXPECT_NEAR(at.z, expected.z, 1e-3) << when << ", flare " << i;
        }
    };

    // The level set-up made the program's first call: placed, not scaled.
    expectOnLine("after set-up");
    for (int i = 0; i < 4; ++i) {
        EXPECT_FLOAT_EQ(flares[i]->scaleFactor.x, sizes[i]);
        EXPECT_FLOAT_EQ(flares[i]->scaleFactor.y, sizes[i]);
        EXPECT_FLOAT_EQ(flares[i]->scaleFactor.z, 0.0f);
    }
    EXPECT_NEAR(lastSunDistance, glm::length(sunAt - glm::vec3(0.0f, 5.0f, -9.0f)), 1e-3);

    // With no distance on record even a ball much nearer the sun does not scale them.
    lastSunDistance = 0.0f;
    player->setPosition(0.0f, 5.0f, -50.0f);
    placeFlares();
    expectOnLine("first call near the sun");
    EXPECT_FLOAT_EQ(flareStar->scaleFactor.x, 0.5f);

    // 0.05 closer is not enough.
    player->setPosition(0.0f, 5.0f, -50.05f);
    placeFlares();
    EXPECT_FLOAT_EQ(flareStar->scaleFactor.x, 0.5f);

    // 40 units closer: grown by 1 + 0.08 / (the new distance).
    player->setPosition(0.0f, 5.0f, -90.05f);
    placeFlares();
    expectOnLine("after coming closer");
    const float d = glm::length(sunAt - positionOf(player));
    const float k = 1.0f + 0.08f / d;
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(flares[i]->scaleFactor.x, sizes[i] * k, 1e-6) << "flare " << i;
        EXPECT_NEAR(flares[i]->scaleFactor.y, sizes[i] * k, 1e-6) << "flare " << i;
        EXPECT_FLOAT_EQ(flares[i]->scaleFactor.z, 0.0f);
        EXPECT_NEAR(flares[i]->modelMatrix[0][0], sizes[i] * k, 1e-6) << "flare " << i;
        EXPECT_NEAR(flares[i]->modelMatrix[1][1], sizes[i] * k, 1e-6) << "flare " << i;
        EXPECT_FLOAT_EQ(flares[i]->modelMatrix[2][2], 0.0f);
    }
    EXPECT_FLOAT_EQ(lastSunDistance, d);

    // Moving away never shrinks them.
    player->setPosition(0.0f, 5.0f, -20.0f);
    placeFlares();
    EXPECT_NEAR(flareStar->scaleFactor.x, 0.5f * k, 1e-6);
}

TEST_F(GameUpdateTest, HazardAndLeavingTheTrackInOneFrameSetBoth) {
    playing = false;
    player->setPosition(10.0f, 5.0f, -20.0f);
    fallingKnife1->setPosition(10.0f, 5.0f, -20.0f);
    updateGame();
    EXPECT_TRUE(hazardHit);
    EXPECT_TRUE(roundLost);

    // A hit stays a hit, even with the knife gone and the ball back on the track.
    roundLost = false;
    fallingKnife1->setPosition(-10.0f, 30.0f, -20.0f);
    player->setPosition(0.0f, 5.0f, -20.0f);
    updateGame();
    EXPECT_TRUE(hazardHit);
    EXPECT_TRUE(roundLost);
}

TEST_F(GameUpdateTest, HazardContactBoxes) {
    playing = false;
    const glm::vec3 ball(0.0f, 5.0f, -20.0f);
    struct Hazard {
        LoadModel* object;
        const char* name;
        glm::vec3 half;
    };
    const Hazard hazards[] = {
        {flyingKnife, "flyingKnife", {1.0f, 0.1f, 1.0f}},
        {fallingKnife1, "fallingKnife1", {9.1f, 0.325f, 1.1375f}},
        {fallingKnife2, "fallingKnife2", {9.1f, 0.325f, 1.1375f}},
        {fallingKnife3, "fallingKnife3", {9.1f, 0.325f, 1.1375f}},
        {fallingKnife4, "fallingKnife4", {9.1f, 0.325f, 1.1375f}},
        {fallingKnife5, "fallingKnife5", {9.1f, 0.325f, 1.1375f}},
        {fallingKnife6, "fallingKnife6", {9.1f, 0.325f, 1.1375f}},
        {pot, "pot", {1.5f, 1.0f, 1.5f}},
    };
    const float margin = 0.01f;
    for (const Hazard& h : hazards) {
        const glm::vec3 home = positionOf(h.object);
        for (int axis = 0; axis < 3; ++axis) {
            for (float sign : {1.0f, -1.0f}) {
                for (bool inside : {true, false}) {
                    glm::vec3 offset(0.0f);
                    offset[axis] = sign * (h.half[axis] + (inside ? -margin : margin));
                    clearRoundFlags();
                    player->setPosition(ball.x, ball.y, ball.z);
                    const glm::vec3 at = ball + offset;
                    h.object->setPosition(at.x, at.y, at.z);
                    updateGame();
                    EXPECT_EQ(hazardHit, inside)
                        << h.name << ", axis " << axis << ", offset " << offset[axis];
                }
            }
        }
        h.object->setPosition(home.x, home.y, home.z);
    }
}

TEST_F(GameUpdateTest, EarthAndMoonTurnInOppositeSenses) {
    playing = false;
    const glm::vec3 earthAt = positionOf(earth);
    const glm::vec3 moonAt = positionOf(moon);
    // Half a second in 32 frames.
    for (int f = 0; f < 32; ++f) {
        updateGame();
    }
    EXPECT_NEAR(turnDegrees(earth), -15.0, 1e-3);
    EXPECT_NEAR(turnDegrees(moon), 45.0, 1e-3);
    // They turn in place.
    EXPECT_NEAR(positionOf(earth).x, earthAt.x, 1e-5);
    EXPECT_NEAR(positionOf(earth).z, earthAt.z, 1e-5);
    EXPECT_NEAR(positionOf(moon).x, moonAt.x, 1e-5);
    EXPECT_NEAR(positionOf(moon).z, moonAt.z, 1e-5);
    EXPECT_FLOAT_EQ(moon->scaleFactor.x, 0.3f);
}

} // namespace
