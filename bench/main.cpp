// tolva-bench: start-up, frame time, our own CPU time, memory and the particle relink,
// measured on the real game in a 1024 x 768 window.
//
//   tolva-bench [frames] [--out path] [--cpu-only N] [--relink-only]
#include "bench/BenchReport.h"
#include "bench/BenchSupport.h"
#include "bench/CpuOnly.h"
#include "bench/GlBench.h"

#include <GL/glew.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

using namespace TolvaBench;

namespace {

constexpr double startUpGoalRatio = 1.5;
constexpr double frameGoalRatio = 2.0;
constexpr double cpuGoalUs = 20.0;
constexpr long memoryGoalKb = 1024;
constexpr double sixtyFpsMs = 1000.0 / 60.0;
constexpr int cpuFrames = 300;
constexpr int restartCount = 100;
// Bare frames vary little; this many, spread over the played ones, give a steady median.
constexpr int floorFrameLimit = 500;

struct Options {
    std::string command = "tolva-bench";
    int frames = 1500;
    std::string out = TOLVA_SOURCE_DIR "/bench/results.json";
    int cpuOnly = 0; // frames of the GL-free mode, 0 when not asked for
    int repetitions = 15;
    bool profilePass = false; // one measured pass only, for callgrind
    bool relinkOnly = false;
    bool startUpOnly = false; // for profiling the start-up alone
    int updates = 0;
};

int positiveNumber(const char* text, const char* what) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || value < 0 || value > 10000000) {
        std::fprintf(stderr, "tolva-bench: %s must be a whole number, not '%s'\n", what, text);
        std::exit(2);
    }
    return static_cast<int>(value);
}

Options parseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        options.command += " " + std::string(argv[i]);
    }
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--out" && hasValue) {
            // Relative to where the bench was started, not to the game folder it enters.
            options.out = argv[++i];
            char here[4096];
            if (options.out[0] != '/' && getcwd(here, sizeof(here)) != nullptr) {
                options.out = std::string(here) + "/" + options.out;
            }
        } else if (arg == "--cpu-only" && hasValue) {
            options.cpuOnly = std::max(1, positiveNumber(argv[++i], "--cpu-only"));
        } else if (arg == "--reps" && hasValue) {
            options.repetitions = std::max(1, positiveNumber(argv[++i], "--reps"));
        } else if (arg == "--profile-pass") {
            options.profilePass = true;
        } else if (arg == "--relink-only") {
            options.relinkOnly = true;
        } else if (arg == "--startup-only") {
            options.startUpOnly = true;
        } else if (arg == "--updates" && hasValue) {
            options.updates = std::max(1, positiveNumber(argv[++i], "--updates"));
        } else if (!arg.empty() && arg[0] != '-') {
            options.frames = std::max(1, positiveNumber(argv[i], "frames"));
        } else {
            std::fprintf(stderr, "usage: tolva-bench [frames] [--out path] [--cpu-only N] "
                                 "[--relink-only]\n");
            std::exit(2);
        }
    }
    return options;
}

// The game's data folders are found in the working folder when it has them (a folder
// prepared with other assets), else in the source folder.
bool enterGameFolder() {
    struct stat info {};
    if (stat("Shader", &info) == 0 && S_ISDIR(info.st_mode)) {
        return true;
    }
    if (chdir(TOLVA_SOURCE_DIR) != 0) {
        std::fprintf(stderr, "tolva-bench: cannot enter %s\n", TOLVA_SOURCE_DIR);
        return false;
    }
    return true;
}

std::string workingFolder() {
    char path[4096];
    return getcwd(path, sizeof(path)) != nullptr ? path : "";
}

bool onPath(const char* program) {
    const char* path = std::getenv("PATH");
    std::string folders = path != nullptr ? path : "/usr/bin:/bin";
    size_t start = 0;
    while (start <= folders.size()) {
        const size_t end = std::min(folders.find(':', start), folders.size());
        const std::string candidate = folders.substr(start, end - start) + "/" + program;
        if (end > start && access(candidate.c_str(), X_OK) == 0) {
            return true;
        }
        start = end + 1;
    }
    return false;
}

std::string ms(double value) {
    return fixed(value, value < 10.0 ? 2 : 1) + " ms";
}

std::string verdict(bool met) {
    return met ? "met" : "NOT met";
}

// ---------------------------------------------------------------------------------------
// The GL-free mode and the relink mode run in their own processes.

int runCpuOnlyMode(const Options& options) {
    if (options.profilePass) {
        // Only the frames themselves are collected by the profiler.
        runCpuProfilePass(options.cpuOnly);
        return 0;
    }
    const CpuFigures cpu = runCpuOnly(options.cpuOnly, options.repetitions);
    std::printf("Our own CPU time, no GL: %d frames of the scripted game at dt = 1/60, "
                "median of %d passes\n",
                cpu.frames, cpu.repetitions);
    std::printf("  input + update + sun line + culling  %8.2f us/frame  (goal under %.0f us: %s)\n",
                cpu.usPerFrame, cpuGoalUs, verdict(cpu.usPerFrame < cpuGoalUs).c_str());
    std::printf("  of which culling (30 spheres)        %8.2f us/frame\n", cpu.cullUsPerFrame);
    reportFigure("cpu.us_per_frame", cpu.usPerFrame);
    reportFigure("cpu.logic_us_per_frame", cpu.logicUsPerFrame);
    reportFigure("cpu.cull_us_per_frame", cpu.cullUsPerFrame);
    reportFigure("cpu.rounds", cpu.rounds);
    reportFigure("cpu.visible_per_frame", cpu.visiblePerFrame);
    return 0;
}

// The relink figures, or with --startup-only just the start-up, from a process of its own.
int runRelinkMode(const Options& options, double mainStamp, double execToMain) {
    if (!enterGameFolder()) {
        return 1;
    }
    StartUpSplit startUp;
    double shaderBuilds = 0.0;
    RelinkFigures relink;
    {
        QuietConsole quiet;
        startUp = startGame(mainStamp, execToMain);
        if (!options.startUpOnly) {
            shaderBuilds = timeShaderBuilds();
            relink = measureRelink(options.updates > 0 ? options.updates : 60);
        }
        stopGame();
    }
    reportFigure("startup.total_ms", startUp.totalMs);
    reportFigure("startup.main_to_window_ms", startUp.mainToWindowMs);
    reportFigure("startup.set_up_game_ms", startUp.setUpGameMs);
    reportFigure("startup.first_frame_ms", startUp.firstFrameMs);
    if (options.startUpOnly) {
        return 0;
    }
    reportFigure("startup.shader_builds_ms", shaderBuilds);
    reportFigure("relink.updates", relink.updates);
    reportFigure("relink.linked_once_ms", relink.linkedOnceMs);
    reportFigure("relink.relinked_ms", relink.relinkedMs);
    reportFigure("relink.particles", relink.particles);
    return 0;
}

// ---------------------------------------------------------------------------------------
// The full run.

struct ChildFigures {
    std::map<std::string, double> values;
    bool ran = false;
    double get(const std::string& key) const {
        const auto found = values.find(key);
        return found != values.end() ? found->second : -1.0;
    }
};

ChildFigures runSelf(const std::vector<std::string>& args,
                     const std::map<std::string, std::string>& environment) {
    std::vector<std::string> argv = {selfPath()};
    argv.insert(argv.end(), args.begin(), args.end());
    int status = -1;
    const std::string output = runProgram(argv, environment, status);
    ChildFigures figures;
    figures.values = readFigures(output);
    figures.ran = status == 0 && !figures.values.empty();
    return figures;
}

// Instructions per frame of the GL-free mode under callgrind; negative when not measured.
double callgrindInstructionsPerFrame() {
    if (!onPath("valgrind")) {
        return -1.0;
    }
    const std::string outFile = "/tmp/tolva-bench-callgrind." + std::to_string(getpid()) + ".out";
    int status = -1;
    runProgram({"valgrind", "--tool=callgrind", "--callgrind-out-file=" + outFile,
                "--collect-atstart=no", "--toggle-collect=TolvaBench::runCpuFrames*", selfPath(),
                "--cpu-only", std::to_string(cpuFrames), "--profile-pass"},
               {}, status, true);
    std::ifstream profile(outFile);
    std::string line;
    double instructions = -1.0;
    while (std::getline(profile, line)) {
        for (const char* prefix : {"summary:", "totals:"}) {
            if (line.compare(0, std::strlen(prefix), prefix) == 0) {
                instructions = std::atof(line.c_str() + std::strlen(prefix));
            }
        }
    }
    std::remove(outFile.c_str());
    if (status != 0 || instructions <= 0.0) {
        return -1.0;
    }
    return instructions / cpuFrames;
}

std::string assetWords(const AssetState& assets) {
    if (assets.modelFilesPresent == 0 && assets.picturesPresent == 0) {
        return "empty (no meshes, no pictures: every object draws nothing)";
    }
    if (assets.modelFilesPresent == assets.modelFiles &&
        assets.picturesPresent == assets.pictures) {
        return "complete";
    }
    return "partial";
}

void writeSummary(JsonWriter& json, const std::string& key, const Summary& summary) {
    json.open(key);
    json.integer("frames", static_cast<long>(summary.count));
    json.number("median_ms", summary.median);
    json.number("p95_ms", summary.p95);
    json.number("p99_ms", summary.p99);
    json.number("mean_ms", summary.mean);
    json.number("max_ms", summary.max);
    json.close();
}

// Everything one full run measures, and the figures derived from it.
struct FullRun {
    int frames = 0;
    StartUpSplit startUp;
    RoundTally wholeRounds;
    RoundTally splitRounds;
    Summary whole;
    Summary floor;
    Summary splitTotal;
    FrameParts parts;
    std::vector<DrawCost> drawCosts;
    RestartMemory memory;
    FreshParts fresh;
    AssetState assets;
    long peakKb = 0;
    std::string renderer;
    std::string version;
    int glErrorFrames = 0;
    double loadBefore = 0.0;
    double loadAfter = 0.0;
    ChildFigures cpu;
    double instructionsPerFrame = -1.0;
    int relinkUpdates = 0;
    ChildFigures cacheOn;
    ChildFigures cacheOff;

    double floorStartUpMs() const { return fresh.floorDecodeMs + fresh.floorCompileMs; }
    double startUpRatio() const {
        return floorStartUpMs() > 0.0 ? startUp.totalMs / floorStartUpMs() : 0.0;
    }
    double frameRatio() const { return floor.median > 0.0 ? whole.median / floor.median : 0.0; }
    double cpuUs() const { return cpu.get("cpu.us_per_frame"); }
    long growthKb() const { return memory.rssAfterLastKb - memory.rssAfterFirstKb; }
};

int countLines(const std::string& text, const std::string& line) {
    int count = 0;
    for (size_t at = text.find(line); at != std::string::npos; at = text.find(line, at + 1)) {
        ++count;
    }
    return count;
}

FullRun measureFullRun(int frames, double mainStamp, double execToMain) {
    FullRun run;
    run.frames = frames;
    run.loadBefore = loadAverage();
    {
        QuietConsole quiet;
        run.startUp = startGame(mainStamp, execToMain);
        run.renderer = glString(GL_RENDERER);
        run.version = glString(GL_VERSION);
        const WholeFrames whole =
            playWholeFrames(frames, std::min(frames, floorFrameLimit), run.wholeRounds);
        run.whole = summarize(whole.runFrame);
        run.floor = summarize(whole.floor);
        run.parts = playSplitFrames(frames, run.splitRounds);
        run.splitTotal = summarize(run.parts.total);
        run.drawCosts = profileSceneDraws(std::clamp(frames / 10, 20, 150));
        run.memory = measureRestarts(restartCount);
        // The game's own peak: start-up, play and restarts, before the bench re-runs parts.
        run.peakKb = statusKb("VmHWM");
        run.fresh = measureFreshParts(3);
        stopGame();
        run.glErrorFrames =
            run.parts.glErrorFrames + countLines(quiet.text(), "ERROR: GL Error detected");
    }
    run.loadAfter = loadAverage();
    run.assets = inspectAssets();

    std::fprintf(stderr, "tolva-bench: GL part done, measuring the CPU and the relink...\n");
    run.cpu = runSelf({"--cpu-only", std::to_string(cpuFrames), "--reps", "15"}, {});
    run.instructionsPerFrame = callgrindInstructionsPerFrame();
    run.relinkUpdates = std::clamp(frames / 10, 30, 120);
    const std::string updates = std::to_string(run.relinkUpdates);
    run.cacheOn =
        runSelf({"--relink-only", "--updates", updates}, {{"MESA_SHADER_CACHE_DISABLE", ""}});
    run.cacheOff =
        runSelf({"--relink-only", "--updates", updates}, {{"MESA_SHADER_CACHE_DISABLE", "true"}});
    return run;
}

std::string megabytes(long kb) {
    return fixed(static_cast<double>(kb) / 1024.0, 1) + " MB";
}

void printTable(const FullRun& run) {
    Table table;
    table.section("Tolva benchmark: 1024 x 768, " + run.renderer);
    const AssetState& assets = run.assets;
    table.row("assets (Resourcen)",
              std::to_string(assets.modelFilesPresent) + "/" + std::to_string(assets.modelFiles) +
                  " meshes, " + std::to_string(assets.picturesPresent) + "/" +
                  std::to_string(assets.pictures) + " pictures",
              assetWords(assets));
    table.row("load average (1 min)", fixed(run.loadBefore, 2) + " / " + fixed(run.loadAfter, 2),
              "before / after the GL part, on " + std::to_string(sysconf(_SC_NPROCESSORS_ONLN)) +
                  " cores");

    const StartUpSplit& startUp = run.startUp;
    const FreshParts& fresh = run.fresh;
    table.section("Start-up (process start to the first title frame swapped)");
    table.row("start-up", ms(startUp.totalMs),
              "goal <= " + fixed(startUpGoalRatio, 1) +
                  " x floor: " + fixed(run.startUpRatio(), 1) + " x, " +
                  verdict(run.startUpRatio() <= startUpGoalRatio));
    table.row("  exec to main", ms(startUp.execToMainMs), "kernel start time, 10 ms steps");
    table.row("  main to window + GL context", ms(startUp.mainToWindowMs));
    table.row("  setUpGame (scene + first level)", ms(startUp.setUpGameMs));
    table.row("  first title frame", ms(startUp.firstFrameMs));
    table.row("parts, each again on its own:", "", "median of 3");
    table.row("  shader builds (8 programs)", ms(fresh.shaderBuildsMs));
    table.row("  model imports (34)", ms(fresh.modelImportsMs));
    table.row("  texture loads (23, decode + upload)", ms(fresh.textureLoadsMs));
    table.row("    of which decode", ms(fresh.textureDecodeMs), "FreeImage load + 32-bit");
    table.row("  level set-up (resetLevel)", ms(fresh.levelSetUpMs));
    table.row("floor: 23 PNG decodes + 15 compiles", ms(run.floorStartUpMs()),
              ms(fresh.floorDecodeMs) + " + " + ms(fresh.floorCompileMs));
    if (run.cacheOff.ran) {
        table.row("start-up, Mesa shader cache off", ms(run.cacheOff.get("startup.total_ms")),
                  "shader builds " + ms(run.cacheOff.get("startup.shader_builds_ms")));
    }

    const Summary& whole = run.whole;
    const FrameParts& parts = run.parts;
    table.section("Playing frame (scripted winning run, real clock, no pacing)");
    table.row("runFrame median", ms(whole.median),
              "goal <= " + fixed(frameGoalRatio, 1) + " x floor: " + fixed(run.frameRatio(), 2) +
                  " x, " + verdict(run.frameRatio() <= frameGoalRatio) + "; 60 fps line " +
                  ms(sixtyFpsMs) + (whole.median <= sixtyFpsMs ? " (inside)" : " (over)"));
    table.row("runFrame p95 / p99", ms(whole.p95) + " / " + ms(whole.p99),
              std::to_string(whole.count) + " frames, " + std::to_string(run.wholeRounds.rounds) +
                  " rounds ended (" + std::to_string(run.wholeRounds.wins) + " won)");
    table.row("floor: clear target + blur + swap", ms(run.floor.median),
              "p95 " + ms(run.floor.p95) + ", " + std::to_string(run.floor.count) +
                  " frames between the played ones");
    table.row("split frame, glFinish after each part", ms(run.splitTotal.median),
              "p95 " + ms(run.splitTotal.p95) + ", " + std::to_string(run.splitTotal.count) +
                  " frames; median of each part:");
    table.row("  window clear + events", ms(median(parts.clearAndEvents)));
    table.row("  handleInput + updateGame", ms(median(parts.inputUpdate)),
              "includes the particle update");
    table.row("  renderScene", ms(median(parts.scene)));
    std::vector<DrawCost> costliest = run.drawCosts;
    std::sort(costliest.begin(), costliest.end(),
              [](const DrawCost& a, const DrawCost& b) { return a.msPerFrame > b.msPerFrame; });
    double drawSum = 0.0;
    for (const DrawCost& cost : run.drawCosts) {
        drawSum += cost.msPerFrame;
    }
    for (size_t i = 0; i < std::min<size_t>(5, costliest.size()); ++i) {
        table.row("    " + costliest[i].name, ms(costliest[i].msPerFrame),
                  i == 0 ? "mean per frame, each draw finished on its own (sum " + ms(drawSum) + ")"
                         : "");
    }
    table.row("  blur pass", ms(median(parts.blur)));
    table.row("  swap", ms(median(parts.swap)));

    table.section("Our own CPU time, no GL (" + std::to_string(cpuFrames) +
                  " frames at dt = 1/60)");
    if (run.cpu.ran) {
        table.row("input + update + sun line + culling", fixed(run.cpuUs(), 2) + " us/frame",
                  "goal < " + fixed(cpuGoalUs, 0) + " us: " + verdict(run.cpuUs() < cpuGoalUs));
        table.row("  of which culling (30 spheres)",
                  fixed(run.cpu.get("cpu.cull_us_per_frame"), 2) + " us/frame");
    } else {
        table.row("input + update + culling", "n/a", "the GL-free run failed");
    }
    const bool profiled = run.instructionsPerFrame > 0.0;
    table.row("callgrind instructions",
              profiled ? fixed(run.instructionsPerFrame, 0) + " /frame" : "n/a",
              profiled ? "" : "valgrind not available");

    table.section("Memory");
    table.row("peak RSS (VmHWM)", megabytes(run.peakKb));
    table.row("RSS after 1 restart", megabytes(run.memory.rssAfterFirstKb));
    table.row("RSS after " + std::to_string(run.memory.restarts) + " restarts",
              megabytes(run.memory.rssAfterLastKb),
              "growth " + fixed(static_cast<double>(run.growthKb()) / 1024.0, 2) +
                  " MB, goal <= 1 MB: " + verdict(run.growthKb() <= memoryGoalKb));

    table.section("Particle update (median per update, " + std::to_string(run.relinkUpdates) +
                  " updates each)");
    for (const auto& [label, figures] :
         {std::pair<std::string, const ChildFigures*>{"Mesa shader cache on", &run.cacheOn},
          std::pair<std::string, const ChildFigures*>{"Mesa shader cache off", &run.cacheOff}}) {
        if (!figures->ran) {
            table.row(label, "n/a", "the relink run failed");
            continue;
        }
        const double once = figures->get("relink.linked_once_ms");
        const double relinked = figures->get("relink.relinked_ms");
        table.row(label + ": linked once", ms(once),
                  std::to_string(static_cast<int>(figures->get("relink.particles"))) +
                      " particles");
        table.row(label + ": relinked each update", ms(relinked),
                  fixed(once > 0.0 ? relinked / once : 0.0, 1) + " x");
    }
    if (run.glErrorFrames > 0) {
        table.section("GL errors: " + std::to_string(run.glErrorFrames) + " frames reported one");
    }
    table.print();
}

std::string resultsJson(const FullRun& run, const std::string& command) {
    JsonWriter json;
    json.text("command", command);
    json.integer("frames_asked", run.frames);
    json.open("machine");
    json.integer("cores", sysconf(_SC_NPROCESSORS_ONLN));
    json.text("renderer", run.renderer);
    json.text("gl_version", run.version);
    json.text("window", "1024 x 768 under Xvfb");
    const char* cacheSwitch = std::getenv("MESA_SHADER_CACHE_DISABLE");
    const bool cacheOff = cacheSwitch != nullptr && std::string(cacheSwitch) == "true";
    json.text("mesa_shader_cache", cacheOff ? "off" : "on");
    json.number("load_average_before", run.loadBefore, 2);
    json.number("load_average_after", run.loadAfter, 2);
    json.close();

    const AssetState& assets = run.assets;
    json.open("assets");
    json.text("state", assets.modelFilesPresent == 0 && assets.picturesPresent == 0
                           ? "empty"
                           : assetWords(assets));
    json.integer("mesh_files_present", assets.modelFilesPresent);
    json.integer("mesh_files", assets.modelFiles);
    json.integer("pictures_present", assets.picturesPresent);
    json.integer("pictures", assets.pictures);
    json.integer("bytes", assets.bytes);
    json.text("folder", workingFolder());
    json.close();

    const StartUpSplit& startUp = run.startUp;
    const FreshParts& fresh = run.fresh;
    json.open("startup");
    json.number("process_to_title_ms", startUp.totalMs);
    json.number("exec_to_main_ms", startUp.execToMainMs);
    json.number("main_to_window_ms", startUp.mainToWindowMs);
    json.number("set_up_game_ms", startUp.setUpGameMs);
    json.number("first_title_frame_ms", startUp.firstFrameMs);
    json.open("parts_ms");
    json.number("shader_builds", fresh.shaderBuildsMs);
    json.number("model_imports", fresh.modelImportsMs);
    json.number("texture_loads", fresh.textureLoadsMs);
    json.number("texture_decode", fresh.textureDecodeMs);
    json.number("level_set_up", fresh.levelSetUpMs);
    json.close();
    json.open("floor_ms");
    json.number("png_decode", fresh.floorDecodeMs);
    json.number("shader_compile", fresh.floorCompileMs);
    json.number("total", run.floorStartUpMs());
    json.close();
    json.number("ratio_to_floor", run.startUpRatio(), 2);
    json.number("goal_ratio", startUpGoalRatio, 1);
    json.flag("goal_met", run.startUpRatio() <= startUpGoalRatio);
    if (run.cacheOff.ran) {
        json.open("mesa_shader_cache_off");
        json.number("process_to_title_ms", run.cacheOff.get("startup.total_ms"));
        json.number("shader_builds_ms", run.cacheOff.get("startup.shader_builds_ms"));
        json.close();
    }
    json.close();

    const FrameParts& parts = run.parts;
    json.open("frame");
    writeSummary(json, "run_frame", run.whole);
    writeSummary(json, "floor", run.floor);
    writeSummary(json, "split_total", run.splitTotal);
    json.open("split_parts_median_ms");
    json.number("window_clear_and_events", median(parts.clearAndEvents));
    json.number("input_and_update", median(parts.inputUpdate));
    json.number("render_scene", median(parts.scene));
    json.number("blur_pass", median(parts.blur));
    json.number("swap", median(parts.swap));
    json.close();
    json.open("render_scene_by_draw_mean_ms");
    for (const DrawCost& cost : run.drawCosts) {
        json.number(cost.name, cost.msPerFrame);
    }
    json.close();
    json.number("ratio_to_floor", run.frameRatio(), 2);
    json.number("goal_ratio", frameGoalRatio, 1);
    json.flag("goal_met", run.frameRatio() <= frameGoalRatio);
    json.number("budget_60fps_ms", sixtyFpsMs);
    json.integer("rounds_ended", run.wholeRounds.rounds + run.splitRounds.rounds);
    json.integer("rounds_won", run.wholeRounds.wins + run.splitRounds.wins);
    json.integer("gl_error_frames", run.glErrorFrames);
    json.close();

    json.open("cpu");
    json.integer("frames", cpuFrames);
    if (run.cpu.ran) {
        json.number("us_per_frame", run.cpuUs());
        json.number("logic_us_per_frame", run.cpu.get("cpu.logic_us_per_frame"));
        json.number("culling_us_per_frame", run.cpu.get("cpu.cull_us_per_frame"));
        json.flag("goal_met", run.cpuUs() < cpuGoalUs);
    } else {
        json.null("us_per_frame");
    }
    json.number("goal_us", cpuGoalUs, 1);
    if (run.instructionsPerFrame > 0.0) {
        json.number("callgrind_instructions_per_frame", run.instructionsPerFrame, 0);
    } else {
        json.null("callgrind_instructions_per_frame");
    }
    json.close();

    json.open("memory");
    json.integer("peak_rss_kb", run.peakKb);
    json.integer("rss_after_1_restart_kb", run.memory.rssAfterFirstKb);
    json.integer("rss_after_" + std::to_string(run.memory.restarts) + "_restarts_kb",
                 run.memory.rssAfterLastKb);
    json.integer("growth_kb", run.growthKb());
    json.integer("goal_kb", memoryGoalKb);
    json.flag("goal_met", run.growthKb() <= memoryGoalKb);
    json.number("ms_per_restart", run.memory.msPerRestart);
    json.close();

    json.open("particle_update_ms");
    json.integer("updates", run.relinkUpdates);
    for (const auto& [key, figures] :
         {std::pair<std::string, const ChildFigures*>{"shader_cache_on", &run.cacheOn},
          std::pair<std::string, const ChildFigures*>{"shader_cache_off", &run.cacheOff}}) {
        json.open(key);
        if (figures->ran) {
            json.number("linked_once", figures->get("relink.linked_once_ms"));
            json.number("relinked_every_update", figures->get("relink.relinked_ms"));
            json.integer("particles", static_cast<long>(figures->get("relink.particles")));
        }
        json.close();
    }
    json.close();
    return json.finish();
}

int runFullBench(const Options& options, double mainStamp, double execToMain) {
    if (!enterGameFolder()) {
        return 1;
    }
    const FullRun run = measureFullRun(options.frames, mainStamp, execToMain);
    printTable(run);
    std::ofstream file(options.out);
    file << resultsJson(run, options.command);
    if (!file) {
        std::fprintf(stderr, "tolva-bench: could not write %s\n", options.out.c_str());
        return 1;
    }
    std::printf("\nwritten: %s\n", options.out.c_str());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    // Stamp first: start-up is counted from here plus the time before main.
    const double mainStamp = steadyMs();
    const double execToMain = processAgeMs();
    const Options options = parseOptions(argc, argv);
    if (options.cpuOnly > 0) {
        return runCpuOnlyMode(options);
    }
    if (options.relinkOnly || options.startUpOnly) {
        return runRelinkMode(options, mainStamp, execToMain);
    }
    return runFullBench(options, mainStamp, execToMain);
}
