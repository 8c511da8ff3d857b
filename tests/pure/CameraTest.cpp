// The chase camera behind the ball, on a laid-out level without GL. The eye is read back
// from the inverse of the view matrix.
#include "sim/Camera.h"
#include "app/GameLoop.h"
#include "app/Level.h"
#include "scene/LoadModel.h"
#include "scene/SceneCatalogue.h"
#include "sim/GameUpdate.h"
#include "support/BareScene.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace Pellwin;

namespace {

constexpr double pi = 3.14159265358979323846;

glm::vec3 eyeOf(const glm::mat4& view) {
    return glm::vec3(glm::inverse(view)[3]);
}

// Where the camera looks, in world space: its own -z axis.
glm::vec3 lookDirectionOf(const glm::mat4& view) {
    return -glm::vec3(glm::inverse(view)[2]);
}

void expectNear(const glm::vec3& actual, const glm::vec3& expected, double tolerance,
                const char* what) {
    EXPECT_NEAR(actual.x, expected.x, tolerance) << what;
    EXPECT_NEAR(actual.y, expected.y, tolerance) << what;
    EXPECT_NEAR(actual.z, expected.z, tolerance) << what;
}

class CameraTest : public ::testing::Test {
protected:
    void SetUp() override {
        TolvaTest::buildBareScene();
        placeLevelObjects();
        deltaTime = 0.015625f;
    }

    void TearDown() override { TolvaTest::destroyBareScene(); }
};

TEST_F(CameraTest, SitsBehindAndAboveTheBallAtTheStart) {
    camera->update();
    EXPECT_EQ(camera->target, player);
    expectNear(eyeOf(camera->view), glm::vec3(0.0f, 7.0f, -5.5f), 1e-4, "eye");

    const glm::mat4 expected = glm::lookAt(
        glm::vec3(0.0f, 7.0f, -5.5f), glm::vec3(0.0f, 5.0f, -9.0f), glm::vec3(0.0f, 1.0f, 0.0f));
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 4; ++r) {
            EXPECT_NEAR(camera->view[c][r], expected[c][r], 1e-5) << "[" << c << "][" << r << "]";
        }
    }

    // The ball is straight ahead on the view axis, and the picture is upright.
    const glm::vec4 ballInView = camera->view * glm::vec4(0.0f, 5.0f, -9.0f, 1.0f);
    EXPECT_NEAR(ballInView.x, 0.0f, 1e-5);
    EXPECT_NEAR(ballInView.y, 0.0f, 1e-5);
    EXPECT_LT(ballInView.z, 0.0f);
    const glm::mat4 cameraToWorld = glm::inverse(camera->view);
    EXPECT_NEAR(cameraToWorld[0][1], 0.0f, 1e-6) << "the camera's right axis is level";
    EXPECT_GT(cameraToWorld[1][1], 0.0f) << "the camera's up axis points up";
}

TEST_F(CameraTest, FollowsTheBallsHeading) {
    for (float a : {30.0f, -27.12f, 90.0f, 180.0f}) {
        player->modelMatrix = identityMatrix();
        player->setPosition(1.5f, 5.0f, -40.0f);
        player->rotate(0.0f, 1.0f, 0.0f, a);
        camera->update();
        const double rad = static_cast<double>(a) * pi / 180.0;
        const glm::vec3 expected(1.5f + static_cast<float>(3.5 * std::sin(rad)), 7.0f,
                                 -40.0f + static_cast<float>(3.5 * std::cos(rad)));
        SCOPED_TRACE(testing::Message() << "turned by " << a);
        expectNear(eyeOf(camera->view), expected, 1e-4, "eye");
        const glm::vec4 ballInView = camera->view * glm::vec4(1.5f, 5.0f, -40.0f, 1.0f);
        EXPECT_NEAR(ballInView.x, 0.0f, 1e-4);
        EXPECT_NEAR(ballInView.y, 0.0f, 1e-4);
        EXPECT_LT(ballInView.z, 0.0f);
    }
}

TEST_F(CameraTest, RisesWithAJumpingBall) {
    player->rotate(0.0f, 1.0f, 0.0f, 20.0f);
    camera->update();
    const glm::vec3 eyeBefore = eyeOf(camera->view);
    const glm::vec3 lookBefore = lookDirectionOf(camera->view);

    player->translate(0.0f, 1.3f, 0.0f);
    camera->update();
    expectNear(eyeOf(camera->view), eyeBefore + glm::vec3(0.0f, 1.3f, 0.0f), 1e-4, "eye");
    expectNear(lookDirectionOf(camera->view), lookBefore, 1e-5, "view direction");
}

TEST_F(CameraTest, GameUpdateLeavesTheViewOnThisFramesBall) {
    updateGame();
    const glm::vec3 ball = translationOf(player->modelMatrix);
    ASSERT_LT(ball.z, -9.0f) << "the ball has rolled";
    expectNear(eyeOf(camera->view), ball + glm::vec3(0.0f, 2.0f, 3.5f), 1e-4, "eye");
}

} // namespace
