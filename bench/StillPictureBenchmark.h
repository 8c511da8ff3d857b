// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace TolvaBench {

// What a still picture costs: the game's CPU time (every thread) per second of wall time
// while its title shows, in a process of its own running the game's frame loop.
void registerStillPictureBenchmark(double seconds);

// The child process: the game on its title for `seconds`, then "@still <cpu s> <wall s>".
int runStillPictureChild(double seconds);

constexpr double stillPictureGoalPercent = 5.0;

} // namespace TolvaBench
