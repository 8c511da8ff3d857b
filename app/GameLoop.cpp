// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/GameLoop.h"

#include "app/FullScreen.h"
#include "app/GameClock.h"
#include "app/GameRecording.h"
#include "app/GhostView.h"
#include "app/Hotkeys.h"
#include "app/KeyInput.h"
#include "app/Level.h"
#include "app/LevelFingerprint.h"
#include "app/PauseScreen.h"
#include "app/Replay.h"
#include "app/Screen.h"
#include "app/ScreenStates.h"
#include "app/VolumeControl.h"
#include "app/WindowSettings.h"
#include "audio/GameSounds.h"
#include "render/FrameRenderer.h"
#include "render/FrustumCulling.h"
#include "render/GhostBall.h"
#include "render/Overlay.h"
#include "render/ParticleSystem.h"
#include "render/RenderTarget.h"
#include "render/ShaderProgram.h"
#include "scene/LoadModel.h"
#include "scene/SceneCatalogue.h"
#include "sim/Camera.h"
#include "sim/Controller.h"
#include "sim/GameUpdate.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <chrono>
#include <iostream>
#include <thread>

namespace Pellwin {

float deltaTime = 0.0f;
bool playing = false;
bool goalReached = false;
bool roundLost = false;
bool hazardHit = false;

namespace {

float previousFrameTime = 0.0f;
float roundStart = 0.0f;
// The round's clock: the seconds of the frames that moved the game. The round starts at
// F1, at the end of the first frame's seconds, so that frame adds nothing; a frame that
// shows a still picture adds nothing either. A replay of the same frames keeps the time.
double playedSeconds = 0.0;
bool firstFrameOfRound = false;
double nextFrameDeadline = 0.0;
float clockReading = roundSeconds;

template <typename T> void deleteAndClear(T*& object) {
    delete object;
    object = nullptr;
}

} // namespace

float roundStartTime() {
    return roundStart;
}

void restartFrameClock() {
    roundStart = static_cast<float>(readGameClock());
    previousFrameTime = static_cast<float>(readGameClock());
}

void takeFrameClockAfterWait() {
    previousFrameTime = static_cast<float>(readGameClock() - framePeriod);
}

void startRound() {
    gamePaused = false;
    roundStart = static_cast<float>(readGameClock());
    playedSeconds = 0.0;
    firstFrameOfRound = true;
    beginGameRecording();
}

double roundSecondsUsed() {
    return playedSeconds + (firstFrameOfRound ? 0.0 : static_cast<double>(deltaTime));
}

double roundSecondsPlayed() {
    return playedSeconds;
}

void countPlayedFrame() {
    if (!firstFrameOfRound) {
        playedSeconds += static_cast<double>(deltaTime);
    }
    firstFrameOfRound = false;
}

bool roundTimeUsedUp() {
    return roundSecondsUsed() >= roundSeconds;
}

// The clock reads the round clock that ends the game, so it shows 0 when time is up.
float takeClockReading() {
    clockReading = roundSeconds - roundSecondsUsed();
    return clockReading;
}

float lastClockReading() {
    return clockReading;
}

void drawScreenQuad(LoadModel* picture, float farPlane) {
    // The picture fills the window whatever its size, also after the scene pass set its own.
    const glm::ivec2 size = framebufferSize();
    glViewport(0, 0, size.x, size.y);

    camera->view = glm::lookAt(glm::vec3(0.0f, 0.0f, 5.0f), glm::vec3(0.0f, 0.0f, 0.0f),
                               glm::vec3(0.0f, 1.0f, 0.0f));
    projectionMatrix = perspectiveDegrees(60.0f, windowAspectRatio(), 0.1f, farPlane);
    viewMatrix = camera->view;
    picture->drawOpaque(projectionMatrix, viewMatrix);
}

void setUpGame(GLFWwindow* window) {
    deltaTime = 0.0f;
    restartFrameClock();
    playing = false;
    goalReached = false;
    roundLost = false;
    hazardHit = false;
    resetRenderSettings();
    buildScene(window);
    resetLevel();
    takeLevelFingerprint();
    // After the scene, so that no scene texture's name moves.
    createOverlay();
    createGhostBall();
    openGameSounds();
    applyVolumeSettings();
}

bool runFrame(GLFWwindow* window) {
    if (glfwWindowShouldClose(window)) {
        return false;
    }
    const double t = readGameClock();
    deltaTime = static_cast<float>(t - static_cast<double>(previousFrameTime));
    previousFrameTime = static_cast<float>(t);
    takeReplayFrame();
    const double now = readGameClock();

    // Only a game in play runs out of time; the title and the end pictures wait.
    if (currentScreen() == Screen::playing && roundTimeUsedUp()) {
        roundLost = true;
        takeClockReading();
    }
    handleHotkeys(window, now);
    takeFullScreenKeys(window);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    // The player's keys are read inside updateGame, in step with the ball's motion.
    glfwPollEvents();
    readPads();
    takePauseKey(window);
    takeReplayKey(window);
    takeGhostKey(window);

    // F1 on the title plays the game's first frame at once; F1 on an end picture restarts
    // the level, and the next frame shows the title.
    if (currentScreen() == Screen::title) {
        showTitle(window);
    }
    if (currentScreen() == Screen::playing) {
        testGoal();
    }
    if (currentScreen() == Screen::playing && !roundTimeUsedUp()) {
        playFrame(window);
    }
    if (currentScreen() == Screen::paused) {
        showPause();
    }
    if (currentScreen() == Screen::won) {
        showWon(window);
    }
    if (currentScreen() == Screen::lost) {
        showLost(window);
    }

    takeVolumeKeys(window, now);
    drawVolumeLevel(now);
    updateGameSounds();
    glfwSwapBuffers(window);
    returnFreedTargetMemory();
    if (glGetError() != GL_NO_ERROR) {
        std::cout << "ERROR: GL Error detected" << std::endl;
    }
    return !isKeyPressed(window, GLFW_KEY_ESCAPE);
}

void paceFrame() {
    const double now = glfwGetTime();
    const double replayDue = replayDeadline();
    if (replayDue >= 0.0) {
        // A replay keeps to its run's own frames, however long they were.
        if (now < replayDue) {
            std::this_thread::sleep_for(std::chrono::duration<double>(replayDue - now));
        }
        nextFrameDeadline = 0.0;
        return;
    }
    if (nextFrameDeadline <= 0.0 || now - nextFrameDeadline > framePeriod) {
        // First frame, or we fell behind: start counting afresh instead of racing to catch up.
        nextFrameDeadline = now + framePeriod;
        return;
    }
    if (now < nextFrameDeadline) {
        std::this_thread::sleep_for(std::chrono::duration<double>(nextFrameDeadline - now));
    }
    nextFrameDeadline += framePeriod;
}

void shutDownGame() {
    destroyOverlay();
    destroyGhostBall();
    closeGameSounds();
    for (ShaderProgram** program :
         {&vboVaoShader, &texturShader, &normalsShader, &normalsSpotShader,
          &normalsSpotTranspShader, &geometryShader, &particelShader, &blurShader}) {
        destroyShaderProgram(*program);
        *program = nullptr;
    }
    for (LoadModel** object :
         {&player,    &titleScreen,    &gameOverScreen, &youWonScreen, &rightWall,
          &leftWall,  &backWall,       &frontWall,      &floor,        &sun,
          &sky,       &counter,        &earth,          &moon,         &marbleSlab,
          &stoneDisc, &vegetableBoard, &lightmapModel,  &pedestal,     &plank1,
          &plank2,    &plank3}) {
        deleteAndClear(*object);
    }
    for (LoadModel** flare : lensFlares) {
        deleteAndClear(*flare);
    }
    deleteAndClear(flyingKnife);
    for (LoadModel** knife : fallingKnives) {
        deleteAndClear(*knife);
    }
    deleteAndClear(particleSystem);
    deleteAndClear(pot);
    deleteAndClear(viewFrustum);
    deleteAndClear(windowSettings);
    deleteAndClear(camera);
    deleteAndClear(controller);
}

} // namespace Pellwin
