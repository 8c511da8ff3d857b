// SPDX-License-Identifier: GPL-3.0-or-later
// The keyboard controller on a laid-out level without GL: travel, sideways moves, contact,
// track height, jumps and the steering budget. Frames last 1/64 s, so positions are exact.
#include "sim/Controller.h"
#include "app/GameLoop.h"
#include "scene/LoadModel.h"
#include "scene/SceneCatalogue.h"
#include "sim/GameUpdate.h"
#include "support/BareLevel.h"
#include "support/KeyScript.h"

#include <GLFW/glfw3.h>
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

using namespace Pellwin;
using TolvaTest::frame64;

namespace {

using namespace TolvaTest::GameKeys;
constexpr float f = frame64;

glm::vec3 ball() {
    return translationOf(player->modelMatrix);
}

class ControllerTest : public TolvaTest::BareLevel {
protected:
    void frames(int count, std::vector<int> keys) {
        TolvaTest::releaseAllKeys();
        for (int key : keys) {
            TolvaTest::holdKey(key);
        }
        for (int i = 0; i < count; ++i) {
            controller->handleInput();
        }
    }
};

struct Move {
    const char* what;
    glm::vec3 start;
    bool blocked, landed;
    std::vector<int> keys;
    int frames;
    glm::vec3 end;
};

// While blocked, a travel move that ends in the controller's contact box is taken back.
// Plank1's box reaches 1 unit along z from z = -15; the slab's 10 units along z from
// z = -30. Sliding off plank1 takes 13 frames.
const Move moves[] = {
    {"W", {0, 5, -9}, false, false, {W}, 1, {0, 5, -9 - 7.5f * f}},
    {"R", {0, 5, -9}, false, false, {R}, 1, {0, 5, -9 - 15 * f}},
    {"S", {0, 5, -9}, false, false, {S}, 1, {0, 5, -9 + 2.5f * f}},
    {"W and R add up", {0, 5, -9}, false, false, {W, R}, 1, {0, 5, -9 - 22.5f * f}},
    {"A is diagonal", {0, 5, -9}, false, false, {A}, 1, {-5 * f, 5, -9 - 2.5f * f}},
    {"D is diagonal", {0, 5, -9}, false, false, {D}, 1, {5 * f, 5, -9 - 2.5f * f}},
    {"A blocked, no contact", {0, 5, -9}, true, false, {A, D}, 5, {0, 5, -9}},
    {"W against plank1", {0, 5, -14.5f}, true, false, {W}, 10, {0, 5, -14.5f}},
    {"R against plank1", {0, 5, -14.5f}, true, false, {R}, 10, {0, 5, -14.5f}},
    {"S against plank1", {0, 5, -14.5f}, true, false, {S}, 1, {0, 5, -14.5f}},
    {"A slides off plank1", {0, 5, -14.5f}, true, false, {A}, 20, {-65 * f, 5, -14.5f + 32.5f * f}},
    {"W on the slab", {0, 5.4f, -40}, true, false, {W}, 1, {0, 5.4f, -40}},
    {"W after landing on it", {0, 5.4f, -40}, true, true, {W}, 1, {0, 5.4f, -40 - 7.5f * f}},
    {"W before the slab comes down", {0, 5.4f, -20}, false, true, {W}, 1, {0, 5, -20 - 7.5f * f}},
    {"S beyond the slab comes down", {0, 5.4f, -60}, false, true, {S}, 1, {0, 5, -60 + 2.5f * f}},
    {"R on the slab stays up", {0, 5.4f, -40}, false, true, {R}, 1, {0, 5.4f, -40 - 15 * f}},
    {"R at -29 stays up", {0, 5.4f, -29}, false, false, {R}, 1, {0, 5.4f, -29 - 15 * f}},
    {"R at -50 stays up", {0, 5.4f, -50}, false, false, {R}, 1, {0, 5.4f, -50 - 15 * f}},
    {"A keeps the height", {0, 5.4f, -20}, false, false, {A}, 1, {-5 * f, 5.4f, -20 - 2.5f * f}},
    // Plank2's box reaches 2.75 to the side, the slab's only 0.75 up.
    {"W beside plank2", {3.76f, 5, -70}, true, false, {W}, 1, {3.76f, 5, -70 - 7.5f * f}},
    {"W high over the slab", {0, 12, -30}, true, false, {W}, 1, {0, 12, -30 - 7.5f * f}},
};

} // namespace

TEST_F(ControllerTest, KeysMoveTheBallAsTheRulesSay) {
    for (const Move& m : moves) {
        player->modelMatrix = identityMatrix();
        player->setPosition(m.start.x, m.start.y, m.start.z);
        blocked = m.blocked;
        controller->landedInRaisedZone = m.landed;
        frames(m.frames, m.keys);
        EXPECT_NEAR(glm::length(ball() - m.end), 0.0f, 1e-5f)
            << m.what << ": at " << ball().x << ", " << ball().y << ", " << ball().z;
        if (m.start.y != m.end.y) {
            EXPECT_FALSE(controller->landedInRaisedZone) << m.what;
        }
    }
}

TEST_F(ControllerTest, SidewaysFollowsTheHeading) {
    player->rotate(0.0f, 1.0f, 0.0f, 90.0f); // looking along -x, its left is +z
    frames(1, {A});
    EXPECT_NEAR(ball().x, -2.5f * f, 1e-5f);
    EXPECT_NEAR(ball().z, -9.0f + 5.0f * f, 1e-5f);
}

TEST_F(ControllerTest, JumpHoldsHalfASecondAndLandingOnTheSlabSwitchesContactOff) {
    frames(1, {GLFW_KEY_SPACE});
    EXPECT_TRUE(controller->jumping);
    EXPECT_NEAR(ball().y, 6.3f, 1e-5f);
    frames(31, {GLFW_KEY_SPACE}); // held on: no jump on top of the jump
    EXPECT_NEAR(ball().y, 6.3f, 1e-5f);
    frames(1, {GLFW_KEY_SPACE}); // 0.5 s exactly: down
    EXPECT_FALSE(controller->jumping);
    EXPECT_NEAR(ball().y, 5.0f, 1e-5f);
    EXPECT_FALSE(controller->landedInRaisedZone);
    frames(1, {GLFW_KEY_SPACE});
    EXPECT_TRUE(controller->jumping) << "and up again at once";

    for (float z : {-30.0f, -30.01f, -49.99f, -50.0f}) {
        controller->jumping = false;
        controller->landedInRaisedZone = false;
        player->setPosition(0.0f, 5.4f, z);
        frames(1, {GLFW_KEY_SPACE});
        frames(32, {});
        EXPECT_EQ(controller->landedInRaisedZone, z < -30.0f && z > -50.0f) << "z " << z;
    }
}

TEST_F(ControllerTest, SteeringCountsFramesWithinThirtyEachWay) {
    deltaTime = 1.0f / 60.0f;
    const auto heading = [] {
        const glm::mat4& m = player->modelMatrix;
        return std::atan2(double(m[2][0]), double(m[2][2])) * 180.0 / 3.14159265358979;
    };
    const double perFrame = 54.24 / 60.0;
    frames(40, {GLFW_KEY_RIGHT});
    EXPECT_EQ(controller->rightSteps, 30);
    EXPECT_EQ(controller->leftSteps, -30);
    EXPECT_NEAR(heading(), -30 * perFrame, 1e-3);
    frames(70, {GLFW_KEY_LEFT});
    EXPECT_EQ(controller->leftSteps, 30);
    EXPECT_NEAR(heading(), 30 * perFrame, 1e-3);
    frames(1, {GLFW_KEY_LEFT, GLFW_KEY_RIGHT});
    EXPECT_EQ(controller->leftSteps, 30);
    EXPECT_NEAR(heading(), 30 * perFrame, 1e-3);
}
