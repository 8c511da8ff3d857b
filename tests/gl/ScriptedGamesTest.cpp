// SPDX-License-Identifier: GPL-3.0-or-later
// Whole games through the real frame loop, one after another with F1 in between, each
// played by a key script: the winning run (on a gamepad, and kept as the best time), the
// six ways to lose, and two games at ten frames a second, where every step of the ball
// must still meet the planks and the slab. A pad at rest is there in every other game.
#include "app/BestTime.h"
#include "app/GameLoop.h"
#include "app/GamepadKeys.h"
#include "app/KeyInput.h"
#include "app/WinRecord.h"
#include "scene/LoadModel.h"
#include "scene/SceneCatalogue.h"
#include "sim/GameUpdate.h"
#include "support/GlTestWindow.h"
#include "support/KeyScript.h"
#include "support/WinningRun.h"

#include <GLFW/glfw3.h>
#include <functional>
#include <gtest/gtest.h>

using namespace Pellwin;
using namespace TolvaTest;

namespace {

constexpr int W = GLFW_KEY_W, R = GLFW_KEY_R, S = GLFW_KEY_S, A = GLFW_KEY_A, D = GLFW_KEY_D,
              Space = GLFW_KEY_SPACE;

enum class End { won, hazard, lost, stillPlaying };

struct Game {
    const char* name;
    std::vector<ScriptStep> script;
    double step;
    End end;
    LoadModel** hazard;
    std::function<bool(glm::vec3)> seen; // true in some frame of the game
    std::function<void()> afterStart = [] {};
};

const std::vector<ScriptStep> pastPlankOne = {{0.0, {D}}, {0.45, {}}, {0.5, {W}},
                                              {1.2, {}},  {2.0, {A}}, {2.45, {}}};
const std::vector<ScriptStep> underTheSecondKnife = {
    {0.0, {D}}, {0.45, {}}, {0.5, {W}}, {1.2, {}}, {3.45, {S}}};

const auto onTheSlab = [](glm::vec3 b) {
    return b.z < -31.0f && b.z > -49.0f && std::abs(b.y - 5.4f) < 1e-4f;
};
const auto anywhere = [](glm::vec3) { return true; };

// Built on first use: the winning run lives in another file.
std::vector<Game> allGames() {
    return {
        {"beside a falling knife", underTheSecondKnife, 1 / 60.0, End::hazard, &fallingKnife2,
         anywhere},
        {"in the flying knife's way",
         {{0.0, {}}, {1.2, {S}}},
         1 / 60.0,
         End::hazard,
         &flyingKnife,
         anywhere},
        {"into the pot",
         {{0.0, {W, A}}},
         1 / 60.0,
         End::hazard,
         &pot,
         anywhere,
         [] { player->setPosition(-1.0f, 5.0f, -64.0f); }},
        {"off the side",
         {{0.0, {D}}},
         1 / 60.0,
         End::lost,
         nullptr,
         [](glm::vec3 b) { return b.x > 9.9f; }},
        {"behind the start line",
         {{0.0, {S}}},
         1 / 60.0,
         End::lost,
         nullptr,
         anywhere,
         [] { player->setPosition(0.0f, 5.0f, -4.9f); }},
        {"waiting at the slab", pastPlankOne, 1.0, End::lost, nullptr,
         [](glm::vec3 b) { return b.z < -29.0f && b.z > -29.5f && blocked; }},
        {"ten frames a second into plank1",
         {{0.0, {W, R}}},
         0.1,
         End::stillPlaying,
         nullptr,
         [](glm::vec3 b) { return b.z < -14.0f && b.z > -16.0f && blocked; }},
        {"ten frames a second onto the slab",
         {{0.0, {D}},
          {0.5, {W}},
          {1.2, {}},
          {2.0, {A}},
          {2.5, {W}},
          {3.3, {}},
          {3.4, {Space, W}},
          {3.5, {W}},
          {4.2, {}}},
         0.1,
         End::stillPlaying,
         nullptr,
         onTheSlab},
        {"the winning run", winningRun, 1 / 60.0, End::won, nullptr, onTheSlab},
        {"beside a falling knife once more", underTheSecondKnife, 1 / 60.0, End::hazard,
         &fallingKnife2, anywhere},
    };
}

std::vector<int> padKeys;

// The script's keys as a pad player gives them: stick, D-pad and buttons.
bool scriptedPad(GLFWgamepadstate& state) {
    state = restingPad();
    for (int key : padKeys) {
        state.axes[GLFW_GAMEPAD_AXIS_LEFT_Y] -= key == W ? 1.0f : 0.0f;
        state.axes[GLFW_GAMEPAD_AXIS_LEFT_X] += key == D ? 0.7f : 0.0f;
        state.buttons[GLFW_GAMEPAD_BUTTON_DPAD_LEFT] |= key == A;
        state.buttons[GLFW_GAMEPAD_BUTTON_DPAD_DOWN] |= key == S;
        state.buttons[GLFW_GAMEPAD_BUTTON_A] |= key == Space;
        state.buttons[GLFW_GAMEPAD_BUTTON_START] |= key == GLFW_KEY_F1;
    }
    return true;
}

LoadModel* touchedHazard() {
    for (LoadModel* h : {flyingKnife, fallingKnife1, fallingKnife2, fallingKnife3, fallingKnife4,
                         fallingKnife5, fallingKnife6, pot}) {
        if (touchesHazard(*player, *h)) {
            return h;
        }
    }
    return nullptr;
}

} // namespace

TEST(ScriptedGames, EachGameEndsAsItsScriptMeansAndTheNextStartsAfresh) {
    const std::string record = std::string(TOLVA_ARTIFACT_DIR) + "/best-time";
    std::remove(record.c_str());
    keepBestTimeIn(record);
    forgetRunBest();
    setPadStateReader(scriptedPad);
    returnToTitle(1.0);
    std::vector<int> framesPlayed;
    for (const Game& game : allGames()) {
        bool seen = !game.seen;
        int frame = 0;
        const double limit = game.end == End::stillPlaying ? 6.0 : 60.0;
        for (double t = 0.0; t < limit; ++frame) {
            applyScript(game.script, t);
            if (frame == 0) {
                holdKey(GLFW_KEY_F1);
            }
            padKeys = game.end == End::won ? scriptedKeys() : std::vector<int>();
            if (game.end == End::won) {
                useScriptedKeys(); // the pad alone plays the winning run
            }
            if (frame == 1) {
                game.afterStart();
            }
            const double step = frame == 0 ? 1 / 60.0 : game.step;
            stepFrame(step);
            t += step;
            if (!playing) {
                break;
            }
            if (frame == 300 && game.end == End::won) {
                saveScreenshot(readWindow(), "clock-in-play");
            }
            seen = seen || game.seen(translationOf(player->modelMatrix));
        }
        releaseAllKeys();
        const End end = goalReached ? End::won
                        : hazardHit ? End::hazard
                        : roundLost ? End::lost
                                    : End::stillPlaying;
        EXPECT_EQ(int(end), int(game.end)) << game.name << ", after " << frame << " frames";
        EXPECT_TRUE(seen) << game.name;
        if (game.hazard != nullptr) {
            EXPECT_EQ(touchedHazard(), *game.hazard) << game.name;
        }
        framesPlayed.push_back(frame);
        if (end == End::won) {
            EXPECT_NEAR(readBestTime(record), frame * 100 / 60.0, 1.0) << "F1 to the goal";
            saveScreenshot(readWindow(), "won-times");
        }
        if (end == End::stillPlaying) {
            returnToTitle(scriptedClock());
        } else {
            holdKey(GLFW_KEY_F1);
            stepFrame();
            releaseAllKeys();
            EXPECT_FALSE(playing || goalReached || roundLost || hazardHit) << game.name;
            EXPECT_EQ(translationOf(player->modelMatrix), glm::vec3(0, 5, -9)) << game.name;
        }
    }
    EXPECT_NEAR(framesPlayed.front() / 60.0, 3.8, 0.15) << "the knives land after 3.8 s";
    setPadStateReader(nullptr);
    keepBestTimeIn("");
}
