// SPDX-License-Identifier: GPL-3.0-or-later
// The clock over the game and on the lost picture, read back at two window sizes.
#include "app/GameLoop.h"
#include "app/WindowSettings.h"
#include "support/GlTestWindow.h"
#include "support/KeyScript.h"

#include <GLFW/glfw3.h>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

using namespace Pellwin;
using namespace TolvaTest;

namespace {

// The top centre after `seconds` of a fresh round, the ball held at the start with S:
// 1 where the clock's fill is white, 2 where it is red.
std::vector<int> clockInk(double seconds, bool fresh = true) {
    if (fresh) {
        startGame();
        rewindClock(100.0);
        holdKey(GLFW_KEY_S);
    }
    stepFrame(seconds);
    const Screenshot shot = readWindow();
    saveScreenshot(shot, "clock-" + std::to_string(shot.height) + "-" + std::to_string(seconds));
    std::vector<int> ink;
    for (int y = shot.height * 7 / 8; y < shot.height; ++y) {
        for (int x = shot.width / 2 - shot.height / 5; x < shot.width / 2 + shot.height / 5; ++x) {
            const uint8_t* p = shot.pixel(x, y);
            ink.push_back(p[0] > 200 ? (p[1] > 200 && p[2] > 200 ? 1 : p[1] < 120 ? 2 : 0) : 0);
        }
    }
    return ink;
}

int count(const std::vector<int>& ink, int colour) {
    return static_cast<int>(std::count(ink.begin(), ink.end(), colour));
}

class TimeOnScreen : public ::testing::TestWithParam<std::pair<int, int>> {};

} // namespace

TEST_P(TimeOnScreen, WhiteWhileTimeLastsRedInTheLastSecondsAndKeptOnTheLostPicture) {
    resizeTestWindow(GetParam().first, GetParam().second);
    // Steps exact in a float, so the played seconds add up to 50 exactly.
    const auto fifty = clockInk(0.0), nineNine = clockInk(40.0625);
    const auto timeOut = clockInk(9.9375, false);
    EXPECT_TRUE(roundLost);
    EXPECT_TRUE(count(fifty, 1) > 0 && count(fifty, 2) == 0);
    EXPECT_TRUE(count(nineNine, 2) > 0 && count(nineNine, 1) == 0);
    EXPECT_GT(count(timeOut, 2), 0) << "the lost picture keeps the clock, at 0,0";
    // The digits grow with the window's height: their area with its square.
    const double area = count(fifty, 1) / std::pow(GetParam().second, 2.0);
    EXPECT_TRUE(area > 0.0015 && area < 0.0028) << area;
    EXPECT_EQ(drainGlErrors(), 0);
    resizeTestWindow(1024, 768);
    returnToTitle();
}

INSTANTIATE_TEST_SUITE_P(WindowSizes, TimeOnScreen,
                         ::testing::Values(std::make_pair(640, 480), std::make_pair(1920, 1080)));
