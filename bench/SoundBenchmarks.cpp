// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/SoundBenchmarks.h"

#include "audio/AudioDevice.h"
#include "audio/GameSounds.h"
#include "bench/BenchGame.h"
#include "bench/BenchSupport.h"

#include <benchmark/benchmark.h>

namespace TolvaBench {

using namespace Pellwin;

namespace {

// The first opening in a process also starts the audio library, as the game's start-up
// does; it is kept apart, as a counter on every repetition.
void soundOpening(benchmark::State& state) {
    static double firstMs = -1.0;
    for (auto _ : state) {
        const double start = steadyMs();
        openGameSounds();
        const double ms = steadyMs() - start;
        state.SetIterationTime(ms / 1000.0);
        firstMs = firstMs < 0.0 ? ms : firstMs;
        state.counters["first_ms"] = firstMs;
        state.counters["device"] = audioDeviceOpen() ? 1.0 : 0.0;
        closeGameSounds();
    }
}

// The frame's own call already heard what the game did; a second one in the same frame
// places the listener and every voice again, which is the work of every frame.
void soundUpdate(benchmark::State& state) {
    gameWindow();
    for (auto _ : state) {
        if (playRoundFrame() < 0.0) {
            state.SkipWithError("no round got going");
            break;
        }
        const double start = steadyMs();
        updateGameSounds();
        state.SetIterationTime((steadyMs() - start) / 1000.0);
    }
    state.counters["device"] = audioDeviceOpen() ? 1.0 : 0.0;
}

} // namespace

void registerSoundOpening() {
    benchmark::RegisterBenchmark("sound/opening", soundOpening)
        ->Iterations(1)
        ->Repetitions(5)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->ReportAggregatesOnly(true);
}

void registerSoundUpdate() {
    benchmark::RegisterBenchmark("sound/update-per-frame", soundUpdate)
        ->Iterations(120)
        ->UseManualTime()
        ->Unit(benchmark::kMicrosecond);
}

} // namespace TolvaBench
