// SPDX-License-Identifier: GPL-3.0-or-later
// A player's session from the outside: the real binary in a window, keys through xdotool.
#include "e2e/E2e.h"

#include <cmath>
#include <cstdio>
#include <sstream>

using namespace TolvaTest;

namespace {

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
    Process game({tolva}, {folder.path, {"XDG_CONFIG_HOME=" + folder.path}, false});
    const std::string window = waitForGameWindow(game, 120.0);
    ASSERT_NE(window, "") << game.outputSoFar();
    const ProcessResult size =
        runProcess({"/usr/bin/xdotool", "getwindowgeometry", "--shell", window});
    EXPECT_NE(size.out.find("WIDTH=1024\nHEIGHT=768"), std::string::npos) << size.out;
    std::vector<double> title(3, 0.0);
    for (int wait = 0; wait < 100 && title[0] + title[1] + title[2] < 30.0; ++wait) {
        title = windowColour(window, "session-title"); // black until the first frame
    }
    // A window made tiny and large again shows the whole title again; - is kept at once.
    runProcess({"/usr/bin/xdotool", "windowsize", window, "1", "1"});
    runProcess({"/usr/bin/xdotool", "windowsize", window, "1024", "768"});
    std::vector<double> again(3, 0.0);
    for (int wait = 0; wait < 50 && std::fabs(again[0] - title[0]) > 2.0; ++wait) {
        again = windowColour(window, "session-title-again");
    }
    EXPECT_NEAR(again[0], title[0], 2.0);
    holdKeyInWindow(window, "minus", 0.3);
    for (int wait = 0; wait < 50 && readFile(folder / "tolva/settings").empty(); ++wait) {
        sleepSeconds(0.1);
    }
    EXPECT_NE(readFile(folder / "tolva/settings").find("volume = 90"), std::string::npos);
    holdKeyInWindow(window, "F1", 0.5);
    holdKeyInWindow(window, "d", 4.0); // sideways off the worktop
    const std::vector<double> lost = windowColour(window, "session-lost");
    EXPECT_GT(lost[0], 2.0 * lost[1]) << "the lost picture is red";
    EXPECT_LT(title[0], 2.0 * title[1]) << "the title is not";
    const ProcessResult r = quitWithEscape(game, window);
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
    const ProcessResult r = quitWithEscape(game, window);
    EXPECT_EQ(r.exitStatus, 0);
    std::string expected = greeting() + "SUCCESS: glfw intialisiert\n";
    // Each object's model, and how many objects in a row use it, in the order of the world.
    std::istringstream models("cube 3 cube_zentriert 8 sphere 1 cube_zentriert 1 "
                              "Lightmap\\lightmap 1 cube_zentriert 8 earth 1 moon 1 pot1 1 "
                              "metalKnife_2 7 cube_zentriert 1 sphere 1");
    std::string model;
    for (int objects = 0; models >> model >> objects;) {
        while (objects-- > 0) {
            expected += "Objekt Resourcen\\" + model + ".obj konnte nicht geladen werden!\n";
        }
    }
    EXPECT_EQ(r.out, expected);
    std::string pictures; // the name of each picture in a line of standard error
    for (size_t png = 0; (png = r.err.find(".png", png)) != std::string::npos; png += 4) {
        const size_t name = r.err.rfind('\\', png) + 1;
        pictures += r.err.substr(name, png - name) + " ";
    }
    EXPECT_EQ(pictures, "titel gameOver youWon Grungemaps wand-02 wintergartenFrei WoodPlanks "
                        "sun Sky marmor stone01 gemuese Lightmap_Wood wood02 FlareStern "
                        "FlareRing FlareSun FlareStern2 Flare3 pot1 MetalBare WoodFine pomla ")
        << "each picture once, in the order of first use";
}
