// SPDX-License-Identifier: GPL-3.0-or-later
// The best-time file: where it lives, what counts as a record, that it is replaced whole,
// and that a folder the game cannot write costs one line and nothing else. And which game
// keys a gamepad holds.
#include "app/BestTime.h"
#include "app/GamepadKeys.h"
#include "app/WinRecord.h"

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace Pellwin;

namespace {

std::string readText(const std::string& path) {
    return std::string(std::istreambuf_iterator<char>(std::ifstream(path).rdbuf()), {});
}

struct Folder {
    std::string path = mkdtemp(std::string("/tmp/tolva-best-XXXXXX").data());
    std::string record = path + "/tolva/best-time";
    ~Folder() { std::filesystem::remove_all(path); }
};

} // namespace

TEST(BestTime, LivesInTheXdgDataFolderOrUnderHome) {
    EXPECT_EQ(bestTimePath("/x", "/h"), "/x/tolva/best-time");
    EXPECT_EQ(bestTimePath("relative", "/h"), "/h/.local/share/tolva/best-time");
    EXPECT_EQ(bestTimePath(nullptr, ""), "");
}

TEST(BestTime, ADamagedFileIsNoRecord) {
    const struct {
        const char* name;
        std::string bytes; // "<none>", "<dir>", "<fifo>", "<huge>" stand for such files
        int hundredths;
    } cases[] = {{"kept", "23.45\n", 2345},
                 {"missing", "<none>", -1},
                 {"empty", "", -1},
                 {"over 50 s", "50.01", -1},
                 {"three decimals", "12.345", -1},
                 {"two lines", "12.00\n13.00\n", -1},
                 {"zero byte", std::string("12\0.00", 6), -1},
                 {"folder", "<dir>", -1},
                 {"pipe", "<fifo>", -1},
                 {"too large", "<huge>", -1}};
    for (const auto& c : cases) {
        Folder folder;
        const std::string file = folder.path + "/best-time";
        if (c.bytes == "<dir>") {
            mkdir(file.c_str(), 0700);
        } else if (c.bytes == "<fifo>") {
            mkfifo(file.c_str(), 0600);
        } else if (c.bytes != "<none>") {
            std::ofstream(file, std::ios::binary) << (c.bytes == "<huge>" ? "12.00\n" : c.bytes);
            EXPECT_EQ(truncate(file.c_str(), c.bytes == "<huge>" ? 1L << 30 : c.bytes.size()), 0);
        }
        EXPECT_EQ(readBestTime(file), c.hundredths) << c.name;
    }
}

TEST(BestTime, TheRecordArrivesWholeByARenameAndNothingIsLeftBeside) {
    Folder folder;
    std::string problem;
    ASSERT_TRUE(writeBestTime(folder.record, 3100, problem)) << problem;
    const int watch = inotify_init1(IN_NONBLOCK);
    inotify_add_watch(watch, (folder.path + "/tolva").c_str(), IN_ALL_EVENTS);
    ASSERT_TRUE(writeBestTime(folder.record, 2999, problem)) << problem;
    alignas(inotify_event) char events[4096];
    const ssize_t got = read(watch, events, sizeof(events));
    close(watch);
    uint32_t seen = 0;
    for (ssize_t at = 0; at < got;) {
        const auto* event = reinterpret_cast<const inotify_event*>(events + at);
        seen |= event->len > 0 && std::string(event->name) == "best-time" ? event->mask : 0;
        at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
    }
    // The record's own name is never opened, only renamed onto.
    EXPECT_EQ(seen, static_cast<uint32_t>(IN_MOVED_TO));
    EXPECT_EQ(readText(folder.record), "29.99\n");
    const std::filesystem::directory_iterator files(folder.path + "/tolva");
    EXPECT_EQ(std::distance(begin(files), end(files)), 1) << "a temporary file was left";
}

TEST(BestTime, AFolderItCannotWriteCostsOneLineAndTheRunStillRemembers) {
    Folder folder;
    mkdir((folder.path + "/tolva").c_str(), 0555);
    chmod(folder.path.c_str(), 0755);
    const std::string errors = folder.path + "/errors";
    const pid_t child = fork();
    if (child == 0) {
        dup2(open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), STDERR_FILENO);
        // Root writes anywhere; the player the folder keeps out is nobody.
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) {
            _exit(3);
        }
        keepBestTimeIn(folder.record);
        const bool first = recordWin(30.0f).newRecord;
        const WinTimes second = recordWin(35.0f);
        _exit(first && !second.newRecord && second.bestHundredths == 3000 ? 0 : 4);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    const std::string lines = readText(errors);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 1) << lines;
    EXPECT_NE(lines.find(folder.path + "/tolva "), std::string::npos) << lines;
    EXPECT_EQ(access(folder.record.c_str(), F_OK), -1);
}

TEST(PadKeys, ARestingPadHoldsNoKeyAndAStickCountsPastTheDeadZone) {
    GLFWgamepadstate pad = restingPad();
    const auto keysHeld = [&pad] {
        std::vector<int> keys;
        for (int key = GLFW_KEY_SPACE; key <= GLFW_KEY_LAST; ++key) {
            keys.insert(keys.end(), padHoldsKey(pad, key) ? 1 : 0, key);
        }
        return keys;
    };
    EXPECT_EQ(keysHeld(), std::vector<int>());
    pad.axes[GLFW_GAMEPAD_AXIS_LEFT_Y] = -0.24f;
    EXPECT_EQ(keysHeld(), std::vector<int>());
    pad.axes[GLFW_GAMEPAD_AXIS_LEFT_Y] = -0.26f;
    pad.buttons[GLFW_GAMEPAD_BUTTON_RIGHT_BUMPER] = GLFW_PRESS;
    pad.buttons[GLFW_GAMEPAD_BUTTON_BACK] = GLFW_PRESS;
    pad.buttons[GLFW_GAMEPAD_BUTTON_START] = GLFW_PRESS;
    EXPECT_EQ(keysHeld(), std::vector<int>({GLFW_KEY_P, GLFW_KEY_W, GLFW_KEY_ESCAPE, GLFW_KEY_RIGHT,
                                            GLFW_KEY_F1}));
    // A trigger GLFW cannot map reads 0, half way: that must not run.
    pad = GLFWgamepadstate{};
    EXPECT_EQ(keysHeld(), std::vector<int>());
}
