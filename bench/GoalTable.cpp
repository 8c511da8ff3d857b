// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/GoalTable.h"

#include "bench/BenchGame.h"
#include "bench/FrameBenchmarks.h"
#include "bench/SideBenchmarks.h"
#include "bench/StillPictureBenchmark.h"

#include <algorithm>
#include <cstdio>
#include <ostream>
#include <vector>

namespace TolvaBench {

namespace {

constexpr double startUpGoalRatio = 1.5;
constexpr double frameGoalRatio = 2.0;
constexpr double memoryGoalKb = 1024.0;

std::string keyOf(const benchmark::BenchmarkReporter::Run& run) {
    return run.run_name.function_name +
           (run.run_type == benchmark::BenchmarkReporter::Run::RT_Aggregate
                ? "_" + run.aggregate_name
                : "");
}

std::string number(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof(text), "%.*f", decimals, value);
    return text;
}

std::string ms(double value) {
    return value < 0.0 ? "n/a" : number(value, value < 10.0 ? 2 : 1) + " ms";
}

std::string nanoseconds(double microseconds) {
    return microseconds < 0.0 ? "n/a" : number(microseconds * 1000.0, 0) + " ns";
}

void row(std::ostream& out, const std::vector<std::string>& cells) {
    out << "|";
    for (const std::string& cell : cells) {
        out << " " << cell << " |";
    }
    out << "\n";
}

void goalRow(std::ostream& out, const std::string& measure, double result, double floor,
             const std::string& floorWords, double goalRatio) {
    const bool measured = result > 0.0 && floor > 0.0;
    const double ratio = measured ? result / floor : 0.0;
    row(out, {measure, ms(result), ms(floor) + floorWords,
              measured ? number(ratio, 2) + " x" : "n/a", "<= " + number(goalRatio, 1) + " x",
              !measured            ? "n/a"
              : ratio <= goalRatio ? "yes"
                                   : "**no**"});
}

} // namespace

void KeepingReporter::ReportRuns(const std::vector<Run>& runs) {
    std::vector<Run> shown;
    for (const Run& run : runs) {
        kept[keyOf(run)] = run;
        shown.push_back(run);
        if (run.run_name.function_name == "frame/scene-draws") {
            shown.back().counters.clear();
        }
    }
    ConsoleReporter::ReportRuns(shown);
}

double KeepingReporter::value(const std::string& name, const std::string& aggregate,
                              const std::string& counter) const {
    const auto found = kept.find(aggregate.empty() ? name : name + "_" + aggregate);
    if (found == kept.end() || found->second.error_occurred) {
        return -1.0;
    }
    const Run& run = found->second;
    if (counter.empty()) {
        return run.GetAdjustedRealTime();
    }
    const auto entry = run.counters.find(counter);
    return entry != run.counters.end() ? entry->second.value : -1.0;
}

void printGoalTable(std::ostream& out, const KeepingReporter& results,
                    const RunConditions& conditions) {
    out << "\nGoals, " << conditions.renderer << ", load average "
        << number(conditions.loadBefore, 2) << " before, " << number(conditions.loadAfter, 2)
        << " after\n\n";
    row(out, {"Measure", "Result", "Floor (same run)", "Ratio", "Goal", "Met"});
    row(out, {"---", "---", "---", "---", "---", "---"});

    const double window = results.value("start-up/floor/window-process");
    const double decodes = results.value("start-up/floor/png-decodes");
    const double compiles = results.value("start-up/floor/shader-compiles");
    const bool floorMeasured = window > 0.0 && decodes > 0.0 && compiles > 0.0;
    goalRow(out, "Start-up: process start to first title frame", results.value("start-up/process"),
            floorMeasured ? window + decodes + compiles : -1.0,
            " (window process " + ms(window) + " + 24 PNG decodes " + ms(decodes) +
                " + 15 compiles " + ms(compiles) + ")",
            startUpGoalRatio);
    for (const WindowSize size : measuredSizes) {
        const std::string name =
            "frame/playing/" + std::to_string(size.width) + "x" + std::to_string(size.height);
        goalRow(out,
                "Playing frame median, " + std::to_string(size.width) + " x " +
                    std::to_string(size.height),
                results.value(name), results.value(name, "median", "floor_ms"),
                " (clear target + blur pass + swap)", frameGoalRatio);
    }
    const double still = results.value("still-picture/title", "", "cpu_percent");
    row(out, {"Still picture (title): CPU time per second of wall time",
              still < 0.0 ? "n/a" : number(still, 1) + " % of one core", "", "",
              "<= " + number(stillPictureGoalPercent, 0) + " %",
              still < 0.0                        ? "n/a"
              : still <= stillPictureGoalPercent ? "yes"
                                                 : "**no**"});
    const bool memoryRan = results.results().count("memory/restarts") > 0;
    const double growth = results.value("memory/restarts", "", "growth_kb");
    row(out, {"Resident memory after " + std::to_string(restartCount) + " restarts vs after 1",
              !memoryRan ? "n/a" : (growth >= 0 ? "+" : "") + number(growth, 0) + " kB", "", "",
              "<= " + number(memoryGoalKb, 0) + " kB",
              !memoryRan               ? "n/a"
              : growth <= memoryGoalKb ? "yes"
                                       : "**no**"});

    out << "\nWhere the time goes (medians)\n\n";
    row(out, {"Measure", "Result"});
    row(out, {"---", "---"});
    const std::string game = "frame/playing/1024x768";
    row(out, {"Playing frame 1024 x 768, p95 / p99",
              ms(results.value(game, "p95")) + " / " + ms(results.value(game, "p99"))});
    for (const char* part : {"update", "scene", "ghost", "blur", "swap"}) {
        row(out,
            {std::string("  part: ") + part, ms(results.value(std::string("frame/part/") + part))});
    }
    std::vector<std::pair<double, std::string>> draws;
    for (const std::string& name : drawNames) {
        draws.push_back({results.value("frame/scene-draws", "", name), name});
    }
    std::sort(draws.rbegin(), draws.rend());
    for (size_t i = 0; i < std::min<size_t>(5, draws.size()); ++i) {
        row(out, {"    draw: " + draws[i].second, ms(draws[i].first)});
    }
    for (const char* part : {"shader-builds", "model-imports", "texture-loads", "level-set-up"}) {
        row(out, {std::string("Start-up part: ") + part,
                  ms(results.value(std::string("start-up/part/") + part))});
    }
    const bool heard = results.value("sound/opening", "mean", "device") > 0.5;
    row(out, {std::string("Start-up part: sound-opening (device and ten sounds), first / again") +
                  (heard ? "" : ", no device"),
              ms(results.value("sound/opening", "mean", "first_ms")) + " / " +
                  ms(results.value("sound/opening"))});
    row(out, {"Sound update per frame on the main thread (mixing has its own thread)",
              nanoseconds(results.value("sound/update-per-frame", ""))});
    row(out, {"Our CPU time per frame (input, update, sun line, culling; no GL)",
              nanoseconds(results.value("cpu/input-update-culling"))});
    row(out, {"Particle update, linked once / relinked every update",
              ms(results.value("particles/update/linked-once", "")) + " / " +
                  ms(results.value("particles/update/relinked", ""))});
    row(out, {"Peak resident memory",
              number(results.value("memory/restarts", "", "peak_kb") / 1024.0, 1) + " MB"});
    row(out, {"Lines reporting a GL error", std::to_string(conditions.glErrorLines)});
    out.flush();
}

} // namespace TolvaBench
