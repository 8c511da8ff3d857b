// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Other programs run by tests: the game binary, xdotool, the damaged-data runner.
#include <string>
#include <thread>
#include <vector>

namespace TolvaTest {

struct ProcessResult {
    int exitStatus = -1; // 0..255 when the process exited
    int signal = 0;      // the signal that ended it, or 0
    bool timedOut = false;
    std::string out, err; // byte for byte
};

struct ProcessOptions {
    std::string workingDirectory;         // empty: the current one
    std::vector<std::string> environment; // "NAME=value" to set, "NAME" to remove
    bool terminal = false;                // standard input a pseudo terminal, else /dev/null
};

// A running program whose output is collected while it runs. No shell is involved, so
// every byte of every argument reaches it as written.
class Process {
public:
    Process(const std::vector<std::string>& argv, const ProcessOptions& options = {});
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    int pid() const { return pid_; }
    bool running();
    std::string outputSoFar();
    bool waitForOutput(const std::string& text, double seconds); // or the program's end
    ProcessResult finish(double seconds);                        // killed after `seconds`
    void type(const std::string& bytes);                         // at its terminal
    int unreadTerminalBytes();                                   // typed, read by nobody

private:
    int pid_ = -1, status_ = 0, master_ = -1, slave_ = -1;
    bool ended_ = false;
    std::string out_, err_;
    std::thread reader_;
    void reap(bool block);
};

ProcessResult runProcess(const std::vector<std::string>& argv, const ProcessOptions& options = {},
                         double seconds = 120.0);

void sleepSeconds(double seconds);

// A fresh folder under the temporary directory, removed with its contents at the end.
struct TemporaryFolder {
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    std::string path;
    std::string operator/(const std::string& name) const { return path + "/" + name; }
};

// The X window of a process's game window, or "" when none showed in time.
std::string waitForGameWindow(Process& game, double seconds);
// Presses a key in the game's window for a while, as a player holds it.
void holdKeyInWindow(const std::string& window, const std::string& key, double seconds);
// Presses Escape, longer each time, until the game has ended: a slow frame misses a tap.
ProcessResult quitWithEscape(Process& game, const std::string& window);

std::string readFile(const std::string& path);

} // namespace TolvaTest
