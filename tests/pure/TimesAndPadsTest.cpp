// SPDX-License-Identifier: GPL-3.0-or-later
// The times a player reads (the round clock, the won picture's times) and the best-time
// file behind them: where it lives, what counts as a record, when a win replaces it and
// how. And which game keys one or several gamepads hold.
#include "app/BestTime.h"
#include "app/GamepadKeys.h"
#include "app/TimeText.h"
#include "app/WinRecord.h"

#include <algorithm>
#include <cmath>
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
    std::string tolva = path + "/share/tolva";
    std::string record = tolva + "/best-time";
    ~Folder() { std::filesystem::remove_all(path); }
};

int modeOf(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 ? int(info.st_mode & 07777) : -1;
}

std::vector<int> keysHeld(const GLFWgamepadstate& pad) {
    std::vector<int> keys;
    for (int key = GLFW_KEY_SPACE; key <= GLFW_KEY_LAST; ++key) {
        keys.insert(keys.end(), padHoldsKey(pad, key) ? 1 : 0, key);
    }
    return keys;
}

} // namespace

TEST(TimeText, TheClockRoundsSecondsUpAndShowsRedTenthsInTheLastTen) {
    const struct {
        float left;
        const char* text;
        bool red;
    } faces[] = {{60, "50", false},    {50, "50", false},    {49.5f, "50", false},
                 {49, "49", false},    {10.5f, "11", false}, {10, "10", false},
                 {9.99f, "9,9", true}, {9.9f, "9,9", true},  {0.95f, "0,9", true},
                 {0.1f, "0,1", true},  {0.05f, "0,0", true}, {-3, "0,0", true}};
    for (const auto& f : faces) {
        const ClockFace face = clockFace(f.left);
        EXPECT_EQ(face.text, f.text) << f.left << " s left";
        EXPECT_EQ(face.finalSeconds, f.red) << f.left << " s left";
    }
    const std::pair<int, const char*> wonTimes[] = {
        {2345, "23,45 s"}, {5, "0,05 s"}, {10, "0,10 s"}, {100, "1,00 s"}, {4999, "49,99 s"}};
    for (const auto& [hundredths, text] : wonTimes) {
        EXPECT_EQ(wonTimeText(hundredths), text);
    }
}

TEST(BestTime, LivesInTheXdgDataFolderOrUnderHome) {
    EXPECT_EQ(bestTimePath("/x", "/h"), "/x/tolva/best-time");
    EXPECT_EQ(bestTimePath("relative", "/h"), "/h/.local/share/tolva/best-time");
    EXPECT_EQ(bestTimePath(nullptr, ""), "");
}

// A record is a time over 0 and up to 50 s with at most two decimals and one line end, in
// a plain file of at most 64 bytes; a win replaces it only when faster to the hundredth.
TEST(BestTime, AWinReplacesTheFileOnlyWhenFasterThanAValidRecord) {
    struct Win {
        std::string before; // "<none>": no file and no folder; "<fifo>", "<huge>": such files
        float seconds;
        int hundredths, best;
        bool record;
        std::string after;
    };
    std::vector<Win> wins = {
        {"<none>", 23.45f, 2345, 2345, true, "23.45\n"},
        {"23.45\n", 23.45f, 2345, 2345, false, "23.45\n"},   // a tie is no record
        {"23.45\n", 23.4451f, 2345, 2345, false, "23.45\n"}, // nor what rounds to one
        {"23.45\n", 23.4449f, 2344, 2344, true, "23.44\n"},
        {"23.45\n", 30, 3000, 2345, false, "23.45\n"},
        {"0.05", 0.06f, 6, 5, false, "0.05"},
        {"0.05\n", 0.04f, 4, 4, true, "0.04\n"},
        {"7.5", 7.51f, 751, 750, false, "7.5"},
        {"0.01", 0.01f, 1, 1, false, "0.01"},
        {"50.00\n", 50, 5000, 5000, false, "50.00\n"},
    };
    // No record: any win is one and replaces the file.
    for (std::string damaged : {"0.00\n", "50.01", "12.345", "1.", "-1.00", "12.00\n\n", "",
                                "<fifo>", "<huge>", "12\\0.00"}) {
        damaged = damaged == "12\\0.00" ? std::string("12\0.00", 6) : damaged;
        wins.push_back({damaged, 40, 4000, 4000, true, "40.00\n"});
    }
    for (const auto& w : wins) {
        Folder folder;
        if (w.before != "<none>") {
            std::filesystem::create_directories(folder.tolva);
        }
        if (w.before == "<fifo>") {
            mkfifo(folder.record.c_str(), 0600);
        } else if (w.before != "<none>") {
            std::ofstream(folder.record, std::ios::binary)
                << (w.before == "<huge>" ? "12.00\n" : w.before);
            EXPECT_EQ(
                truncate(folder.record.c_str(), w.before == "<huge>" ? 1L << 30 : w.before.size()),
                0);
        }
        keepBestTimeIn(folder.record);
        forgetRunBest();
        const WinTimes times = recordWin(w.seconds);
        EXPECT_EQ(times.hundredths, w.hundredths) << w.seconds << " s against " << w.before;
        EXPECT_EQ(times.bestHundredths, w.best) << w.seconds << " s against " << w.before;
        EXPECT_EQ(times.newRecord, w.record) << w.seconds << " s against " << w.before;
        EXPECT_EQ(readText(folder.record), w.after) << w.seconds << " s against " << w.before;
        if (w.before == "<none>") {
            EXPECT_EQ(modeOf(folder.path + "/share"), 0700) << "folders are the player's alone";
            EXPECT_EQ(modeOf(folder.tolva), 0700);
            EXPECT_EQ(readBestTime(folder.tolva), -1) << "a folder is no record";
        }
    }
    keepBestTimeIn("");
}

TEST(BestTime, TheRecordArrivesWholeByARenameAndNothingIsLeftBeside) {
    Folder folder;
    std::string problem;
    ASSERT_TRUE(writeBestTime(folder.record, 3100, problem)) << problem;
    const int watch = inotify_init1(IN_NONBLOCK);
    inotify_add_watch(watch, folder.tolva.c_str(), IN_ALL_EVENTS);
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
    const std::filesystem::directory_iterator files(folder.tolva);
    EXPECT_EQ(std::distance(begin(files), end(files)), 1) << "a temporary file was left";
}

TEST(BestTime, AFolderItCannotWriteCostsOneLineAndTheRunStillRemembers) {
    Folder folder;
    std::filesystem::create_directories(folder.tolva);
    chmod(folder.tolva.c_str(), 0555);
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
    EXPECT_NE(lines.find(folder.tolva + " "), std::string::npos) << lines;
    EXPECT_EQ(access(folder.record.c_str(), F_OK), -1);
}

TEST(PadKeys, EachButtonAndLeanHoldsItsKeyAndNothingElse) {
    constexpr int W = GLFW_KEY_W, S = GLFW_KEY_S, A = GLFW_KEY_A, D = GLFW_KEY_D, R = GLFW_KEY_R,
                  Jump = GLFW_KEY_SPACE, Left = GLFW_KEY_LEFT, Right = GLFW_KEY_RIGHT,
                  Esc = GLFW_KEY_ESCAPE, F1 = GLFW_KEY_F1;
    // GLFW's order: A, B, X, Y, the bumpers, Back, Start, Guide, the thumbs, the D-pad's up,
    // right, down and left.
    const int byButton[] = {Jump, 0, R, 0, Left, Right, Esc, F1, 0, 0, 0, W, D, S, A};
    // Both sticks' x and y, then the triggers, leaning towards - and + past the dead zone.
    const int byAxis[2][6] = {{A, W, 0, 0, 0, 0}, {D, S, 0, 0, 0, R}};
    const auto only = [](int key) { return key != 0 ? std::vector<int>{key} : std::vector<int>(); };
    EXPECT_EQ(keysHeld(restingPad()), std::vector<int>());
    for (int button = 0; button <= GLFW_GAMEPAD_BUTTON_LAST; ++button) {
        GLFWgamepadstate pad = restingPad();
        pad.buttons[button] = GLFW_PRESS;
        EXPECT_EQ(keysHeld(pad), only(byButton[button])) << "button " << button;
    }
    for (int axis = 0; axis <= GLFW_GAMEPAD_AXIS_LAST; ++axis) {
        for (float lean : {-0.26f, -0.24f, 0.0f, 0.24f, 0.26f}) {
            GLFWgamepadstate pad = restingPad();
            pad.axes[axis] = lean; // 0 is also what a trigger GLFW cannot map reads
            EXPECT_EQ(keysHeld(pad), only(std::fabs(lean) > 0.25f ? byAxis[lean > 0][axis] : 0))
                << "axis " << axis << " at " << lean;
        }
    }
}

TEST(PadKeys, SeveralPadsActAsOneWhateverTheirOrder) {
    GLFWgamepadstate pads[3] = {restingPad(), restingPad(), restingPad()};
    pads[0].axes[GLFW_GAMEPAD_AXIS_LEFT_X] = 0.5f;
    pads[1].axes[GLFW_GAMEPAD_AXIS_LEFT_X] = -0.8f; // leans further: A, not D
    pads[0].axes[GLFW_GAMEPAD_AXIS_LEFT_Y] = -0.3f;
    pads[2].axes[GLFW_GAMEPAD_AXIS_LEFT_Y] = 0.1f;
    pads[1].axes[GLFW_GAMEPAD_AXIS_RIGHT_TRIGGER] = 0.0f; // unmapped
    pads[2].axes[GLFW_GAMEPAD_AXIS_RIGHT_TRIGGER] = 0.5f;
    pads[0].buttons[GLFW_GAMEPAD_BUTTON_A] = GLFW_PRESS;
    pads[2].buttons[GLFW_GAMEPAD_BUTTON_START] = GLFW_PRESS;
    for (const std::vector<int>& order : {std::vector<int>{0, 1, 2}, {2, 1, 0}}) {
        GLFWgamepadstate merged = restingPad();
        for (int pad : order) {
            mergePadState(merged, pads[pad]);
        }
        EXPECT_EQ(keysHeld(merged), std::vector<int>({GLFW_KEY_SPACE, GLFW_KEY_A, GLFW_KEY_R,
                                                      GLFW_KEY_W, GLFW_KEY_F1}))
            << "merged in the order " << order[0] << order[1] << order[2];
    }
}
