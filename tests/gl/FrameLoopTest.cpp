// SPDX-License-Identifier: GPL-3.0-or-later
// The frame loop's states driven frame by frame through the clock and key seams: the
// title, a game, the won and lost pictures, F1, Escape, a close request and GL errors.
#include "app/GameLoop.h"
#include "render/FrameRenderer.h"
#include "scene/LoadModel.h"
#include "scene/SceneCatalogue.h"
#include "sim/Controller.h"
#include "support/GlTestWindow.h"
#include "support/KeyScript.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

using namespace Pellwin;
using namespace TolvaTest;

namespace {

glm::vec3 ball() {
    return translationOf(player->modelMatrix);
}

class FrameLoop : public ::testing::Test {
protected:
    void SetUp() override { returnToTitle(); }
    void TearDown() override { returnToTitle(); }
};

} // namespace

TEST_F(FrameLoop, NothingMovesOrRunsOutOnTheTitleAndF1StartsAFreshGame) {
    // Every game key held for longer than a winning run, then the title left past 50 s.
    holdKeys({GLFW_KEY_W, GLFW_KEY_R, GLFW_KEY_A, GLFW_KEY_SPACE, GLFW_KEY_RIGHT});
    stepFrames(200, 0.1);
    releaseAllKeys();
    stepFrame(60.0);
    stepFrame();
    EXPECT_FALSE(playing || goalReached || roundLost || hazardHit);
    glm::mat4 atStart = identityMatrix();
    atStart[3] = glm::vec4(0, 5, -9, 1);
    EXPECT_EQ(player->modelMatrix, atStart) << "the ball waits at the start, unturned";
    EXPECT_EQ(controller->rightSteps, 0);
    holdKey(GLFW_KEY_F1);
    stepFrame();
    releaseAllKeys();
    EXPECT_TRUE(playing);
    EXPECT_EQ(roundStartTime(), float(scriptedClock())) << "the 50 s start at F1";
    stepFrame(49.0);
    EXPECT_TRUE(playing);
}

TEST_F(FrameLoop, GoalAtMinusHundredAndTimeOutAtFiftySecondsExactly) {
    holdKey(GLFW_KEY_F1);
    stepFrame();
    releaseAllKeys();
    player->setPosition(0.0f, 5.0f, -99.99f);
    stepFrame();
    EXPECT_FALSE(goalReached);
    player->setPosition(0.0f, 5.0f, -100.0f);
    stepFrame();
    EXPECT_TRUE(goalReached);
    EXPECT_FALSE(playing);
    stepFrame(60.0);
    EXPECT_TRUE(goalReached) << "a won game stays won";
    EXPECT_FALSE(roundLost);
    holdKey(GLFW_KEY_F1);
    stepFrame();
    EXPECT_FALSE(goalReached || playing) << "F1 on the won picture leads to the title";
    EXPECT_EQ(ball(), glm::vec3(0, 5, -9));

    // Whole and half seconds at this clock are exact in a float, as the round clock keeps it.
    returnToTitle(1024.0);
    holdKey(GLFW_KEY_F1);
    stepFrame(0.5);
    releaseAllKeys();
    player->setPosition(0.0f, 5.0f, -20.0f); // it rolls into the slab and waits there
    stepFrame(49.0);
    stepFrame(0.5);
    EXPECT_FALSE(roundLost) << "49.5 s";
    stepFrame(0.5);
    EXPECT_TRUE(roundLost) << "50.0 s is a time-out";
    EXPECT_FALSE(playing);
}

TEST_F(FrameLoop, HeldF1RestartsFromTheLostPictureThenStartsTheNextGame) {
    holdKey(GLFW_KEY_F1);
    stepFrame();
    hazardHit = true;
    stepFrame();
    EXPECT_FALSE(playing);
    EXPECT_FALSE(hazardHit) << "the frame that sees F1 on the lost picture restarts";
    const double restartClock = scriptedClock();
    stepFrame();
    EXPECT_TRUE(playing) << "the still-held F1 starts the next game on the title";
    EXPECT_GT(roundStartTime(), float(restartClock));
}

TEST_F(FrameLoop, GlErrorsAreReportedOnceAfterTheSwap) {
    ConsoleCapture console;
    glEnable(0xFFFF);
    stepFrame();
    EXPECT_EQ(console.text(), "ERROR: GL Error detected\n");
    console.clear();
    holdKey(GLFW_KEY_F1);
    stepFrames(60);
    EXPECT_EQ(console.text(), "") << "a normal second of play raises none";
}

TEST_F(FrameLoop, EscapeAfterTheFrameOrACloseRequestBeforeItEndsTheLoop) {
    holdKey(GLFW_KEY_ESCAPE);
    EXPECT_FALSE(stepFrame());
    releaseAllKeys();
    EXPECT_TRUE(stepFrame());
    glfwSetWindowShouldClose(testWindow(), GLFW_TRUE);
    EXPECT_FALSE(stepFrame());
    glfwSetWindowShouldClose(testWindow(), GLFW_FALSE);
    EXPECT_TRUE(stepFrame());
}
