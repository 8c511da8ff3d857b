// The clock over the game, read back at known round times at two window sizes, and the
// scripted winning run played on a pad, which ends on the won picture with its times.
#include "app/BestTime.h"
#include "app/GameLoop.h"
#include "app/GamepadKeys.h"
#include "app/KeyInput.h"
#include "app/WinRecord.h"
#include "app/WindowSettings.h"
#include "support/GlTestWindow.h"
#include "support/KeyScript.h"
#include "support/WinningRun.h"

#include <GLFW/glfw3.h>
#include <filesystem>
#include <gtest/gtest.h>

using namespace Pellwin;
using namespace TolvaTest;

namespace {

void resizeWindow(int width, int height) {
    glfwSetWindowSize(testWindow(), width, height);
    for (int i = 0; i < 50 && (windowWidth != width || windowHeight != height); ++i) {
        glfwWaitEventsTimeout(0.05);
    }
}

// The clock's digits: 1 where the fill is white, 2 where it is red, in the top centre.
struct Digits {
    std::vector<int> ink;
    int white = 0, red = 0, low = 1 << 30, high = -1, left = 1 << 30, right = -1;
};

Digits readDigits(const std::string& name) {
    const Screenshot shot = readWindow();
    saveScreenshot(shot, name);
    Digits d;
    const int half = shot.height / 5;
    for (int y = shot.height * 7 / 8; y < shot.height; ++y) {
        for (int x = shot.width / 2 - half; x < shot.width / 2 + half; ++x) {
            const uint8_t* p = shot.pixel(x, y);
            const int ink = p[0] > 200 ? (p[1] > 200 && p[2] > 200 ? 1 : p[1] < 120 ? 2 : 0) : 0;
            d.ink.push_back(ink);
            d.white += ink == 1 ? 1 : 0;
            d.red += ink == 2 ? 1 : 0;
            if (ink != 0) {
                d.low = std::min(d.low, y), d.high = std::max(d.high, y);
                d.left = std::min(d.left, x), d.right = std::max(d.right, x);
            }
        }
    }
    return d;
}

// Share of the inked pixels that only one of the two has.
double difference(const Digits& a, const Digits& b) {
    int differ = 0;
    for (size_t i = 0; i < a.ink.size() && i < b.ink.size(); ++i) {
        differ += a.ink[i] != b.ink[i] ? 1 : 0;
    }
    return differ / static_cast<double>(std::max(1, a.white + a.red + b.white + b.red));
}

// A fresh game held at the start with S, `seconds` of round time after F1.
Digits clockAfter(double seconds) {
    startGame();
    rewindClock(100.0);
    holdKey(GLFW_KEY_S);
    stepFrame(seconds);
    return readDigits("clock-" + std::to_string(windowWidth) + "-" + std::to_string(seconds));
}

class TimeOnScreen : public ::testing::TestWithParam<std::pair<int, int>> {
protected:
    void SetUp() override { resizeWindow(GetParam().first, GetParam().second); }
    void TearDown() override {
        resizeWindow(1024, 768);
        returnToTitle();
    }
};

} // namespace

TEST_P(TimeOnScreen, CountsDownFromFiftyAndShowsZeroWhenTimeRunsOut) {
    const Digits fifty = clockAfter(0.0), stillFifty = clockAfter(0.99);
    const Digits fortyNine = clockAfter(1.0);
    const Digits nineNine = clockAfter(40.05), stillNineNine = clockAfter(40.09);
    const Digits nineEight = clockAfter(40.15), zero = clockAfter(49.96);
    stepFrame(0.04);
    ASSERT_TRUE(roundLost);
    const Digits timeOut = readDigits("clock-time-out-" + std::to_string(windowWidth));
    EXPECT_LT(difference(fifty, stillFifty), 0.03);
    EXPECT_GT(difference(fifty, fortyNine), 0.08);
    EXPECT_LT(difference(nineNine, stillNineNine), 0.03);
    EXPECT_GT(difference(nineNine, nineEight), 0.08);
    EXPECT_LT(difference(zero, timeOut), 0.03);
    EXPECT_TRUE(fifty.white > 0 && fifty.red == 0 && fortyNine.red == 0);
    EXPECT_TRUE(nineNine.red > 0 && nineNine.white == 0 && timeOut.red > 0);
    // Digits a twentieth of the window high, in its middle.
    const double height = (fifty.high - fifty.low + 1) / static_cast<double>(GetParam().second);
    EXPECT_GT(height, 0.045);
    EXPECT_LT(height, 0.07);
    EXPECT_NEAR((fifty.left + fifty.right) / 2.0, GetParam().first / 2.0, GetParam().first * 0.01);
    EXPECT_EQ(drainGlErrors(), 0);
}

INSTANTIATE_TEST_SUITE_P(WindowSizes, TimeOnScreen,
                         ::testing::Values(std::make_pair(640, 480), std::make_pair(1920, 1080)));

namespace {

std::vector<int> padKeys;

// The keys of the script, as a pad player gives them.
bool scriptedPad(GLFWgamepadstate& state) {
    state = restingPad();
    for (int key : padKeys) {
        switch (key) {
        case GLFW_KEY_W:
            state.axes[GLFW_GAMEPAD_AXIS_LEFT_Y] = -1.0f;
            break;
        case GLFW_KEY_D:
            state.axes[GLFW_GAMEPAD_AXIS_LEFT_X] = 0.7f;
            break;
        default:
            const int buttons[][2] = {{GLFW_KEY_A, GLFW_GAMEPAD_BUTTON_DPAD_LEFT},
                                      {GLFW_KEY_S, GLFW_GAMEPAD_BUTTON_DPAD_DOWN},
                                      {GLFW_KEY_SPACE, GLFW_GAMEPAD_BUTTON_A},
                                      {GLFW_KEY_F1, GLFW_GAMEPAD_BUTTON_START}};
            for (const auto& pair : buttons) {
                state.buttons[pair[1]] |= pair[0] == key ? GLFW_PRESS : 0;
            }
        }
    }
    return true;
}

} // namespace

TEST(PadGame, TheWinningRunOnThePadWinsAndTheWonPictureShowsItsTime) {
    const std::string folder = mkdtemp(std::string("/tmp/tolva-pad-XXXXXX").data());
    keepBestTimeIn(folder + "/best-time");
    forgetRunBest();
    returnToTitle(1.0);
    setPadStateReader(scriptedPad);
    int frame = 0;
    for (; frame < 55 * 60 && (frame == 0 || playing); ++frame) {
        padKeys.clear();
        for (const ScriptStep& step : winningRun) {
            padKeys = step.time <= frame / 60.0 ? step.keys : padKeys;
        }
        if (frame == 0) {
            padKeys.push_back(GLFW_KEY_F1);
        }
        stepFrame();
    }
    padKeys.clear();
    EXPECT_TRUE(goalReached) << "after " << frame << " frames";
    // The time from F1 to the frame that saw the goal, to the hundredth.
    EXPECT_NEAR(readBestTime(folder + "/best-time"), (frame - 1) * 100 / 60.0, 1.0);
    for (const auto& size : {std::make_pair(1024, 768), std::make_pair(1920, 1080)}) {
        resizeWindow(size.first, size.second);
        stepFrame();
        saveScreenshot(readWindow(), "won-times-" + std::to_string(size.first));
    }
    EXPECT_EQ(drainGlErrors(), 0);
    setPadStateReader(nullptr);
    keepBestTimeIn("");
    std::filesystem::remove_all(folder);
    resizeWindow(1024, 768);
    returnToTitle();
}
