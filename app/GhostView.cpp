// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/GhostView.h"

#include "app/KeptRuns.h"
#include "app/KeyInput.h"
#include "app/PlayerSettings.h"
#include "app/Replay.h"
#include "app/ScreenStates.h"
#include "render/GhostBall.h"

#include <GLFW/glfw3.h>

namespace Pellwin {

namespace {

bool ghostKeyDown = false;

} // namespace

void takeGhostKey(GLFWwindow* window) {
    if (keyPressedAnew(window, GLFW_KEY_G, ghostKeyDown)) {
        Settings changed = playerSettings();
        changed.ghostShown = !changed.ghostShown;
        changePlayerSettings(changed);
    }
}

void placeGhost() {
    const RecordedRun* run = ghostRun();
    if (run == nullptr || !playerSettings().ghostShown || replaying()) {
        hideGhostBall();
        return;
    }
    // The run's clock, like the game's, starts at the end of its first frame.
    placeGhostBall(
        runBallAt(*run, static_cast<double>(run->frames[0].seconds) + roundSecondsUsed()));
}

} // namespace Pellwin
