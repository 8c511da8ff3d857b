#include "app/CommandLine.h"

#include <gtest/gtest.h>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

using Pellwin::CommandLineResult;
using Pellwin::parseCommandLine;
using Pellwin::WindowRequest;

namespace {

const std::string executingLine = "you are ececuting 'tolva'\n";
const std::string missingMessage = "Nicht die richtige Anzahl an Argumenten, 2 Integers erwartet\n";
const std::string firstMessage = "you failed with the first command line argument, need int\n";
const std::string secondMessage = "you failed with the second command line argument, need int\n";
const std::string thirdMessage = "you failed with the third command line argument, need boolean\n";

struct Parsed {
    CommandLineResult result;
    WindowRequest request;
    std::string console;
};

// Runs the parser on a command line whose program path is "tolva" unless given.
Parsed parse(std::initializer_list<const char*> arguments, const char* programPath = "tolva") {
    std::vector<const char*> argv{programPath};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    const int argc = static_cast<int>(argv.size());
    argv.push_back(nullptr);
    Parsed parsed{CommandLineResult::accepted, WindowRequest{}, std::string()};
    std::ostringstream console;
    parsed.result = parseCommandLine(argc, argv.data(), parsed.request, console);
    parsed.console = console.str();
    return parsed;
}

} // namespace

TEST(CommandLine, FewerThanTwoArgumentsWarnsAndKeepsTheDefaultWindow) {
    for (const Parsed& parsed : {parse({}), parse({"800"})}) {
        EXPECT_EQ(parsed.result, CommandLineResult::missingArguments);
        // Only the count message: the program path line belongs to a full command line.
        EXPECT_EQ(parsed.console, missingMessage);
        EXPECT_EQ(parsed.request.width, 1024);
        EXPECT_EQ(parsed.request.height, 768);
        EXPECT_FALSE(parsed.request.fullscreen);
    }
}

TEST(CommandLine, TwoIntegersGiveAWindowedRequest) {
    const Parsed parsed = parse({"1024", "768"});
    EXPECT_EQ(parsed.result, CommandLineResult::accepted);
    EXPECT_EQ(parsed.console, executingLine);
    EXPECT_EQ(parsed.request.width, 1024);
    EXPECT_EQ(parsed.request.height, 768);
    EXPECT_FALSE(parsed.request.fullscreen);
}

TEST(CommandLine, ProgramPathIsEchoedByteForByteBeforeAnyArgumentIsRead) {
    const char* path = "C:\\Spiele\\Texturqualit\xE4t\\tolva.exe";
    const Parsed accepted = parse({"800", "600"}, path);
    EXPECT_EQ(accepted.console, std::string("you are ececuting '") + path + "'\n");

    // The path line comes first even when the first argument is then refused.
    const Parsed refused = parse({"abc", "600"}, path);
    EXPECT_EQ(refused.console, std::string("you are ececuting '") + path + "'\n" + firstMessage);
}

TEST(CommandLine, TrailingCharactersAfterTheNumberAreIgnored) {
    const Parsed parsed = parse({"800abc", "600xyz"});
    EXPECT_EQ(parsed.result, CommandLineResult::accepted);
    EXPECT_EQ(parsed.console, executingLine);
    EXPECT_EQ(parsed.request.width, 800);
    EXPECT_EQ(parsed.request.height, 600);
    EXPECT_FALSE(parsed.request.fullscreen);

    const Parsed nonAsciiTail = parse({"800\xE4", "600\xFF\x80"});
    EXPECT_EQ(nonAsciiTail.result, CommandLineResult::accepted);
    EXPECT_EQ(nonAsciiTail.request.width, 800);
    EXPECT_EQ(nonAsciiTail.request.height, 600);
}

TEST(CommandLine, BadFirstArgumentStopsBeforeTheSecondIsLookedAt) {
    // The second argument is bad too: its message must not appear.
    const Parsed parsed = parse({"abc", "xyz"});
    EXPECT_EQ(parsed.result, CommandLineResult::badFirstArgument);
    EXPECT_EQ(parsed.console, executingLine + firstMessage);
    EXPECT_EQ(parsed.request.height, 768);

    // An umlaut in front of the digits, as a console in UTF-8 would send it.
    const char* umlautFirst = "\xC3\xA4"
                              "800";
    for (const char* bad : {"", " ", "\xE4", umlautFirst, "x800", "+", "-", "--5", "+-5",
                            "99999999999", "-99999999999", "2147483648"}) {
        const Parsed refused = parse({bad, "600"});
        EXPECT_EQ(refused.result, CommandLineResult::badFirstArgument) << '"' << bad << '"';
        EXPECT_EQ(refused.console, executingLine + firstMessage) << '"' << bad << '"';
    }
}

TEST(CommandLine, BadSecondArgumentIsReportedAfterAGoodFirst) {
    for (const char* bad : {"abc", "", "\xE4", "99999999999", "-2147483649"}) {
        const Parsed parsed = parse({"800", bad});
        EXPECT_EQ(parsed.result, CommandLineResult::badSecondArgument) << '"' << bad << '"';
        EXPECT_EQ(parsed.console, executingLine + secondMessage) << '"' << bad << '"';
        EXPECT_EQ(parsed.request.width, 800);
    }
    // A bad third argument is not looked at either.
    const Parsed parsed = parse({"800", "abc", "true"});
    EXPECT_EQ(parsed.console, executingLine + secondMessage);
}

TEST(CommandLine, SignsAndLeadingWhiteSpaceAreReadLikeAnyFormattedInt) {
    const Parsed plus = parse({"+5", "+7"});
    EXPECT_EQ(plus.result, CommandLineResult::accepted);
    EXPECT_EQ(plus.request.width, 5);
    EXPECT_EQ(plus.request.height, 7);

    const Parsed minus = parse({"-5", "-7"});
    EXPECT_EQ(minus.result, CommandLineResult::accepted);
    EXPECT_EQ(minus.console, executingLine);
    EXPECT_EQ(minus.request.width, -5);
    EXPECT_EQ(minus.request.height, -7);

    const Parsed spaced = parse({"  800", "\t\n600", " 1"});
    EXPECT_EQ(spaced.result, CommandLineResult::accepted);
    EXPECT_EQ(spaced.request.width, 800);
    EXPECT_EQ(spaced.request.height, 600);
    EXPECT_TRUE(spaced.request.fullscreen);

    // White space inside the number ends it.
    const Parsed split = parse({"8 00", "6 00"});
    EXPECT_EQ(split.result, CommandLineResult::accepted);
    EXPECT_EQ(split.request.width, 8);
    EXPECT_EQ(split.request.height, 6);

    const Parsed limits = parse({"2147483647", "-2147483648"});
    EXPECT_EQ(limits.result, CommandLineResult::accepted);
    EXPECT_EQ(limits.request.width, 2147483647);
    EXPECT_EQ(limits.request.height, -2147483647 - 1);
}

TEST(CommandLine, ThirdArgumentOneAsksForFullScreenAndZeroForAWindow) {
    const Parsed full = parse({"1024", "768", "1"});
    EXPECT_EQ(full.result, CommandLineResult::accepted);
    EXPECT_EQ(full.console, executingLine);
    EXPECT_EQ(full.request.width, 1024);
    EXPECT_EQ(full.request.height, 768);
    EXPECT_TRUE(full.request.fullscreen);

    const Parsed windowed = parse({"1024", "768", "0"});
    EXPECT_EQ(windowed.result, CommandLineResult::accepted);
    EXPECT_FALSE(windowed.request.fullscreen);

    // Like the numbers, the flag ignores what follows its digit.
    const Parsed tail = parse({"1024", "768", "1abc"});
    EXPECT_EQ(tail.result, CommandLineResult::accepted);
    EXPECT_TRUE(tail.request.fullscreen);
}

TEST(CommandLine, ThirdArgumentOtherThanZeroOrOneIsRefused) {
    for (const char* bad : {"true", "false", "2", "-1", "10", "", "\xE4", "yes"}) {
        const Parsed parsed = parse({"1024", "768", bad});
        EXPECT_EQ(parsed.result, CommandLineResult::badThirdArgument) << '"' << bad << '"';
        EXPECT_EQ(parsed.console, executingLine + thirdMessage) << '"' << bad << '"';
        EXPECT_EQ(parsed.request.width, 1024);
        EXPECT_EQ(parsed.request.height, 768);
    }
}

TEST(CommandLine, ArgumentsAfterTheThirdAreIgnored) {
    const Parsed windowed = parse({"1024", "768", "0", "extra"});
    EXPECT_EQ(windowed.result, CommandLineResult::accepted);
    EXPECT_EQ(windowed.console, executingLine);
    EXPECT_FALSE(windowed.request.fullscreen);

    const Parsed full = parse({"1024", "768", "1", "true", "abc", ""});
    EXPECT_EQ(full.result, CommandLineResult::accepted);
    EXPECT_EQ(full.console, executingLine);
    EXPECT_TRUE(full.request.fullscreen);
}
