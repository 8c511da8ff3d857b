// SPDX-License-Identifier: GPL-3.0-or-later
// Around the play: a game paused by P, by the focus going elsewhere or by minimising; full
// screen, a tiny window; the loop's wait on a still picture, what ends it and the frame after
// it; the volume keys; a sound device pulled out and plugged in again (on OpenAL's null one).
#include "app/GameLoop.h"
#include "app/IdleWait.h"
#include "app/KeyInput.h"
#include "app/PlayerSettings.h"
#include "app/Screen.h"
#include "app/ScreenStates.h"
#include "app/VolumeControl.h"
#include "app/WindowEvents.h"
#include "app/WindowSettings.h"
#include "audio/AudioDevice.h"
#include "audio/GameSounds.h"
#include "scene/LoadModel.h"
#include "scene/SceneCatalogue.h"
#include "support/GlTestWindow.h"
#include "support/KeyScript.h"
#include "support/X11Screenshot.h"

#include <AL/al.h>
#include <GLFW/glfw3.h>
#include <algorithm>
#include <atomic>
#include <functional>
#include <gtest/gtest.h>
#include <iostream>

using namespace Pellwin;
using namespace TolvaTest;

namespace {

double keyAt = 0.0, padAt = 0.0; // when F1 and the pad's Start go down
std::atomic<int> attempts{0};

bool f1Later(GLFWwindow* /*window*/, int key) {
    return key == GLFW_KEY_F1 && scriptedClock() >= keyAt;
}

bool startLater(GLFWgamepadstate& pad) {
    pad.buttons[GLFW_GAMEPAD_BUTTON_START] = scriptedClock() >= padAt ? GLFW_PRESS : 0;
    return true;
}

// GLFW's own wait, its time counted on the scripted clock.
void waitOnScriptedClock(double seconds) {
    glfwWaitEventsTimeout(seconds);
    rewindClock(scriptedClock() + seconds);
}

// White ink in the band where the volume level shows.
long inkAtVolumeLevel() {
    const Screenshot shot = readWindow();
    const auto band = shot.rgb.begin() + 3L * shot.width * (shot.height * 15 / 100);
    return std::count_if(band, band + 3L * shot.width * (shot.height / 10),
                         [](uint8_t channel) { return channel > 240; });
}

// Two frames with the keys down, then one with them up: a key acts once however long held.
void tap(const std::vector<int>& keys) {
    std::for_each(keys.begin(), keys.end(), holdKey);
    stepFrames(2);
    std::for_each(keys.begin(), keys.end(), releaseKey);
    stepFrame();
}

// Every corner of the window shows the scene: none is left dark.
bool cornersDrawn(const Screenshot& s) {
    int bright = 0;
    for (const size_t at :
         {0ul, 3ul * (s.width - 1), s.rgb.size() - 3ul * s.width, s.rgb.size() - 3}) {
        bright += s.rgb[at] + s.rgb[at + 1] + s.rgb[at + 2] > 75;
    }
    return bright == 4;
}

// A game in play, the ball held at the start with S.
class PauseAndWindow : public ::testing::Test {
protected:
    void SetUp() override {
        startGame();
        holdKey(GLFW_KEY_S);
        stepFrames(10);
    }
    void TearDown() override { returnToTitle(); }
};

} // namespace

TEST_F(PauseAndWindow, TimePausedCountsForNothingAndTheLastPictureStays) {
    const Screenshot played = readWindow();
    const double seconds = roundSecondsPlayed();
    const glm::mat4 ball = player->modelMatrix, knife = fallingKnife1->modelMatrix;
    EXPECT_GE(voicesPlaying(), 3) << "the rolling, flying knife and steam loops";
    ConsoleCapture console;
    holdKeys({GLFW_KEY_P, GLFW_KEY_W, GLFW_KEY_F1, GLFW_KEY_F7});
    stepFrame();
    stepFrame(60.0);
    tap({GLFW_KEY_F8});
    EXPECT_EQ(currentScreen(), Screen::paused) << "P held switches once; no time-out, no F1";
    EXPECT_EQ(voicesPlaying(), 0) << "the loops wait with the game";
    EXPECT_EQ(console.text(), "ViewFrustumCulling: ON\n") << "no scene pass, so no count";
    EXPECT_EQ(roundSecondsPlayed(), seconds);
    EXPECT_TRUE(player->modelMatrix == ball && fallingKnife1->modelMatrix == knife);
    const Screenshot paused = readWindow();
    saveScreenshot(paused, "paused");
    int same = 0, white = 0;
    for (size_t i = 0; i < paused.rgb.size(); i += 3) {
        same += std::equal(&paused.rgb[i], &paused.rgb[i + 3], &played.rgb[i]);
        white += paused.rgb[i] > 240 && paused.rgb[i + 1] > 240 && paused.rgb[i + 2] > 240;
    }
    EXPECT_GT(same, paused.width * paused.height * 8 / 10) << "the played picture stays";
    EXPECT_GT(white, 2000) << "with \"Pause\" over it";
    releaseAllKeys();
    stepFrame();
    tap({GLFW_KEY_P});
    EXPECT_NEAR(roundSecondsPlayed(), seconds + 3.0 / 60.0, 1e-4) << "three frames played on";
    EXPECT_GE(voicesPlaying(), 3);
    EXPECT_EQ(drainGlErrors(), 0);
}

TEST_F(PauseAndWindow, FocusElsewhereMinimisedTinyOrFullScreenTheGameDrawsAndThenFillsTheWindow) {
    GLFWwindow* const window = testWindow();
    const GLFWvidmode* mode = glfwGetVideoMode(glfwGetPrimaryMonitor());
    const glm::ivec2 full(mode->width, mode->height), windowed(1024, 768);
    glfwSetWindowPos(window, 40, 30);
    // Xvfb has no window manager to minimise the window, so what one would deliver is
    // delivered here: minimised, and an empty framebuffer.
    const auto minimise = [window](bool down) {
        down ? glfwIconifyWindow(window) : glfwRestoreWindow(window);
        onWindowIconify(window, down);
        onWindowSize(window, down ? 0 : 1024, down ? 0 : 768);
    };
    const auto tiny = [](bool on) { resizeTestWindow(on ? 1 : 1024, on ? 1 : 768); };
    const auto altEnter = [](bool left) {
        tap({left ? GLFW_KEY_LEFT_ALT : GLFW_KEY_RIGHT_ALT, GLFW_KEY_ENTER});
    };
    const std::tuple<std::function<void(bool)>, Screen, glm::ivec2> ways[] = {
        {[window](bool away) { focusX11Window(window, !away); }, Screen::paused, windowed},
        {minimise, Screen::paused, windowed},
        {tiny, Screen::playing, {1, 1}},
        {[](bool) { tap({GLFW_KEY_F11}); }, Screen::playing, full},
        {altEnter, Screen::playing, full}};
    for (const auto& [away, screen, size] : ways) {
        away(true);
        stepFrame();
        EXPECT_EQ(currentScreen(), screen);
        const Screenshot shot = readWindow();
        EXPECT_EQ(glm::ivec2(shot.width, shot.height), size);
        EXPECT_TRUE(size.x == 1 || cornersDrawn(shot));
        if (screen == Screen::playing) {
            tap({GLFW_KEY_P}); // the pause drawn at that size too
        }
        away(false);
        stepFrame();
        EXPECT_EQ(currentScreen(), Screen::paused) << "the window's return resumes nothing";
        tap({GLFW_KEY_P});
        EXPECT_TRUE(cornersDrawn(readWindow()));
        EXPECT_EQ(glm::ivec2(windowWidth, windowHeight), windowed);
        int x = 0, y = 0;
        glfwGetWindowPos(window, &x, &y);
        EXPECT_EQ(glm::ivec2(x, y), glm::ivec2(40, 30)) << "back where it was";
        EXPECT_EQ(drainGlErrors(), 0);
    }
    glfwSetWindowPos(window, 0, 0);
}

TEST(StillPicture, AKeyAPadButtonOrAResizeEndsTheWaitAtOnceAndF1PlaysAFrameLongStep) {
    startGame();
    hazardHit = true;
    stepFrame();
    EXPECT_FALSE(pictureStaysStill(testWindow())) << "the lost picture just appeared";
    setEventWaiter(waitOnScriptedClock);
    for (const int trigger : {0, 1, 2}) { // key, pad, resize
        SCOPED_TRACE(trigger);
        returnToTitle();
        stepFrame();
        pictureStaysStill(testWindow()); // the title just appeared
        stepFrame();
        ASSERT_TRUE(pictureStaysStill(testWindow()));
        // F1 at five seconds ends a wait that the pad or the resize does not.
        keyAt = scriptedClock() + (trigger == 0 ? 0.2 : 5.0);
        padAt = scriptedClock() + (trigger == 1 ? 0.2 : 1e9);
        setKeyReader(f1Later);
        setPadStateReader(startLater);
        if (trigger == 2) {
            glfwSetWindowSize(testWindow(), 800, 600);
        }
        waitForChange(testWindow());
        const double late = scriptedClock() - std::min(keyAt, padAt);
        EXPECT_TRUE(trigger == 2 ? windowWidth == 800 : late >= 0.0 && late <= 0.1) << late;
        stepFrame(0.0);
        EXPECT_EQ(playing, trigger != 2);
        EXPECT_EQ(pictureStaysStill(testWindow()), !playing);
        EXPECT_NEAR(deltaTime, 1.0 / 60.0, 1e-4) << "not the seconds waited";
        EXPECT_NEAR(translationOf(player->modelMatrix).z, -9.0f, 0.1f);
    }
    setEventWaiter(nullptr);
    setPadStateReader(nullptr);
    resizeTestWindow(1024, 768);
    returnToTitle();
}

TEST(SoundControl, VolumeStepsStopAtTheEndsMuteKeepsTheLevelAndTheLevelShowsForASecond) {
    returnToTitle();
    ConsoleCapture console;
    stepFrame();
    const long titleInk = inkAtVolumeLevel();
    // Key, presses, then the volume and mute.
    const std::tuple<int, int, int, bool> presses[] = {{GLFW_KEY_MINUS, 1, 90, false},
                                                       {GLFW_KEY_KP_SUBTRACT, 1, 80, false},
                                                       {GLFW_KEY_M, 1, 80, true},
                                                       {GLFW_KEY_EQUAL, 1, 90, false},
                                                       {GLFW_KEY_KP_ADD, 3, 100, false},
                                                       {GLFW_KEY_M, 2, 100, false},
                                                       {GLFW_KEY_KP_SUBTRACT, 12, 0, false},
                                                       {GLFW_KEY_EQUAL, 7, 70, false}};
    for (const auto& [key, count, volume, muted] : presses) {
        for (int i = 0; i < count; ++i) {
            tap({key});
        }
        float gain = -1.0f;
        alGetListenerf(AL_GAIN, &gain);
        EXPECT_TRUE(playerSettings().volume == volume && playerSettings().muted == muted) << key;
        EXPECT_FLOAT_EQ(gain, muted ? 0.0f : volume * volume / 10000.0f);
    }
    stepFrame(0.9);
    EXPECT_GT(inkAtVolumeLevel(), titleInk + 1000) << "\"Lautst\xE4rke 70 %\" shows";
    stepFrame(0.1);
    EXPECT_EQ(inkAtVolumeLevel(), titleInk) << "and is gone a second after the press";
    EXPECT_EQ(console.text(), "");
    changePlayerSettings(Settings());
    applyVolumeSettings();
}

TEST(SoundControl, ALostDeviceIsReportedOnceLookedForEveryTwoSecondsAndItsReturnHeard) {
    startGame();
    holdKey(GLFW_KEY_S);
    stepFrames(5);
    ASSERT_GE(voicesPlaying(), 3) << "no device: run with ALSOFT_DRIVERS=null";
    std::ostringstream err;
    std::streambuf* const realErr = std::cerr.rdbuf(err.rdbuf());
    setAudioDeviceSeam(nullptr, [](ALCdevice*) { return false; });
    stepFrame();
    setAudioDeviceSeam([] { return ++attempts, static_cast<ALCdevice*>(nullptr); }, nullptr);
    stepFrames(20, 0.25);
    EXPECT_FALSE(audioDeviceOpen() || voicesPlaying() > 0);
    EXPECT_TRUE(attempts >= 1 && attempts <= 3) << attempts << " in five seconds";
    setAudioDeviceSeam(nullptr, nullptr);
    for (int frame = 0; frame < 3000 && !audioDeviceOpen(); ++frame) {
        stepFrame(0.25);
    }
    stepFrame();
    std::cerr.rdbuf(realErr);
    EXPECT_EQ(err.str(), "Sound: the audio device is gone; the game plays silently until one is "
                         "back.\nSound: an audio device is open; the game plays with sound.\n");
    EXPECT_GE(voicesPlaying(), 3) << "the loops are back";
    returnToTitle();
}
