// The frame loop's game states, driven frame by frame through the clock and key seams.
#include "app/GameLoop.h"
#include "app/Level.h"
#include "render/FrameRenderer.h"
#include "scene/LoadModel.h"
#include "scene/SceneCatalogue.h"
#include "support/GlTestWindow.h"
#include "support/KeyScript.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>

using namespace Pellwin;
using namespace TolvaTest;

namespace {

// At this clock a float holds whole half seconds only, so the few microseconds that pass
// between setting GLFW's clock and reading it vanish and round times are exact.
constexpr double coarseClock = 4194304.0;

glm::vec3 ballPosition() {
    glm::vec3 at;
    player->getPosition(at);
    return at;
}

class FrameLoop : public ::testing::Test {
protected:
    void SetUp() override { returnToTitle(); }
    void TearDown() override { returnToTitle(); }
};

} // namespace

TEST_F(FrameLoop, TitleWaitsAndF1StartsTheGameInTheSameFrame) {
    stepFrames(3);
    EXPECT_FALSE(playing);
    EXPECT_FLOAT_EQ(ballPosition().z, -9.0f) << "no game runs on the title";

    drawnObjectCount = -1;
    holdKey(GLFW_KEY_F1);
    stepFrame();
    EXPECT_TRUE(playing);
    EXPECT_LT(ballPosition().z, -9.0f) << "the game update ran in the F1 frame";
    EXPECT_EQ(drawnObjectCount, 30) << "the scene was drawn in the F1 frame";
    EXPECT_NEAR(roundStartTime(), scriptedClock(), 0.01);
}

TEST_F(FrameLoop, BallAtExactlyMinusHundredWins) {
    holdKey(GLFW_KEY_F1);
    stepFrame();
    releaseAllKeys();
    glm::vec3 at = ballPosition();
    player->setPosition(at.x, at.y, -99.99f);
    stepFrame();
    EXPECT_FALSE(goalReached);
    EXPECT_TRUE(playing);

    player->setPosition(at.x, at.y, -100.0f);
    stepFrame();
    EXPECT_TRUE(goalReached);
    EXPECT_FALSE(playing) << "the won picture ends the game";
}

TEST_F(FrameLoop, FiftySecondsExactlyIsATimeOut) {
    returnToTitle(coarseClock);
    holdKey(GLFW_KEY_F1);
    stepFrame(0.0); // the game starts at coarseClock
    releaseAllKeys();
    ASSERT_TRUE(playing);
    ASSERT_EQ(roundStartTime(), static_cast<float>(coarseClock));

    stepFrame(49.5);
    EXPECT_FALSE(roundLost) << "49.5 s is still within the round";
    EXPECT_TRUE(playing);
    stepFrame(0.5);
    EXPECT_TRUE(roundLost) << "50.0 s exactly ends the round";
    EXPECT_FALSE(playing);
}

TEST_F(FrameLoop, TitleLeftForFiftySecondsTurnsIntoTheLostPicture) {
    returnToTitle(coarseClock);
    stepFrame(49.5);
    EXPECT_FALSE(roundLost);
    stepFrame(0.5);
    EXPECT_TRUE(roundLost);
    EXPECT_FALSE(playing);

    // F1 on the lost picture restarts; the next frame shows the title again.
    holdKey(GLFW_KEY_F1);
    stepFrame(0.5);
    EXPECT_FALSE(roundLost);
    EXPECT_FALSE(playing);
}

TEST_F(FrameLoop, WonThenTimedOutRestartsThroughTheWonBranch) {
    returnToTitle(coarseClock);
    holdKey(GLFW_KEY_F1);
    stepFrame(0.0);
    releaseAllKeys();
    glm::vec3 at = ballPosition();
    player->setPosition(at.x, at.y, -100.0f);
    stepFrame(0.5);
    ASSERT_TRUE(goalReached);

    stepFrame(49.5);
    EXPECT_TRUE(goalReached);
    EXPECT_TRUE(roundLost) << "the clock runs on after the goal";

    holdKey(GLFW_KEY_F1);
    stepFrame(0.5);
    EXPECT_FALSE(goalReached);
    EXPECT_FALSE(roundLost) << "the reset clears the loss before the lost test of the frame";
    EXPECT_FALSE(playing);
    EXPECT_FLOAT_EQ(ballPosition().z, -9.0f) << "the level was restored";
}

TEST_F(FrameLoop, HeldF1RestartsThenStartsTheNextGameOneFrameLater) {
    holdKey(GLFW_KEY_F1);
    stepFrame();
    hazardHit = true;
    roundLost = true;
    releaseAllKeys();
    stepFrame();
    EXPECT_FALSE(playing);

    holdKey(GLFW_KEY_F1);
    stepFrame();
    EXPECT_FALSE(playing) << "the restart frame draws the lost picture and restarts";
    EXPECT_FALSE(hazardHit);
    const double restartClock = scriptedClock();
    stepFrame();
    EXPECT_TRUE(playing) << "the still-held F1 starts the next game on the title";
    EXPECT_GT(roundStartTime(), static_cast<float>(restartClock));
}

TEST_F(FrameLoop, AGlErrorIsReportedOnceAfterTheSwap) {
    stepFrame();
    ConsoleCapture console;
    glEnable(0xFFFF); // an invalid enum raises GL_INVALID_ENUM
    stepFrame();
    EXPECT_EQ(console.text(), "ERROR: GL Error detected\n");
    console.clear();
    stepFrame();
    EXPECT_EQ(console.text(), "") << "the error is taken once";
}

TEST_F(FrameLoop, KeysMoveTheBallOnTheTitleToo) {
    holdKey(GLFW_KEY_W);
    stepFrames(5);
    EXPECT_LT(ballPosition().z, -9.0f);
    EXPECT_FALSE(playing);
}

TEST_F(FrameLoop, EscapeEndsTheLoopAfterTheFrame) {
    holdKey(GLFW_KEY_ESCAPE);
    EXPECT_FALSE(stepFrame());
    releaseAllKeys();
    EXPECT_TRUE(stepFrame());
}

TEST_F(FrameLoop, ANormalRunOfFramesRaisesNoGlError) {
    ConsoleCapture console;
    holdKey(GLFW_KEY_F1);
    stepFrames(120);
    EXPECT_EQ(console.text().find("ERROR"), std::string::npos) << console.text();
}
