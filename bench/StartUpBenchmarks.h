// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace TolvaBench {

// Start-up from process start to the first title frame, its floor (a bare window process,
// the PNG decodes and the shader compiles, each once), and its parts in the open game.
void registerStartUpBenchmarks();

// The child process the start-up is timed in: the game's own start-up, then "@ready".
int runStartUpChild();

} // namespace TolvaBench
