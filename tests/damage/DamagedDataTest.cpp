// SPDX-License-Identifier: GPL-3.0-or-later
// Shipped data damaged four ways: gone, empty, cut in half, overwritten with noise. Broken
// models or pictures cost only their objects' looks, each with the game's one line for it
// however it is broken; a broken shader ends the game with the loader's words and status 1.
// Nothing crashes or trips a sanitizer, and the console says nothing else.
#include "support/ProcessRunner.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <random>

namespace fs = std::filesystem;
using namespace TolvaTest;

namespace {

enum Damage { missing, empty, halved, noise };
const char* const damageNames[] = {"missing", "empty", "cut in half", "noise"};

void damage(const fs::path& path, Damage how) {
    const std::string intact = readFile(path);
    std::string bytes = how == halved ? intact.substr(0, intact.size() / 2) : "";
    if (how == noise) {
        std::mt19937 random(unsigned(intact.size()));
        bytes.resize(std::max<size_t>(intact.size(), 64));
        std::generate(bytes.begin(), bytes.end(), [&] { return char(random()); });
    }
    how == missing ? void(fs::remove(path)) : void(std::ofstream(path, std::ios::binary) << bytes);
}

int linesWith(const std::string& text, const std::string& part) {
    int count = 0;
    for (size_t at = 0; (at = text.find(part, at)) != std::string::npos; at += part.size()) {
        ++count;
    }
    return count;
}

std::string gamePath(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

bool sanitizerSpoke(const std::string& err) {
    return err.find("Sanitizer") != std::string::npos ||
           err.find("runtime error") != std::string::npos;
}

class DamagedData : public ::testing::Test {
protected:
    TemporaryFolder folder;
    void SetUp() override {
        if (std::getenv("DISPLAY") == nullptr) {
            GTEST_SKIP() << "needs an X display";
        }
        fs::copy(fs::path(TOLVA_SOURCE_DIR) / "Shader", folder / "Shader");
        fs::copy(fs::path(TOLVA_SOURCE_DIR) / "Resourcen", folder / "Resourcen",
                 fs::copy_options::recursive);
    }
    // Sound goes to OpenAL's null device, so the sounds load where there is no sound card.
    ProcessResult play(const std::string& audio = "ALSOFT_DRIVERS=null") {
        return runProcess({TOLVA_DAMAGED_RUNNER}, {folder.path, {audio}, false}, 300.0);
    }
    // Shipped files with this ending that the game loads, below the working folder.
    std::vector<std::string> shipped(const std::string& ending) {
        std::vector<std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(folder.path)) {
            const std::string name = fs::relative(entry.path(), folder.path).generic_string();
            if (entry.is_regular_file() && name.rfind("Resourcen/Icons/", 0) != 0 &&
                name.size() > ending.size() &&
                name.compare(name.size() - ending.size(), ending.size(), ending) == 0) {
                files.push_back(name);
            }
        }
        std::sort(files.begin(), files.end());
        return files;
    }
};

} // namespace

TEST_F(DamagedData, BrokenModelsPicturesAndSoundsCostOnlyTheirLooksAndSounds) {
    const ProcessResult intact = play();
    ASSERT_EQ(intact.exitStatus, 0) << intact.out << intact.err;
    ASSERT_EQ(intact.err, "") << "the intact data plays without a word";
    // How many objects use each model; every picture is loaded once.
    const std::map<std::string, int> users = {
        {"Resourcen/cube.obj", 3},         {"Resourcen/cube_zentriert.obj", 18},
        {"Resourcen/sphere.obj", 2},       {"Resourcen/earth.obj", 1},
        {"Resourcen/moon.obj", 1},         {"Resourcen/pot1.obj", 1},
        {"Resourcen/metalKnife_2.obj", 7}, {"Resourcen/Lightmap/lightmap.obj", 1}};
    for (const std::string kind : {".obj", ".png", ".wav"}) {
        const std::vector<std::string> files = shipped(kind);
        for (Damage how : {missing, empty, halved, noise}) {
            SCOPED_TRACE(kind + " files " + damageNames[how]);
            const fs::path backup = folder / "intact";
            fs::copy(folder / "Resourcen", backup, fs::copy_options::recursive);
            for (const std::string& file : files) {
                damage(folder / file, how);
            }
            const ProcessResult r = play();
            fs::remove_all(folder / "Resourcen");
            fs::rename(backup, folder / "Resourcen");
            EXPECT_EQ(r.exitStatus, 0);
            EXPECT_FALSE(sanitizerSpoke(r.err)) << r.err;
            std::string out = r.out;
            for (const std::string& file : files) {
                const std::string line =
                    kind == ".obj" ? "Objekt " + gamePath(file) + " konnte nicht geladen werden!\n"
                    : kind == ".png" ? "Texture '" + gamePath(file) + "' could not be read"
                                     : "Sound '" + gamePath(file) + "' is unreadable";
                // The clock's lettering is an extra: without it the game shows no clock, quietly.
                const int expected =
                    kind == ".obj" ? users.at(file) : (file == "Resourcen/Schrift.png" ? 0 : 1);
                EXPECT_EQ(linesWith(kind == ".obj" ? r.out : r.err, line), expected) << file;
                for (size_t at; (at = out.find(line)) != std::string::npos;) {
                    out.erase(at, line.size());
                }
            }
            EXPECT_EQ(out, intact.out) << "apart from those lines the game ran as ever";
        }
    }
}

TEST_F(DamagedData, ABrokenShaderEndsTheGameWithTheLoadersWords) {
    const std::string start =
        "Hello Tolva\nyou are ececuting 'tolva'\nSUCCESS: glfw intialisiert\n";
    const ProcessResult intact = play();
    std::vector<std::string> shaders;
    for (const auto& entry : fs::directory_iterator(folder / "Shader")) {
        shaders.push_back("Shader/" + entry.path().filename().string());
    }
    ASSERT_EQ(shaders.size(), 17u);
    for (const std::string& file : shaders) {
        // Empty and cut-off programs fail to compile just as noise does.
        for (Damage how : {missing, noise}) {
            SCOPED_TRACE(file + " " + damageNames[how]);
            const std::string bytes = readFile(folder / file);
            damage(folder / file, how);
            const ProcessResult r = play();
            std::ofstream(folder / file, std::ios::binary) << bytes;
            EXPECT_FALSE(sanitizerSpoke(r.err)) << r.err;
            if (file.rfind("Shader/overlay.", 0) == 0) {
                EXPECT_EQ(r.out, intact.out) << "the clock is left out, quietly";
                continue;
            }
            EXPECT_EQ(r.exitStatus, 1);
            ASSERT_EQ(r.out.substr(0, start.size()), start);
            const std::string loadLine = "ERROR: Load file '" + gamePath(file) + "'.\n";
            EXPECT_EQ(linesWith(r.out, "ERROR: Load file"), how == missing ? 1 : 0);
            EXPECT_EQ(linesWith(r.out, loadLine), how == missing ? 1 : 0);
            EXPECT_GT(r.out.size(), start.size() + (how == missing ? loadLine.size() : 0) + 1)
                << "the compile or link log follows";
            EXPECT_EQ(linesWith(r.out, "played"), 0) << "no frame was played";
        }
    }
}

TEST_F(DamagedData, WithoutAnAudioDeviceTheGamePlaysSilentlyWithOneLine) {
    const std::string conf = folder / "no-device.conf";
    std::ofstream(conf) << "[general]\ndrivers = wave\n[wave]\nfile = /no/such/folder/x.wav\n";
    const ProcessResult r = play("ALSOFT_CONF=" + conf);
    EXPECT_EQ(r.exitStatus, 0);
    EXPECT_EQ(r.out, play().out);
    EXPECT_EQ(r.err, "Sound: no audio device could be opened; the game plays silently.\n");
}
