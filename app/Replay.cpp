// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Replay.h"

#include "app/GameClock.h"
#include "app/GameLoop.h"
#include "app/GameRecording.h"
#include "app/KeptRuns.h"
#include "app/KeyInput.h"
#include "app/Level.h"
#include "app/RunRecording.h"
#include "app/Screen.h"
#include "app/ScreenStates.h"

#include <GLFW/glfw3.h>

namespace Pellwin {

namespace {

const RecordedRun* replayed = nullptr;
std::size_t nextFrame = 0;
RunKeys frameKeys = 0;
double startedAt = 0.0;
double secondsReplayed = 0.0;
bool replayKeyDown = true;
bool freshF1 = false;

bool replayKeys(GLFWwindow*, int key, bool held) {
    if (key == GLFW_KEY_V || key == GLFW_KEY_ESCAPE) {
        return held;
    }
    // The won picture it ends on offers F1 for a game of the player's own: pressed there, not
    // held from before.
    if (key == GLFW_KEY_F1) {
        freshF1 = goalReached && (freshF1 || !held);
        return freshF1 && held;
    }
    return runKeysHold(frameKeys, key);
}

void takeFrame(float seconds, RunKeys keys) {
    deltaTime = seconds;
    frameKeys = keys;
    secondsReplayed += static_cast<double>(seconds);
    ++nextFrame;
}

void endReplay() {
    leaveReplay();
    forgetThisWin();
    goalReached = false;
    playing = false;
    restartLevel();
}

} // namespace

void startReplay(const RecordedRun& run) {
    replayed = &run;
    nextFrame = 0;
    secondsReplayed = 0.0;
    startedAt = readGameClock();
    // The V that started it is held still.
    replayKeyDown = true;
    freshF1 = false;
    setKeyFilter(replayKeys);
    // Before the round starts, so the replay's own recording starts from the same state.
    restoreRunStart(run.start);
    startRound();
    playing = true;
    takeFrame(run.frames[0].seconds, run.frames[0].keys);
}

void leaveReplay() {
    replayed = nullptr;
    setKeyFilter(nullptr);
}

bool replaying() {
    return replayed != nullptr;
}

void takeReplayFrame() {
    if (replayed == nullptr) {
        return;
    }
    if (currentScreen() == Screen::title) {
        // F1 left its won picture.
        leaveReplay();
        return;
    }
    if (currentScreen() != Screen::playing) {
        return;
    }
    if (nextFrame < replayed->frames.size()) {
        const RunFrame& frame = replayed->frames[nextFrame];
        takeFrame(frame.seconds, frame.keys);
    } else if (nextFrame == replayed->frames.size()) {
        takeFrame(replayed->goalFrameSeconds, 0);
    } else {
        endReplay();
    }
}

void takeReplayKey(GLFWwindow* window) {
    if (!keyPressedAnew(window, GLFW_KEY_V, replayKeyDown)) {
        return;
    }
    if (replayed != nullptr) {
        endReplay();
    } else if (currentScreen() == Screen::title && ghostRun() != nullptr) {
        startReplay(*ghostRun());
    }
}

double replayDeadline() {
    return replayed != nullptr && currentScreen() == Screen::playing ? startedAt + secondsReplayed
                                                                     : -1.0;
}

} // namespace Pellwin
