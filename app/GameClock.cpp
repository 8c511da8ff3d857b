// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/GameClock.h"

#include <GLFW/glfw3.h>

namespace Pellwin {

static ClockReader currentClock = glfwGetTime;

double readGameClock() {
    return currentClock();
}

void setClockReader(ClockReader reader) {
    currentClock = reader != nullptr ? reader : glfwGetTime;
}

} // namespace Pellwin
