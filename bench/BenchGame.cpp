// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/BenchGame.h"

#include "app/GameLoop.h"
#include "app/Hotkeys.h"
#include "app/KeptRuns.h"
#include "app/KeyInput.h"
#include "app/Level.h"
#include "app/LevelFingerprint.h"
#include "app/Screen.h"
#include "app/StartUp.h"
#include "app/WindowSettings.h"
#include "bench/BenchSupport.h"
#include "render/FrameRenderer.h"
#include "render/FrustumCulling.h"
#include "render/GhostBall.h"
#include "render/ParticleSystem.h"
#include "render/RenderTarget.h"
#include "render/SunVisibility.h"
#include "scene/LoadModel.h"
#include "scene/SceneCatalogue.h"
#include "sim/Camera.h"
#include "sim/Controller.h"
#include "sim/GameUpdate.h"
#include "support/KeyScript.h"
#include "support/WinningRun.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <algorithm>
#include <memory>

namespace TolvaBench {

using namespace Pellwin;
using TolvaTest::applyScript;
using TolvaTest::holdKey;
using TolvaTest::winningRun;

namespace {

GLFWwindow* window = nullptr;
std::unique_ptr<QuietConsole> quiet;
int errorLinesBefore = 0;

bool roundRunning() {
    return currentScreen() == Screen::playing;
}

double roundSecondsSoFar() {
    return glfwGetTime() - static_cast<double>(roundStartTime());
}

// Title, won and lost pictures all wait for F1; the script starts over with it.
void holdStartKeys() {
    applyScript(winningRun, 0.0);
    holdKey(GLFW_KEY_F1);
}

int countErrorLines(const std::string& text) {
    int lines = 0;
    for (size_t at = text.find("ERROR: GL Error detected"); at != std::string::npos;
         at = text.find("ERROR: GL Error detected", at + 1)) {
        ++lines;
    }
    return lines;
}

void timed(double& slot, void (*step)()) {
    const double start = steadyMs();
    step();
    glFinish();
    slot += steadyMs() - start;
}

} // namespace

GLFWwindow* gameWindow() {
    if (window != nullptr) {
        return window;
    }
    quiet = std::make_unique<QuietConsole>();
    static char program[] = "tolva-bench";
    static char width[] = "1024";
    static char height[] = "768";
    char* argv[] = {program, width, height, nullptr};
    window = openGameWindow(3, argv);
    TolvaTest::useScriptedKeys();
    setUpGame(window);
    // The shipped run races along as the ghost, as in the game.
    loadRuns(levelFingerprint());
    return window;
}

bool gameIsOpen() {
    return window != nullptr;
}

void closeGame() {
    if (window == nullptr) {
        return;
    }
    setKeyReader(nullptr);
    shutDownGame();
    window = nullptr;
    errorLinesBefore += countErrorLines(quiet->text());
    quiet.reset();
}

int glErrorLines() {
    return errorLinesBefore + (quiet ? countErrorLines(quiet->text()) : 0);
}

void useWindowSize(int width, int height) {
    GLFWwindow* game = gameWindow();
    int shownWidth = 0;
    int shownHeight = 0;
    glfwGetFramebufferSize(game, &shownWidth, &shownHeight);
    if (shownWidth != width || shownHeight != height) {
        glfwSetWindowSize(game, width, height);
        for (int i = 0; i < 300 && (shownWidth != width || shownHeight != height); ++i) {
            glfwWaitEventsTimeout(0.01);
            glfwGetFramebufferSize(game, &shownWidth, &shownHeight);
        }
    }
    startFreshRound();
}

void startFreshRound() {
    gameWindow();
    restartLevel();
    restartFrameClock();
    playing = false;
    goalReached = false;
}

double playRoundFrame() {
    GLFWwindow* game = gameWindow();
    for (int frame = 0; frame < 1000; ++frame) {
        const bool wasRunning = roundRunning();
        if (wasRunning) {
            applyScript(winningRun, roundSecondsSoFar());
        } else {
            holdStartKeys();
        }
        const double start = steadyMs();
        runFrame(game);
        const double took = steadyMs() - start;
        if (wasRunning && roundRunning()) {
            return took;
        }
    }
    return -1.0;
}

double floorFrame() {
    const glm::vec3 keptPrevious = previousBallPosition;
    const glm::vec3 keptCurrent = currentBallPosition;
    const double start = steadyMs();
    clearSceneTarget();
    renderMotionBlur(projectionMatrix, viewMatrix);
    glfwSwapBuffers(gameWindow());
    const double took = steadyMs() - start;
    previousBallPosition = keptPrevious;
    currentBallPosition = keptCurrent;
    return took;
}

const std::vector<std::string> drawNames = sceneDrawNames();

namespace {

std::vector<double>* drawSlots = nullptr;
double drawStepStart = 0.0;

void timeDrawStep(int step) {
    glFinish();
    const double now = steadyMs();
    (*drawSlots)[static_cast<size_t>(step)] += now - drawStepStart;
    drawStepStart = now;
}

} // namespace

FrameParts playSplitFrame(std::vector<double>* drawCosts) {
    FrameParts parts;
    GLFWwindow* game = gameWindow();
    // The round is started and ended through the real loop; the frame itself is taken
    // apart, in the loop's order.
    while (!roundRunning() || player->modelMatrix[3][2] <= goalZ) {
        playRoundFrame();
    }
    applyScript(winningRun, roundSecondsSoFar());
    static double previousFrame = 0.0;
    const double now = glfwGetTime();
    deltaTime = static_cast<float>(std::min(now - previousFrame, 0.25));
    previousFrame = now;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glfwPollEvents();
    timed(parts.update, updateGame);
    drawSlots = drawCosts;
    timed(parts.scene, [] {
        clearSceneTarget();
        drawStepStart = steadyMs();
        renderScene(drawSlots != nullptr ? timeDrawStep : nullptr);
    });
    // The ghost close beside the ball, where it covers the most of the picture.
    timed(parts.ghost, [] {
        placeGhostBall(translationOf(player->modelMatrix) + glm::vec3(1.2f, 0.0f, -1.0f));
        drawGhostBall();
    });
    timed(parts.finish, [] {});
    timed(parts.blur, [] { renderMotionBlur(projectionMatrix, viewMatrix); });
    const double start = steadyMs();
    glfwSwapBuffers(game);
    glFinish();
    parts.swap = steadyMs() - start;
    return parts;
}

} // namespace TolvaBench
