// SPDX-License-Identifier: GPL-3.0-or-later
// The best-run and settings files: what comes back from them, what is refused with one line
// naming the file, and the volume's steps.
#include "app/PlayerFiles.h"
#include "app/RunRecording.h"
#include "app/Settings.h"

#include <GLFW/glfw3.h>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

using namespace Pellwin;

namespace {

struct Folder {
    std::string path = mkdtemp(std::string("/tmp/tolva-files-XXXXXX").data());
    ~Folder() { std::filesystem::remove_all(path); }
};

// What `act` writes to standard error, at most one line.
std::string errorsOf(const std::function<void()>& act) {
    std::ostringstream errors;
    std::streambuf* const previous = std::cerr.rdbuf(errors.rdbuf());
    act();
    std::cerr.rdbuf(previous);
    const std::string text = errors.str();
    EXPECT_LE(std::count(text.begin(), text.end(), '\n'), 1) << text;
    return text;
}

// The bytes as a file, or for "<dir>" a folder, or a sparse file of `huge` bytes.
void place(const std::string& file, const std::string& bytes, long huge = 0) {
    if (bytes == "<dir>") {
        mkdir(file.c_str(), 0700);
    } else if (bytes != "<none>") {
        std::ofstream(file, std::ios::binary) << bytes;
        EXPECT_EQ(truncate(file.c_str(), huge > 0 ? huge : long(bytes.size())), 0);
    }
}

constexpr std::uint64_t level = 0x1234abcd5678ef90ULL;

// Three frames, the middle one long; the clock counts the last two and the goal's frame.
RecordedRun threeFrames() {
    RunRecording recording;
    beginRecording(recording, level);
    recordFrame(recording, 1 / 60.0f, 0x21, {0.0f, 1.0f, -10.0f});
    recordFrame(recording, 0.05f, 0x80, {0.5f, 1.25f, -11.0f});
    recordFrame(recording, 1 / 60.0f, 0x00, {1.0f, 1.0f, -12.0f});
    recording.run.finishHundredths = 8;
    recording.run.goalFrameSeconds = 1 / 60.0f;
    return recording.run;
}

} // namespace

TEST(RunFile, ARunComesBackWholeAndItsBallIsFoundBetweenFrames) {
    Folder folder;
    const std::string file = folder.path + "/tolva/best-run";
    std::string problem;
    ASSERT_TRUE(writeRun(file, threeFrames(), problem)) << problem;
    RecordedRun run;
    EXPECT_EQ(errorsOf([&] { EXPECT_TRUE(readRun(file, level, run)); }), "");
    ASSERT_EQ(run.frames.size(), 3u);
    EXPECT_TRUE(run.finishHundredths == 8 && run.frames[1].seconds == 0.05f &&
                run.frames[1].ball == glm::vec3(0.5f, 1.25f, -11.0f));
    EXPECT_TRUE(runKeysHold(run.frames[0].keys, GLFW_KEY_W) &&
                runKeysHold(run.frames[0].keys, GLFW_KEY_SPACE) &&
                !runKeysHold(run.frames[0].keys, GLFW_KEY_S) &&
                runKeysHold(run.frames[1].keys, GLFW_KEY_RIGHT));
    // The frames end at 1/60, 1/60 + 0.05 and 2/60 + 0.05 s.
    const std::pair<double, float> moments[] = {
        {-1, 0}, {1 / 60.0, 0}, {1 / 60.0 + 0.0125, 0.125f}, {1.5 / 60 + 0.05, 0.75f}, {9, 1}};
    for (const auto& [t, x] : moments) {
        EXPECT_NEAR(runBallAt(run, t).x, x, 1e-5) << t;
    }
    RunRecording full;
    for (std::size_t i = 0; i <= runFrameLimit; ++i) {
        recordFrame(full, 0.0005f, 0, {});
    }
    EXPECT_TRUE(full.cutShort && full.run.frames.size() == runFrameLimit);
    beginRecording(full, level);
    EXPECT_TRUE(!full.cutShort && full.run.frames.empty());
    struct stat folderMode {};
    EXPECT_TRUE(stat((folder.path + "/tolva").c_str(), &folderMode) == 0 &&
                (folderMode.st_mode & 0777) == 0700);
}

TEST(RunFile, ADamagedRunIsRefusedWithOneLineNamingTheFileAndWhy) {
    const std::string good = encodeRun(threeFrames());
    const auto with = [&good](std::size_t at, const std::string& bytes) {
        return good.substr(0, at) + bytes + good.substr(std::min(good.size(), at + bytes.size()));
    };
    const auto as = [](float value) { return std::string(reinterpret_cast<char*>(&value), 4); };
    const std::size_t frame1 = runHeaderBytes + runFrameBytes;
    const struct {
        const char* name;
        std::string bytes;
        const char* why;
        long huge;
    } cases[] = {{"missing", "<none>", "", 0},
                 {"cut in a frame", good.substr(0, good.size() - 1), "abgeschnitten", 0},
                 {"cut in the header", good.substr(0, 10), "abgeschnitten", 0},
                 {"foreign", "\x89PNG\r\n", "kein Lauf von Tolva", 0},
                 {"newer format", with(4, "\x03"), "Formatversion 3, dieses Spiel liest 2", 0},
                 {"other level", with(8, "\x91"), "auf einer anderen Strecke", 0},
                 {"frame count", with(20, "\xA1\x86\x01"), "100001 Bilder, mehr als", 0},
                 {"bytes after", good + "x", "besch\344digt: 1 Bytes nach", 0},
                 {"NaN frame", with(frame1, as(NAN)), "Bild 1 dauert nan s.", 0},
                 {"negative frame", with(frame1, as(-0.25f)), "Bild 1 dauert -0.25 s", 0},
                 {"frame of no time", with(runHeaderBytes, as(0)), "Bild 0 dauert 0 s", 0},
                 {"frame past the round", with(frame1, as(50.5f)), "Bild 1 dauert 50.5 s", 0},
                 {"ball nowhere", with(frame1 + 9, as(INFINITY)), "besch\344digt: Bild 1", 0},
                 {"NaN goal frame", with(24, as(NAN)), "das Zielbild dauert nan s", 0},
                 {"unknown start", with(28, "\x08"), "besch\344digt: unbekannter Anfang", 0},
                 {"finish too late", with(16, "\x14"), "Zielzeit 0.20 s passt nicht", 0},
                 {"no finish", with(16, std::string(1, '\0')), "Zielzeit 0.00 s", 0},
                 {"too large", good, "gr\366\337er als 1700033 Bytes", long(runFileLimit) + 1},
                 {"a folder", "<dir>", "keine gew\366hnliche Datei", 0}};
    for (const auto& c : cases) {
        Folder folder;
        const std::string file = folder.path + "/best-run";
        place(file, c.bytes, c.huge);
        RecordedRun run = threeFrames();
        const std::string error = errorsOf([&] { EXPECT_FALSE(readRun(file, level, run)); });
        const std::string line = "Bestlauf " + file + " wird nicht verwendet: " + c.why;
        EXPECT_EQ(error.substr(0, *c.why ? line.size() : -1), *c.why ? line : "") << c.name;
        EXPECT_EQ(encodeRun(run), good) << c.name << ": the run in hand stays";
    }
    RecordedRun unfinished = threeFrames();
    unfinished.finishHundredths = 900;
    const Folder folder;
    std::string problem;
    EXPECT_FALSE(writeRun(folder.path + "/best-run", unfinished, problem));
    EXPECT_EQ(problem.rfind("Bestlauf nicht gespeichert: Zielzeit 9.00 s passt nicht", 0), 0u);
    EXPECT_FALSE(std::filesystem::exists(folder.path + "/best-run"));
}

TEST(Settings, AMissingOrDamagedFileGivesTheDefaultsWithOneLine) {
    const Settings no;
    const struct {
        const char* name;
        std::string text;
        Settings settings;
        const char* why;
    } cases[] = {
        {"missing", "<none>", no, ""},
        {"empty", "", no, ""},
        {"kept", formatSettings({100, true, false}), {100, true, false}, ""},
        {"unknown keys, sections, spellings",
         "[Ton]\nVolume=0\nfarbe = rot\nghost = off ; aus\n",
         {0, false, false},
         ""},
        {"between steps", "muted = true\nvolume = 35\n", no, "Zeile 2 ist keine g\374ltige"},
        {"too loud", "volume = 110\n", no, "Zeile 1"},
        {"negative", "volume = -10\n", no, "Zeile 1"},
        {"no switch", "volume = 20\nmuted = maybe\n", no, "Zeile 2"},
        {"no INI", "ghost true\n", no, "Zeile 1"},
        {"NUL byte", std::string("volume = 10\0", 12), no, "ein NUL-Byte"},
        {"too large", "<huge>", no, "gr\366\337er als 4096 Bytes"},
        {"a folder", "<dir>", no, "keine gew\366hnliche Datei"}};
    for (const auto& c : cases) {
        Folder folder;
        const std::string file = folder.path + "/settings";
        place(file, c.text == "<huge>" ? "volume = 10\n" : c.text, c.text == "<huge>" ? 5000 : 0);
        Settings read;
        const std::string error = errorsOf([&] { read = readSettings(file); });
        const std::string line = "Einstellungen " + file + " werden nicht verwendet: " + c.why;
        EXPECT_EQ(error.substr(0, *c.why ? line.size() : -1), *c.why ? line : "") << c.name;
        EXPECT_TRUE(read.volume == c.settings.volume && read.muted == c.settings.muted &&
                    read.ghostShown == c.settings.ghostShown)
            << c.name;
    }
}

TEST(Settings, AreWrittenWhereXdgSaysOrSayWhyNotAndTheVolumeStepsByTenths) {
    Folder folder;
    std::string problem;
    place(folder.path + "/file", "");
    EXPECT_FALSE(writeSettings(folder.path + "/file/tolva/settings", {}, problem));
    EXPECT_EQ(problem, "Einstellungen nicht gespeichert: der Ordner " + folder.path +
                           "/file/tolva kann nicht angelegt werden (Not a directory)");
    EXPECT_EQ(playerFilePath(PlayerFolder::config, "settings", "", "/h"),
              "/h/.config/tolva/settings");
    const struct {
        int volume, step, after;
    } cases[] = {{100, +1, 100}, {100, -1, 90}, {0, -1, 0}, {0, +1, 10}, {50, +1, 60}};
    for (const auto& c : cases) {
        EXPECT_EQ(volumeAfterStep(c.volume, c.step), c.after) << c.volume << " " << c.step;
    }
    EXPECT_EQ(volumeText(70), "Lautst\344rke 70 %");
}
