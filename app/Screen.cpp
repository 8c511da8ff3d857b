// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Screen.h"

#include "app/GameLoop.h"
#include "app/PauseScreen.h"

namespace Pellwin {

Screen currentScreen() {
    if (goalReached) {
        return Screen::won;
    }
    if (roundLost || hazardHit) {
        return Screen::lost;
    }
    if (!playing) {
        return Screen::title;
    }
    return gamePaused ? Screen::paused : Screen::playing;
}

} // namespace Pellwin
