#include "render/SunVisibility.h"

#include "scene/LoadModel.h"
#include "scene/SceneCatalogue.h"
#include "support/BareScene.h"

#include <glm/glm.hpp>
#include <gtest/gtest.h>

using namespace Pellwin;

namespace {

const glm::vec3 boxMin(-1.0f, -1.0f, -1.0f);
const glm::vec3 boxMax(1.0f, 1.0f, 1.0f);

bool blocked(glm::vec3 inner, glm::vec3 outer) {
    return segmentBlockedByBox(boxMin, boxMax, inner, outer);
}

void expectVec3Near(const glm::vec3& actual, const glm::vec3& expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-5f);
    EXPECT_NEAR(actual.y, expected.y, 1e-5f);
    EXPECT_NEAR(actual.z, expected.z, 1e-5f);
}

} // namespace

TEST(SunVisibility, BallInsideABoxBlocks) {
    EXPECT_TRUE(blocked({0.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 10.0f}));
    EXPECT_TRUE(blocked({0.5f, -0.5f, 0.9f}, {0.0f, 0.0f, 0.0f}));
    // Both ends inside.
    EXPECT_TRUE(blocked({0.5f, 0.5f, 0.5f}, {-0.5f, -0.5f, -0.5f}));
}

TEST(SunVisibility, SegmentThroughABoxBlocks) {
    EXPECT_TRUE(blocked({0.0f, 0.0f, -5.0f}, {0.0f, 0.0f, 5.0f}));
    EXPECT_TRUE(blocked({-5.0f, -5.0f, -5.0f}, {5.0f, 5.0f, 5.0f}));
    EXPECT_TRUE(blocked({-3.0f, 0.5f, 2.0f}, {3.0f, -0.5f, -2.0f}));
    // Ends inside after entering from outside.
    EXPECT_TRUE(blocked({0.0f, 10.0f, 0.0f}, {0.0f, 0.5f, 0.0f}));
}

TEST(SunVisibility, SegmentBesideABoxIsClear) {
    EXPECT_FALSE(blocked({2.0f, 0.0f, -5.0f}, {2.0f, 0.0f, 5.0f}));
    // Passes the corner: each end is level with the box on one axis, so no single face
    // has both ends beyond it, yet the line x + y = -2.5 misses the corner (-1, -1).
    EXPECT_FALSE(blocked({-3.0f, 0.5f, 0.0f}, {0.5f, -3.0f, 0.0f}));
    EXPECT_FALSE(blocked({-3.0f, 0.5f, 0.5f}, {0.5f, -3.0f, -0.5f}));
    // The same line carried on would hit the box; the segment stops before it.
    EXPECT_FALSE(blocked({-4.0f, 0.0f, 0.0f}, {-2.0f, 0.0f, 0.0f}));
}

TEST(SunVisibility, SegmentTouchingAFaceCountsAsBlocked) {
    // The box is closed, as the rejection that needs both ends strictly beyond a face says.
    EXPECT_TRUE(blocked({1.0f, 0.0f, -5.0f}, {1.0f, 0.0f, 5.0f}));
    EXPECT_TRUE(blocked({0.0f, 0.0f, -5.0f}, {0.0f, 0.0f, -1.0f}));
    EXPECT_TRUE(blocked({0.0f, 0.0f, 1.0f}, {0.0f, 0.0f, 5.0f}));
    // Touching the edge from a diagonal.
    EXPECT_TRUE(blocked({-2.0f, 0.0f, 0.0f}, {0.0f, 2.0f, 0.0f}));
}

TEST(SunVisibility, SegmentParallelToAnAxis) {
    // Inside the slabs of the other two axes: it must cross the box.
    EXPECT_TRUE(blocked({0.5f, 0.5f, -5.0f}, {0.5f, 0.5f, 5.0f}));
    EXPECT_TRUE(blocked({0.5f, -7.0f, 0.5f}, {0.5f, 9.0f, 0.5f}));
    // Outside one of those slabs: it passes by.
    EXPECT_FALSE(blocked({0.5f, 1.5f, -5.0f}, {0.5f, 1.5f, 5.0f}));
    EXPECT_FALSE(blocked({-1.5f, 0.5f, -5.0f}, {-1.5f, 0.5f, 5.0f}));
    // Parallel and level with the box but stopping short of it.
    EXPECT_FALSE(blocked({0.5f, 0.5f, -5.0f}, {0.5f, 0.5f, -2.0f}));
}

TEST(SunVisibility, BothEndsBeyondTheSameFaceAreClear) {
    EXPECT_FALSE(blocked({0.0f, 0.0f, 2.0f}, {0.0f, 5.0f, 3.0f}));
    EXPECT_FALSE(blocked({0.0f, -2.0f, 0.0f}, {0.0f, -3.0f, 10.0f}));
    EXPECT_FALSE(blocked({1.5f, -9.0f, -9.0f}, {1.25f, 9.0f, 9.0f}));
    EXPECT_FALSE(blocked({-1.5f, 0.0f, 0.0f}, {-20.0f, 0.0f, 0.0f}));
}

TEST(SunVisibility, KnifeBoxUsesFixedFactorsAroundItsPosition) {
    LoadModel knife;
    knife.scaleFactor = glm::vec3(1.0f, 1.0f, 1.0f);
    knife.boxSize = glm::vec3(2.8f, 0.35f, 0.1f);
    knife.setPosition(10.0f, 30.0f, -25.0f);
    expectVec3Near(hazardBoxMin(knife), {10.0f - 7.56f, 30.0f - 0.0245f, -25.05f});
    expectVec3Near(hazardBoxMax(knife), {10.0f + 7.56f, 30.0f + 0.0245f, -24.95f});

    // Neither the object's scale nor its turn changes the box.
    knife.rotate(0.0f, 1.0f, 0.0f, -90.0f);
    knife.scale(3.0f, 3.0f, 3.0f);
    expectVec3Near(hazardBoxMin(knife), {10.0f - 7.56f, 30.0f - 0.0245f, -25.05f});
    expectVec3Near(hazardBoxMax(knife), {10.0f + 7.56f, 30.0f + 0.0245f, -24.95f});

    // Negative sizes still give min below max.
    knife.boxSize = glm::vec3(-1.0f, -2.0f, -4.0f);
    expectVec3Near(hazardBoxMin(knife), {10.0f - 2.7f, 30.0f - 0.14f, -27.0f});
    expectVec3Near(hazardBoxMax(knife), {10.0f + 2.7f, 30.0f + 0.14f, -23.0f});
}

namespace {

LoadModel* const* fallingKnives[] = {&fallingKnife1, &fallingKnife2, &fallingKnife3,
                                     &fallingKnife4, &fallingKnife5, &fallingKnife6};

// Ball at the start, sun in the sky, knives up at their start places.
struct SunScene : ::testing::Test {
    TolvaTest::BareScene scene;
    SunScene() {
        player->setPosition(0.0f, 5.0f, -9.0f);
        sun->setPosition(-2.0f, 11.0f, -102.0f);
        const float z[6] = {-20.0f, -25.0f, -40.0f, -45.0f, -60.0f, -65.0f};
        for (int i = 0; i < 6; ++i) {
            LoadModel* knife = *fallingKnives[i];
            knife->boxSize = glm::vec3(2.8f, 0.35f, 0.1f);
            knife->setPosition(i % 2 == 0 ? -10.0f : 10.0f, 30.0f, z[i]);
        }
    }
};

} // namespace

TEST_F(SunScene, KnivesAboveTheTrackLeaveTheSunVisible) {
    EXPECT_FALSE(sunLineBlocked());
}

TEST_F(SunScene, AnyOfTheSixKnivesOnTheLineHidesTheSun) {
    // The line from (0, 5, -9) to the lowered sun (-2, 9, -102) is at y 6.333 at z = -40.
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i + 1);
        LoadModel* knife = *fallingKnives[i];
        glm::vec3 start;
        knife->getPosition(start);
        knife->setPosition(0.0f, 6.333f, -40.0f);
        EXPECT_TRUE(sunLineBlocked());
        // A little higher and the thin blade is above the line.
        knife->setPosition(0.0f, 6.5f, -40.0f);
        EXPECT_FALSE(sunLineBlocked());
        knife->setPosition(start.x, start.y, start.z);
    }
}

TEST_F(SunScene, TheLineEndsTwoUnitsBelowTheSun) {
    sun->setPosition(0.0f, 7.0f, -50.0f);
    // The line runs level at y = 5; the unlowered line would be at y 6.02 at z = -30.
    fallingKnife4->setPosition(0.0f, 5.0f, -30.0f);
    EXPECT_TRUE(sunLineBlocked());
    fallingKnife4->setPosition(0.0f, 6.02f, -30.0f);
    EXPECT_FALSE(sunLineBlocked());
    // A knife beyond the sun does not hide it.
    fallingKnife4->setPosition(0.0f, 5.0f, -70.0f);
    EXPECT_FALSE(sunLineBlocked());
}

TEST_F(SunScene, BallInsideAKnifeBoxHidesTheSun) {
    fallingKnife2->setPosition(0.0f, 5.0f, -9.0f);
    EXPECT_TRUE(sunLineBlocked());
}

TEST_F(SunScene, OnlyTheFallingKnivesBlock) {
    // Every other object, the flying knife included, may stand on the line.
    for (LoadModel* other : {flyingKnife, pot, plank1, marbleSlab, earth}) {
        other->boxSize = glm::vec3(100.0f, 100.0f, 100.0f);
        other->setPosition(0.0f, 6.333f, -40.0f);
    }
    EXPECT_FALSE(sunLineBlocked());
}
