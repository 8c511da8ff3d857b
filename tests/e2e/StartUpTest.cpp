// SPDX-License-Identifier: GPL-3.0-or-later
// How the game starts and how it stops when it cannot: the command line, the window,
// GLFW, the shaders, and the wait for a key at a terminal.
#include "e2e/E2e.h"

using namespace TolvaTest;

namespace {

const std::string openFailed = "SUCCESS: glfw intialisiert\nERROR: Failed to open window\n";

void expectEnd(const ProcessResult& r, int status, const std::string& out, bool errLine) {
    EXPECT_FALSE(r.timedOut);
    EXPECT_EQ(r.exitStatus, status);
    EXPECT_EQ(r.out, out);
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), errLine ? 1 : 0) << r.err;
}

} // namespace

TEST(StartUp, BadCommandLinesAndImpossibleWindowsEndWithTheirMessageAndStatus) {
    const struct {
        std::vector<std::string> arguments;
        int status;
        std::string tail;
        bool errLine;
    } cases[] = {
        {{"abc", "600"}, 1, "you failed with the first command line argument, need int\n", 0},
        {{"800", "x"}, 1, "you failed with the second command line argument, need int\n", 0},
        {{"800", "600", "true"},
         1,
         "you failed with the third command line argument, need boolean\n",
         0},
        {{"0", "768"}, 255, openFailed, 1},
        {{"-640", "480"}, 255, openFailed, 1},
        {{"100000", "768"}, 255, openFailed, 1},
    };
    for (const auto& c : cases) {
        if (c.status == 255 && !haveDisplay()) {
            continue;
        }
        std::vector<std::string> argv{tolva};
        argv.insert(argv.end(), c.arguments.begin(), c.arguments.end());
        SCOPED_TRACE(c.arguments[0]);
        expectEnd(runProcess(argv), c.status, greeting() + c.tail, c.errLine);
    }
    if (!haveDisplay()) {
        GTEST_SKIP() << "the impossible windows need an X display";
    }
}

TEST(StartUp, WithoutADisplayGlfwsOwnReasonGoesToStandardError) {
    const ProcessResult r = runProcess({tolva, "800", "600"}, {"", {"DISPLAY", "WAYLAND_DISPLAY"}});
    expectEnd(r, 255, greeting() + "ERROR: Failed to init glfw\n", true);
    EXPECT_NE(r.err.find("DISPLAY"), std::string::npos) << r.err;
}

TEST(StartUp, AtATerminalAFatalErrorWaitsForAKeyAndLeavesNothingOfIt) {
    Process game({tolva, "abc", "600"}, {"", {}, true});
    ASSERT_TRUE(game.waitForOutput("need int\n", 60.0));
    sleepSeconds(0.5);
    EXPECT_TRUE(game.running()) << "the message stays until a key is pressed";
    game.type("\x1bOP"); // F1: three bytes for one key
    const ProcessResult r = game.finish(30.0);
    EXPECT_EQ(r.exitStatus, 1);
    EXPECT_EQ(game.unreadTerminalBytes(), 0) << "the rest of the key would reach the shell";
}

TEST(StartUp, EachBrokenShaderEndsTheGameWithTheLoadersWordsBeforeTheScene) {
    if (!haveDisplay()) {
        GTEST_SKIP() << "needs an X display";
    }
    const std::string noCode = "#version 330 core\nDas ist kein Shader. @@@ } {\n";
    // The update program compiles and links alone, but lacks one of the steam's varyings.
    const std::string fiveVaryings =
        "#version 330 core\nlayout(points) in;\nlayout(points, max_vertices = 1) out;\n"
        "out float Type1;\nout float Life1;\nout float Size1;\nout vec3 Pos1;\nout vec3 Vel1;\n"
        "void main() { Type1 = 1.0; Life1 = 1.0; Size1 = 1.0; Pos1 = vec3(0.0); "
        "Vel1 = vec3(0.0); EmitVertex(); }\n";
    const struct {
        const char* file;
        std::string text; // empty: the file is removed
        std::string before, inTheLog;
    } cases[] = {
        {"basic.vert", "", "ERROR: Load file 'Shader\\basic.vert'.\n", "rror"},
        {"geometry.geom", noCode, "", "rror"},
        {"vbo_vao.frag",
         "#version 330 core\nin vec4 texCoord;\nout vec4 fragColor;\n"
         "void main() { fragColor = texCoord; }\n",
         "", "texCoord"},
        {"geometry.geom", fiveVaryings, "", "Color1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file + std::string(" ") + c.inTheLog);
        TemporaryFolder folder;
        namespace fs = std::filesystem;
        fs::copy(fs::path(TOLVA_SOURCE_DIR) / "Shader", folder / "Shader");
        fs::create_directory_symlink(fs::path(TOLVA_SOURCE_DIR) / "Resourcen",
                                     folder / "Resourcen");
        const std::string path = folder / (std::string("Shader/") + c.file);
        c.text.empty() ? void(fs::remove(path)) : writeText(path, c.text);
        // A later file missing shows whether the game read on; the steam's varyings are
        // only linked once all the programs are there.
        if (c.inTheLog != "Color1") {
            fs::remove(folder / "Shader/blur.frag");
        }
        const ProcessResult r = runProcess({tolva, "800", "600"}, {folder.path, {}, false});
        EXPECT_EQ(r.exitStatus, 1);
        const std::string start = greeting() + "SUCCESS: glfw intialisiert\n" + c.before;
        ASSERT_EQ(r.out.substr(0, start.size()), start);
        const std::string log = r.out.substr(start.size());
        EXPECT_NE(log.find(c.inTheLog), std::string::npos) << log;
        EXPECT_EQ(log.find("ERROR: Load"), std::string::npos) << "no later file is read";
    }
}
