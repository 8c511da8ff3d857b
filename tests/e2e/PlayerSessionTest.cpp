// A player's session from the outside: the real binary in a window, keys through xdotool.
#include "e2e/E2e.h"

using namespace TolvaTest;

namespace {

std::string screenshot(const std::string& window, const std::string& name) {
    std::filesystem::create_directories(TOLVA_ARTIFACT_DIR);
    const std::string path = std::string(TOLVA_ARTIFACT_DIR) + "/" + name + ".png";
    runProcess({"/usr/bin/import", "-window", window, path});
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Presses Escape until the game has ended; a slow frame can miss a short press.
ProcessResult quit(Process& game, const std::string& window) {
    for (int attempt = 0; attempt < 10 && game.running(); ++attempt) {
        holdKeyInWindow(window, "Escape", 0.3 * (attempt + 1));
        for (int wait = 0; wait < 40 && game.running(); ++wait) {
            sleepSeconds(0.05);
        }
    }
    return game.finish(30.0);
}

class PlayerSession : public ::testing::Test {
protected:
    void SetUp() override {
        if (!haveDisplay()) {
            GTEST_SKIP() << "needs an X display and xdotool";
        }
    }
};

} // namespace

TEST_F(PlayerSession, StartedBareFromAnywhereItPlaysLosesAndQuitsOnEscape) {
    TemporaryFolder folder; // no data here: the game finds its own
    Process game({tolva}, {folder.path, {}, false});
    const std::string window = waitForGameWindow(game, 120.0);
    ASSERT_NE(window, "") << game.outputSoFar();
    const ProcessResult size =
        runProcess({"/usr/bin/xdotool", "getwindowgeometry", "--shell", window});
    EXPECT_NE(size.out.find("WIDTH=1024\nHEIGHT=768"), std::string::npos) << size.out;
    const std::string title = screenshot(window, "session-title");
    holdKeyInWindow(window, "F1", 0.5);
    holdKeyInWindow(window, "d", 4.0); // sideways off the worktop
    const std::string lost = screenshot(window, "session-lost");
    EXPECT_NE(title, lost) << "F1 and D led from the title to the lost picture";
    const ProcessResult r = quit(game, window);
    EXPECT_EQ(r.exitStatus, 0);
    EXPECT_EQ(r.out, "Hello Tolva\nNicht die richtige Anzahl an Argumenten, 2 Integers "
                     "erwartet\nSUCCESS: glfw intialisiert\n");
}

TEST_F(PlayerSession, AnEmptyResourcenFolderIsReportedObjectByObjectAndTheGameRuns) {
    TemporaryFolder folder;
    copyShadersBesideEmptyResourcen(folder.path);
    Process game({tolva, "640", "480"}, {folder.path, {}, false});
    const std::string window = waitForGameWindow(game, 120.0);
    ASSERT_NE(window, "");
    holdKeyInWindow(window, "F1", 1.0);
    const ProcessResult r = quit(game, window);
    EXPECT_EQ(r.exitStatus, 0);
    std::string expected = greeting() + "SUCCESS: glfw intialisiert\n";
    for (const char* model : {"cube",           "cube",
                              "cube",           "cube_zentriert",
                              "cube_zentriert", "cube_zentriert",
                              "cube_zentriert", "cube_zentriert",
                              "cube_zentriert", "cube_zentriert",
                              "cube_zentriert", "sphere",
                              "cube_zentriert", "Lightmap\\lightmap",
                              "cube_zentriert", "cube_zentriert",
                              "cube_zentriert", "cube_zentriert",
                              "cube_zentriert", "cube_zentriert",
                              "cube_zentriert", "cube_zentriert",
                              "earth",          "moon",
                              "pot1",           "metalKnife_2",
                              "metalKnife_2",   "metalKnife_2",
                              "metalKnife_2",   "metalKnife_2",
                              "metalKnife_2",   "metalKnife_2",
                              "cube_zentriert", "sphere"}) {
        expected += "Objekt Resourcen\\" + std::string(model) +
                    ".obj konnte nicht geladen "
                    "werden!\n";
    }
    EXPECT_EQ(r.out, expected);
    std::string pictures;
    for (size_t start = 0, end; (end = r.err.find('\n', start)) != std::string::npos;
         start = end + 1) {
        const std::string line = r.err.substr(start, end - start);
        const size_t png = line.find(".png");
        pictures +=
            png == std::string::npos
                ? ""
                : line.substr(line.rfind('\\', png) + 1, png - line.rfind('\\', png) - 1) + " ";
    }
    EXPECT_EQ(pictures, "titel gameOver youWon Grungemaps wand-02 wintergartenFrei WoodPlanks "
                        "sun Sky marmor stone01 gemuese Lightmap_Wood wood02 FlareStern "
                        "FlareRing FlareSun FlareStern2 Flare3 pot1 MetalBare WoodFine pomla ")
        << "each picture once, in the order of first use";
}
