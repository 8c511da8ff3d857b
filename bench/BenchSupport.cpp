// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/BenchSupport.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <iostream>
#include <sys/wait.h>
#include <unistd.h>

namespace TolvaBench {

double steadyMs() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
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

double loadAverage() {
    std::ifstream load("/proc/loadavg");
    double oneMinute = -1.0;
    load >> oneMinute;
    return oneMinute;
}

std::ostream& reportStream() {
    // Bound to standard output's own buffer before any QuietConsole takes std::cout over.
    static std::ostream stream(std::cout.rdbuf());
    return stream;
}

QuietConsole::QuietConsole() {
    reportStream();
    previousOut = std::cout.rdbuf(captured.rdbuf());
    previousErr = std::cerr.rdbuf(captured.rdbuf());
}

QuietConsole::~QuietConsole() {
    std::cout.rdbuf(previousOut);
    std::cerr.rdbuf(previousErr);
}

bool runProgram(const std::vector<std::string>& argv, std::string& output) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        return false;
    }
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        dup2(pipeEnds[1], STDOUT_FILENO);
        const int nowhere = open("/dev/null", O_WRONLY);
        dup2(nowhere, STDERR_FILENO);
        close(pipeEnds[0]);
        close(pipeEnds[1]);
        std::vector<char*> args;
        for (const std::string& arg : argv) {
            args.push_back(const_cast<char*>(arg.c_str()));
        }
        args.push_back(nullptr);
        execv(args[0], args.data());
        _exit(127);
    }
    close(pipeEnds[1]);
    char buffer[4096];
    ssize_t got = 0;
    while (child > 0 && (got = read(pipeEnds[0], buffer, sizeof(buffer))) > 0) {
        output.append(buffer, static_cast<size_t>(got));
    }
    close(pipeEnds[0]);
    int status = 0;
    return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

double timeProgramUntilReady(const std::vector<std::string>& argv) {
    const double start = steadyMs();
    std::string output;
    if (!runProgram(argv, output)) {
        return -1.0;
    }
    const size_t at = output.rfind("@ready ");
    return at == std::string::npos ? -1.0 : std::atof(output.c_str() + at + 7) - start;
}

void reportReady() {
    std::printf("@ready %.3f\n", steadyMs());
    std::fflush(stdout);
}

std::string besideSelf(const std::string& program) {
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof(path) - 1);
    std::string self = length > 0 ? std::string(path, static_cast<size_t>(length)) : "";
    return self.substr(0, self.rfind('/') + 1) + program;
}

} // namespace TolvaBench

namespace TolvaBench {

static double nearestRank(std::vector<double> values, double fraction) {
    if (values.empty()) {
        return 0.0;
    }
    std::sort(values.begin(), values.end());
    const auto rank = static_cast<size_t>(std::ceil(fraction * static_cast<double>(values.size())));
    return values[std::min(values.size(), std::max<size_t>(rank, 1)) - 1];
}

double percentile95(const std::vector<double>& values) {
    return nearestRank(values, 0.95);
}

double percentile99(const std::vector<double>& values) {
    return nearestRank(values, 0.99);
}

} // namespace TolvaBench
