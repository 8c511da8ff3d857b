#pragma once
// Shared helpers for running the real game binary: temporary data folders, the exact
// start-up lines, and a game process that a test can play with xdotool while it runs.
#include "support/ProcessRunner.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <memory>
#include <mutex>
#include <pty.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace TolvaE2e {

using TolvaTest::ProcessOptions;
using TolvaTest::ProcessResult;

inline const char* const windowTitle = "Tolva - Quellmoor";
inline const char* const xdotoolPath = "/usr/bin/xdotool";

inline std::string tolvaBinary() {
    return TOLVA_BINARY;
}

inline std::string sourceDirectory() {
    return TOLVA_SOURCE_DIR;
}

inline bool hasDisplay() {
    const char* display = std::getenv("DISPLAY");
    return display != nullptr && display[0] != '\0';
}

inline bool hasXdotool() {
    return access(xdotoolPath, X_OK) == 0;
}

// What every run prints before anything else when it gets as far as GLFW.
inline std::string commandLineLines(const std::string& argv0) {
    return "Hello Tolva\nyou are ececuting '" + argv0 + "'\n";
}

inline std::string startUpLines(const std::string& argv0) {
    return commandLineLines(argv0) + "SUCCESS: glfw intialisiert\n";
}

inline std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

inline void writeFile(const std::string& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
}

inline std::string readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

// A fresh folder that is removed with everything in it when the test ends.
class TemporaryFolder {
public:
    TemporaryFolder() : path_(TolvaTest::makeTemporaryDirectory()) {}
    ~TemporaryFolder() { TolvaTest::removeDirectoryTree(path_); }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// A working folder of our own: a copy of the game's shaders, which a test may break, and
// Resourcen with its two subfolders but no files, so every model and picture is missing.
inline void makeOwnDataFolders(const std::string& folder) {
    namespace fs = std::filesystem;
    fs::copy(fs::path(sourceDirectory()) / "Shader", fs::path(folder) / "Shader",
             fs::copy_options::recursive);
    fs::create_directories(fs::path(folder) / "Resourcen" / "BilderGedreht");
    fs::create_directories(fs::path(folder) / "Resourcen" / "Lightmap");
}

inline ProcessResult runXdotool(const std::vector<std::string>& arguments) {
    std::vector<std::string> argv{xdotoolPath};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    ProcessOptions options;
    options.timeoutSeconds = 30.0;
    return TolvaTest::runProcess(argv, options);
}

inline void sleepSeconds(double seconds) {
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

// The game as a running process: its output is collected while it runs, so a test can
// look at the window and press keys before it collects the exit status.
class GameProcess {
public:
    struct Options {
        std::string workingDirectory;
        std::vector<std::string> extraEnvironment;
        bool stdinIsTerminal = false; // a pseudo terminal instead of /dev/null
    };

    GameProcess(const std::vector<std::string>& argv, const Options& options) {
        std::vector<std::string> environment;
        for (char** entry = environ; *entry != nullptr; ++entry) {
            const std::string variable(*entry);
            bool replaced = false;
            for (const std::string& extra : options.extraEnvironment) {
                const size_t equals = extra.find('=');
                replaced = replaced || (equals != std::string::npos &&
                                        variable.compare(0, equals + 1, extra, 0, equals + 1) == 0);
            }
            if (!replaced) {
                environment.push_back(variable);
            }
        }
        environment.insert(environment.end(), options.extraEnvironment.begin(),
                           options.extraEnvironment.end());
        std::vector<char*> args;
        for (const std::string& arg : argv) {
            args.push_back(const_cast<char*>(arg.c_str()));
        }
        args.push_back(nullptr);
        std::vector<char*> env;
        for (const std::string& variable : environment) {
            env.push_back(const_cast<char*>(variable.c_str()));
        }
        env.push_back(nullptr);

        int outPipe[2] = {-1, -1};
        int errPipe[2] = {-1, -1};
        int terminalSlave = -1;
        if (pipe2(outPipe, O_CLOEXEC) != 0 || pipe2(errPipe, O_CLOEXEC) != 0) {
            return;
        }
        if (options.stdinIsTerminal &&
            openpty(&terminalMaster_, &terminalSlave, nullptr, nullptr, nullptr) != 0) {
            return;
        }
        const char* workingDirectory = options.workingDirectory.c_str();
        pid_ = fork();
        if (pid_ == 0) {
            if (workingDirectory[0] != '\0' && chdir(workingDirectory) != 0) {
                _exit(127);
            }
            const int input = terminalSlave >= 0 ? terminalSlave : open("/dev/null", O_RDONLY);
            dup2(input, STDIN_FILENO);
            dup2(outPipe[1], STDOUT_FILENO);
            dup2(errPipe[1], STDERR_FILENO);
            closeFrom(3);
            execve(args[0], args.data(), env.data());
            _exit(127);
        }
        close(outPipe[1]);
        close(errPipe[1]);
        if (terminalSlave >= 0) {
            close(terminalSlave);
        }
        readers_.emplace_back([this, fd = outPipe[0]] { collect(fd, out_); });
        readers_.emplace_back([this, fd = errPipe[0]] { collect(fd, err_); });
    }

    ~GameProcess() {
        if (pid_ > 0 && running()) {
            kill(pid_, SIGKILL);
        }
        reap(true);
        joinReaders();
        if (terminalMaster_ >= 0) {
            close(terminalMaster_);
        }
    }

    GameProcess(const GameProcess&) = delete;
    GameProcess& operator=(const GameProcess&) = delete;

    bool started() const { return pid_ > 0; }
    pid_t pid() const { return pid_; }

    bool running() {
        reap(false);
        return pid_ > 0 && !ended_;
    }

    std::string outputSoFar() {
        std::lock_guard<std::mutex> lock(mutex_);
        return out_;
    }

    // Polls until the game has written `text` to its standard output, or has ended.
    bool waitForOutput(const std::string& text, double timeoutSeconds) {
        const auto deadline = clockAfter(timeoutSeconds);
        while (std::chrono::steady_clock::now() < deadline) {
            if (outputSoFar().find(text) != std::string::npos) {
                return true;
            }
            if (!running()) {
                sleepSeconds(0.1); // let the readers drain the pipe
                return outputSoFar().find(text) != std::string::npos;
            }
            sleepSeconds(0.05);
        }
        return false;
    }

    // The X window id of this process's game window, or "" if none showed in time.
    std::string waitForWindow(double timeoutSeconds) {
        const auto deadline = clockAfter(timeoutSeconds);
        while (std::chrono::steady_clock::now() < deadline && running()) {
            const ProcessResult found =
                runXdotool({"search", "--all", "--onlyvisible", "--pid", std::to_string(pid_),
                            "--name", std::string("^") + windowTitle + "$"});
            const std::vector<std::string> ids = splitLines(found.out);
            if (found.exitStatus == 0 && !ids.empty() && !ids.front().empty()) {
                window_ = ids.front();
                return window_;
            }
            sleepSeconds(0.1);
        }
        return std::string();
    }

    // Holds a key the way a player does: long enough for the game's once-a-frame polling
    // to see it down. Without a window manager GLFW takes the focus itself; only another
    // game window on the same display can have taken it away.
    void holdKey(const std::string& key, double seconds = 0.2) {
        if (!window_.empty()) {
            const ProcessResult focus = runXdotool({"getwindowfocus"});
            const std::vector<std::string> lines = splitLines(focus.out);
            if (lines.empty() || lines.front() != window_) {
                runXdotool({"windowfocus", "--sync", window_});
            }
        }
        runXdotool({"keydown", key});
        sleepSeconds(seconds);
        runXdotool({"keyup", key});
    }

    // Presses the key again and again, holding it longer each time, until the game ends.
    // A press while the scene is still being built goes unseen, and a slow frame can
    // swallow a short one.
    bool holdKeyUntilExit(const std::string& key, double timeoutSeconds) {
        const auto deadline = clockAfter(timeoutSeconds);
        double hold = 0.2;
        while (std::chrono::steady_clock::now() < deadline) {
            if (!running()) {
                return true;
            }
            holdKey(key, hold);
            const auto settle = clockAfter(2.0);
            while (std::chrono::steady_clock::now() < settle && running()) {
                sleepSeconds(0.05);
            }
            hold = hold < 1.5 ? hold * 2.0 : 1.5;
        }
        return !running();
    }

    // Writes to the game's terminal, as a key pressed at the console.
    void typeOnTerminal(const std::string& bytes) {
        if (terminalMaster_ >= 0) {
            const ssize_t written = write(terminalMaster_, bytes.data(), bytes.size());
            (void)written;
        }
    }

    // Waits for the end (killing the game after the time limit) and returns what it wrote.
    ProcessResult finish(double timeoutSeconds) {
        ProcessResult result;
        const auto deadline = clockAfter(timeoutSeconds);
        while (running() && std::chrono::steady_clock::now() < deadline) {
            sleepSeconds(0.05);
        }
        if (running()) {
            kill(pid_, SIGKILL);
            result.timedOut = true;
        }
        reap(true);
        joinReaders();
        if (WIFEXITED(status_)) {
            result.exitStatus = WEXITSTATUS(status_);
        } else if (WIFSIGNALED(status_)) {
            result.signal = WTERMSIG(status_);
        }
        std::lock_guard<std::mutex> lock(mutex_);
        result.out = out_;
        result.err = err_;
        return result;
    }

private:
    static std::chrono::steady_clock::time_point clockAfter(double seconds) {
        return std::chrono::steady_clock::now() +
               std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                   std::chrono::duration<double>(seconds));
    }

    static void closeFrom(int first) {
        if (close_range(static_cast<unsigned>(first), ~0u, 0) == 0) {
            return;
        }
        const long limit = sysconf(_SC_OPEN_MAX);
        for (long fd = first; fd < (limit > 0 ? limit : 1024); ++fd) {
            close(static_cast<int>(fd));
        }
    }

    void collect(int fd, std::string& sink) {
        char buffer[4096];
        for (;;) {
            const ssize_t got = read(fd, buffer, sizeof(buffer));
            if (got > 0) {
                std::lock_guard<std::mutex> lock(mutex_);
                sink.append(buffer, static_cast<size_t>(got));
            } else if (got < 0 && errno == EINTR) {
                continue;
            } else {
                break;
            }
        }
        close(fd);
    }

    void reap(bool block) {
        if (pid_ <= 0 || ended_) {
            return;
        }
        int status = 0;
        const pid_t done = waitpid(pid_, &status, block ? 0 : WNOHANG);
        if (done == pid_) {
            status_ = status;
            ended_ = true;
        }
    }

    void joinReaders() {
        for (std::thread& reader : readers_) {
            if (reader.joinable()) {
                reader.join();
            }
        }
    }

    pid_t pid_ = -1;
    int terminalMaster_ = -1;
    bool ended_ = false;
    int status_ = 0;
    std::string window_;
    std::mutex mutex_;
    std::string out_;
    std::string err_;
    std::vector<std::thread> readers_;
};

// Xvfb resets itself whenever its last client leaves, and a game that connects during the
// reset cannot start GLFW. One idle client held for the whole test run keeps the server
// up between games. Returns false when there is no display at all.
inline bool holdDisplayOpen() {
    if (!hasDisplay() || !hasXdotool()) {
        return hasDisplay();
    }
    static std::unique_ptr<GameProcess> idleClient;
    for (int attempt = 0; attempt < 50 && !(idleClient && idleClient->running()); ++attempt) {
        idleClient = std::make_unique<GameProcess>(
            std::vector<std::string>{xdotoolPath, "sleep", "86400"}, GameProcess::Options());
        sleepSeconds(0.2);
    }
    for (int attempt = 0; attempt < 50 && runXdotool({"getdisplaygeometry"}).exitStatus != 0;
         ++attempt) {
        sleepSeconds(0.2);
    }
    return true;
}

// The one message that the reset described above produces; a game that fails this way
// while a server is there is started again.
inline bool glfwFoundNoServer(const std::string& out) {
    return out.find("ERROR: Failed to init glfw\n") != std::string::npos;
}

inline ProcessResult runWithServer(const std::vector<std::string>& argv,
                                   const ProcessOptions& options) {
    ProcessResult result;
    for (int attempt = 0; attempt < 5; ++attempt) {
        result = TolvaTest::runProcess(argv, options);
        if (!glfwFoundNoServer(result.out)) {
            break;
        }
        sleepSeconds(1.0);
    }
    return result;
}

// Starts the game and waits for its window; `window` is left empty if none showed.
inline std::unique_ptr<GameProcess> startGameWithWindow(const std::vector<std::string>& argv,
                                                        const GameProcess::Options& options,
                                                        std::string& window,
                                                        double timeoutSeconds = 60.0) {
    std::unique_ptr<GameProcess> game;
    for (int attempt = 0; attempt < 5; ++attempt) {
        game = std::make_unique<GameProcess>(argv, options);
        window = game->waitForWindow(timeoutSeconds);
        if (!window.empty() || game->running() || !glfwFoundNoServer(game->finish(10.0).out)) {
            break;
        }
        sleepSeconds(1.0);
    }
    return game;
}

} // namespace TolvaE2e
