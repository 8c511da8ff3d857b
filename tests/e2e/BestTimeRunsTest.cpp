// SPDX-License-Identifier: GPL-3.0-or-later
// A win in the real game, played with xdotool, replaces a slower record in $XDG_DATA_HOME.
#include "e2e/E2e.h"

#include <chrono>

using namespace TolvaTest;

namespace {

// Seconds after S is let go, key, down. Kept to the middle, where the falling knives cannot
// reach whatever their phase: right past the first plank, back to the middle, wait at the
// slab and jump onto it, then left between the pot and the second plank past the fifth knife.
const std::tuple<double, const char*, bool> route[] = {
    {0.0, "s", false},    {0.0, "d", true},       {0.5, "d", false}, {0.5, "w", true},
    {1.3, "w", false},    {1.3, "a", true},       {1.8, "a", false}, {1.8, "w", true},
    {3.0, "space", true}, {3.15, "space", false}, {6.3, "w", false}, {6.3, "a", true},
    {6.82, "a", false},   {6.82, "w", true},      {13.0, "w", false}};

// Presses the key until the game has written `seen`: a press while it is busy goes unseen.
bool press(Process& game, const std::string& window, const char* key, const std::string& seen) {
    for (int attempt = 0; attempt < 20 && game.running(); ++attempt) {
        holdKeyInWindow(window, key, 0.2);
        if (game.waitForOutput(seen, 2.0)) {
            return true;
        }
    }
    return false;
}

// One game from F1 to the goal.
void winOnce(const std::string& dataHome) {
    Process game({tolva, "1024", "768"}, {"", {"XDG_DATA_HOME=" + dataHome}, false});
    const std::string window = waitForGameWindow(game, 120.0);
    ASSERT_NE(window, "");
    // The frame time print says the loop runs; the object count says a game is played.
    ASSERT_TRUE(press(game, window, "F2", "frametime:") && press(game, window, "F7", "frametime:"));
    runProcess({"/usr/bin/xdotool", "keydown", "s"});
    ASSERT_TRUE(press(game, window, "F1", "obj:"));
    sleepSeconds(5.0); // the route is timed for a flying knife that has crossed already
    const auto start = std::chrono::steady_clock::now();
    for (const auto& [at, key, down] : route) {
        std::this_thread::sleep_until(start + std::chrono::milliseconds(int(at * 1000)));
        runProcess({"/usr/bin/xdotool", down ? "keydown" : "keyup", key});
    }
    const std::vector<double> colour = windowColour(window, "best-time-run");
    EXPECT_GT(colour[1] * 2, colour[0]) << "the route did not win: the lost picture is red";
    EXPECT_EQ(quitWithEscape(game, window).exitStatus, 0);
}

} // namespace

TEST(BestTimeRuns, AWinReplacesASlowerRecord) {
    if (!haveDisplay()) {
        GTEST_SKIP() << "needs an X display and xdotool";
    }
    TemporaryFolder dataHome;
    std::filesystem::create_directories(dataHome / "tolva");
    writeText(dataHome / "tolva/best-time", "49.99\n");
    winOnce(dataHome.path);
    const std::string record = readFile(dataHome / "tolva/best-time");
    EXPECT_TRUE(std::stod(record) > 10.0 && std::stod(record) < 30.0) << record;
}
