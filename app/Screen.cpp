// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Screen.h"

#include "app/GameLoop.h"

namespace Pellwin {

Screen currentScreen() {
    if (goalReached) {
        return Screen::won;
    }
    if (roundLost || hazardHit) {
        return Screen::lost;
    }
    return playing ? Screen::playing : Screen::title;
}

} // namespace Pellwin
