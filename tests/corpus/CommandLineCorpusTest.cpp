// Thousands of command lines a player, a shell script or a slip of the keyboard might give
// the game: each must end in the answer and messages the rules give, in the parser and in
// the real game, which must never crash on one.
#include "app/CommandLine.h"
#include "corpus/CommandLineRules.h"
#include "support/ProcessRunner.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <vector>

using Pellwin::CommandLineResult;
using TolvaRules::Expected;

namespace {

// Words that look a little or a lot like numbers. Each may be any argument.
const std::vector<std::string>& words() {
    static const std::vector<std::string> list = {
        "",
        "0",
        "1",
        "2",
        "3",
        "-1",
        "+1",
        "-0",
        "+0",
        "00",
        "01",
        "007",
        "1024",
        "768",
        "-800",
        "800abc",
        "abc",
        "a1",
        " 42",
        "\t\n\v\f\r7",
        "42 ",
        " ",
        "\t",
        "- 5",
        "+-5",
        "--5",
        "++5",
        "+",
        "-",
        "2147483647",
        "2147483648",
        "-2147483648",
        "-2147483649",
        "4294967296",
        "9223372036854775807",
        "9223372036854775808",
        "-9223372036854775808",
        "-9223372036854775809",
        "18446744073709551617",
        "99999999999999999999999999999999",
        "000000000000000000000000000000000001",
        "-00000000000000000000000000000000002147483648",
        "1e3",
        "0x10",
        "0b1",
        "1.5",
        ".5",
        "1,024",
        "1 1",
        "true",
        "false",
        "TRUE",
        "yes",
        "\xEF\xBC\x91\xEF\xBC\x92", // full-width digits one and two (UTF-8)
        "\xD9\xA3",                 // an Arabic-Indic digit three
        "\xA0"                      // a Latin-1 no-break space before the digit
        "5",
        "\xC2\xA0"
        "5",    // the same space in UTF-8
        "\xE4", // a lone Latin-1 a-umlaut
        "5\xE4",
        "\xFF\xFE\xFD",
        "\x7F",
        "12\x01",
        "\x1B[31m1",
        "%d%n%s",
        "$(reboot)",
        "-2",
        "+2",
    };
    return list;
}

// About 100 kB each: longer than any buffer a parser might keep on the stack.
std::vector<std::string> longWords() {
    constexpr size_t length = 100 * 1024;
    return {
        "1" + std::string(length, '0'),       // far too big for an int
        std::string(length, '0') + "5",       // only zeros before a small number
        std::string(length, ' ') + "7",       // only white space before it
        "-" + std::string(length, '0') + "1", // minus one, written long
        std::string(length, 'a'),
        std::string(length, '9'),
        std::string(length, '\xE4'),
    };
}

struct CommandLine {
    std::vector<std::string> arguments; // without the program name
    std::string program = "tolva";
};

// Every shape of command line: none to five arguments, each word in each place.
std::vector<CommandLine> makeCorpus() {
    const std::vector<std::string>& all = words();
    std::vector<CommandLine> corpus;
    corpus.push_back({{}, "tolva"});
    corpus.push_back({{}, ""});
    for (const std::string& word : all) {
        corpus.push_back({{word}, "tolva"});
    }
    for (const std::string& first : all) {
        for (const std::string& second : all) {
            corpus.push_back({{first, second}, "tolva"});
        }
    }
    const std::vector<std::string> goodSizes[] = {{"1024", "768"}, {"800abc", "600"}, {"1", "1"}};
    for (const std::vector<std::string>& size : goodSizes) {
        for (const std::string& third : all) {
            corpus.push_back({{size[0], size[1], third}, "tolva"});
            corpus.push_back({{size[0], size[1], third, "extra"}, "tolva"});
        }
    }
    for (const std::string& fourth : all) {
        corpus.push_back({{"1024", "768", "0", fourth}, "tolva"});
        corpus.push_back({{"1024", "768", "1", fourth, fourth}, "tolva"});
        corpus.push_back({{"abc", fourth, "1", fourth, fourth}, "tolva"});
    }
    // Odd program names are printed as they are.
    for (const char* program :
         {"", "/usr/games/tolva", "C:\\Spiele\\tolva.exe", "t\xF6lva", "tolva with spaces", "'"}) {
        corpus.push_back({{"1024", "768"}, program});
        corpus.push_back({{"x", "768"}, program});
    }
    for (const std::string& word : longWords()) {
        corpus.push_back({{word, "768"}, "tolva"});
        corpus.push_back({{"1024", word}, "tolva"});
        corpus.push_back({{"1024", "768", word}, "tolva"});
        corpus.push_back({{"1024", "768", "0", word}, "tolva"});
        corpus.push_back({{word}, "tolva"});
    }
    return corpus;
}

std::vector<const char*> argvOf(const CommandLine& line) {
    std::vector<const char*> argv{line.program.c_str()};
    for (const std::string& argument : line.arguments) {
        argv.push_back(argument.c_str());
    }
    argv.push_back(nullptr);
    return argv;
}

// Short enough to read in a failure message.
std::string describe(const CommandLine& line) {
    std::ostringstream text;
    text << "[" << line.program << "]";
    for (const std::string& argument : line.arguments) {
        text << " [";
        if (argument.size() > 40) {
            text << argument.substr(0, 20) << "... (" << argument.size() << " bytes)";
        } else {
            for (unsigned char c : argument) {
                if (c < 0x20 || c >= 0x7F) {
                    text << "\\x" << std::hex << static_cast<int>(c) << std::dec;
                } else {
                    text << c;
                }
            }
        }
        text << "]";
    }
    return text.str();
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

} // namespace

TEST(CommandLineCorpus, ParserFollowsTheRulesForEveryVector) {
    const std::vector<CommandLine> corpus = makeCorpus();
    ASSERT_GE(corpus.size(), 2000u);
    int mismatches = 0;
    for (const CommandLine& line : corpus) {
        const std::vector<const char*> argv = argvOf(line);
        const int argc = static_cast<int>(argv.size()) - 1;
        const Expected expected = TolvaRules::expectedParse(argc, argv.data());

        Pellwin::WindowRequest request;
        std::ostringstream console;
        const CommandLineResult result =
            Pellwin::parseCommandLine(argc, argv.data(), request, console);

        bool same = result == expected.result && console.str() == expected.console;
        if (same && (result == CommandLineResult::accepted ||
                     result == CommandLineResult::missingArguments)) {
            same = request.width == expected.request.width &&
                   request.height == expected.request.height &&
                   request.fullscreen == expected.request.fullscreen;
        }
        if (!same && ++mismatches <= 20) {
            ADD_FAILURE() << describe(line) << "\n  expected "
                          << TolvaRules::resultName(expected.result) << " "
                          << expected.request.width << "x" << expected.request.height
                          << (expected.request.fullscreen ? " full screen" : "") << ", console:\n"
                          << expected.console.substr(0, 200) << "  got "
                          << TolvaRules::resultName(result) << " " << request.width << "x"
                          << request.height << (request.fullscreen ? " full screen" : "")
                          << ", console:\n"
                          << console.str().substr(0, 200);
        }
    }
    EXPECT_EQ(mismatches, 0) << "of " << corpus.size() << " command lines";
}

TEST(CommandLineCorpus, ParserWithNoArgumentsAtAll) {
    // A program started with an empty argument vector has no name to print.
    const char* const argv[] = {nullptr};
    Pellwin::WindowRequest request;
    std::ostringstream console;
    EXPECT_EQ(Pellwin::parseCommandLine(0, argv, request, console),
              CommandLineResult::missingArguments);
    EXPECT_EQ(console.str(), "Nicht die richtige Anzahl an Argumenten, 2 Integers erwartet\n");
    EXPECT_EQ(request.width, 1024);
    EXPECT_EQ(request.height, 768);
}

TEST(CommandLineCorpus, BinaryAnswersARepresentativeSubset) {
    // No X server answers on display 999, so an accepted command line ends right after it
    // at the GLFW start with status -1, and a bad one earlier with status 1.
    struct stat socketInfo {};
    if (stat("/tmp/.X11-unix/X999", &socketInfo) == 0) {
        GTEST_SKIP() << "an X server is listening on display 999";
    }
    const std::vector<CommandLine> corpus = makeCorpus();
    std::vector<CommandLine> subset;
    for (size_t i = 0; i < corpus.size(); i += 17) {
        subset.push_back(corpus[i]);
    }
    // The long arguments and the shapes beyond two arguments are all kept.
    for (const CommandLine& line : corpus) {
        bool special = line.arguments.size() != 2 && line.arguments.size() != 1;
        for (const std::string& argument : line.arguments) {
            special = special || argument.size() > 1000;
        }
        if (special && subset.size() < 400 && line.program == "tolva") {
            subset.push_back(line);
        }
    }
    ASSERT_GE(subset.size(), 200u);

    const std::string binary = TOLVA_BINARY;
    TolvaTest::ProcessOptions options;
    options.extraEnvironment = {"DISPLAY=:999"};
    options.timeoutSeconds = 60.0;
    int mismatches = 0;
    for (CommandLine line : subset) {
        line.program = binary;
        const std::vector<const char*> argv = argvOf(line);
        const Expected expected =
            TolvaRules::expectedParse(static_cast<int>(argv.size()) - 1, argv.data());
        const bool goesOn = expected.result == CommandLineResult::accepted ||
                            expected.result == CommandLineResult::missingArguments;
        const std::string out =
            "Hello Tolva\n" + expected.console + (goesOn ? "ERROR: Failed to init glfw\n" : "");
        const int status = goesOn ? 255 : 1;

        std::vector<std::string> command{binary};
        command.insert(command.end(), line.arguments.begin(), line.arguments.end());
        const TolvaTest::ProcessResult run = TolvaTest::runProcess(command, options);
        const bool same = !run.timedOut && run.signal == 0 && run.exitStatus == status &&
                          run.out == out && !hasSanitizerReport(run.err);
        if (!same && ++mismatches <= 10) {
            ADD_FAILURE() << describe(line) << "\n  expected status " << status << ", stdout:\n"
                          << out.substr(0, 300) << "  got status " << run.exitStatus << " signal "
                          << run.signal << (run.timedOut ? " (timed out)" : "") << ", stdout:\n"
                          << run.out.substr(0, 300) << "  stderr:\n"
                          << run.err.substr(0, 2000);
        }
    }
    EXPECT_EQ(mismatches, 0) << "of " << subset.size() << " runs of the game";
}
