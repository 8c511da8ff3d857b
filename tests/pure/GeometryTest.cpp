// SPDX-License-Identifier: GPL-3.0-or-later
// The maths the renderer and the camera stand on: frustum culling, the sun line, bounding
// spheres and the chase camera.
#include "render/FrustumCulling.h"
#include "render/SunVisibility.h"
#include "scene/LoadModel.h"
#include "scene/SceneCatalogue.h"
#include "sim/Camera.h"
#include "support/BareScene.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace Pellwin;

namespace {

const glm::mat4 I = identityMatrix();

glm::mat4 at(float x, float y, float z) {
    return glm::translate(I, glm::vec3(x, y, z));
}

bool near(glm::vec3 a, glm::vec3 b, float tolerance = 1e-4f) {
    return glm::length(a - b) < tolerance;
}

} // namespace

TEST(Culling, OnlyASphereWhollyOutsideOnePlaneIsCulled) {
    // Identity matrices make the frustum the cube from -1 to 1, distances exact. The last
    // sphere lies beyond the corner, within its radius of each plane.
    const struct {
        glm::vec3 centre;
        double radius;
        bool visible;
    } cases[] = {{{1.5f, 0, 0}, 0.5, false},      {{-1.5f, 0, 0}, 0.5, false},
                 {{0, -1.25f, 0}, 0.25, false},   {{0, 1.25f, 0}, 0.25, false},
                 {{0, 0, 3}, 2.0, false},         {{0, 0, -1.75f}, 0.75, false},
                 {{1.5f, 0, 0}, 0.5000001, true}, {{0, 0, -1.75f}, 0.7500001, true},
                 {{1, 0, 0}, 0.0, false},         {{0, 0, -1}, 0.0, false},
                 {{0.999f, 0, 0}, 0.0, true},     {{1.75f, 1.75f, 0}, 1.0, true}};
    for (const auto& c : cases) {
        EXPECT_EQ(sphereInFrustum(c.centre, I, I, I, c.radius), c.visible)
            << c.centre.x << ", " << c.centre.y << ", " << c.centre.z << " r " << c.radius;
    }
}

TEST(Culling, PlanesComeFromProjectionTimesViewTimesModelInModelUnits) {
    const glm::mat4 twice = glm::scale(I, glm::vec3(2.0f));
    EXPECT_FALSE(sphereInFrustum({1.5f, 0, 0}, twice, I, I, 1.0));
    EXPECT_TRUE(sphereInFrustum({1.5f, 0, 0}, twice, I, I, 1.25));
    EXPECT_TRUE(sphereInFrustum({1.375f, 0, 0}, twice, at(-1, 0, 0), I, 0.0625));
    EXPECT_FALSE(sphereInFrustum({0.375f, 0, 0}, twice, at(-1, 0, 0), I, 0.0625));
    EXPECT_TRUE(sphereInFrustum({0.25f, 0, 0}, I, at(-1, 0, 0), twice, 0.125));
    EXPECT_FALSE(sphereInFrustum({-0.25f, 0, 0}, I, at(-1, 0, 0), twice, 0.125));
}

TEST(Culling, TheChaseViewSeesAheadAndNothingBehindAndFlatObjectsAlwaysPass) {
    TolvaTest::BareScene scene;
    player->setPosition(0, 5, -9);
    camera->update();
    const glm::mat4 projection = perspectiveDegrees(90.0f, 4.0f / 3.0f, 0.1f, 1000.0f);
    const double r = std::sqrt(0.75);
    const glm::vec3 o(0.0f);
    EXPECT_TRUE(sphereInFrustum(o, projection, camera->view, at(0, 5, -80), r));
    EXPECT_FALSE(sphereInFrustum(o, projection, camera->view, at(0, 5, 10), r));
    EXPECT_FALSE(sphereInFrustum(o, projection, camera->view, at(200, 5, -20), r));
    EXPECT_FALSE(sphereInFrustum(o, projection, camera->view, at(0, 5, -1300), r));
    const glm::mat4 flat = glm::scale(at(0, 5, 10), glm::vec3(0.0f));
    EXPECT_TRUE(sphereInFrustum(o, projection, camera->view, flat, r)) << "no plane, no verdict";
    // The near plane lies 0.1 in front of the eye.
    EXPECT_TRUE(sphereInFrustum({0, 0, 0.25f}, projection, I, I, 0.5));
    EXPECT_FALSE(sphereInFrustum({0, 0, 0.25f}, projection, I, I, 0.25));
}

TEST(SunLine, ASegmentIsBlockedWhenItMeetsTheClosedBox) {
    const glm::vec3 lo(-1.0f), hi(1.0f);
    const struct {
        glm::vec3 inner, outer;
        bool blocked;
    } cases[] = {{{0, 0, 0}, {0, 0, 10}, true},
                 {{0, 0, -5}, {0, 0, 5}, true},
                 {{-3, 0.5f, 2}, {3, -0.5f, -2}, true},
                 {{0, 10, 0}, {0, 0.5f, 0}, true},
                 {{1, 0, -5}, {1, 0, 5}, true},
                 {{-2, 0, 0}, {0, 2, 0}, true},
                 {{0.5f, 0.5f, -5}, {0.5f, 0.5f, 5}, true},
                 {{2, 0, -5}, {2, 0, 5}, false},
                 {{-3, 0.5f, 0}, {0.5f, -3, 0}, false},
                 {{-4, 0, 0}, {-2, 0, 0}, false},
                 {{0.5f, 1.5f, -5}, {0.5f, 1.5f, 5}, false},
                 {{0.5f, 0.5f, -5}, {0.5f, 0.5f, -2}, false},
                 {{0, 0, 2}, {0, 5, 3}, false},
                 {{1.5f, -9, -9}, {1.25f, 9, 9}, false}};
    for (const auto& c : cases) {
        EXPECT_EQ(segmentBlockedByBox(lo, hi, c.inner, c.outer), c.blocked)
            << c.inner.x << "," << c.inner.y << "," << c.inner.z << " to " << c.outer.x << ","
            << c.outer.y << "," << c.outer.z;
    }
}

TEST(SunLine, OnlyTheSixFallingKnivesHideTheSunFromTheBall) {
    TolvaTest::BareScene scene;
    LoadModel* knives[6] = {fallingKnife1, fallingKnife2, fallingKnife3,
                            fallingKnife4, fallingKnife5, fallingKnife6};
    player->setPosition(0, 5, -9);
    sun->setPosition(-2, 11, -102);
    for (LoadModel* knife : knives) {
        knife->boxSize = glm::vec3(2.8f, 0.35f, 0.1f);
        knife->setPosition(10, 30, -40);
    }
    // The box: 2.7, 0.07 and 0.5 times the box size around the knife, whatever its scale.
    knives[0]->scale(3, 3, 3);
    EXPECT_TRUE(near(hazardBoxMin(*knives[0]), {10 - 7.56f, 30 - 0.0245f, -40.05f}));
    EXPECT_TRUE(near(hazardBoxMax(*knives[0]), {10 + 7.56f, 30 + 0.0245f, -39.95f}));
    EXPECT_FALSE(sunLineBlocked());
    for (LoadModel* other : {flyingKnife, pot, plank1, marbleSlab}) {
        other->boxSize = glm::vec3(100.0f);
        other->setPosition(0, 6.333f, -40);
    }
    EXPECT_FALSE(sunLineBlocked()) << "nothing else blocks";
    // The line to 2 below the sun is at y 6.333 at z -40.
    for (LoadModel* knife : knives) {
        knife->setPosition(0, 6.333f, -40);
        EXPECT_TRUE(sunLineBlocked());
        knife->setPosition(0, 6.5f, -40);
        EXPECT_FALSE(sunLineBlocked());
        knife->setPosition(0, 5, -9); // around the ball
        EXPECT_TRUE(sunLineBlocked());
        knife->setPosition(10, 30, -40);
    }
}

TEST(BoundingSphere, CentreIsTheMeanAndRadiusTheFarthestVertex) {
    glm::vec3 centre;
    double radius = 0.0;
    std::vector<float> cube;
    for (int i = 0; i < 8; ++i) {
        cube.insert(cube.end(), {i & 1 ? 0.5f : -0.5f, i & 2 ? 0.5f : -0.5f, i & 4 ? 0.5f : -0.5f});
    }
    computeBoundingSphere(cube, centre, radius);
    EXPECT_TRUE(near(centre, glm::vec3(0.0f), 1e-6f));
    EXPECT_NEAR(radius, std::sqrt(0.75), 1e-6);
    computeBoundingSphere({0, 0, 0, 2, 0, 0, 4, 0, 0, 0, 6, 0}, centre, radius);
    EXPECT_TRUE(near(centre, {1.5f, 1.5f, 0}, 1e-6f));
    EXPECT_NEAR(radius, std::sqrt(1.5 * 1.5 + 4.5 * 4.5), 1e-6);
    computeBoundingSphere({}, centre, radius);
    EXPECT_TRUE(std::isfinite(radius) && radius > 0.0) << "an empty mesh still culls";
}

TEST(Camera, SitsBehindAndAboveTheBallAlongItsHeading) {
    TolvaTest::BareScene scene;
    player->setPosition(0, 5, -9);
    camera->update();
    const glm::mat4 eye = glm::inverse(camera->view);
    EXPECT_TRUE(near(glm::vec3(eye[3]), {0, 7, -5.5f}));
    EXPECT_TRUE(near(-glm::vec3(eye[2]), glm::normalize(glm::vec3(0, -2, -3.5f))));
    player->rotate(0, 1, 0, 30);
    player->translate(0, 1.3f, 0);
    camera->update();
    const float a = radiansFromDegrees(30.0f);
    const glm::vec3 expected =
        glm::vec3(0, 5, -9) + glm::vec3(3.5f * std::sin(a), 3.3f, 3.5f * std::cos(a));
    EXPECT_TRUE(near(glm::vec3(glm::inverse(camera->view)[3]), expected));
}
