// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <benchmark/benchmark.h>
#include <map>
#include <string>

namespace TolvaBench {

// The library's console report, keeping every result for the goal table. The scene's
// per-draw counters stay out of the console (they are in the JSON file).
class KeepingReporter : public benchmark::ConsoleReporter {
public:
    // Plain columns without colours: the report is read in logs and pasted.
    KeepingReporter() : ConsoleReporter(OO_Tabular) {}
    void ReportRuns(const std::vector<Run>& runs) override;
    // A result's value: its real (manual) time, or a counter when `counter` is given;
    // `aggregate` is "median", "p95", ... or "" for a benchmark without repetitions.
    // Negative when the benchmark did not run.
    double value(const std::string& name, const std::string& aggregate = "median",
                 const std::string& counter = "") const;
    const std::map<std::string, Run>& results() const { return kept; }

private:
    std::map<std::string, Run> kept;
};

struct RunConditions {
    std::string renderer;
    double loadBefore = 0.0;
    double loadAfter = 0.0;
    int glErrorLines = 0;
};

// One table of goals (result, floor, ratio, goal, met) and one of where the time goes,
// in Markdown, so the README takes them as they are.
void printGoalTable(std::ostream& out, const KeepingReporter& results,
                    const RunConditions& conditions);

} // namespace TolvaBench
