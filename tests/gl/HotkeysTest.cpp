// The render-setting keys, pressed through the key seam in the real window.
#include "app/Hotkeys.h"
#include "app/GameLoop.h"
#include "scene/TextureCache.h"
#include "support/GlTestWindow.h"
#include "support/KeyScript.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <gtest/gtest.h>
#include <string>

using namespace Pellwin;
using namespace TolvaTest;

namespace {

const std::string quality = "Texturqualit\xE4t: ";

void restoreStartFilters() {
    for (const auto& entry : textureCache) {
        glBindTexture(GL_TEXTURE_2D, entry.second);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    }
    glBindTexture(GL_TEXTURE_2D, 0);
}

// Every cached texture's filters, read back from GL.
void expectFilters(GLint minFilter, GLint magFilter) {
    for (const auto& entry : textureCache) {
        glBindTexture(GL_TEXTURE_2D, entry.second);
        GLint minRead = 0;
        GLint magRead = 0;
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minRead);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magRead);
        EXPECT_EQ(minRead, minFilter) << entry.first;
        EXPECT_EQ(magRead, magFilter) << entry.first;
    }
}

// Presses a key for one frame, then lets the debounce run out with the key released.
std::string press(int key) {
    ConsoleCapture console;
    holdKey(key);
    stepFrame();
    releaseKey(key);
    stepFrame(0.35);
    return console.text();
}

class Hotkeys : public ::testing::Test {
protected:
    void SetUp() override {
        returnToTitle();
        restoreStartFilters();
    }
    void TearDown() override {
        restoreStartFilters();
        returnToTitle();
    }
};

} // namespace

TEST_F(Hotkeys, F4PrintsTheCountTwicePerTextureThenOnceMoreWithTheMessage) {
    const size_t count = textureCache.size();
    ASSERT_EQ(count, 23u) << "the world loads 23 textures";
    const std::string n = std::to_string(count);
    std::string expected;
    for (size_t i = 1; i <= count; ++i) {
        expected += n + n + std::to_string(i) + "\n";
    }
    expected += n + quality + "Nearest\n";
    EXPECT_EQ(press(GLFW_KEY_F4), expected);
    expectFilters(GL_NEAREST, GL_NEAREST);

    std::string back = expected.substr(0, expected.size() - std::string("Nearest\n").size());
    EXPECT_EQ(press(GLFW_KEY_F4), back + "Linear\n");
    expectFilters(GL_LINEAR, GL_LINEAR);
}

TEST_F(Hotkeys, F5CyclesThroughTheMipmapFiltersAndPrintsOneLine) {
    std::string counts;
    for (size_t i = 0; i < 2 * textureCache.size() + 1; ++i) {
        counts += std::to_string(textureCache.size());
    }
    EXPECT_EQ(press(GLFW_KEY_F5), counts + quality + "mm Nearest\n");
    expectFilters(GL_NEAREST_MIPMAP_NEAREST, GL_LINEAR);
    EXPECT_EQ(press(GLFW_KEY_F5), counts + quality + "mm Linear\n");
    expectFilters(GL_LINEAR_MIPMAP_LINEAR, GL_LINEAR);
    EXPECT_EQ(press(GLFW_KEY_F5), counts + quality + "Linear\n");
    expectFilters(GL_LINEAR, GL_LINEAR);
    EXPECT_EQ(press(GLFW_KEY_F5), counts + quality + "mm Nearest\n");
}

TEST_F(Hotkeys, F4AfterMipmapLinearGivesNearestAndTheNextF5GivesLinear) {
    press(GLFW_KEY_F5);
    press(GLFW_KEY_F5);
    ASSERT_TRUE(filterMipmapLinear);
    EXPECT_NE(press(GLFW_KEY_F4).find(quality + "Nearest\n"), std::string::npos);
    expectFilters(GL_NEAREST, GL_NEAREST);
    EXPECT_NE(press(GLFW_KEY_F5).find(quality + "Linear\n"), std::string::npos);
    expectFilters(GL_LINEAR, GL_LINEAR);
}

TEST_F(Hotkeys, HeldF8SwitchesCullingFourTimesInOneSecond) {
    ConsoleCapture console;
    holdKey(GLFW_KEY_F8);
    stepFrames(60);
    releaseAllKeys();
    EXPECT_EQ(console.text(), "ViewFrustumCulling: ON\nViewFrustumCulling: OFF\n"
                              "ViewFrustumCulling: ON\nViewFrustumCulling: OFF\n");
    EXPECT_FALSE(cullingEnabled);
}

TEST_F(Hotkeys, F9SwitchesTransparencyWithItsMessages) {
    EXPECT_EQ(press(GLFW_KEY_F9), "Undurchsichtig\n");
    EXPECT_FALSE(transparencyEnabled);
    EXPECT_EQ(press(GLFW_KEY_F9), "Transparent\n");
    EXPECT_TRUE(transparencyEnabled);
}

TEST_F(Hotkeys, F2PrintsTheFrameTimeFromTheFrameItIsSwitchedOn) {
    ConsoleCapture console;
    holdKey(GLFW_KEY_F2);
    stepFrame(0.015625); // 15.625 ms, exact in a float
    releaseAllKeys();
    EXPECT_EQ(console.text().substr(0, 11), "frametime: ");
    EXPECT_NE(console.text().find("ms\n"), std::string::npos);
    EXPECT_TRUE(printFrameTime);

    console.clear();
    stepFrame(0.5);
    holdKey(GLFW_KEY_F2);
    stepFrame();
    releaseAllKeys();
    EXPECT_FALSE(printFrameTime);
    EXPECT_EQ(console.text().find("frametime"), 0u) << "only the frame before the switch prints";
    console.clear();
    stepFrames(3);
    EXPECT_EQ(console.text(), "");
}

TEST_F(Hotkeys, FrameTimeUsesTheDefaultSixDigitFormat) {
    printFrameTime = true;
    ConsoleCapture console;
    stepFrame(1.0 / 60.0);
    printFrameTime = false;
    // 16.6667 ms within the clock's float rounding: six significant digits, no fixed point.
    const std::string line = console.text();
    ASSERT_EQ(line.substr(0, 11), "frametime: ");
    EXPECT_EQ(line.substr(line.size() - 3), "ms\n");
    EXPECT_LE(line.size(), std::string("frametime: 16.6667ms\n").size());
}

TEST_F(Hotkeys, F7PrintsTheDrawnObjectCountDuringPlay) {
    press(GLFW_KEY_F7);
    EXPECT_TRUE(printObjectCount);
    ConsoleCapture console;
    holdKey(GLFW_KEY_F1);
    stepFrame();
    releaseAllKeys();
    EXPECT_EQ(console.text(), "obj:30\n");
}

TEST_F(Hotkeys, KeysWorkOnTheTitlePicture) {
    ASSERT_FALSE(playing);
    EXPECT_EQ(press(GLFW_KEY_F8), "ViewFrustumCulling: ON\n");
    EXPECT_FALSE(playing);
}
