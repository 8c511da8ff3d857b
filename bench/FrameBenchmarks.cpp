// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/FrameBenchmarks.h"

#include "bench/BenchGame.h"
#include "bench/BenchSupport.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <string>

namespace TolvaBench {

namespace {

// Each repetition is one frame, so the library's statistics over repetitions are the
// frames' median and percentiles. A floor frame follows each played one, under the same
// load, and goes into the counter floor_ms.
void playingFrames(benchmark::State& state, WindowSize size) {
    useWindowSize(size.width, size.height);
    double floorMs = 0.0;
    for (auto _ : state) {
        const double frameMs = playRoundFrame();
        if (frameMs < 0.0) {
            state.SkipWithError("no round got going");
            break;
        }
        state.SetIterationTime(frameMs / 1000.0);
        floorMs = floorFrame();
    }
    state.counters["floor_ms"] = floorMs;
}

enum class Part { update, scene, ghost, blur, swap };

void framePart(benchmark::State& state, Part part) {
    useWindowSize(measuredSizes[0].width, measuredSizes[0].height);
    double finishMs = 0.0;
    for (auto _ : state) {
        const FrameParts parts = playSplitFrame();
        const double ms = part == Part::update  ? parts.update
                          : part == Part::scene ? parts.scene
                          : part == Part::ghost ? parts.ghost
                          : part == Part::blur  ? parts.blur
                                                : parts.swap;
        state.SetIterationTime(ms / 1000.0);
        finishMs = parts.finish;
    }
    // The floor of every part: an empty step finished on the GPU, in the last frame.
    state.counters["finish_ms"] = finishMs;
}

// The scene pass with every draw finished on its own: manual time is the pass, and each
// draw's mean over the repetition's frames is a counter of its own.
void sceneDraws(benchmark::State& state) {
    useWindowSize(measuredSizes[0].width, measuredSizes[0].height);
    std::vector<double> costs(drawNames.size(), 0.0);
    int frames = 0;
    for (auto _ : state) {
        const FrameParts parts = playSplitFrame(&costs);
        state.SetIterationTime(parts.scene / 1000.0);
        ++frames;
    }
    for (size_t i = 0; i < drawNames.size(); ++i) {
        state.counters[drawNames[i]] = costs[i] / std::max(frames, 1);
    }
}

benchmark::internal::Benchmark* perFrame(benchmark::internal::Benchmark* bench, int frames) {
    return bench->Iterations(1)
        ->Repetitions(frames)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->ComputeStatistics("p95", percentile95)
        ->ComputeStatistics("p99", percentile99)
        ->ReportAggregatesOnly(true);
}

} // namespace

void registerFrameBenchmarks(int frames) {
    // The game's own size gets all the frames; the larger windows, only reported, half.
    for (const WindowSize size : measuredSizes) {
        const std::string name =
            "frame/playing/" + std::to_string(size.width) + "x" + std::to_string(size.height);
        const bool ownSize = size.width == measuredSizes[0].width;
        perFrame(benchmark::RegisterBenchmark(name.c_str(), playingFrames, size),
                 ownSize ? frames : std::max(30, frames / 2));
    }
    const int partFrames = std::max(30, frames / 4);
    const std::pair<const char*, Part> parts[] = {{"frame/part/update", Part::update},
                                                  {"frame/part/scene", Part::scene},
                                                  {"frame/part/ghost", Part::ghost},
                                                  {"frame/part/blur", Part::blur},
                                                  {"frame/part/swap", Part::swap}};
    for (const auto& [name, part] : parts) {
        perFrame(benchmark::RegisterBenchmark(name, framePart, part), partFrames);
    }
    benchmark::RegisterBenchmark("frame/scene-draws", sceneDraws)
        ->Iterations(std::max(20, frames / 10))
        ->Repetitions(1)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
}

} // namespace TolvaBench
