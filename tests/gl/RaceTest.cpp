// SPDX-License-Identifier: GPL-3.0-or-later
// The shipped run as ghost and replay through the real frame loop: the ghost shows ahead of
// a ball that only rolls, tinted, not counted, and G hides it quietly; V replays the run to
// its won picture, every frame as the run has it, keys of the player ignored but V and
// Escape, and nothing written.
#include "app/GameLoop.h"
#include "app/GameRecording.h"
#include "app/KeptRuns.h"
#include "app/LevelFingerprint.h"
#include "app/PlayerSettings.h"
#include "app/Replay.h"
#include "app/WinRecord.h"
#include "render/FrameRenderer.h"
#include "support/GlTestWindow.h"
#include "support/KeyScript.h"

#include <GLFW/glfw3.h>
#include <filesystem>
#include <gtest/gtest.h>

using namespace Pellwin;
using namespace TolvaTest;

namespace {

void tap(int key) {
    holdKey(key);
    stepFrame();
    releaseKey(key);
}

// Pixels bluer in `shot` than in `without` by a clear step: the ghost's tint.
int tintedPixels(const Screenshot& shot, const Screenshot& without) {
    int count = 0;
    for (int i = 0; i + 2 < int(shot.rgb.size()); i += 3) {
        const int blueNow = shot.rgb[i + 2] - shot.rgb[i];
        const int blueBefore = without.rgb[i + 2] - without.rgb[i];
        count += blueNow - blueBefore > 40;
    }
    return count;
}

} // namespace

TEST(Race, TheGhostShowsUntilGHidesItAndVReplaysTheRunToItsWonPicture) {
    const std::string bestTime = std::string(TOLVA_ARTIFACT_DIR) + "/race-best-time";
    const std::string bestRun = std::string(TOLVA_ARTIFACT_DIR) + "/race-best-run";
    std::filesystem::remove(bestTime);
    std::filesystem::remove(bestRun);
    keepBestTimeIn(bestTime);
    keepBestRunIn(bestRun);
    forgetRunBest();
    loadRuns(levelFingerprint());
    const RecordedRun* run = ghostRun();
    ASSERT_NE(run, nullptr) << "the shipped run fits the level the game laid out";
    ConsoleCapture console;
    Screenshot shots[2];
    int counted[2] = {};
    for (int game = 0; game < 2; ++game) {
        startGame();
        stepFrames(18);
        shots[game] = readWindow();
        counted[game] = drawnObjectCount;
        if (game == 0) {
            tap(GLFW_KEY_G);
            EXPECT_FALSE(playerSettings().ghostShown);
        }
    }
    saveScreenshot(shots[0], "race-ghost");
    // A ball's disc some 70 pixels wide; the steam differs a little from game to game.
    EXPECT_GT(tintedPixels(shots[0], shots[1]), 2000) << "the ghost is there, in its tint";
    EXPECT_LT(tintedPixels(shots[1], shots[0]), 200);
    EXPECT_EQ(counted[0], counted[1]) << "F7 does not count the ghost";
    tap(GLFW_KEY_G);
    EXPECT_TRUE(playerSettings().ghostShown);

    returnToTitle();
    tap(GLFW_KEY_V);
    stepFrames(50);
    tap(GLFW_KEY_V);
    EXPECT_FALSE(replaying() || playing) << "V goes back to the title at once";
    stepFrame();
    tap(GLFW_KEY_V);
    ASSERT_TRUE(replaying());
    // Whatever the clock says and the player holds, the run's frames and keys play.
    holdKeys({GLFW_KEY_S, GLFW_KEY_A, GLFW_KEY_P, GLFW_KEY_F1});
    for (int frame = 0; playing && !goalReached && frame < 400; ++frame) {
        stepFrame(frame % 2 ? 0.1 : 0.004);
    }
    // Every frame's seconds, keys and ball, and the finish time.
    RecordedRun again;
    EXPECT_TRUE(takeWonRun(run->finishHundredths, deltaTime, again) &&
                encodeRun(again) == encodeRun(*run))
        << "the replay, recorded as a game is, is the run";
    stepFrames(2);
    ASSERT_TRUE(goalReached) << "F1 held from before does not leave the won picture";
    releaseAllKeys();
    stepFrame();
    saveScreenshot(readWindow(), "race-replay-won");
    EXPECT_FALSE(std::filesystem::exists(bestTime) || std::filesystem::exists(bestRun));
    tap(GLFW_KEY_F1);
    stepFrame();
    EXPECT_FALSE(replaying() || goalReached || playing);
    EXPECT_EQ(console.text(), "");
    EXPECT_EQ(drainGlErrors(), 0);
    keepBestTimeIn("");
    keepBestRunIn("");
}
