// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/GlTestWindow.h"

#include "app/GameClock.h"
#include "app/GameLoop.h"
#include "app/Hotkeys.h"
#include "app/KeyInput.h"
#include "app/Level.h"
#include "app/StartUp.h"
#include "app/WindowSettings.h"
#include "support/KeyScript.h"
#include "support/X11Screenshot.h"

#include <FreeImage.h>
#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <iostream>
#include <sys/stat.h>
#include <unistd.h>

namespace TolvaTest {

namespace {

GLFWwindow* window = nullptr;
double clockNow = 0.0;

// GLFW's clock runs on between setting and reading it; the game reads this one instead,
// so every frame lasts exactly the step the test asks for.
double scriptedTime() {
    return clockNow;
}

class GlEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (chdir(TOLVA_SOURCE_DIR) != 0) {
            FAIL() << "cannot enter " << TOLVA_SOURCE_DIR;
        }
        char program[] = "tolva-tests-gl";
        char width[] = "1024";
        char height[] = "768";
        char* argv[] = {program, width, height, nullptr};
        // The window is made exactly as the game makes it.
        {
            ConsoleCapture quiet;
            window = Pellwin::openGameWindow(3, argv);
        }
        useScriptedKeys();
        Pellwin::setClockReader(scriptedTime);
        glfwSetTime(0.0);
        Pellwin::setUpGame(window);
        ASSERT_EQ(drainGlErrors(), 0) << "building the scene raised a GL error";
    }
    void TearDown() override {
        Pellwin::setKeyReader(nullptr);
        Pellwin::setClockReader(nullptr);
        Pellwin::shutDownGame();
    }
};

} // namespace

GLFWwindow* testWindow() {
    return window;
}

double scriptedClock() {
    return clockNow;
}

void returnToTitle(double clock) {
    useScriptedKeys();
    Pellwin::restartLevel();
    Pellwin::playing = false;
    Pellwin::goalReached = false;
    Pellwin::roundLost = false;
    Pellwin::hazardHit = false;
    Pellwin::resetRenderSettings();
    clockNow = clock;
    glfwSetTime(clockNow);
    Pellwin::restartFrameClock();
    drainGlErrors();
}

void rewindClock(double clock) {
    clockNow = clock;
    glfwSetTime(clockNow);
    Pellwin::restartFrameClock();
}

void resizeTestWindow(int width, int height) {
    glfwSetWindowSize(window, width, height);
    for (int i = 0; i < 50 && (Pellwin::windowWidth != width || Pellwin::windowHeight != height);
         ++i) {
        glfwWaitEventsTimeout(0.05);
    }
}

void startGame() {
    returnToTitle();
    holdKey(GLFW_KEY_F1);
    stepFrame();
    releaseAllKeys();
}

bool stepFrame(double step) {
    clockNow += step;
    glfwSetTime(clockNow);
    return Pellwin::runFrame(window);
}

void stepFrames(int count, double step) {
    for (int i = 0; i < count; ++i) {
        stepFrame(step);
    }
}

ConsoleCapture::ConsoleCapture() : previous(std::cout.rdbuf(buffer.rdbuf())) {}

ConsoleCapture::~ConsoleCapture() {
    std::cout.rdbuf(previous);
}

Screenshot readWindow() {
    // Read from the X server, as a screenshot tool would: after the swap the GL front
    // buffer is not readable under every driver.
    glFinish();
    return readX11Window(window);
}

std::string saveScreenshot(const Screenshot& shot, const std::string& name) {
    const std::string folder = TOLVA_ARTIFACT_DIR;
    mkdir(folder.c_str(), 0755);
    const std::string path = folder + "/" + name + ".png";
    FIBITMAP* image = FreeImage_Allocate(shot.width, shot.height, 24);
    for (int y = 0; y < shot.height; ++y) {
        BYTE* row = FreeImage_GetScanLine(image, y);
        for (int x = 0; x < shot.width; ++x) {
            const uint8_t* p = shot.pixel(x, y);
            row[3 * x + FI_RGBA_RED] = p[0];
            row[3 * x + FI_RGBA_GREEN] = p[1];
            row[3 * x + FI_RGBA_BLUE] = p[2];
        }
    }
    FreeImage_Save(FIF_PNG, image, path.c_str(), 0);
    FreeImage_Unload(image);
    return path;
}

namespace {

// A PNG's pixels as FreeImage decodes them, whatever their layout.
std::vector<uint8_t> decodedPixels(const std::string& path) {
    std::vector<uint8_t> bits;
    if (FIBITMAP* image = FreeImage_Load(FIF_PNG, path.c_str(), 0)) {
        FIBITMAP* rgb = FreeImage_ConvertTo24Bits(image);
        const unsigned width = FreeImage_GetWidth(rgb), height = FreeImage_GetHeight(rgb);
        bits.resize(3u * width * height);
        FreeImage_ConvertToRawBits(bits.data(), rgb, int(3 * width), 24, FI_RGBA_RED_MASK,
                                   FI_RGBA_GREEN_MASK, FI_RGBA_BLUE_MASK, FALSE);
        FreeImage_Unload(rgb);
        FreeImage_Unload(image);
    }
    return bits;
}

} // namespace

void expectSameAsReference(const Screenshot& shot, const std::string& name) {
    const std::string reference =
        std::string(TOLVA_SOURCE_DIR) + "/tests/pictures/" + name + ".png";
    const std::string shown = saveScreenshot(shot, "pictures-" + name);
    if (std::getenv("TOLVA_RECORD_PICTURES") != nullptr) {
        std::rename(shown.c_str(), reference.c_str());
        return;
    }
    const std::vector<uint8_t> got = decodedPixels(shown), expected = decodedPixels(reference);
    ASSERT_EQ(got.size(), expected.size()) << name << ": no reference picture of this size";
    int worst = 0;
    size_t differing = 0;
    for (size_t i = 0; i < got.size(); ++i) {
        const int gap = std::abs(int(got[i]) - int(expected[i]));
        worst = std::max(worst, gap);
        differing += gap > 1 ? 1 : 0;
    }
    EXPECT_LE(worst, 1) << name << ": " << differing << " channels differ by more than 1/255; "
                        << "see " << shown;
}

int drainGlErrors() {
    int count = 0;
    while (glGetError() != GL_NO_ERROR && count < 100) {
        ++count;
    }
    return count;
}

} // namespace TolvaTest

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new TolvaTest::GlEnvironment);
    return RUN_ALL_TESTS();
}
