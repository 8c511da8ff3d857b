// Whole games, played by scripts through the real frame loop at a fixed 60 Hz clock.
#include "app/GameLoop.h"
#include "app/KeyInput.h"
#include "scene/LoadModel.h"
#include "scene/SceneCatalogue.h"
#include "sim/Controller.h"
#include "sim/GameUpdate.h"
#include "support/GlTestWindow.h"
#include "support/KeyScript.h"
#include "support/WinningRun.h"

#include <GLFW/glfw3.h>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

using namespace Pellwin;
using namespace TolvaTest;

namespace {

constexpr int W = GLFW_KEY_W;
constexpr int R = GLFW_KEY_R;
constexpr int S = GLFW_KEY_S;
constexpr int A = GLFW_KEY_A;
constexpr int D = GLFW_KEY_D;
constexpr int Space = GLFW_KEY_SPACE;
constexpr int Right = GLFW_KEY_RIGHT;

struct Frame {
    glm::vec3 ball;
    float knifeHeight;
};

struct GameRecord {
    bool won = false;
    bool lost = false;
    bool hitHazard = false;
    double seconds = 0.0; // game time when the round ended
    LoadModel* hazard = nullptr;
    std::vector<Frame> frames;
};

LoadModel* touchedHazard() {
    for (LoadModel* hazard : {flyingKnife, fallingKnife1, fallingKnife2, fallingKnife3,
                              fallingKnife4, fallingKnife5, fallingKnife6, pot}) {
        if (touchesHazard(*player, *hazard)) {
            return hazard;
        }
    }
    return nullptr;
}

// Runs title frames with `titleKeys`, then F1 and the script until the round ends.
GameRecord play(const std::vector<ScriptStep>& script, std::vector<int> titleKeys = {},
                int titleFrames = 0, double seconds = 55.0,
                const std::function<void(int)>& afterFrame = nullptr) {
    GameRecord record;
    for (int i = 0; i < titleFrames; ++i) {
        releaseAllKeys();
        for (int key : titleKeys) {
            holdKey(key);
        }
        stepFrame();
    }
    for (int frame = 0; frame < static_cast<int>(60 * seconds); ++frame) {
        const double t = frame / 60.0;
        applyScript(script, t);
        if (frame == 0) {
            holdKey(GLFW_KEY_F1);
        }
        stepFrame();
        if (!playing) {
            record.won = goalReached;
            record.lost = roundLost || hazardHit;
            record.hitHazard = hazardHit;
            record.seconds = t;
            record.hazard = hazardHit ? touchedHazard() : nullptr;
            break;
        }
        glm::vec3 ball;
        player->getPosition(ball);
        record.frames.push_back({ball, fallingKnife2->modelMatrix[3][1]});
        if (afterFrame) {
            afterFrame(frame);
        }
    }
    if (playing) {
        record.seconds = seconds;
    }
    releaseAllKeys();
    return record;
}

// Frames in which the falling knives went back up, give or take the one-frame slack above.
std::vector<size_t> knifeResets(const GameRecord& game) {
    std::vector<size_t> resets;
    for (size_t i = 1; i < game.frames.size(); ++i) {
        if (game.frames[i].knifeHeight > game.frames[i - 1].knifeHeight + 1.0f) {
            resets.push_back(i / 4);
        }
    }
    return resets;
}

void pressF1Once() {
    holdKey(GLFW_KEY_F1);
    stepFrame();
    releaseAllKeys();
}

class ScriptedGames : public ::testing::Test {
protected:
    void SetUp() override { returnToTitle(1.0); }
    void TearDown() override { returnToTitle(); }
};

} // namespace

TEST_F(ScriptedGames, WinningRunReachesTheGoalAndF1LeadsBackToTheTitle) {
    // Snapshots along the way: the first plank, the jump onto the slab, the knives coming
    // down while the ball waits, and the pot beside the second plank.
    const std::vector<std::pair<int, const char*>> views = {{30, "run-first-plank"},
                                                            {205, "run-jump-onto-slab"},
                                                            {455, "run-knives-falling"},
                                                            {520, "run-pot-and-plank"}};
    const GameRecord game = play(winningRun, {}, 0, 55.0, [&views](int frame) {
        for (const auto& view : views) {
            if (view.first == frame) {
                saveScreenshot(readWindow(), view.second);
            }
        }
    });
    ASSERT_TRUE(game.won) << "ended after " << game.seconds << " s, hazard " << game.hitHazard;
    EXPECT_FALSE(game.lost);
    EXPECT_LT(game.seconds, 50.0);
    // The route really went round the obstacles.
    bool passedRightOfPlank1 = false;
    bool onTheSlab = false;
    bool besideThePot = false;
    for (const Frame& frame : game.frames) {
        passedRightOfPlank1 |=
            frame.ball.z < -14.5f && frame.ball.z > -15.5f && frame.ball.x > 1.75f;
        onTheSlab |=
            frame.ball.z < -31.0f && frame.ball.z > -49.0f && std::abs(frame.ball.y - 5.4f) < 1e-4f;
        besideThePot |=
            std::abs(frame.ball.z + 70.0f) < 1.0f && frame.ball.x > -3.5f && frame.ball.x < -1.75f;
    }
    EXPECT_TRUE(passedRightOfPlank1);
    EXPECT_TRUE(onTheSlab) << "the ball runs 0.4 higher on the slab";
    EXPECT_TRUE(besideThePot);

    stepFrame();
    EXPECT_TRUE(goalReached) << "the won picture stays until F1";
    pressF1Once();
    EXPECT_FALSE(goalReached);
    stepFrame();
    EXPECT_FALSE(playing) << "back on the title";
    glm::vec3 ball;
    player->getPosition(ball);
    EXPECT_EQ(ball, glm::vec3(0.0f, 5.0f, -9.0f));
}

TEST_F(ScriptedGames, StandingBesideAFallingKnifeLoses) {
    // Past the first plank on the right, then hold still under the second knife.
    const GameRecord game = play({{0.0, {D}}, {0.45, {}}, {0.5, {W}}, {1.2, {}}, {3.45, {S}}});
    ASSERT_TRUE(game.hitHazard);
    EXPECT_EQ(game.hazard, fallingKnife2);
    EXPECT_NEAR(game.seconds, 3.78, 0.1) << "the knives reach the worktop after about 3.8 s";
}

TEST_F(ScriptedGames, WaitingInTheFlyingKnifesPathLoses) {
    const GameRecord game = play({{0.0, {}}, {1.2, {S}}});
    ASSERT_TRUE(game.hitHazard);
    EXPECT_EQ(game.hazard, flyingKnife);
}

TEST_F(ScriptedGames, RunningIntoThePotLoses) {
    std::vector<ScriptStep> intoThePot(winningRun.begin(), winningRun.end() - 1);
    intoThePot.push_back({7.9, {W, A}});
    intoThePot.push_back({8.37, {W}});
    const GameRecord game = play(intoThePot);
    ASSERT_TRUE(game.hitHazard);
    EXPECT_EQ(game.hazard, pot);
}

TEST_F(ScriptedGames, LeavingTheTrackSidewaysLoses) {
    const GameRecord game = play({{0.0, {D}}});
    ASSERT_TRUE(game.lost);
    EXPECT_FALSE(game.hitHazard);
    ASSERT_FALSE(game.frames.empty());
    EXPECT_GE(player->modelMatrix[3][0], 10.0f);
}

// Notes whether the round was lost when the loop asked for F1 on the lost picture.
bool lostWhenF1Read = false;
bool hazardWhenF1Read = false;
bool observingKeyReader(GLFWwindow* window, int key) {
    if (key == GLFW_KEY_F1 && roundLost) {
        lostWhenF1Read = true;
        hazardWhenF1Read = hazardHit;
    }
    return scriptedKeyReader(window, key);
}

TEST_F(ScriptedGames, RollingBackPastTheStartEdgeLoses) {
    // Keys act on the title too: back the ball up past the edge before the game starts.
    // The F1 that starts the game is still held on the lost picture, so that same frame
    // shows the loss and restarts.
    lostWhenF1Read = false;
    setKeyReader(observingKeyReader);
    const GameRecord game = play({{0.0, {}}}, {S}, 100);
    useScriptedKeys();
    EXPECT_TRUE(lostWhenF1Read) << "the first update sees the ball beyond z = -5";
    EXPECT_FALSE(hazardWhenF1Read);
    EXPECT_LT(game.seconds, 0.1);
    glm::vec3 ball;
    player->getPosition(ball);
    EXPECT_EQ(ball, glm::vec3(0.0f, 5.0f, -9.0f)) << "and the held F1 restarted the level";
}

TEST_F(ScriptedGames, WaitingAtTheSlabRunsOutOfTime) {
    play({{0.0, {}}}, {}, 0, 5.0);
    ASSERT_TRUE(playing);
    ASSERT_TRUE(blocked) << "the ball waits at the slab's edge";
    // Nothing moves but the knives now, so the rest of the round goes in whole seconds.
    const double start = roundStartTime();
    while (playing && scriptedClock() - start < 60.0) {
        stepFrame(1.0);
    }
    EXPECT_FALSE(playing);
    EXPECT_TRUE(roundLost);
    EXPECT_FALSE(hazardHit);
    EXPECT_NEAR(scriptedClock() - start, 50.0, 1.0);
}

TEST_F(ScriptedGames, SecondGamesPlayExactlyLikeTheFirst) {
    const std::vector<ScriptStep> knifeDeath = {
        {0.0, {D}}, {0.45, {}}, {0.5, {W}}, {1.2, {}}, {3.45, {S}}};
    // `blocked` carries over from whatever game ran last; both wins start unblocked. Each
    // game starts from the same clock, so the frame times are the same to the last bit.
    blocked = false;
    rewindClock(1.0);
    const GameRecord firstWin = play(winningRun);
    pressF1Once();
    rewindClock(1.0);
    const GameRecord firstLoss = play(knifeDeath);
    pressF1Once();
    rewindClock(1.0);
    const GameRecord secondWin = play(winningRun);
    pressF1Once();
    rewindClock(1.0);
    const GameRecord secondLoss = play(knifeDeath);

    ASSERT_TRUE(firstWin.won);
    ASSERT_TRUE(secondWin.won);
    ASSERT_TRUE(firstLoss.hitHazard);
    ASSERT_TRUE(secondLoss.hitHazard);
    // Frame times carry a few microseconds of real clock, so a threshold (the end of a
    // jump, the edge of the slab) may fall one frame later; nothing may drift further.
    ASSERT_NEAR(double(firstWin.frames.size()), double(secondWin.frames.size()), 2.0);
    const size_t frames = std::min(firstWin.frames.size(), secondWin.frames.size());
    for (size_t i = 1; i + 1 < frames; ++i) {
        const glm::vec3 a = firstWin.frames[i].ball;
        const glm::vec3 b = secondWin.frames[i].ball;
        ASSERT_NEAR(glm::length(glm::vec2(a.x - b.x, a.z - b.z)), 0.0f, 0.15f) << "frame " << i;
        float heightGap = std::abs(a.y - b.y);
        for (size_t j : {i - 1, i + 1}) {
            heightGap = std::min(heightGap, std::abs(a.y - secondWin.frames[j].ball.y));
        }
        ASSERT_LT(heightGap, 0.01f) << "frame " << i;
    }
    EXPECT_EQ(knifeResets(firstWin), knifeResets(secondWin)) << "the knives keep their rhythm";
    EXPECT_NEAR(double(firstLoss.frames.size()), double(secondLoss.frames.size()), 2.0);
    EXPECT_EQ(firstLoss.hazard, secondLoss.hazard);
}

TEST_F(ScriptedGames, EveryGameStartsWithTheFullSteeringBudget) {
    const std::vector<ScriptStep> steerThenLeave = {{0.0, {Right}}, {0.67, {D}}};
    const GameRecord first = play(steerThenLeave);
    ASSERT_TRUE(first.lost);
    const glm::vec3 firstHeading(first.frames[45].ball - first.frames[44].ball);
    EXPECT_EQ(controller->rightSteps, 30) << "40 frames held, 30 counted";
    pressF1Once();
    EXPECT_EQ(controller->rightSteps, 0);
    EXPECT_EQ(controller->leftSteps, 0);
    const GameRecord second = play(steerThenLeave);
    const glm::vec3 secondHeading(second.frames[45].ball - second.frames[44].ball);
    EXPECT_NEAR(glm::length(firstHeading - secondHeading), 0.0f, 1e-4f)
        << "the second game turns exactly as far";
    EXPECT_GT(first.frames[39].ball.x, 0.0f) << "turning right swings the roll towards +x";
}
