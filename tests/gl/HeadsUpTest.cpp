// SPDX-License-Identifier: GPL-3.0-or-later
// The clock over the game, read back at known round times at two window sizes.
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

// Share of the inked pixels that only one of the two has.
double difference(const std::vector<int>& a, const std::vector<int>& b) {
    int differ = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        differ += a[i] != b[i] ? 1 : 0;
    }
    return differ / (a.size() + b.size() - count(a, 0) - count(b, 0) + 1.0);
}

class TimeOnScreen : public ::testing::TestWithParam<std::pair<int, int>> {};

} // namespace

TEST_P(TimeOnScreen, CountsDownFromFiftyAndShowsZeroWhenTimeRunsOut) {
    resizeTestWindow(GetParam().first, GetParam().second);
    const auto fifty = clockInk(0.0), stillFifty = clockInk(0.99), fortyNine = clockInk(1.0);
    const auto nineNine = clockInk(40.05), nineEight = clockInk(40.15);
    hazardHit = true;
    EXPECT_LT(difference(nineEight, clockInk(5.0, false)), 0.05) << "stopped on the lost picture";
    // Steps exact in a float, so the played seconds add up to 50 exactly.
    const auto zero = clockInk(49.9375), timeOut = clockInk(0.0625, false);
    EXPECT_TRUE(roundLost);
    EXPECT_LT(difference(fifty, stillFifty), 0.05);
    EXPECT_GT(difference(fifty, fortyNine), 0.07);
    EXPECT_GT(difference(nineNine, nineEight), 0.07);
    EXPECT_LT(difference(zero, timeOut), 0.05);
    EXPECT_TRUE(count(fifty, 2) == 0 && count(fortyNine, 2) == 0 && count(nineNine, 1) == 0);
    EXPECT_TRUE(count(nineNine, 2) > 0 && count(timeOut, 2) > 0);
    // The digits grow with the window's height: their area with its square.
    const double area = count(fifty, 1) / std::pow(GetParam().second, 2.0);
    EXPECT_TRUE(area > 0.0015 && area < 0.0028) << area;
    EXPECT_EQ(drainGlErrors(), 0);
    resizeTestWindow(1024, 768);
    returnToTitle();
}

INSTANTIATE_TEST_SUITE_P(WindowSizes, TimeOnScreen,
                         ::testing::Values(std::make_pair(640, 480), std::make_pair(1920, 1080)));
