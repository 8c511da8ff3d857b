#include "scene/LoadModel.h"

#include <cmath>
#include <glm/glm.hpp>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

using Pellwin::computeBoundingSphere;
using Pellwin::LoadModel;

namespace {

constexpr float tolerance = 1e-5f;

void expectVec3Near(const glm::vec3& actual, const glm::vec3& expected, float eps = tolerance) {
    EXPECT_NEAR(actual.x, expected.x, eps);
    EXPECT_NEAR(actual.y, expected.y, eps);
    EXPECT_NEAR(actual.z, expected.z, eps);
}

glm::vec3 positionOf(LoadModel& object) {
    glm::vec3 position(std::numeric_limits<float>::quiet_NaN());
    object.getPosition(position);
    return position;
}

glm::vec3 worldDirection(const LoadModel& object, const glm::vec3& modelDirection) {
    return glm::vec3(object.modelMatrix * glm::vec4(modelDirection, 0.0f));
}

// A scene object as the loading constructor leaves it, minus the mesh and the GL objects.
struct PlacedObject : ::testing::Test {
    LoadModel object;
    PlacedObject() { object.scaleFactor = glm::vec3(1.0f, 1.0f, 1.0f); }
};

} // namespace

TEST(LoadModelDefault, StartsAtTheOriginWithNothingLoaded) {
    LoadModel object;
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 4; ++r) {
            EXPECT_EQ(object.modelMatrix[c][r], c == r ? 1.0f : 0.0f);
        }
    }
    // Only the loading constructor sets the scale to one.
    EXPECT_EQ(object.scaleFactor, glm::vec3(0.0f, 0.0f, 0.0f));
    EXPECT_EQ(object.center, glm::vec3(0.0f, 0.0f, 0.0f));
    EXPECT_EQ(positionOf(object), glm::vec3(0.0f, 0.0f, 0.0f));
    EXPECT_TRUE(object.indices.empty());
    EXPECT_TRUE(object.positions.empty());
    EXPECT_TRUE(object.uvs.empty());
    EXPECT_TRUE(object.normals.empty());
    EXPECT_EQ(object.importer, nullptr);
    EXPECT_EQ(object.vao, 0u);
    EXPECT_EQ(object.positionBuffer, 0u);
    EXPECT_EQ(object.indexBuffer, 0u);
    EXPECT_EQ(object.uvBuffer, 0u);
    EXPECT_EQ(object.normalBuffer, 0u);
}

TEST_F(PlacedObject, ScaleMultipliesIntoScaleFactorAndTheMatrixColumns) {
    object.scale(2.0f, 1.0f, 1.0f);
    object.scale(2.0f, 1.0f, 1.0f);
    EXPECT_EQ(object.scaleFactor, glm::vec3(4.0f, 1.0f, 1.0f));
    EXPECT_EQ(object.modelMatrix[0][0], 4.0f);
    EXPECT_EQ(object.modelMatrix[1][1], 1.0f);
    EXPECT_EQ(object.modelMatrix[2][2], 1.0f);

    object.scale(0.5f, 3.0f, -2.0f);
    EXPECT_EQ(object.scaleFactor, glm::vec3(2.0f, 3.0f, -2.0f));
}

TEST_F(PlacedObject, ScalingAnAxisByZeroFlattensWithoutMoving) {
    object.translate(3.0f, 4.0f, -5.0f);
    object.scale(0.0f, 20.0f, 100.0f);
    EXPECT_EQ(positionOf(object), glm::vec3(3.0f, 4.0f, -5.0f));
    EXPECT_EQ(object.scaleFactor, glm::vec3(0.0f, 20.0f, 100.0f));
    for (int r = 0; r < 4; ++r) {
        EXPECT_EQ(object.modelMatrix[0][r], 0.0f) << "row " << r;
    }
    EXPECT_EQ(object.modelMatrix[1][1], 20.0f);
    EXPECT_EQ(object.modelMatrix[2][2], 100.0f);
    EXPECT_EQ(object.modelMatrix[3][3], 1.0f);
}

TEST_F(PlacedObject, OrderOfTranslateAndScaleMatters) {
    // Placed first, then scaled: the scale acts about the object's own origin.
    object.translate(0.0f, 5.0f, -9.0f);
    object.scale(5.0f, 5.0f, 0.0f);
    EXPECT_EQ(positionOf(object), glm::vec3(0.0f, 5.0f, -9.0f));

    // Scaled first, then moved: the move is scaled too.
    LoadModel other;
    other.scaleFactor = glm::vec3(1.0f, 1.0f, 1.0f);
    other.scale(5.0f, 5.0f, 0.0f);
    other.translate(0.0f, 5.0f, -9.0f);
    EXPECT_EQ(positionOf(other), glm::vec3(0.0f, 25.0f, 0.0f));
    EXPECT_EQ(other.modelMatrix[3][3], 1.0f);

    // A translation after a scale of 5.5 by (0, -1.2, 0) moves 6.6 world units.
    LoadModel sky;
    sky.scaleFactor = glm::vec3(1.0f, 1.0f, 1.0f);
    sky.scale(5.5f, 5.5f, 5.5f);
    sky.translate(0.0f, -1.2f, 0.0f);
    expectVec3Near(positionOf(sky), {0.0f, -6.6f, 0.0f});
}

TEST_F(PlacedObject, TranslateAfterRotateMovesAlongTheObjectsOwnAxes) {
    object.translate(1.0f, 2.0f, 3.0f);
    object.rotate(0.0f, 1.0f, 0.0f, 90.0f);
    object.translate(0.0f, 0.0f, -2.0f);
    // Own -z is world -x after the quarter turn.
    expectVec3Near(positionOf(object), {-1.0f, 2.0f, 3.0f});
}

TEST_F(PlacedObject, SetPositionWritesTheWorldPositionAndKeepsScaleAndTurn) {
    object.scale(20.0f, 0.5f, 20.0f);
    object.rotate(0.0f, 1.0f, 0.0f, 30.0f);
    const glm::mat4 before = object.modelMatrix;
    object.setPosition(7.0f, -8.0f, 9.5f);
    EXPECT_EQ(positionOf(object), glm::vec3(7.0f, -8.0f, 9.5f));
    EXPECT_NEAR(glm::length(glm::vec3(object.modelMatrix[0])), 20.0f, tolerance);
    EXPECT_NEAR(glm::length(glm::vec3(object.modelMatrix[1])), 0.5f, tolerance);
    EXPECT_NEAR(glm::length(glm::vec3(object.modelMatrix[2])), 20.0f, tolerance);
    for (int c = 0; c < 3; ++c) {
        for (int r = 0; r < 4; ++r) {
            EXPECT_EQ(object.modelMatrix[c][r], before[c][r]);
        }
    }
    EXPECT_EQ(object.modelMatrix[3][3], 1.0f);
    EXPECT_EQ(object.scaleFactor, glm::vec3(20.0f, 0.5f, 20.0f));

    // Set twice, no accumulation: it is a write, not a move.
    object.setPosition(7.0f, -8.0f, 9.5f);
    EXPECT_EQ(positionOf(object), glm::vec3(7.0f, -8.0f, 9.5f));
}

TEST_F(PlacedObject, RotateTurnsAboutTheGivenAxisInDegrees) {
    object.rotate(0.0f, 1.0f, 0.0f, 90.0f);
    expectVec3Near(worldDirection(object, {1.0f, 0.0f, 0.0f}), {0.0f, 0.0f, -1.0f});
    expectVec3Near(worldDirection(object, {0.0f, 0.0f, 1.0f}), {1.0f, 0.0f, 0.0f});
    expectVec3Near(positionOf(object), {0.0f, 0.0f, 0.0f});

    // The axis does not need unit length.
    LoadModel other;
    other.rotate(0.0f, 4.0f, 0.0f, 90.0f);
    expectVec3Near(worldDirection(other, {1.0f, 0.0f, 0.0f}), {0.0f, 0.0f, -1.0f});
}

TEST_F(PlacedObject, PitchByTimeTurnsNinetyDegreesPerUnitAboutMinusX) {
    object.pitchByTime(1.0f);
    EXPECT_EQ(object.time, 1.0f);
    expectVec3Near(worldDirection(object, {0.0f, 1.0f, 0.0f}), {0.0f, 0.0f, -1.0f});
    expectVec3Near(worldDirection(object, {0.0f, 0.0f, 1.0f}), {0.0f, 1.0f, 0.0f});
    expectVec3Near(worldDirection(object, {1.0f, 0.0f, 0.0f}), {1.0f, 0.0f, 0.0f});

    object.pitchByTime(0.5f);
    EXPECT_EQ(object.time, 0.5f);
    // 135 degrees in all now.
    const float h = std::sqrt(0.5f);
    expectVec3Near(worldDirection(object, {0.0f, 1.0f, 0.0f}), {0.0f, -h, -h});
}

TEST_F(PlacedObject, RotateByTimeTurnsByTimeTimesSpeed) {
    object.rotateByTime(0.016f, 0.0f, -1.0f, 0.0f, 30.0f);
    EXPECT_EQ(object.time, 0.016f);
    // 0.48 degrees about -y takes +x towards +z.
    const float angle = 0.48f * 0.017453292f;
    expectVec3Near(worldDirection(object, {1.0f, 0.0f, 0.0f}),
                   {std::cos(angle), 0.0f, std::sin(angle)}, 1e-6f);
    expectVec3Near(worldDirection(object, {0.0f, 1.0f, 0.0f}), {0.0f, 1.0f, 0.0f}, 1e-6f);
    expectVec3Near(positionOf(object), {0.0f, 0.0f, 0.0f});

    // A zero frame time turns nothing but is still remembered.
    LoadModel still;
    still.rotateByTime(0.0f, 0.0f, 1.0f, 0.0f, 30.0f);
    EXPECT_EQ(still.time, 0.0f);
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 4; ++r) {
            EXPECT_NEAR(still.modelMatrix[c][r], c == r ? 1.0f : 0.0f, 1e-7f);
        }
    }
}

TEST_F(PlacedObject, TranslateByTimeMovesByTimeTimesVelocityInOwnAxes) {
    object.translateByTime(0.5f, 0.0f, 0.0f, -7.0f);
    EXPECT_EQ(object.time, 0.5f);
    EXPECT_EQ(positionOf(object), glm::vec3(0.0f, 0.0f, -3.5f));

    LoadModel turned;
    turned.rotate(0.0f, 1.0f, 0.0f, 90.0f);
    turned.scale(2.0f, 2.0f, 2.0f);
    turned.translateByTime(0.5f, 0.0f, 0.0f, -7.0f);
    // Own -z is world -x, and the move is scaled with the object.
    expectVec3Near(positionOf(turned), {-7.0f, 0.0f, 0.0f});
}

TEST_F(PlacedObject, SetTimeOnlyStoresTheTime) {
    object.translate(1.0f, 2.0f, 3.0f);
    const glm::mat4 before = object.modelMatrix;
    object.setTime(2.5f);
    EXPECT_EQ(object.time, 2.5f);
    EXPECT_EQ(object.modelMatrix, before);
    EXPECT_EQ(object.scaleFactor, glm::vec3(1.0f, 1.0f, 1.0f));
}

TEST(BoundingSphere, CubeCornersGiveCentreZeroAndHalfDiagonal) {
    std::vector<float> positions;
    for (float x : {-0.5f, 0.5f}) {
        for (float y : {-0.5f, 0.5f}) {
            for (float z : {-0.5f, 0.5f}) {
                positions.insert(positions.end(), {x, y, z});
            }
        }
    }
    glm::vec3 center(9.0f);
    double radius = -1.0;
    computeBoundingSphere(positions, center, radius);
    EXPECT_EQ(center, glm::vec3(0.0f, 0.0f, 0.0f));
    EXPECT_NEAR(radius, std::sqrt(0.75), 1e-12);
}

TEST(BoundingSphere, CentreIsTheMeanAndRadiusTheFarthestVertex) {
    // The farthest vertex comes last, so the radius must not stop at the first.
    const std::vector<float> positions{2.0f, 0.0f, 0.0f, 4.0f, 0.0f,  0.0f,
                                       6.0f, 1.0f, 0.0f, 0.0f, -1.0f, 0.0f};
    glm::vec3 center;
    double radius = 0.0;
    computeBoundingSphere(positions, center, radius);
    expectVec3Near(center, {3.0f, 0.0f, 0.0f});
    EXPECT_NEAR(radius, std::sqrt(10.0), 1e-6);

    // A single vertex is its own centre with no extent.
    computeBoundingSphere({1.5f, -2.0f, 8.0f}, center, radius);
    EXPECT_EQ(center, glm::vec3(1.5f, -2.0f, 8.0f));
    EXPECT_EQ(radius, 0.0);
}

TEST(BoundingSphere, EmptyMeshGetsAFiniteSphere) {
    // A missing model file must not hand culling a division by zero.
    glm::vec3 center(std::numeric_limits<float>::quiet_NaN());
    double radius = std::numeric_limits<double>::quiet_NaN();
    computeBoundingSphere({}, center, radius);
    EXPECT_TRUE(std::isfinite(center.x) && std::isfinite(center.y) && std::isfinite(center.z));
    EXPECT_TRUE(std::isfinite(radius));
    EXPECT_EQ(center, glm::vec3(0.0f, 0.0f, 0.0f));
    EXPECT_EQ(radius, 1.0);
}
