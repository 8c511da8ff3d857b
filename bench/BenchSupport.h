// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <sstream>
#include <string>
#include <vector>

namespace TolvaBench {

// Milliseconds on the steady clock; only differences mean anything, also across processes.
double steadyMs();

// A field of /proc/self/status in kB ("VmHWM", "VmRSS"); -1 when missing.
long statusKb(const char* field);

// The one-minute load average: how busy the machine was.
double loadAverage();

// Keeps the game's console lines out of the bench's tables while it lives; the reports go
// to `reportStream()`, which still reaches the real standard output.
class QuietConsole {
public:
    QuietConsole();
    ~QuietConsole();
    QuietConsole(const QuietConsole&) = delete;
    QuietConsole& operator=(const QuietConsole&) = delete;
    std::string text() const { return captured.str(); }

private:
    std::ostringstream captured;
    std::streambuf* previousOut;
    std::streambuf* previousErr;
};
std::ostream& reportStream();

// Runs a program, without a shell, to its end and collects its standard output; false when
// it could not run or did not exit with status 0.
bool runProgram(const std::vector<std::string>& argv, std::string& output);

// Starts a program beside this one, without a shell, and waits until it prints
// "@ready <steady ms>". Returns the ms from just before its start to that moment, or -1.
double timeProgramUntilReady(const std::vector<std::string>& argv);
// The line a child process reports that moment with.
void reportReady();

std::string besideSelf(const std::string& program);

} // namespace TolvaBench

namespace TolvaBench {

// Statistics over repetitions for Google Benchmark: nearest-rank percentiles.
double percentile95(const std::vector<double>& values);
double percentile99(const std::vector<double>& values);

} // namespace TolvaBench
