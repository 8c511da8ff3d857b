#pragma once
#include <string>
#include <vector>

namespace TolvaTest {

struct ProcessResult {
    int exitStatus = -1;   // 0..255 when the process exited
    int signal = 0;        // the signal that ended it, or 0
    bool timedOut = false; // killed after the time limit
    std::string out;       // standard output, byte for byte
    std::string err;       // standard error
};

struct ProcessOptions {
    std::string workingDirectory;              // empty: keep the current one
    std::vector<std::string> extraEnvironment; // "NAME=value" added to the environment
    double timeoutSeconds = 60.0;
    bool stdinFromDevNull = true; // otherwise stdin is closed
};

// Runs argv[0] (a path) with the given arguments; no shell is involved, so every byte
// of every argument reaches the program as written.
ProcessResult runProcess(const std::vector<std::string>& argv, const ProcessOptions& options);

// A fresh empty folder under the system's temporary directory.
std::string makeTemporaryDirectory();
void removeDirectoryTree(const std::string& path);

} // namespace TolvaTest
