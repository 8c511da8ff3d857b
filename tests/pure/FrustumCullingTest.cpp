#include "render/FrustumCulling.h"

#include "scene/LoadModel.h"
#include "scene/SceneCatalogue.h"
#include "sim/Camera.h"
#include "sim/MathConventions.h"
#include "support/BareScene.h"

#include <cmath>
#include <glm/glm.hpp>
#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

using namespace Pellwin;

namespace {

// With identity matrices the frustum is the cube from -1 to 1 on every axis and every
// plane distance is exact: right 1 - x, left x + 1, bottom y + 1, top 1 - y,
// far 1 - z, near z + 1.
const glm::mat4 identity = identityMatrix();

bool inUnitCube(glm::vec3 center, double radius) {
    return sphereInFrustum(center, identity, identity, identity, radius);
}

glm::mat4 placedAt(float x, float y, float z) {
    return glm::translate(identityMatrix(), glm::vec3(x, y, z));
}

} // namespace

TEST(FrustumCulling, SphereExactlyItsRadiusOutsideAPlaneIsCulled) {
    EXPECT_FALSE(inUnitCube({1.5f, 0.0f, 0.0f}, 0.5));    // right
    EXPECT_FALSE(inUnitCube({-1.5f, 0.0f, 0.0f}, 0.5));   // left
    EXPECT_FALSE(inUnitCube({0.0f, -1.25f, 0.0f}, 0.25)); // bottom
    EXPECT_FALSE(inUnitCube({0.0f, 1.25f, 0.0f}, 0.25));  // top
    EXPECT_FALSE(inUnitCube({0.0f, 0.0f, 3.0f}, 2.0));    // far
    EXPECT_FALSE(inUnitCube({0.0f, 0.0f, -1.75f}, 0.75)); // near

    // A hair more radius and the sphere reaches in.
    EXPECT_TRUE(inUnitCube({1.5f, 0.0f, 0.0f}, 0.5000001));
    EXPECT_TRUE(inUnitCube({0.0f, 0.0f, -1.75f}, 0.7500001));
    EXPECT_TRUE(inUnitCube({1.25f, 0.0f, 0.0f}, 0.5));
}

TEST(FrustumCulling, PointOnAPlaneIsCulled) {
    EXPECT_FALSE(inUnitCube({1.0f, 0.0f, 0.0f}, 0.0));
    EXPECT_FALSE(inUnitCube({0.0f, -1.0f, 0.0f}, 0.0));
    EXPECT_FALSE(inUnitCube({0.0f, 0.0f, -1.0f}, 0.0));
    EXPECT_FALSE(inUnitCube({0.0f, 0.0f, 1.0f}, 0.0));
    EXPECT_TRUE(inUnitCube({0.0f, 0.0f, 0.0f}, 0.0));
    EXPECT_TRUE(inUnitCube({0.999f, 0.0f, 0.0f}, 0.0));
}

TEST(FrustumCulling, LargeSphereJustOutsideACornerStillPasses) {
    // Only the planes are tested, not the corners: the sphere is 0.75 outside the right
    // and top planes, less than its radius, though the edge is 1.06 away.
    EXPECT_TRUE(inUnitCube({1.75f, 1.75f, 0.0f}, 1.0));
}

TEST(FrustumCulling, DistancesAreInModelUnitsAfterNormalising) {
    // A projection that doubles everything halves the cube: right plane 0.5 - x.
    const glm::mat4 doubling = glm::scale(identityMatrix(), glm::vec3(2.0f, 2.0f, 2.0f));
    EXPECT_FALSE(sphereInFrustum({1.5f, 0.0f, 0.0f}, doubling, identity, identity, 1.0));
    EXPECT_TRUE(sphereInFrustum({1.5f, 0.0f, 0.0f}, doubling, identity, identity, 1.25));

    // A model scaled by 4 sees the cube as -0.25 to 0.25 in its own units.
    const glm::mat4 grown = glm::scale(identityMatrix(), glm::vec3(4.0f, 4.0f, 4.0f));
    EXPECT_FALSE(sphereInFrustum({0.5f, 0.0f, 0.0f}, identity, identity, grown, 0.25));
    EXPECT_TRUE(sphereInFrustum({0.5f, 0.0f, 0.0f}, identity, identity, grown, 0.375));
}

TEST(FrustumCulling, ProjectionViewAndModelMultiplyInGameOrder) {
    // projection * view * model: here clip x = 2 * (x - 1), so x must lie in [0.5, 1.5].
    const glm::mat4 projection = glm::scale(identityMatrix(), glm::vec3(2.0f, 2.0f, 2.0f));
    const glm::mat4 view = placedAt(-1.0f, 0.0f, 0.0f);
    EXPECT_TRUE(sphereInFrustum({1.375f, 0.0f, 0.0f}, projection, view, identity, 0.0625));
    EXPECT_FALSE(sphereInFrustum({0.375f, 0.0f, 0.0f}, projection, view, identity, 0.0625));

    // view * model: the model is placed first, then the view moves it.
    const glm::mat4 model = glm::scale(identityMatrix(), glm::vec3(2.0f, 2.0f, 2.0f));
    EXPECT_TRUE(sphereInFrustum({0.25f, 0.0f, 0.0f}, identity, view, model, 0.125));
    EXPECT_FALSE(sphereInFrustum({-0.25f, 0.0f, 0.0f}, identity, view, model, 0.125));
}

TEST(FrustumCulling, CentreBehindTheNearPlaneByLessThanTheRadiusPasses) {
    // Game projection, camera at the origin looking down -z: the near plane is z = -0.1.
    const glm::mat4 projection = perspectiveDegrees(90.0f, 4.0f / 3.0f, 0.1f, 1000.0f);
    EXPECT_TRUE(sphereInFrustum({0.0f, 0.0f, 0.0f}, projection, identity, identity, 0.5));
    EXPECT_FALSE(sphereInFrustum({0.0f, 0.0f, 0.0f}, projection, identity, identity, 0.05));
    EXPECT_TRUE(sphereInFrustum({0.0f, 0.0f, 0.25f}, projection, identity, identity, 0.5));
    EXPECT_FALSE(sphereInFrustum({0.0f, 0.0f, 0.25f}, projection, identity, identity, 0.25));
}

TEST(FrustumCulling, DoublingTheRadiusPassesUntilTwiceTheRadiusOutside) {
    // The particles use the pot's sphere at twice its radius.
    const double potRadius = 1.0;
    // Right plane distance -1.5: the pot is culled, its particles are not.
    EXPECT_FALSE(inUnitCube({2.5f, 0.0f, 0.0f}, potRadius));
    EXPECT_TRUE(inUnitCube({2.5f, 0.0f, 0.0f}, 2.0 * potRadius));
    // Distance -2: exactly twice the radius out, culled as well.
    EXPECT_FALSE(inUnitCube({3.0f, 0.0f, 0.0f}, 2.0 * potRadius));
}

TEST(FrustumCulling, ZeroScaleModelIsNeverCulled) {
    // A plank flattened to nothing gives planes without a direction; the test
    // cannot decide and the object is drawn.
    const glm::mat4 projection = perspectiveDegrees(90.0f, 4.0f / 3.0f, 0.1f, 1000.0f);
    const glm::mat4 view = glm::lookAt(glm::vec3(0.0f, 7.0f, -5.5f), glm::vec3(0.0f, 5.0f, -9.0f),
                                       glm::vec3(0.0f, 1.0f, 0.0f));
    const glm::mat4 hidden = glm::scale(placedAt(0.0f, 5.0f, 50.0f), glm::vec3(0.0f, 0.0f, 0.0f));
    EXPECT_TRUE(sphereInFrustum({0.0f, 0.0f, 0.0f}, projection, view, hidden, 0.866));
    EXPECT_TRUE(sphereInFrustum({3.0f, -2.0f, 1.0f}, projection, view, hidden, 0.0));
    // The same place with a real scale is behind the camera and culled.
    const glm::mat4 real = glm::scale(placedAt(0.0f, 5.0f, 50.0f), glm::vec3(1.0f, 1.0f, 1.0f));
    EXPECT_FALSE(sphereInFrustum({0.0f, 0.0f, 0.0f}, projection, view, real, 0.866));
}

TEST(FrustumCulling, ChaseViewSeesTheTrackAheadButNotBehindOrBeside) {
    TolvaTest::BareScene scene;
    player->setPosition(0.0f, 5.0f, -9.0f);
    camera->update();
    const glm::mat4 projection = perspectiveDegrees(90.0f, 1024.0f / 768.0f, 0.1f, 1000.0f);
    const glm::mat4 view = camera->view;
    const glm::vec3 cubeCenter(0.0f, 0.0f, 0.0f);
    const double cubeRadius = std::sqrt(0.75);

    EXPECT_TRUE(sphereInFrustum(cubeCenter, projection, view, player->modelMatrix, cubeRadius));
    EXPECT_TRUE(
        sphereInFrustum(cubeCenter, projection, view, placedAt(0.0f, 5.0f, -80.0f), cubeRadius));
    EXPECT_FALSE(
        sphereInFrustum(cubeCenter, projection, view, placedAt(0.0f, 5.0f, 10.0f), cubeRadius));
    EXPECT_FALSE(
        sphereInFrustum(cubeCenter, projection, view, placedAt(200.0f, 5.0f, -20.0f), cubeRadius));
    EXPECT_FALSE(
        sphereInFrustum(cubeCenter, projection, view, placedAt(0.0f, 5.0f, -1300.0f), cubeRadius));
}

TEST(FrustumCulling, FrustumRecordHoldsTheLastTest) {
    ViewFrustum record;
    ViewFrustum* const previous = viewFrustum;
    viewFrustum = &record;
    const glm::mat4 projection = glm::scale(identityMatrix(), glm::vec3(2.0f, 2.0f, 2.0f));
    const glm::mat4 view = placedAt(0.0f, 0.0f, -0.25f);
    const bool visible = sphereInFrustum({0.25f, 0.0f, 0.0f}, projection, view, identity, 0.5);
    viewFrustum = previous;

    EXPECT_TRUE(visible);
    EXPECT_EQ(record.center, glm::vec3(0.25f, 0.0f, 0.0f));
    EXPECT_EQ(record.radius, 0.5);
    EXPECT_EQ(record.projection, projection);
    EXPECT_EQ(record.modelView, view);
    EXPECT_EQ(record.clip, projection * view);
    // Right, left, bottom, top, far, near; the view moves z by -0.25, so far is z = 0.75
    // and near z = -0.25.
    const FrustumPlane expected[6] = {{-1.0f, 0.0f, 0.0f, 0.5f},  {1.0f, 0.0f, 0.0f, 0.5f},
                                      {0.0f, 1.0f, 0.0f, 0.5f},   {0.0f, -1.0f, 0.0f, 0.5f},
                                      {0.0f, 0.0f, -1.0f, 0.75f}, {0.0f, 0.0f, 1.0f, 0.25f}};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(record.planes[i].a, expected[i].a) << "plane " << i;
        EXPECT_EQ(record.planes[i].b, expected[i].b) << "plane " << i;
        EXPECT_EQ(record.planes[i].c, expected[i].c) << "plane " << i;
        EXPECT_EQ(record.planes[i].d, expected[i].d) << "plane " << i;
    }
    EXPECT_EQ(record.planeLength, 2.0f);
}
