// SPDX-License-Identifier: GPL-3.0-or-later
// Recorded games fed back through the real update from a restarted level: every ball bit
// for bit and the same end, at 60 frames a second, with jittered 8 to 70 ms frames, and
// from what a jump under way in the last game left; and the shipped run still wins in its
// recorded time.
#include "app/KeptRuns.h"
#include "app/Level.h"
#include "app/LevelFingerprint.h"
#include "app/WinRecord.h"
#include "runmaker/BareGame.h"
#include "runmaker/ShippedRoute.h"
#include "scene/SceneCatalogue.h"
#include "sim/Controller.h"
#include "sim/GameUpdate.h"
#include "support/BareLevel.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>

using namespace Pellwin;
using namespace TolvaTest;

namespace {

std::mt19937 jitter;

// What a game leaves the next, set by hand: the replay has to put back its own.
void leaveBehind(const RunStart& left) {
    controller->jumping = left.jumping;
    controller->landedInRaisedZone = left.landedInRaisedZone;
    controller->jumpTime = left.jumpTime;
    blocked = left.blocked;
}

void expectSameGame(const BareGame& replay, const BareGame& game, const char* name) {
    EXPECT_EQ(replay.won, game.won) << name;
    EXPECT_EQ(replay.hundredths, game.hundredths) << name;
    ASSERT_EQ(replay.balls.size(), game.balls.size()) << name;
    EXPECT_EQ(
        std::memcmp(replay.balls.data(), game.balls.data(), game.balls.size() * sizeof(glm::vec3)),
        0)
        << name << ": a ball is off by a bit";
}

} // namespace

TEST_F(BareLevel, ARecordedGameReplaysBitForBit) {
    const struct {
        const char* name;
        float (*seconds)(int);
        RunStart left; // by the game before
    } cases[] = {
        {"60 frames a second", [](int) { return 1 / 60.0f; }, {}},
        {"jittered frames",
         [](int) { return std::uniform_real_distribution<float>(0.008f, 0.07f)(jitter); },
         {}},
        {"a jump under way at a barrier", [](int) { return 1 / 60.0f; }, {true, false, true, 0.3f}},
    };
    for (const auto& c : cases) {
        leaveBehind(c.left);
        const BareGame game = playBareGame(shippedRoute, c.seconds);
        EXPECT_TRUE(game.won) << c.name;
        EXPECT_EQ(game.balls.size(), game.run.frames.size()) << c.name;
        takeLevelDown();
        layOutLevel();
        leaveBehind({false, true, false, 9.0f});
        expectSameGame(replayBareRun(game.run), game, c.name);
        takeLevelDown();
        layOutLevel();
    }
}

TEST_F(BareLevel, OnlyAWinThatBeatsTheBestTimeKeepsItsRun) {
    const std::string folder = testing::TempDir() + "/only-a-record";
    std::filesystem::create_directories(folder);
    keepBestTimeIn(folder + "/best-time");
    keepBestRunIn(folder + "/best-run");
    for (const char* best : {"3.00\n", "9.00\n"}) {
        std::ofstream(folder + "/best-time") << best;
        EXPECT_TRUE(playBareGame(shippedRoute, [](int) { return 1 / 60.0f; }).won);
        EXPECT_EQ(std::filesystem::exists(folder + "/best-run"), *best == '9') << best;
        takeLevelDown();
        layOutLevel();
    }
    keepBestTimeIn("");
    keepBestRunIn("");
    std::filesystem::remove_all(folder);
}

TEST_F(BareLevel, TheShippedRunStillWinsInItsRecordedTime) {
    takeLevelFingerprint();
    RecordedRun run;
    ASSERT_TRUE(readRun(std::string(TOLVA_SOURCE_DIR) + "/Resourcen/Musterlauf.tlvr",
                        levelFingerprint(), run))
        << "the physics or the level changed: make the run again with tolva-runmaker";
    BareGame recorded;
    recorded.won = true;
    recorded.hundredths = run.finishHundredths;
    for (const RunFrame& frame : run.frames) {
        recorded.balls.push_back(frame.ball);
    }
    expectSameGame(replayBareRun(run), recorded, "the shipped run");
}
