// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace Pellwin {

// The frame loop reads the time through here, so tests can run frames at exact times.
using ClockReader = double (*)();

double readGameClock();

// Replaces the clock; nullptr gives the real one (glfwGetTime) back.
void setClockReader(ClockReader reader);

} // namespace Pellwin
