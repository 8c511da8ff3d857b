// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/StillPictureBenchmark.h"

#include "app/GameLoop.h"
#include "app/KeyInput.h"
#include "app/StartUp.h"
#include "bench/BenchSupport.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <ctime>
#include <string>

namespace TolvaBench {

namespace {

double escapeAtMs = 0.0;

// The player presses nothing until the time is up, then Escape.
bool escapeAtTheEnd(GLFWwindow* /*window*/, int key) {
    return key == GLFW_KEY_ESCAPE && steadyMs() >= escapeAtMs;
}

double processCpuSeconds() {
    timespec used{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &used);
    return static_cast<double>(used.tv_sec) + static_cast<double>(used.tv_nsec) * 1e-9;
}

void stillPicture(benchmark::State& state, double seconds) {
    // Runs before the bench opens the game, so the child has the machine to itself.
    for (auto _ : state) {
        std::string output;
        double cpu = -1.0, wall = -1.0;
        const size_t at = runProgram({besideSelf("tolva-bench"), "--still-picture-child",
                                      std::to_string(seconds)},
                                     output)
                              ? output.rfind("@still ")
                              : std::string::npos;
        if (at == std::string::npos ||
            std::sscanf(output.c_str() + at, "@still %lf %lf", &cpu, &wall) != 2 || wall <= 0.0) {
            state.SkipWithError("the child process failed");
            break;
        }
        state.SetIterationTime(wall);
        state.counters["cpu_percent"] = 100.0 * cpu / wall;
    }
}

} // namespace

void registerStillPictureBenchmark(double seconds) {
    benchmark::RegisterBenchmark("still-picture/title", stillPicture, seconds)
        ->Iterations(1)
        ->UseManualTime()
        ->Unit(benchmark::kSecond);
}

int runStillPictureChild(double seconds) {
    static char program[] = "tolva";
    static char width[] = "1024";
    static char height[] = "768";
    char* argv[] = {program, width, height, nullptr};
    GLFWwindow* window = Pellwin::openGameWindow(3, argv);
    Pellwin::setUpGame(window);
    // The title's first frame compiles its program, which is start-up, not the picture.
    Pellwin::runFrame(window);
    glFinish();
    Pellwin::setKeyReader(escapeAtTheEnd);
    const double cpuBefore = processCpuSeconds();
    const double wallBefore = steadyMs();
    escapeAtMs = wallBefore + seconds * 1000.0;
    Pellwin::runFrameLoop(window);
    std::printf("@still %.6f %.6f\n", processCpuSeconds() - cpuBefore,
                (steadyMs() - wallBefore) / 1000.0);
    std::fflush(stdout);
    Pellwin::shutDownGame();
    return 0;
}

} // namespace TolvaBench
