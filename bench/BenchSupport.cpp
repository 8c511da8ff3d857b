#include "bench/BenchSupport.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <iostream>
#include <numeric>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

namespace TolvaBench {

double steadyMs() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

double threadCpuUs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) / 1e3;
}

double processAgeMs() {
    std::ifstream stat("/proc/self/stat");
    std::string line;
    std::getline(stat, line);
    // The command name may hold spaces; the fields after its closing parenthesis do not.
    const size_t close = line.rfind(')');
    if (close == std::string::npos) {
        return 0.0;
    }
    std::istringstream fields(line.substr(close + 2));
    std::string field;
    // starttime is field 22 of the line, the 20th after the command name.
    for (int i = 0; i < 20 && fields >> field; ++i) {
    }
    const double startTicks = std::atof(field.c_str());
    timespec boot{};
    clock_gettime(CLOCK_BOOTTIME, &boot);
    const double nowMs =
        static_cast<double>(boot.tv_sec) * 1e3 + static_cast<double>(boot.tv_nsec) / 1e6;
    const double ticksPerSecond = static_cast<double>(sysconf(_SC_CLK_TCK));
    return std::max(0.0, nowMs - startTicks * 1e3 / ticksPerSecond);
}

static double rankValue(const std::vector<double>& sorted, double fraction) {
    // Nearest rank: the smallest sample with at least `fraction` of all at or below it.
    const size_t rank =
        static_cast<size_t>(std::ceil(fraction * static_cast<double>(sorted.size())));
    return sorted[std::min(sorted.size(), std::max<size_t>(rank, 1)) - 1];
}

Summary summarize(std::vector<double> samples) {
    Summary summary;
    if (samples.empty()) {
        return summary;
    }
    std::sort(samples.begin(), samples.end());
    summary.count = samples.size();
    summary.median = rankValue(samples, 0.5);
    summary.p95 = rankValue(samples, 0.95);
    summary.p99 = rankValue(samples, 0.99);
    summary.mean =
        std::accumulate(samples.begin(), samples.end(), 0.0) / static_cast<double>(samples.size());
    summary.min = samples.front();
    summary.max = samples.back();
    return summary;
}

double median(std::vector<double> samples) {
    return summarize(std::move(samples)).median;
}

long statusKb(const char* field) {
    std::ifstream status("/proc/self/status");
    const std::string wanted = std::string(field) + ":";
    std::string line;
    while (std::getline(status, line)) {
        if (line.compare(0, wanted.size(), wanted) == 0) {
            return std::atol(line.c_str() + wanted.size());
        }
    }
    return -1;
}

QuietConsole::QuietConsole()
    : previousOut(std::cout.rdbuf(captured.rdbuf())),
      previousErr(std::cerr.rdbuf(captured.rdbuf())) {}

QuietConsole::~QuietConsole() {
    std::cout.rdbuf(previousOut);
    std::cerr.rdbuf(previousErr);
}

std::string runProgram(const std::vector<std::string>& argv,
                       const std::map<std::string, std::string>& environment, int& status,
                       bool dropErrors) {
    status = -1;
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        return std::string();
    }
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child < 0) {
        close(pipeEnds[0]);
        close(pipeEnds[1]);
        return std::string();
    }
    if (child == 0) {
        dup2(pipeEnds[1], STDOUT_FILENO);
        if (dropErrors) {
            const int nowhere = open("/dev/null", O_WRONLY);
            if (nowhere >= 0) {
                dup2(nowhere, STDERR_FILENO);
                close(nowhere);
            }
        }
        close(pipeEnds[0]);
        close(pipeEnds[1]);
        for (const auto& [name, value] : environment) {
            if (value.empty()) {
                unsetenv(name.c_str());
            } else {
                setenv(name.c_str(), value.c_str(), 1);
            }
        }
        std::vector<char*> args;
        for (const std::string& arg : argv) {
            args.push_back(const_cast<char*>(arg.c_str()));
        }
        args.push_back(nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }
    close(pipeEnds[1]);
    std::string output;
    char buffer[4096];
    ssize_t got = 0;
    while ((got = read(pipeEnds[0], buffer, sizeof(buffer))) > 0) {
        output.append(buffer, static_cast<size_t>(got));
    }
    close(pipeEnds[0]);
    int waitStatus = 0;
    if (waitpid(child, &waitStatus, 0) == child && WIFEXITED(waitStatus)) {
        status = WEXITSTATUS(waitStatus);
    }
    return output;
}

std::map<std::string, double> readFigures(const std::string& output) {
    std::map<std::string, double> figures;
    std::istringstream lines(output);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.compare(0, 2, "@ ") != 0) {
            continue;
        }
        std::istringstream fields(line.substr(2));
        std::string key;
        double value = 0.0;
        if (fields >> key >> value) {
            figures[key] = value;
        }
    }
    return figures;
}

void reportFigure(const std::string& key, double value) {
    std::printf("@ %s %.6f\n", key.c_str(), value);
}

std::string selfPath() {
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof(path) - 1);
    if (length <= 0) {
        return "tolva-bench";
    }
    path[length] = '\0';
    return path;
}

double loadAverage() {
    std::ifstream load("/proc/loadavg");
    double oneMinute = -1.0;
    load >> oneMinute;
    return oneMinute;
}

} // namespace TolvaBench
