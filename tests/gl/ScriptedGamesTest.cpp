// SPDX-License-Identifier: GPL-3.0-or-later
// Whole games through the real frame loop, one after another with F1 in between, each
// played by a key script: the six ways to lose, a game at ten frames a second, where every
// step of the ball must still land on the slab, the winning run on a gamepad, slower than
// the best time on file, and a dash to the goal that beats it. A pad at rest is there in
// every other game. Only the dash writes the file, no loss (not even the first ever) nor
// the slower win, and both won pictures show their times.
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
#include <algorithm>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>

using namespace Pellwin;
using namespace TolvaTest;

namespace {

using namespace GameKeys;

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
    const auto putBall = [](float x, float z) { return [=] { player->setPosition(x, 5.0f, z); }; };
    constexpr double frame = 1 / 60.0;
    // clang-format off
    return {
        {"beside a falling knife", underTheSecondKnife, frame, End::hazard, &fallingKnife2,
         anywhere},
        {"in the flying knife's way", {{1.2, {S}}}, frame, End::hazard, &flyingKnife, anywhere},
        {"into the pot", {{0.0, {W, A}}}, frame, End::hazard, &pot, anywhere, putBall(-1, -64)},
        {"off the side", {{0.0, {D}}}, frame, End::lost, nullptr,
         [](glm::vec3 b) { return b.x > 9.9f; }},
        {"behind the start line", {{0, {S}}}, frame, End::lost, nullptr, anywhere,
         putBall(0, -4.9f)},
        {"waiting at the slab", pastPlankOne, 1.0, End::lost, nullptr,
         [](glm::vec3 b) { return b.z < -29.0f && b.z > -29.5f && blocked; }},
        {"ten frames a second onto the slab", {{0.0, {D}}, {0.5, {W}}, {1.2, {}}, {2.0, {A}},
         {2.5, {W}}, {3.3, {}}, {3.4, {Space, W}}, {3.5, {W}}, {4.2, {}}}, 0.1, End::stillPlaying,
         nullptr, onTheSlab},
        {"the winning run", winningRun, frame, End::won, nullptr, onTheSlab},
        {"a dash to the goal", {}, frame, End::won, nullptr, anywhere, putBall(0, -99.99f)},
    };
    // clang-format on
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
    const std::vector<Game> games = allGames();
    std::string kept; // no record until the winning run, which meets a faster one
    for (const Game& game : games) {
        if (std::string(game.name) == "the winning run") {
            std::ofstream(record) << (kept = "10.00\n");
        }
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
            std::string picture = std::string("won ") + game.name;
            std::replace(picture.begin(), picture.end(), ' ', '-');
            expectSameAsReference(readWindow(), picture);
        }
        std::ifstream file(record);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}),
                  &game == &games.back() ? "0.03\n" : kept)
            << "only a record replaces the file, after " << game.name;
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
