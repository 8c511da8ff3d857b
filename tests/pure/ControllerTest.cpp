// The keyboard controller of the ball, played through scripted keys in a scene without a
// window. Frame times are exact binary fractions so that the expected positions are exact.
#include "sim/Controller.h"
#include "app/GameLoop.h"
#include "app/KeyInput.h"
#include "app/Level.h"
#include "scene/LoadModel.h"
#include "scene/SceneCatalogue.h"
#include "sim/GameUpdate.h"
#include "support/BareLevelTest.h"
#include "support/BareScene.h"
#include "support/KeyScript.h"

#include <GLFW/glfw3.h>
#include <cmath>
#include <gtest/gtest.h>
#include <initializer_list>

using namespace Pellwin;

using TolvaTest::frame64;

namespace {

glm::vec3 ballPosition() {
    return translationOf(player->modelMatrix);
}

// Heading of the ball about +y in degrees: 0 is straight down the track, negative is to the
// right (towards +x).
double headingDegrees() {
    const glm::mat4& m = player->modelMatrix;
    return std::atan2(static_cast<double>(m[2][0]), static_cast<double>(m[2][2])) * 180.0 /
           3.14159265358979323846;
}

class ControllerTest : public TolvaTest::BareLevelTest {
protected:
    // One frame of input with exactly these keys held.
    void frame(std::initializer_list<int> keys) {
        TolvaTest::holdKeys(keys);
        controller->handleInput();
    }

    void frames(int count, std::initializer_list<int> keys) {
        for (int i = 0; i < count; ++i) {
            frame(keys);
        }
    }

    // Space for one frame, then no keys until the ball has come down (0.5 s at 1/64 s).
    void jumpAndLand() {
        frame({GLFW_KEY_SPACE});
        frames(32, {});
    }
};

TEST_F(ControllerTest, ForwardAndFastForwardTogetherAddUp) {
    frame({GLFW_KEY_W, GLFW_KEY_R});
    const glm::vec3 at = ballPosition();
    // 1.5 and 3.0 times the speed of 5, both in the same frame.
    EXPECT_FLOAT_EQ(at.z, -9.0f - 4.5f * 5.0f * frame64);
    EXPECT_FLOAT_EQ(at.x, 0.0f);
    EXPECT_FLOAT_EQ(at.y, 5.0f);

    // Each on its own: 7.5, 15 and 2.5 (backwards) units per second.
    player->setPosition(0.0f, 5.0f, -9.0f);
    frame({GLFW_KEY_W});
    EXPECT_FLOAT_EQ(ballPosition().z, -9.0f - 7.5f * frame64);
    player->setPosition(0.0f, 5.0f, -9.0f);
    frame({GLFW_KEY_R});
    EXPECT_FLOAT_EQ(ballPosition().z, -9.0f - 15.0f * frame64);
    player->setPosition(0.0f, 5.0f, -9.0f);
    frame({GLFW_KEY_S});
    EXPECT_FLOAT_EQ(ballPosition().z, -9.0f + 2.5f * frame64);
}

TEST_F(ControllerTest, SidewaysWhileFreeMovesDiagonallyInTheBallsFrame) {
    frame({GLFW_KEY_A});
    glm::vec3 at = ballPosition();
    EXPECT_FLOAT_EQ(at.x, -5.0f * frame64);
    EXPECT_FLOAT_EQ(at.z, -9.0f - 2.5f * frame64);

    player->setPosition(0.0f, 5.0f, -9.0f);
    frame({GLFW_KEY_D});
    at = ballPosition();
    EXPECT_FLOAT_EQ(at.x, 5.0f * frame64);
    EXPECT_FLOAT_EQ(at.z, -9.0f - 2.5f * frame64);

    // Turned a quarter to the left the ball looks along -x: its left is world +z.
    player->setPosition(0.0f, 5.0f, -9.0f);
    player->rotate(0.0f, 1.0f, 0.0f, 90.0f);
    frame({GLFW_KEY_A});
    at = ballPosition();
    EXPECT_NEAR(at.x, -2.5f * frame64, 1e-5);
    EXPECT_NEAR(at.z, -9.0f + 5.0f * frame64, 1e-5);
}

TEST_F(ControllerTest, SidewaysWhileBlockedButOutOfContactDoesNothing) {
    blocked = true;
    ASSERT_FALSE(Controller::touchesBarrier(player, marbleSlab, plank1, plank2));
    frames(5, {GLFW_KEY_A});
    frames(5, {GLFW_KEY_D});
    const glm::vec3 at = ballPosition();
    EXPECT_FLOAT_EQ(at.x, 0.0f);
    EXPECT_FLOAT_EQ(at.z, -9.0f);
}

TEST_F(ControllerTest, PlankHoldsTheBallUntilItSlidesFree) {
    // Half a unit in front of plank1 (z = -15): inside its contact box, as the game update
    // found it in the last frame.
    player->setPosition(0.0f, 5.0f, -14.5f);
    blocked = true;
    ASSERT_TRUE(Controller::touchesBarrier(player, marbleSlab, plank1, plank2));

    frames(10, {GLFW_KEY_W});
    EXPECT_FLOAT_EQ(ballPosition().z, -14.5f);
    frames(10, {GLFW_KEY_R});
    EXPECT_FLOAT_EQ(ballPosition().z, -14.5f);
    EXPECT_FLOAT_EQ(ballPosition().x, 0.0f);

    // Each A frame slides 5/s to the left and backs off 2.5/s along +z. The contact ends
    // after 13 frames (0.5 + 13 x 2.5/64 >= 1); with blocked still set, further A frames do
    // nothing.
    frames(20, {GLFW_KEY_A});
    const glm::vec3 at = ballPosition();
    EXPECT_FLOAT_EQ(at.x, -13.0f * 5.0f * frame64);
    EXPECT_FLOAT_EQ(at.z, -14.5f + 13.0f * 2.5f * frame64);
    EXPECT_FALSE(Controller::touchesBarrier(player, marbleSlab, plank1, plank2));
}

TEST_F(ControllerTest, SteeringBudgetCountsFrames) {
    deltaTime = 1.0f / 60.0f;
    const double perFrame = 54.24 / 60.0;

    frames(40, {GLFW_KEY_RIGHT});
    EXPECT_EQ(controller->rightSteps, 30);
    EXPECT_EQ(controller->leftSteps, -30);
    EXPECT_NEAR(headingDegrees(), -30.0 * perFrame, 1e-3);

    frames(70, {GLFW_KEY_LEFT});
    EXPECT_EQ(controller->rightSteps, -30);
    EXPECT_EQ(controller->leftSteps, 30);
    EXPECT_NEAR(headingDegrees(), 30.0 * perFrame, 1e-3);

    // Both arrows at once cancel out within the budget.
    frame({GLFW_KEY_RIGHT, GLFW_KEY_LEFT});
    EXPECT_EQ(controller->rightSteps, -30);
    EXPECT_NEAR(headingDegrees(), 30.0 * perFrame, 1e-3);
}

TEST_F(ControllerTest, JumpLastsHalfASecondAndCanBeRepeatedAtOnce) {
    frame({GLFW_KEY_SPACE});
    EXPECT_TRUE(controller->jumping);
    EXPECT_NEAR(ballPosition().y, 6.3f, 1e-5);

    // Space held on: no second jump on top of the first. 31 more frames are 31/64 s.
    frames(31, {GLFW_KEY_SPACE});
    EXPECT_TRUE(controller->jumping);
    EXPECT_NEAR(ballPosition().y, 6.3f, 1e-5);

    // jumpTime reaches 0.5 s exactly: the ball comes down in this frame.
    frame({GLFW_KEY_SPACE});
    EXPECT_FALSE(controller->jumping);
    EXPECT_NEAR(ballPosition().y, 5.0f, 1e-5);

    frame({GLFW_KEY_SPACE});
    EXPECT_TRUE(controller->jumping);
    EXPECT_NEAR(ballPosition().y, 6.3f, 1e-5);
}

TEST_F(ControllerTest, LandingInTheRaisedZoneSwitchesContactOff) {
    player->setPosition(0.0f, 5.0f, -30.0f);
    jumpAndLand();
    EXPECT_FALSE(controller->landedInRaisedZone) << "z = -30 is outside the raised zone";

    player->setPosition(0.0f, 5.4f, -40.0f);
    frame({GLFW_KEY_SPACE});
    frames(31, {});
    EXPECT_TRUE(controller->jumping);
    EXPECT_FALSE(controller->landedInRaisedZone);
    frame({});
    EXPECT_FALSE(controller->jumping);
    EXPECT_TRUE(controller->landedInRaisedZone);

    // On the slab the controller's own test reports contact, but after such a landing a
    // forward move is made without asking it.
    blocked = true;
    ASSERT_TRUE(Controller::touchesBarrier(player, marbleSlab, plank1, plank2));
    frame({GLFW_KEY_W});
    EXPECT_FLOAT_EQ(ballPosition().z, -40.0f - 1.5f * 5.0f * frame64);

    // Without the landing flag the same move is cancelled by the contact.
    controller->landedInRaisedZone = false;
    player->setPosition(0.0f, 5.4f, -40.0f);
    frame({GLFW_KEY_W});
    EXPECT_FLOAT_EQ(ballPosition().z, -40.0f);
}

TEST_F(ControllerTest, TravelKeysBringTheBallBackToTrackHeight) {
    controller->landedInRaisedZone = true;
    player->setPosition(0.0f, 5.4f, -20.0f);
    frame({GLFW_KEY_W});
    EXPECT_FLOAT_EQ(ballPosition().y, 5.0f);
    EXPECT_FALSE(controller->landedInRaisedZone);

    controller->landedInRaisedZone = true;
    player->setPosition(0.0f, 5.4f, -60.0f);
    frame({GLFW_KEY_S});
    EXPECT_FLOAT_EQ(ballPosition().y, 5.0f);
    EXPECT_FALSE(controller->landedInRaisedZone);

    // On the raised zone and at its exact edges the height stays.
    for (float z : {-40.0f, -29.0f, -50.0f}) {
        player->setPosition(0.0f, 5.4f, z);
        frame({GLFW_KEY_R});
        EXPECT_FLOAT_EQ(ballPosition().y, 5.4f) << "z = " << z;
    }

    // Only the travel keys do this.
    player->setPosition(0.0f, 5.4f, -20.0f);
    frame({GLFW_KEY_A});
    EXPECT_FLOAT_EQ(ballPosition().y, 5.4f);

    // An airborne ball keeps its height.
    for (float z : {-20.0f, -60.0f}) {
        controller->jumping = false;
        player->setPosition(0.0f, 5.0f, z);
        frame({GLFW_KEY_SPACE});
        frame({GLFW_KEY_W});
        EXPECT_NEAR(ballPosition().y, 6.3f, 1e-5) << "z = " << z;
    }
}

TEST_F(ControllerTest, ControllerAndGameUpdateSeeTheSlabDifferently) {
    // The controller gives the slab 10 units along z and 0.25 in y; the game update 0.25
    // along z and 10 in y.
    player->setPosition(0.0f, 5.0f, -35.0f);
    EXPECT_TRUE(Controller::touchesBarrier(player, marbleSlab, nullptr, nullptr));
    EXPECT_FALSE(blockedByBarrier());

    player->setPosition(0.0f, 12.0f, -30.0f);
    EXPECT_FALSE(Controller::touchesBarrier(player, marbleSlab, nullptr, nullptr));
    EXPECT_TRUE(blockedByBarrier());

    // The planks are the same for both: 2.75 across, 2.625 up, 1.0 along z.
    player->setPosition(-1.0f + 2.74f, 5.0f + 2.6f, -15.0f + 0.99f);
    EXPECT_TRUE(Controller::touchesBarrier(player, nullptr, plank1, nullptr));
    EXPECT_TRUE(blockedByBarrier());
    player->setPosition(-1.0f, 5.0f, -15.0f + 1.01f);
    EXPECT_FALSE(Controller::touchesBarrier(player, nullptr, plank1, nullptr));
    EXPECT_FALSE(blockedByBarrier());
    player->setPosition(1.0f + 2.74f, 5.0f, -70.0f);
    EXPECT_TRUE(Controller::touchesBarrier(player, nullptr, nullptr, plank2));
    player->setPosition(1.0f + 2.76f, 5.0f, -70.0f);
    EXPECT_FALSE(Controller::touchesBarrier(player, nullptr, nullptr, plank2));
}

} // namespace
