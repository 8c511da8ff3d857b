// SPDX-License-Identifier: GPL-3.0-or-later
#include "runmaker/BareGame.h"

#include "app/GameLoop.h"
#include "app/GameRecording.h"
#include "app/Replay.h"
#include "app/ScreenStates.h"
#include "app/WinRecord.h"
#include "scene/LoadModel.h"
#include "scene/SceneCatalogue.h"
#include "sim/GameUpdate.h"

namespace TolvaTest {

using namespace Pellwin;

namespace {

// One frame from its time-out test to its counted update; true when the game ended.
bool playBareFrame(BareGame& game) {
    if (roundTimeUsedUp()) {
        roundLost = true;
        return true;
    }
    testGoal();
    if (goalReached) {
        game.won = true;
        game.hundredths = static_cast<int>(std::lround(roundSecondsUsed() * 100.0));
        return true;
    }
    const RunKeys keys = readRunKeys(nullptr);
    updateGame();
    recordPlayedFrame(keys);
    countPlayedFrame();
    game.balls.push_back(translationOf(player->modelMatrix));
    return roundLost || hazardHit;
}

} // namespace

BareGame playBareGame(const std::vector<ScriptStep>& script, float (*frameSeconds)(int),
                      int frameLimit) {
    forgetRunBest();
    BareGame game;
    goalReached = false;
    startRound();
    playing = true;
    for (int frame = 0; frame < frameLimit; ++frame) {
        deltaTime = frameSeconds(frame);
        applyScript(script, roundSecondsPlayed());
        if (playBareFrame(game)) {
            break;
        }
    }
    takeWonRun(game.hundredths, deltaTime, game.run);
    releaseAllKeys();
    return game;
}

BareGame replayBareRun(const RecordedRun& run) {
    BareGame game;
    goalReached = false;
    startReplay(run);
    while (!playBareFrame(game) && game.balls.size() <= run.frames.size()) {
        takeReplayFrame();
    }
    leaveReplay();
    return game;
}

} // namespace TolvaTest
