// Every data file the game ships, damaged four ways in turn: gone, empty, cut in half and
// overwritten with noise. A broken model or picture must cost only that object's looks,
// with the game's one message for it; a broken shader must end the game with the
// loader's message and status 1. Nothing may crash or trip a sanitizer.
#include "support/ProcessRunner.h"

#include <GLFW/glfw3.h>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using TolvaTest::ProcessResult;

namespace {

enum class Damage { missing, empty, halved, noise };
const Damage allDamages[] = {Damage::missing, Damage::empty, Damage::halved, Damage::noise};

const char* damageName(Damage damage) {
    switch (damage) {
    case Damage::missing:
        return "missing";
    case Damage::empty:
        return "empty";
    case Damage::halved:
        return "cut in half";
    case Damage::noise:
        return "random bytes";
    }
    return "?";
}

// How many scene objects import each model file.
const std::map<std::string, int> modelUsers = {
    {"Resourcen/cube.obj", 3},         {"Resourcen/cube_zentriert.obj", 18},
    {"Resourcen/sphere.obj", 2},       {"Resourcen/earth.obj", 1},
    {"Resourcen/moon.obj", 1},         {"Resourcen/pot1.obj", 1},
    {"Resourcen/metalKnife_2.obj", 7}, {"Resourcen/Lightmap/lightmap.obj", 1},
};

// Every picture the game loads (each once, through the texture cache).
const std::vector<std::string> pictures = {
    "Resourcen/BilderGedreht/titel.png",
    "Resourcen/BilderGedreht/gameOver.png",
    "Resourcen/BilderGedreht/youWon.png",
    "Resourcen/Grungemaps.png",
    "Resourcen/BilderGedreht/wand-02.png",
    "Resourcen/BilderGedreht/wintergartenFrei.png",
    "Resourcen/WoodPlanks.png",
    "Resourcen/sun.png",
    "Resourcen/BilderGedreht/Sky.png",
    "Resourcen/marmor.png",
    "Resourcen/stone01.png",
    "Resourcen/gemuese.png",
    "Resourcen/Lightmap/Lightmap_Wood.png",
    "Resourcen/wood02.png",
    "Resourcen/FlareStern.png",
    "Resourcen/FlareRing.png",
    "Resourcen/FlareSun.png",
    "Resourcen/FlareStern2.png",
    "Resourcen/Flare3.png",
    "Resourcen/pot1.png",
    "Resourcen/MetalBare.png",
    "Resourcen/WoodFine.png",
    "Resourcen/pomla.png",
};

const std::vector<std::string> shaders = {
    "basic.vert",        "blur.frag",         "geometry.geom",
    "geometry.vert",     "normals.frag",      "normals.vert",
    "normals_spot.frag", "normals_spot.vert", "normals_spot_transp.frag",
    "particel.frag",     "particel.vert",     "textur.frag",
    "textur.vert",       "vbo_vao.frag",      "vbo_vao.vert",
};

// Where the intact data comes from: the source tree, or TOLVA_DAMAGE_DATA when a test of
// freshly generated data wants it.
std::string dataSource() {
    const char* override = std::getenv("TOLVA_DAMAGE_DATA");
    return override != nullptr && override[0] != '\0' ? override : TOLVA_SOURCE_DIR;
}

std::string gamePath(const std::string& relative) {
    std::string path = relative;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

int countLines(const std::string& text, const std::string& line) {
    int count = 0;
    std::istringstream lines(text);
    for (std::string each; std::getline(lines, each);) {
        count += each == line ? 1 : 0;
    }
    return count;
}

int countLinesContaining(const std::string& text, const std::string& part) {
    int count = 0;
    std::istringstream lines(text);
    for (std::string each; std::getline(lines, each);) {
        count += each.find(part) != std::string::npos ? 1 : 0;
    }
    return count;
}

std::string withoutLinesStarting(const std::string& text, const std::string& start) {
    std::string kept;
    std::istringstream lines(text);
    for (std::string each; std::getline(lines, each);) {
        if (each.compare(0, start.size(), start) != 0) {
            kept += each + "\n";
        }
    }
    return kept;
}

bool hasSanitizerReport(const std::string& err) {
    for (const char* marker : {"AddressSanitizer", "LeakSanitizer", "UndefinedBehaviorSanitizer",
                               "runtime error:", "SUMMARY: "}) {
        if (err.find(marker) != std::string::npos) {
            return true;
        }
    }
    return false;
}

std::string readBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The same noise for a file in every run: the seed comes from its name.
std::string noiseFor(const std::string& relative, size_t size) {
    uint32_t seed = 2166136261u;
    for (unsigned char c : relative) {
        seed = (seed ^ c) * 16777619u;
    }
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& byte : bytes) {
        byte = static_cast<char>(random() & 0xFFu);
    }
    return bytes;
}

void damageFile(const std::string& path, const std::string& relative, Damage damage) {
    const std::string intact = readBytes(path);
    switch (damage) {
    case Damage::missing:
        fs::remove(path);
        break;
    case Damage::empty:
        writeBytes(path, std::string());
        break;
    case Damage::halved:
        writeBytes(path, intact.substr(0, intact.size() / 2));
        break;
    case Damage::noise:
        writeBytes(path, noiseFor(relative, std::max<size_t>(intact.size(), 64)));
        break;
    }
}

struct Case {
    std::string relative; // below the working folder, with '/'
    Damage damage;
};

// Sound goes to OpenAL's null device, so the sounds load where there is no sound card.
ProcessResult runGameIn(const std::string& folder, std::string audio = "ALSOFT_DRIVERS=null") {
    TolvaTest::ProcessOptions options;
    options.workingDirectory = folder;
    options.extraEnvironment.push_back(audio);
    options.timeoutSeconds = 300.0;
    // Leak checking at exit looks into the GL driver, not the game; a sanitizer build run
    // outside the dev script would otherwise report the driver's own allocations.
    if (std::getenv("ASAN_OPTIONS") == nullptr) {
        options.extraEnvironment.push_back("ASAN_OPTIONS=detect_leaks=0");
    }
    return TolvaTest::runProcess({TOLVA_DAMAGED_RUNNER}, options);
}

// Results travel from a worker to the test as length-prefixed fields in a file.
void writeField(std::ostream& out, const std::string& field) {
    out << field.size() << '\n';
    out.write(field.data(), static_cast<std::streamsize>(field.size()));
}

std::string readField(std::istream& in) {
    size_t size = 0;
    in >> size;
    in.get();
    std::string field(size, '\0');
    in.read(&field[0], static_cast<std::streamsize>(size));
    return field;
}

void writeResult(std::ostream& out, const ProcessResult& result) {
    out << result.exitStatus << ' ' << result.signal << ' ' << (result.timedOut ? 1 : 0) << '\n';
    writeField(out, result.out);
    writeField(out, result.err);
}

ProcessResult readResult(std::istream& in) {
    ProcessResult result;
    int timedOut = 0;
    in >> result.exitStatus >> result.signal >> timedOut;
    in.get();
    result.timedOut = timedOut != 0;
    result.out = readField(in);
    result.err = readField(in);
    return result;
}

// Working folders with their own copies of Shader/ and Resourcen/, one per worker, made
// once for the whole run. A case damages one file in its worker's folder and restores it.
class DamageWorkshop : public ::testing::Environment {
public:
    void SetUp() override {
        // Two at a time at least; a bigger machine runs a few more.
        workers_ = static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 2u, 4u));
        // Xvfb resets when its last client leaves, and a game connecting meanwhile cannot
        // start; this process stays connected for the whole run.
        if (std::getenv("DISPLAY") != nullptr) {
            displayHeld_ = glfwInit() == GLFW_TRUE;
        }
        root_ = TolvaTest::makeTemporaryDirectory();
        const fs::path source = dataSource();
        for (int worker = 0; worker < workers_; ++worker) {
            const fs::path folder = fs::path(root_) / ("worker" + std::to_string(worker));
            fs::create_directories(folder);
            fs::copy(source / "Shader", folder / "Shader", fs::copy_options::recursive);
            fs::copy(source / "Resourcen", folder / "Resourcen", fs::copy_options::recursive);
        }
        baseline_ = runGameIn(folder(0));
    }

    void TearDown() override {
        TolvaTest::removeDirectoryTree(root_);
        if (displayHeld_) {
            glfwTerminate();
        }
    }

    static DamageWorkshop* instance;

    std::string folder(int worker) const { return root_ + "/worker" + std::to_string(worker); }
    const ProcessResult& baseline() const { return baseline_; }

    // Runs every case, one per worker at a time, each worker a forked copy of this process
    // that works through its share in its own folder.
    std::vector<ProcessResult> runAll(const std::vector<Case>& cases) const {
        std::vector<pid_t> children;
        for (int worker = 0; worker < workers_; ++worker) {
            const pid_t child = fork();
            if (child == 0) {
                std::ofstream out(folder(worker) + ".results", std::ios::binary);
                for (size_t i = static_cast<size_t>(worker); i < cases.size(); i += workers_) {
                    const std::string path = folder(worker) + "/" + cases[i].relative;
                    const std::string intact = readBytes(path);
                    damageFile(path, cases[i].relative, cases[i].damage);
                    writeResult(out, runGameIn(folder(worker)));
                    writeBytes(path, intact);
                }
                out.close();
                _exit(out ? 0 : 1);
            }
            children.push_back(child);
        }
        for (pid_t child : children) {
            int status = 0;
            waitpid(child, &status, 0);
        }
        std::vector<ProcessResult> results(cases.size());
        for (int worker = 0; worker < workers_; ++worker) {
            std::ifstream in(folder(worker) + ".results", std::ios::binary);
            for (size_t i = static_cast<size_t>(worker); i < cases.size(); i += workers_) {
                results[i] = readResult(in);
                if (!in) {
                    results[i] = ProcessResult();
                    results[i].err = "(no result from the worker)";
                }
            }
        }
        return results;
    }

private:
    int workers_ = 2;
    std::string root_;
    ProcessResult baseline_;
    bool displayHeld_ = false;
};

DamageWorkshop* DamageWorkshop::instance = nullptr;

std::vector<std::string> shippedFiles(const std::string& extension) {
    std::vector<std::string> files;
    const fs::path resources = fs::path(dataSource()) / "Resourcen";
    if (!fs::is_directory(resources)) {
        return files;
    }
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(resources)) {
        if (entry.is_regular_file() && entry.path().extension() == extension) {
            files.push_back(fs::relative(entry.path(), dataSource()).generic_string());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<Case> casesFor(const std::vector<std::string>& files) {
    std::vector<Case> cases;
    for (const std::string& file : files) {
        for (Damage damage : allDamages) {
            cases.push_back({file, damage});
        }
    }
    return cases;
}

std::string describe(const Case& damaged, const ProcessResult& run) {
    std::ostringstream text;
    text << damaged.relative << " " << damageName(damaged.damage) << ": status " << run.exitStatus
         << ", signal " << run.signal << (run.timedOut ? ", timed out" : "")
         << "\n--- stdout (end) ---\n"
         << run.out.substr(run.out.size() > 1500 ? run.out.size() - 1500 : 0)
         << "\n--- stderr (start) ---\n"
         << run.err.substr(0, 3000);
    return text.str();
}

const std::string playedLine = "played 30 frames";

class DamagedData : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::getenv("DISPLAY") == nullptr) {
            GTEST_SKIP() << "needs an X display (run under xvfb-run -a)";
        }
    }

    static const ProcessResult& baseline() { return DamageWorkshop::instance->baseline(); }

    // The intact data must play cleanly, or no damaged run can be judged against it.
    static void expectCleanBaseline() {
        const ProcessResult& run = baseline();
        ASSERT_EQ(run.exitStatus, 0) << describe({"(intact data)", Damage::missing}, run);
        ASSERT_EQ(countLines(run.out, playedLine), 1) << run.out;
        ASSERT_EQ(countLinesContaining(run.out, "Objekt "), 0) << run.out;
        ASSERT_EQ(countLinesContaining(run.err, "could not be read"), 0) << run.err;
        ASSERT_FALSE(hasSanitizerReport(run.err)) << run.err;
    }
};

} // namespace

TEST_F(DamagedData, AModelCostsOnlyItsObjectsAndTheGameGoesOn) {
    expectCleanBaseline();
    const std::vector<std::string> models = shippedFiles(".obj");
    ASSERT_FALSE(models.empty()) << "no OBJ files under " << dataSource() << "/Resourcen";
    const std::vector<Case> cases = casesFor(models);
    const std::vector<ProcessResult> runs = DamageWorkshop::instance->runAll(cases);
    for (size_t i = 0; i < cases.size(); ++i) {
        const Case& damaged = cases[i];
        const ProcessResult& run = runs[i];
        SCOPED_TRACE(describe(damaged, run));
        const auto users = modelUsers.find(damaged.relative);
        const int objects = users != modelUsers.end() ? users->second : 0;
        const std::string message =
            "Objekt " + gamePath(damaged.relative) + " konnte nicht geladen werden!";
        const int messages = countLines(run.out, message);
        EXPECT_FALSE(run.timedOut);
        EXPECT_EQ(run.signal, 0);
        EXPECT_EQ(run.exitStatus, 0);
        EXPECT_FALSE(hasSanitizerReport(run.err));
        if (damaged.damage == Damage::missing || damaged.damage == Damage::empty) {
            EXPECT_EQ(messages, objects) << "one line per object using the model";
        } else {
            // What is left of the file may still read as a (smaller) mesh.
            EXPECT_TRUE(messages == objects || messages == 0)
                << messages << " lines for " << objects << " objects";
        }
        EXPECT_EQ(countLinesContaining(run.out, "Objekt "), messages) << "no other model failed";
        EXPECT_EQ(withoutLinesStarting(run.out, "Objekt "), baseline().out)
            << "apart from the model lines the game ran as with intact data";
        EXPECT_EQ(countLinesContaining(run.err, "could not be read"), 0);
    }
}

TEST_F(DamagedData, APictureGivesAnEmptyTextureWithOneLineAndTheGameGoesOn) {
    expectCleanBaseline();
    const std::vector<std::string> files = shippedFiles(".png");
    ASSERT_FALSE(files.empty()) << "no PNG files under " << dataSource() << "/Resourcen";
    const std::vector<Case> cases = casesFor(files);
    const std::vector<ProcessResult> runs = DamageWorkshop::instance->runAll(cases);
    for (size_t i = 0; i < cases.size(); ++i) {
        const Case& damaged = cases[i];
        const ProcessResult& run = runs[i];
        SCOPED_TRACE(describe(damaged, run));
        const bool loaded =
            std::find(pictures.begin(), pictures.end(), damaged.relative) != pictures.end();
        EXPECT_FALSE(run.timedOut);
        EXPECT_EQ(run.signal, 0);
        EXPECT_EQ(run.exitStatus, 0);
        EXPECT_FALSE(hasSanitizerReport(run.err));
        EXPECT_EQ(countLinesContaining(run.err, damaged.relative), loaded ? 1 : 0)
            << "one line naming the picture";
        EXPECT_EQ(countLinesContaining(run.err, "could not be read"), loaded ? 1 : 0)
            << "and no other picture";
        EXPECT_EQ(run.out, baseline().out) << "the console shows what it shows with intact data";
    }
}

TEST_F(DamagedData, AShaderEndsTheGameWithTheLoadersMessageAndStatusOne) {
    expectCleanBaseline();
    std::vector<std::string> files;
    for (const std::string& name : shaders) {
        ASSERT_TRUE(fs::is_regular_file(fs::path(dataSource()) / "Shader" / name)) << name;
        files.push_back("Shader/" + name);
    }
    const std::vector<Case> cases = casesFor(files);
    const std::vector<ProcessResult> runs = DamageWorkshop::instance->runAll(cases);
    const std::string startUp =
        "Hello Tolva\nyou are ececuting 'tolva'\nSUCCESS: glfw intialisiert\n";
    for (size_t i = 0; i < cases.size(); ++i) {
        const Case& damaged = cases[i];
        const ProcessResult& run = runs[i];
        SCOPED_TRACE(describe(damaged, run));
        EXPECT_FALSE(run.timedOut);
        EXPECT_EQ(run.signal, 0);
        EXPECT_EQ(run.exitStatus, 1);
        EXPECT_FALSE(hasSanitizerReport(run.err));
        ASSERT_EQ(run.out.compare(0, startUp.size(), startUp), 0);
        const std::string loadMessage = "ERROR: Load file '" + gamePath(damaged.relative) + "'.";
        EXPECT_EQ(countLines(run.out, loadMessage), damaged.damage == Damage::missing ? 1 : 0);
        EXPECT_EQ(countLinesContaining(run.out, "ERROR: Load file"),
                  damaged.damage == Damage::missing ? 1 : 0)
            << "no other shader file was missed";
        // After the start-up lines (and the load message) only the driver's log follows.
        std::string log = withoutLinesStarting(run.out.substr(startUp.size()), "ERROR: Load file");
        EXPECT_GT(log.size(), 1u) << "the compile or link log is printed";
        EXPECT_EQ(log.back(), '\n');
        EXPECT_EQ(countLinesContaining(run.out, "Objekt "), 0) << "no model was loaded";
        EXPECT_EQ(countLines(run.out, playedLine), 0) << "no frame was played";
        EXPECT_EQ(countLinesContaining(run.err, "could not be read"), 0) << "no picture loaded";
    }
}

TEST_F(DamagedData, ASoundFallsSilentWithOneLineNamingItAndTheGameGoesOn) {
    expectCleanBaseline();
    const std::vector<Case> cases = casesFor(shippedFiles(".wav"));
    ASSERT_FALSE(cases.empty()) << "no WAV files under " << dataSource() << "/Resourcen";
    const std::vector<ProcessResult> runs = DamageWorkshop::instance->runAll(cases);
    for (size_t i = 0; i < cases.size(); ++i) {
        const ProcessResult& run = runs[i];
        SCOPED_TRACE(describe(cases[i], run));
        EXPECT_TRUE(run.exitStatus == 0 && !run.timedOut && !hasSanitizerReport(run.err));
        EXPECT_EQ(run.err, baseline().err + "Sound '" + gamePath(cases[i].relative) +
                               "' is unreadable; it stays silent.\n");
        EXPECT_EQ(run.out, baseline().out) << "the console shows what it shows with intact data";
    }
}

TEST_F(DamagedData, WithoutAnAudioDeviceTheGamePlaysSilentlyWithOneLine) {
    const std::string conf = DamageWorkshop::instance->folder(0) + ".conf";
    writeBytes(conf, "[general]\ndrivers = wave\n[wave]\nfile = /no/such/folder/x.wav\n");
    const ProcessResult run = runGameIn(DamageWorkshop::instance->folder(0), "ALSOFT_CONF=" + conf);
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.out, baseline().out);
    EXPECT_EQ(run.err, baseline().err +
                           "Sound: no audio device could be opened; the game plays silently.\n");
}

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    DamageWorkshop::instance = new DamageWorkshop;
    ::testing::AddGlobalTestEnvironment(DamageWorkshop::instance);
    return RUN_ALL_TESTS();
}
