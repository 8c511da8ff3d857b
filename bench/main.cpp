// SPDX-License-Identifier: GPL-3.0-or-later
// tolva-bench: the game's frame, start-up and memory against their floors, on Google
// Benchmark. Prints the library's report and a table of goals; writes the JSON report
// to bench/results.json unless told otherwise.
//
//   tolva-bench [frames] [--out path] [--benchmark_filter=... and the library's flags]
#include "bench/BenchGame.h"
#include "bench/BenchSupport.h"
#include "bench/FrameBenchmarks.h"
#include "bench/GoalTable.h"
#include "bench/SideBenchmarks.h"
#include "bench/SoundBenchmarks.h"
#include "bench/StartUpBenchmarks.h"
#include "bench/StillPictureBenchmark.h"

#include <GL/glew.h>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using namespace TolvaBench;

namespace {

std::string absolute(const std::string& path) {
    char here[4096];
    return path[0] == '/' || getcwd(here, sizeof(here)) == nullptr ? path
                                                                   : std::string(here) + "/" + path;
}

// The game's data folders are found in the working folder when it has them (a folder
// prepared with other assets), else in the source folder.
bool enterGameFolder() {
    struct stat info {};
    if (stat("Shader", &info) == 0 && S_ISDIR(info.st_mode)) {
        return true;
    }
    return chdir(TOLVA_SOURCE_DIR) == 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "--start-up-child") {
        return runStartUpChild();
    }
    if (argc > 2 && std::string(argv[1]) == "--still-picture-child") {
        return runStillPictureChild(std::atof(argv[2]));
    }
    int frames = 600;
    std::string out = TOLVA_SOURCE_DIR "/bench/results.json";
    std::vector<std::string> args = {argv[0]};
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--out" && i + 1 < argc) {
            out = absolute(argv[++i]);
        } else if (arg.find_first_not_of("0123456789") == std::string::npos) {
            frames = std::max(1, std::atoi(arg.c_str()));
        } else if (arg.rfind("--benchmark_out=", 0) == 0) {
            out = absolute(arg.substr(16));
        } else {
            args.push_back(arg);
        }
    }
    args.push_back("--benchmark_out=" + out);
    args.push_back("--benchmark_out_format=json");
    std::vector<char*> pointers;
    for (std::string& arg : args) {
        pointers.push_back(arg.data());
    }
    int count = static_cast<int>(pointers.size());
    // Without a sound card the sounds would cost nothing here. OpenAL's null device mixes
    // at the same pace into nothing, so their cost is measured all the same.
    if (std::getenv("ALSOFT_DRIVERS") == nullptr && access("/dev/snd", F_OK) != 0) {
        setenv("ALSOFT_DRIVERS", "null", 1);
    }
    benchmark::Initialize(&count, pointers.data());
    if (benchmark::ReportUnrecognizedArguments(count, pointers.data())) {
        return 2;
    }
    if (!enterGameFolder()) {
        std::fprintf(stderr, "tolva-bench: cannot enter %s\n", TOLVA_SOURCE_DIR);
        return 1;
    }
    benchmark::AddCustomContext("frames_per_window_size", std::to_string(frames));
    char folder[4096];
    benchmark::AddCustomContext("game_folder", getcwd(folder, sizeof(folder)) ? folder : "");

    // Without the game: our CPU time and the start-up processes. Then in the open game.
    registerCpuBenchmarks();
    registerStartUpBenchmarks();
    // Ten seconds in a full run; a short run (CI's) waits less.
    registerStillPictureBenchmark(std::clamp(frames / 60.0, 2.0, 10.0));
    registerSoundOpening();
    registerFrameBenchmarks(frames);
    registerSoundUpdate();
    registerParticleBenchmarks();
    registerMemoryBenchmark();

    RunConditions conditions;
    conditions.loadBefore = loadAverage();
    KeepingReporter reporter;
    reporter.SetOutputStream(&reportStream());
    reporter.SetErrorStream(&reportStream());
    benchmark::RunSpecifiedBenchmarks(&reporter);
    conditions.loadAfter = loadAverage();
    conditions.glErrorLines = glErrorLines();
    if (gameIsOpen()) {
        const GLubyte* renderer = glGetString(GL_RENDERER);
        conditions.renderer = renderer != nullptr ? reinterpret_cast<const char*>(renderer) : "";
    }
    printGoalTable(reportStream(), reporter, conditions);
    reportStream() << "\nwritten: " << out << "\n";
    closeGame();
    benchmark::Shutdown();
    return 0;
}
