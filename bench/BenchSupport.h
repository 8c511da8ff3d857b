#pragma once
#include <cstddef>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace TolvaBench {

// Milliseconds on the steady clock; only differences mean anything.
double steadyMs();
// CPU time this thread has used, in microseconds.
double threadCpuUs();
// How long the process ran before this call, from the kernel's record of its start
// (10 ms steps).
double processAgeMs();

struct Summary {
    size_t count = 0;
    double median = 0.0;
    double p95 = 0.0;
    double p99 = 0.0;
    double mean = 0.0;
    double min = 0.0;
    double max = 0.0;
};
Summary summarize(std::vector<double> samples);
double median(std::vector<double> samples);

// A field of /proc/self/status in kB ("VmHWM", "VmRSS"); -1 when missing.
long statusKb(const char* field);

// Keeps the game's console lines out of the bench's table while it is measured.
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

// Runs a program without a shell, with extra environment variables set ("" unsets one),
// and returns its standard output; the exit status goes to `status`. Its standard error
// is dropped when `dropErrors` is set.
std::string runProgram(const std::vector<std::string>& argv,
                       const std::map<std::string, std::string>& environment, int& status,
                       bool dropErrors = false);

// The lines "@ key value" a child run reports its figures with.
std::map<std::string, double> readFigures(const std::string& output);
void reportFigure(const std::string& key, double value);

std::string selfPath();

// The one-minute load average: how busy the machine was around a measurement.
double loadAverage();

} // namespace TolvaBench
