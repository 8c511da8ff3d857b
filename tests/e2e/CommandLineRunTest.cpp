// The command line and the window as a player meets them from a shell: what the console
// shows, the exit status, and that a failure never leaves the shell waiting.
#include "e2e/E2eSupport.h"

#include <gtest/gtest.h>

using namespace TolvaE2e;

namespace {

const std::string firstArgumentFailed =
    "you failed with the first command line argument, need int\n";
const std::string secondArgumentFailed =
    "you failed with the second command line argument, need int\n";
const std::string thirdArgumentFailed =
    "you failed with the third command line argument, need boolean\n";
const std::string tooFewArguments =
    "Nicht die richtige Anzahl an Argumenten, 2 Integers erwartet\n";

// The console pause must not lean on a shell command that this platform lacks.
void expectNoShellPause(const ProcessResult& result) {
    EXPECT_EQ(result.out.find("PAUSE"), std::string::npos) << result.out;
    EXPECT_EQ(result.err.find("PAUSE"), std::string::npos) << result.err;
    EXPECT_EQ(result.out.find("not found"), std::string::npos) << result.out;
    EXPECT_EQ(result.err.find("not found"), std::string::npos) << result.err;
}

// A failure before the window must end at once: a generous limit still shows that the
// game never sat waiting on a stdin that is no console.
ProcessResult runQuickly(const std::vector<std::string>& arguments, bool stdinFromDevNull = true,
                         const std::vector<std::string>& environment = {}) {
    std::vector<std::string> argv{tolvaBinary()};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    ProcessOptions options;
    options.timeoutSeconds = 30.0;
    options.stdinFromDevNull = stdinFromDevNull;
    options.extraEnvironment = environment;
    // Runs that get as far as GLFW are started again if the X server was resetting.
    ProcessResult result =
        environment.empty() ? runWithServer(argv, options) : TolvaTest::runProcess(argv, options);
    EXPECT_FALSE(result.timedOut) << "the game waited instead of ending";
    EXPECT_EQ(result.signal, 0);
    expectNoShellPause(result);
    return result;
}

struct BadRun {
    std::vector<std::string> arguments;
    std::string message;
};

void expectRejected(const BadRun& run, bool stdinFromDevNull) {
    SCOPED_TRACE(::testing::PrintToString(run.arguments) +
                 (stdinFromDevNull ? " stdin /dev/null" : " stdin closed"));
    const ProcessResult result = runQuickly(run.arguments, stdinFromDevNull);
    EXPECT_EQ(result.out, commandLineLines(tolvaBinary()) + run.message);
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.err, "");
}

struct WindowSize {
    int width = 0;
    int height = 0;
};

WindowSize windowSize(const std::string& window) {
    const ProcessResult geometry = runXdotool({"getwindowgeometry", "--shell", window});
    WindowSize size;
    for (const std::string& line : splitLines(geometry.out)) {
        if (line.rfind("WIDTH=", 0) == 0) {
            size.width = std::atoi(line.c_str() + 6);
        } else if (line.rfind("HEIGHT=", 0) == 0) {
            size.height = std::atoi(line.c_str() + 7);
        }
    }
    return size;
}

// Runs the game from an empty folder (so it takes its data from beside itself), checks
// the window's size and quits with Escape.
ProcessResult playUntilEscape(const std::vector<std::string>& arguments, WindowSize expected) {
    TemporaryFolder folder;
    std::vector<std::string> argv{tolvaBinary()};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    GameProcess::Options options;
    options.workingDirectory = folder.path();
    std::string window;
    const std::unique_ptr<GameProcess> running = startGameWithWindow(argv, options, window);
    GameProcess& game = *running;
    EXPECT_NE(window, "") << "no window named \"" << windowTitle << "\" showed";
    if (!window.empty()) {
        const WindowSize size = windowSize(window);
        EXPECT_EQ(size.width, expected.width);
        EXPECT_EQ(size.height, expected.height);
        EXPECT_TRUE(game.holdKeyUntilExit("Escape", 90.0)) << "Escape did not end the game";
    }
    const ProcessResult result = game.finish(30.0);
    EXPECT_FALSE(result.timedOut);
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.out.find("ERROR"), std::string::npos) << result.out;
    expectNoShellPause(result);
    return result;
}

} // namespace

TEST(CommandLineRun, FirstArgumentThatIsNoIntEndsWithStatusOne) {
    // The second argument is never looked at once the first one failed.
    const std::vector<BadRun> runs = {{{"abc", "600"}, firstArgumentFailed},
                                      {{"abc", "xyz"}, firstArgumentFailed},
                                      {{"", "600"}, firstArgumentFailed},
                                      {{"x800", "600", "1"}, firstArgumentFailed}};
    for (const BadRun& run : runs) {
        expectRejected(run, true);
    }
    expectRejected(runs.front(), false);
}

TEST(CommandLineRun, SecondArgumentThatIsNoIntEndsWithStatusOne) {
    const std::vector<BadRun> runs = {{{"800", "abc"}, secondArgumentFailed},
                                      {{"800abc", "tall"}, secondArgumentFailed},
                                      {{"800", "abc", "2"}, secondArgumentFailed}};
    for (const BadRun& run : runs) {
        expectRejected(run, true);
    }
    expectRejected(runs.front(), false);
}

TEST(CommandLineRun, ThirdArgumentThatIsNotZeroOrOneEndsWithStatusOne) {
    const std::vector<BadRun> runs = {{{"800", "600", "true"}, thirdArgumentFailed},
                                      {{"800", "600", "2"}, thirdArgumentFailed},
                                      {{"800", "600", "ja", "1"}, thirdArgumentFailed}};
    for (const BadRun& run : runs) {
        expectRejected(run, true);
    }
    expectRejected(runs.front(), false);
}

TEST(CommandLineRun, WithoutDisplayGlfwCannotStartAndTheGameEndsWithMinusOne) {
    // An empty DISPLAY leaves GLFW no X server to talk to, whether or not one is running.
    for (bool stdinFromDevNull : {true, false}) {
        SCOPED_TRACE(stdinFromDevNull ? "stdin /dev/null" : "stdin closed");
        const ProcessResult result =
            runQuickly({"800", "600"}, stdinFromDevNull, {"DISPLAY=", "WAYLAND_DISPLAY="});
        EXPECT_EQ(result.out, commandLineLines(tolvaBinary()) + "ERROR: Failed to init glfw\n");
        EXPECT_EQ(result.exitStatus, 255);
    }
}

TEST(CommandLineRun, FatalFailureAtAConsoleWaitsForAKey) {
    // At a real console the message stays readable until a key is pressed.
    struct Case {
        std::vector<std::string> arguments;
        std::string lastLine;
        int status;
    };
    const std::vector<Case> cases = {{{"abc", "600"}, firstArgumentFailed, 1},
                                     {{"800", "600"}, "ERROR: Failed to init glfw\n", 255}};
    for (const Case& run : cases) {
        SCOPED_TRACE(::testing::PrintToString(run.arguments));
        std::vector<std::string> argv{tolvaBinary()};
        argv.insert(argv.end(), run.arguments.begin(), run.arguments.end());
        GameProcess::Options options;
        options.stdinIsTerminal = true;
        options.extraEnvironment = {"DISPLAY=", "WAYLAND_DISPLAY="};
        GameProcess game(argv, options);
        ASSERT_TRUE(game.started());
        ASSERT_TRUE(game.waitForOutput(run.lastLine, 30.0)) << game.outputSoFar();
        sleepSeconds(0.5);
        EXPECT_TRUE(game.running()) << "the game ended without waiting for a key";
        game.typeOnTerminal("x");
        const ProcessResult result = game.finish(30.0);
        EXPECT_FALSE(result.timedOut) << "a key press did not end the pause";
        EXPECT_EQ(result.out, commandLineLines(tolvaBinary()) + run.lastLine);
        EXPECT_EQ(result.exitStatus, run.status);
        expectNoShellPause(result);
    }
}

TEST(CommandLineRun, WindowOfNoSizeIsNotOpenedAndTheGameEndsWithMinusOne) {
    if (!holdDisplayOpen()) {
        GTEST_SKIP() << "needs an X display (run under xvfb-run -a)";
    }
    for (const std::vector<std::string>& size :
         {std::vector<std::string>{"0", "600"}, std::vector<std::string>{"800", "0"},
          std::vector<std::string>{"0", "0"}}) {
        SCOPED_TRACE(size[0] + " x " + size[1]);
        const ProcessResult result = runQuickly(size);
        EXPECT_EQ(result.out, startUpLines(tolvaBinary()) + "ERROR: Failed to open window\n");
        EXPECT_EQ(result.exitStatus, 255);
    }
}

TEST(CommandLineRun, NegativeOrHugeWindowSizeIsNotOpenedAndTheGameEndsWithMinusOne) {
    // A negative or huge size parses as an int, so it reaches the window: it must fail
    // there in the same orderly way as a size of zero, not bring the game down.
    if (!holdDisplayOpen()) {
        GTEST_SKIP() << "needs an X display (run under xvfb-run -a)";
    }
    for (const std::vector<std::string>& size :
         {std::vector<std::string>{"-5", "600"}, std::vector<std::string>{"800", "-5"},
          std::vector<std::string>{"100000", "100000"}}) {
        SCOPED_TRACE(size[0] + " x " + size[1]);
        const ProcessResult result = runQuickly(size);
        EXPECT_EQ(result.out, startUpLines(tolvaBinary()) + "ERROR: Failed to open window\n");
        EXPECT_EQ(result.exitStatus, 255);
    }
}

TEST(CommandLineRun, TooFewArgumentsAreReportedAndA1024By768WindowOpens) {
    if (!holdDisplayOpen() || !hasXdotool()) {
        GTEST_SKIP() << "needs an X display (run under xvfb-run -a) and xdotool";
    }
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{}, std::vector<std::string>{"800"}}) {
        SCOPED_TRACE(::testing::PrintToString(arguments));
        const ProcessResult result = playUntilEscape(arguments, {1024, 768});
        // No program path line: the count is checked first and nothing else is parsed.
        EXPECT_EQ(
            result.out.rfind("Hello Tolva\n" + tooFewArguments + "SUCCESS: glfw intialisiert\n", 0),
            0u)
            << result.out;
        EXPECT_EQ(result.out.find("ececuting"), std::string::npos);
    }
}

TEST(CommandLineRun, TrailingLettersAndAFourthWordAreIgnored) {
    if (!holdDisplayOpen() || !hasXdotool()) {
        GTEST_SKIP() << "needs an X display (run under xvfb-run -a) and xdotool";
    }
    const ProcessResult result = playUntilEscape({"640abc", "480px", "0", "extra"}, {640, 480});
    EXPECT_EQ(result.out.rfind(startUpLines(tolvaBinary()), 0), 0u) << result.out;
}
