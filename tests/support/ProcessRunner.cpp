// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/ProcessRunner.h"

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace TolvaTest {

namespace {

std::mutex outputMutex;

double now() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

Process::Process(const std::vector<std::string>& argv, const ProcessOptions& options) {
    int out[2], err[2];
    if (pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0 ||
        (options.terminal && openpty(&master_, &slave_, nullptr, nullptr, nullptr) != 0)) {
        return;
    }
    pid_ = fork();
    if (pid_ == 0) {
        if (!options.workingDirectory.empty() && chdir(options.workingDirectory.c_str()) != 0) {
            _exit(127);
        }
        for (const std::string& variable : options.environment) {
            const size_t equals = variable.find('=');
            if (equals == std::string::npos) {
                unsetenv(variable.c_str());
            } else {
                setenv(variable.substr(0, equals).c_str(), variable.c_str() + equals + 1, 1);
            }
        }
        dup2(options.terminal ? slave_ : open("/dev/null", O_RDONLY), STDIN_FILENO);
        dup2(out[1], STDOUT_FILENO);
        dup2(err[1], STDERR_FILENO);
        close_range(3, ~0u, 0);
        std::vector<char*> args;
        for (const std::string& arg : argv) {
            args.push_back(const_cast<char*>(arg.c_str()));
        }
        args.push_back(nullptr);
        execv(args[0], args.data());
        _exit(127);
    }
    close(out[1]);
    close(err[1]);
    reader_ = std::thread([this, fds = std::vector<int>{out[0], err[0]}]() mutable {
        pollfd polls[2] = {{fds[0], POLLIN, 0}, {fds[1], POLLIN, 0}};
        for (int open = 2; open > 0;) {
            if (poll(polls, 2, 1000) < 0) {
                continue;
            }
            for (int i = 0; i < 2; ++i) {
                if (polls[i].fd < 0 || polls[i].revents == 0) {
                    continue;
                }
                char buffer[4096];
                const ssize_t got = read(polls[i].fd, buffer, sizeof(buffer));
                if (got > 0) {
                    std::lock_guard<std::mutex> lock(outputMutex);
                    (i == 0 ? out_ : err_).append(buffer, size_t(got));
                } else {
                    close(polls[i].fd);
                    polls[i].fd = -1;
                    --open;
                }
            }
        }
    });
}

Process::~Process() {
    if (running()) {
        kill(pid_, SIGKILL);
    }
    reap(true);
    if (reader_.joinable()) {
        reader_.join();
    }
    for (int fd : {master_, slave_}) {
        if (fd >= 0) {
            close(fd);
        }
    }
}

void Process::reap(bool block) {
    if (pid_ > 0 && !ended_ && waitpid(pid_, &status_, block ? 0 : WNOHANG) == pid_) {
        ended_ = true;
    }
}

bool Process::running() {
    reap(false);
    return pid_ > 0 && !ended_;
}

std::string Process::outputSoFar() {
    std::lock_guard<std::mutex> lock(outputMutex);
    return out_;
}

bool Process::waitForOutput(const std::string& text, double seconds) {
    for (const double end = now() + seconds; now() < end; sleepSeconds(0.05)) {
        if (outputSoFar().find(text) != std::string::npos) {
            return true;
        }
        if (!running()) {
            sleepSeconds(0.2);
            return outputSoFar().find(text) != std::string::npos;
        }
    }
    return false;
}

ProcessResult Process::finish(double seconds) {
    ProcessResult result;
    for (const double end = now() + seconds; running() && now() < end;) {
        sleepSeconds(0.05);
    }
    if (running()) {
        kill(pid_, SIGKILL);
        result.timedOut = true;
    }
    reap(true);
    if (reader_.joinable()) {
        reader_.join();
    }
    result.exitStatus = WIFEXITED(status_) ? WEXITSTATUS(status_) : -1;
    result.signal = WIFSIGNALED(status_) ? WTERMSIG(status_) : 0;
    result.out = out_;
    result.err = err_;
    return result;
}

void Process::type(const std::string& bytes) {
    const ssize_t written = write(master_, bytes.data(), bytes.size());
    (void)written;
}

int Process::unreadTerminalBytes() {
    int queued = 0;
    return ioctl(slave_, FIONREAD, &queued) == 0 ? queued : -1;
}

ProcessResult runProcess(const std::vector<std::string>& argv, const ProcessOptions& options,
                         double seconds) {
    Process process(argv, options);
    return process.finish(seconds);
}

void sleepSeconds(double seconds) {
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

TemporaryFolder::TemporaryFolder()
    : path((std::filesystem::temp_directory_path() / "tolva-test-XXXXXX").string()) {
    if (mkdtemp(path.data()) == nullptr) {
        path.clear();
    }
}

TemporaryFolder::~TemporaryFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

std::string waitForGameWindow(Process& game, double seconds) {
    for (const double end = now() + seconds; now() < end && game.running(); sleepSeconds(0.1)) {
        const ProcessResult found =
            runProcess({"/usr/bin/xdotool", "search", "--onlyvisible", "--pid",
                        std::to_string(game.pid()), "--name", "^Tolva - Quellmoor$"});
        if (found.exitStatus == 0 && !found.out.empty()) {
            return found.out.substr(0, found.out.find('\n'));
        }
    }
    return "";
}

void holdKeyInWindow(const std::string& window, const std::string& key, double seconds) {
    runProcess({"/usr/bin/xdotool", "windowfocus", "--sync", window});
    runProcess({"/usr/bin/xdotool", "keydown", key});
    sleepSeconds(seconds);
    runProcess({"/usr/bin/xdotool", "keyup", key});
}

ProcessResult quitWithEscape(Process& game, const std::string& window) {
    for (int attempt = 1; attempt <= 10 && game.running(); ++attempt) {
        holdKeyInWindow(window, "Escape", 0.3 * attempt);
        for (int wait = 0; wait < 40 && game.running(); ++wait) {
            sleepSeconds(0.05);
        }
    }
    return game.finish(30.0);
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace TolvaTest
