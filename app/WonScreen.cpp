// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/GameLoop.h"
#include "app/GameRecording.h"
#include "app/KeptRuns.h"
#include "app/KeyInput.h"
#include "app/Level.h"
#include "app/Replay.h"
#include "app/Scoreboard.h"
#include "app/ScreenStates.h"
#include "app/WinRecord.h"
#include "scene/LoadModel.h"
#include "scene/SceneCatalogue.h"

#include <GLFW/glfw3.h>
#include <cmath>
#include <optional>

namespace Pellwin {

namespace {

// This game's time and the best, from the goal until the player leaves the won picture.
std::optional<WinTimes> thisWin;

// A replay shows its run's time against the best, and records nothing.
WinTimes replayedWin(double seconds) {
    const int hundredths = static_cast<int>(std::lround(seconds * 100.0));
    const int best = bestTimeSoFar();
    return {hundredths, best >= 0 && best < hundredths ? best : hundredths, false};
}

} // namespace

void testGoal() {
    glm::vec3 ball;
    player->getPosition(ball);
    if (ball.z > goalZ) {
        return;
    }
    goalReached = true;
    if (replaying()) {
        thisWin = replayedWin(roundSecondsUsed());
        return;
    }
    thisWin = recordWin(roundSecondsUsed());
    RecordedRun run;
    if (thisWin->newRecord && takeWonRun(thisWin->hundredths, deltaTime, run)) {
        keepRecordRun(run);
    }
}

void forgetThisWin() {
    thisWin.reset();
}

void showWon(GLFWwindow* window) {
    playing = false;
    drawScreenQuad(youWonScreen, 20.0f);
    if (thisWin) {
        drawWinTimes(*thisWin);
        const int shipped = shippedRunHundredths();
        drawWonMedal(medalFor(thisWin->hundredths, gameMedalTimes()),
                     shipped > 0 && thisWin->hundredths < shipped);
    }
    if (replaying()) {
        drawReplayNotice();
    }
    if (isKeyPressed(window, GLFW_KEY_F1)) {
        thisWin.reset();
        startRound();
        goalReached = false;
        restartLevel();
    }
}

} // namespace Pellwin
