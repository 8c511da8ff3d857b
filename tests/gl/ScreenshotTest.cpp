// What the player sees: pictures that fill the window at any size, steam at the pot and
// the blur of a fast ball. Every screenshot is kept as a test artefact to look at.
#include "app/GameLoop.h"
#include "app/Hotkeys.h"
#include "app/WindowSettings.h"
#include "render/FrameRenderer.h"
#include "render/ParticleSystem.h"
#include "render/RenderTarget.h"
#include "scene/LoadModel.h"
#include "scene/SceneCatalogue.h"
#include "support/GlTestWindow.h"
#include "support/KeyScript.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

using namespace Pellwin;
using namespace TolvaTest;

namespace {

// Pixels along the window's edges that still show the clear colour.
int uncoveredEdgePixels(const Screenshot& shot, const uint8_t clear[3]) {
    int uncovered = 0;
    auto check = [&](int x, int y) {
        const uint8_t* p = shot.pixel(x, y);
        uncovered += (p[0] == clear[0] && p[1] == clear[1] && p[2] == clear[2]) ? 1 : 0;
    };
    for (int x = 0; x < shot.width; ++x) {
        check(x, 0);
        check(x, shot.height - 1);
    }
    for (int y = 0; y < shot.height; ++y) {
        check(0, y);
        check(shot.width - 1, y);
    }
    return uncovered;
}

void resizeWindow(int width, int height) {
    glfwSetWindowSize(testWindow(), width, height);
    for (int i = 0; i < 50; ++i) {
        glfwPollEvents();
        int w = 0;
        int h = 0;
        glfwGetFramebufferSize(testWindow(), &w, &h);
        if (w == width && h == height && windowWidth == width && windowHeight == height) {
            return;
        }
        glfwWaitEventsTimeout(0.05);
    }
}

// A clear colour no picture uses, so an uncovered pixel cannot hide.
const uint8_t magenta[3] = {255, 0, 255};

class Screens : public ::testing::TestWithParam<std::pair<int, int>> {
protected:
    void SetUp() override {
        resizeWindow(GetParam().first, GetParam().second);
        returnToTitle();
        glClearColor(1.0f, 0.0f, 1.0f, 1.0f);
    }
    void TearDown() override {
        glClearColor(0.0f, 0.0f, 0.0f, 0.3f);
        resizeWindow(1024, 768);
        returnToTitle();
    }
    std::string sizeName() const {
        return std::to_string(GetParam().first) + "x" + std::to_string(GetParam().second);
    }
};

} // namespace

TEST_P(Screens, TitleWonAndLostPicturesFillTheWindow) {
    stepFrame();
    Screenshot title = readWindow();
    saveScreenshot(title, "title-" + sizeName());
    EXPECT_EQ(title.width, GetParam().first);
    EXPECT_EQ(uncoveredEdgePixels(title, magenta), 0);

    goalReached = true;
    stepFrame();
    Screenshot won = readWindow();
    saveScreenshot(won, "won-" + sizeName());
    EXPECT_EQ(uncoveredEdgePixels(won, magenta), 0);

    goalReached = false;
    roundLost = true;
    stepFrame();
    Screenshot lost = readWindow();
    saveScreenshot(lost, "lost-" + sizeName());
    EXPECT_EQ(uncoveredEdgePixels(lost, magenta), 0);
}

TEST_P(Screens, ThePlayingPictureFillsTheWindow) {
    holdKey(GLFW_KEY_F1);
    stepFrame();
    releaseAllKeys();
    stepFrames(30);
    Screenshot playing = readWindow();
    saveScreenshot(playing, "playing-" + sizeName());
    // The room has no ceiling, so only the lower half is sure to be scene: the bottom row
    // and both sides there must be drawn, right out to the window's corners.
    int uncovered = 0;
    auto check = [&](int x, int y) {
        const uint8_t* p = playing.pixel(x, y);
        uncovered += (p[0] == magenta[0] && p[1] == magenta[1] && p[2] == magenta[2]) ? 1 : 0;
    };
    for (int x = 0; x < playing.width; ++x) {
        check(x, 0);
    }
    for (int y = 0; y < playing.height / 2; ++y) {
        check(0, y);
        check(playing.width - 1, y);
    }
    EXPECT_EQ(uncovered, 0);
    EXPECT_EQ(drainGlErrors(), 0);
}

INSTANTIATE_TEST_SUITE_P(WindowSizes, Screens,
                         ::testing::Values(std::make_pair(1024, 768), std::make_pair(1600, 900)));

class GameViews : public ::testing::Test {
protected:
    void SetUp() override { startGame(); }
    void TearDown() override { returnToTitle(); }
};

TEST_F(GameViews, SteamRisesOverThePot) {
    // Let the steam build up, then look at the pot from just before the second plank.
    stepFrames(150);
    player->setPosition(-1.0f, 5.0f, -62.0f);
    stepFrames(2);
    ASSERT_TRUE(playing);
    Screenshot withSteam = readWindow();
    saveScreenshot(withSteam, "steam-at-the-pot");
    EXPECT_GT(particleSystem->particleCount, 50);

    // The same view without the particles shows how much the steam adds.
    const int count = particleSystem->particleCount;
    particleSystem->particleCount = 0;
    glBindFramebuffer(GL_FRAMEBUFFER, sceneFramebuffer);
    glViewport(0, 0, renderTargetWidth, renderTargetHeight);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    renderScene();
    const glm::vec3 previous = previousBallPosition;
    const glm::vec3 current = currentBallPosition;
    renderMotionBlur(projectionMatrix, viewMatrix);
    glfwSwapBuffers(testWindow());
    Screenshot withoutSteam = readWindow();
    particleSystem->particleCount = count;
    previousBallPosition = previous;
    currentBallPosition = current;

    long changed = 0;
    for (size_t i = 0; i < withSteam.rgb.size(); ++i) {
        changed += std::abs(int(withSteam.rgb[i]) - int(withoutSteam.rgb[i])) > 8 ? 1 : 0;
    }
    EXPECT_GT(changed, 2000) << "the steam shows on screen";
}

TEST_F(GameViews, AFastBallBlursTheSceneAndAStillOneIsSharp) {
    stepFrames(10);
    auto blurredFrame = [](float speed) {
        glBindFramebuffer(GL_FRAMEBUFFER, sceneFramebuffer);
        glViewport(0, 0, renderTargetWidth, renderTargetHeight);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        renderScene();
        deltaTime = 1.0f / 60.0f;
        glm::vec3 ball;
        player->getPosition(ball);
        previousBallPosition = ball + glm::vec3(0.0f, 0.0f, speed * deltaTime);
        currentBallPosition = ball;
        renderMotionBlur(projectionMatrix, viewMatrix);
        glfwSwapBuffers(testWindow());
        return readWindow();
    };
    const Screenshot still = blurredFrame(0.0f);
    const Screenshot rolling = blurredFrame(2.5f);
    const Screenshot running = blurredFrame(17.5f);
    saveScreenshot(still, "blur-still");
    saveScreenshot(running, "blur-running");
    EXPECT_EQ(still.rgb, rolling.rgb) << "rolling at its own pace stays sharp";
    long changed = 0;
    for (size_t i = 0; i < still.rgb.size(); ++i) {
        changed += still.rgb[i] != running.rgb[i] ? 1 : 0;
    }
    EXPECT_GT(changed, static_cast<long>(still.rgb.size() / 20)) << "running smears the scene";
}
