// A player's session from the outside: start the game, see its window, press Escape.
#include "e2e/E2eSupport.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace TolvaE2e;

namespace {

class PlayerSession : public ::testing::Test {
protected:
    void SetUp() override {
        if (!holdDisplayOpen()) {
            GTEST_SKIP() << "needs an X display (run under xvfb-run -a)";
        }
        if (!hasXdotool()) {
            GTEST_SKIP() << "needs xdotool";
        }
    }
};

void expectCleanEnd(const ProcessResult& result) {
    EXPECT_FALSE(result.timedOut) << "the game was still running";
    EXPECT_EQ(result.signal, 0);
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.out.find("ERROR"), std::string::npos) << result.out;
    EXPECT_EQ(result.out.find("PAUSE"), std::string::npos);
    EXPECT_EQ(result.err.find("not found"), std::string::npos) << result.err;
}

// The model file of each scene object, in the order the scene creates them.
std::vector<std::string> catalogueModels() {
    std::vector<std::string> models;
    const auto add = [&models](const std::string& file, int count) {
        models.insert(models.end(), static_cast<size_t>(count), "Resourcen\\" + file);
    };
    add("cube.obj", 3);           // title, lost and won pictures
    add("cube_zentriert.obj", 8); // walls, floor, sun, sky, marble slab
    add("sphere.obj", 1);         // stone disc
    add("cube_zentriert.obj", 1); // vegetable board
    add("Lightmap\\lightmap.obj", 1);
    add("cube_zentriert.obj", 8); // pedestal, three planks, four flare sprites
    add("earth.obj", 1);
    add("moon.obj", 1);
    add("pot1.obj", 1);
    add("metalKnife_2.obj", 7);   // the flying knife and six falling ones
    add("cube_zentriert.obj", 1); // counter
    add("sphere.obj", 1);         // the player's ball
    return models;
}

// Each distinct picture once, in the order of first use; Flare3 is the particle sprite.
const std::vector<std::string> texturesInLoadOrder = {"BilderGedreht\\titel.png",
                                                      "BilderGedreht\\gameOver.png",
                                                      "BilderGedreht\\youWon.png",
                                                      "Grungemaps.png",
                                                      "BilderGedreht\\wand-02.png",
                                                      "BilderGedreht\\wintergartenFrei.png",
                                                      "WoodPlanks.png",
                                                      "sun.png",
                                                      "BilderGedreht\\Sky.png",
                                                      "marmor.png",
                                                      "stone01.png",
                                                      "gemuese.png",
                                                      "Lightmap\\Lightmap_Wood.png",
                                                      "wood02.png",
                                                      "FlareStern.png",
                                                      "FlareRing.png",
                                                      "FlareSun.png",
                                                      "FlareStern2.png",
                                                      "Flare3.png",
                                                      "pot1.png",
                                                      "MetalBare.png",
                                                      "WoodFine.png",
                                                      "pomla.png"};

bool namesTexture(const std::string& line, const std::string& file) {
    const std::string gamePath = "Resourcen\\" + file;
    std::string nativePath = gamePath;
    std::replace(nativePath.begin(), nativePath.end(), '\\', '/');
    return line.find(gamePath) != std::string::npos || line.find(nativePath) != std::string::npos;
}

int countLinesStartingWith(const std::string& text, const std::string& start) {
    int count = 0;
    for (const std::string& line : splitLines(text)) {
        count += line.rfind(start, 0) == 0 ? 1 : 0;
    }
    return count;
}

} // namespace

TEST_F(PlayerSession, StartsFromAnywhereShowsItsWindowAndQuitsOnEscape) {
    // An empty working folder: the game finds its data beside itself.
    TemporaryFolder folder;
    GameProcess::Options options;
    options.workingDirectory = folder.path();
    std::string window;
    const std::unique_ptr<GameProcess> running =
        startGameWithWindow({tolvaBinary(), "800", "600"}, options, window);
    GameProcess& game = *running;
    EXPECT_NE(window, "") << "no window named \"" << windowTitle << "\" showed";
    if (!window.empty()) {
        const ProcessResult geometry = runXdotool({"getwindowgeometry", "--shell", window});
        EXPECT_NE(geometry.out.find("WIDTH=800\n"), std::string::npos) << geometry.out;
        EXPECT_NE(geometry.out.find("HEIGHT=600\n"), std::string::npos) << geometry.out;
        EXPECT_TRUE(game.holdKeyUntilExit("Escape", 90.0)) << "Escape did not end the game";
    }
    const ProcessResult result = game.finish(30.0);
    expectCleanEnd(result);
    EXPECT_EQ(result.out.rfind(startUpLines(tolvaBinary()), 0), 0u) << result.out;
}

TEST_F(PlayerSession, EmptyResourcenReportsEveryObjectAndTheGameStillRuns) {
    TemporaryFolder folder;
    makeOwnDataFolders(folder.path());
    GameProcess::Options options;
    options.workingDirectory = folder.path();
    const std::vector<std::string> models = catalogueModels();
    ASSERT_EQ(models.size(), 34u);
    std::string window;
    const std::unique_ptr<GameProcess> running =
        startGameWithWindow({tolvaBinary(), "800", "600"}, options, window);
    GameProcess& game = *running;
    EXPECT_NE(window, "") << "no window named \"" << windowTitle << "\" showed";
    // Once the last object has been reported the scene is built; an empty world must not
    // stop the game.
    for (int waited = 0; waited < 1200 && game.running() &&
                         countLinesStartingWith(game.outputSoFar(), "Objekt ") < 34;
         ++waited) {
        sleepSeconds(0.05);
    }
    EXPECT_TRUE(game.running()) << "the game ended by itself:\n" << game.outputSoFar();
    if (!window.empty()) {
        EXPECT_TRUE(game.holdKeyUntilExit("Escape", 90.0)) << "Escape did not end the game";
    }
    const ProcessResult result = game.finish(30.0);
    expectCleanEnd(result);

    std::string expected = startUpLines(tolvaBinary());
    for (const std::string& model : models) {
        expected += "Objekt " + model + " konnte nicht geladen werden!\n";
    }
    EXPECT_EQ(result.out, expected);

    // One line on the error stream for each missing picture, shared ones only once.
    std::vector<std::string> pictureLines;
    for (const std::string& line : splitLines(result.err)) {
        if (line.find(".png") != std::string::npos) {
            pictureLines.push_back(line);
        }
    }
    ASSERT_EQ(pictureLines.size(), texturesInLoadOrder.size()) << result.err;
    for (size_t i = 0; i < pictureLines.size(); ++i) {
        EXPECT_TRUE(namesTexture(pictureLines[i], texturesInLoadOrder[i]))
            << "line " << i << ": " << pictureLines[i] << " should name " << texturesInLoadOrder[i];
    }
}
