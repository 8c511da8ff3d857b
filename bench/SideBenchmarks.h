// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace TolvaBench {

// Our own CPU time per frame without GL, which runs before the game's window opens.
void registerCpuBenchmarks();
// The particle update linked once against relinked every update, and the memory of
// 100 restarts, which runs last.
void registerParticleBenchmarks();
void registerMemoryBenchmark();

constexpr int restartCount = 100;

} // namespace TolvaBench
