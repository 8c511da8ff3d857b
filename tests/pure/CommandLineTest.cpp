// SPDX-License-Identifier: GPL-3.0-or-later
// The command line: what each kind of argument list asks for and what the game says.
#include "app/CommandLine.h"

#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

using Pellwin::CommandLineResult;

namespace {

const std::string executing = "you are ececuting 'tolva'\n";
const std::string tooFew = "Nicht die richtige Anzahl an Argumenten, 2 Integers erwartet\n";
const std::string badFirst = "you failed with the first command line argument, need int\n";
const std::string badSecond = "you failed with the second command line argument, need int\n";
const std::string badThird = "you failed with the third command line argument, need boolean\n";

struct Case {
    std::vector<const char*> arguments;
    CommandLineResult result;
    std::string console;
    int width, height; // checked when accepted
    bool fullscreen;
};

using Result = CommandLineResult;

// clang-format off
const Case cases[] = {
    {{}, Result::missingArguments, tooFew, 1024, 768, false},
    {{"800"}, Result::missingArguments, tooFew, 1024, 768, false},
    {{"1024", "768"}, Result::accepted, executing, 1024, 768, false},
    {{"800abc", "600"}, Result::accepted, executing, 800, 600, false},
    {{" \t+640", "-480"}, Result::accepted, executing, 640, -480, false},
    {{"800", "600", "1"}, Result::accepted, executing, 800, 600, true},
    {{"800", "600", "0", "fourth"}, Result::accepted, executing, 800, 600, false},
    {{"800", "600", "1x"}, Result::accepted, executing, 800, 600, true},
    {{"abc", "oops"}, Result::badFirstArgument, executing + badFirst, 0, 0, false},
    {{"", "600"}, Result::badFirstArgument, executing + badFirst, 0, 0, false},
    {{"99999999999", "600"}, Result::badFirstArgument, executing + badFirst, 0, 0, false},
    {{"800", "x600"}, Result::badSecondArgument, executing + badSecond, 0, 0, false},
    {{"800", "600", "true"}, Result::badThirdArgument, executing + badThird, 0, 0, false},
    {{"800", "600", "2"}, Result::badThirdArgument, executing + badThird, 0, 0, false},
    {{"800", "600", ""}, Result::badThirdArgument, executing + badThird, 0, 0, false},
};
// clang-format on

} // namespace

TEST(CommandLine, EachArgumentListGivesItsRequestAndItsMessages) {
    for (const Case& c : cases) {
        std::vector<const char*> argv{"tolva"};
        argv.insert(argv.end(), c.arguments.begin(), c.arguments.end());
        const int argc = static_cast<int>(argv.size());
        argv.push_back(nullptr);
        Pellwin::WindowRequest request;
        std::ostringstream console;
        const CommandLineResult result = parseCommandLine(argc, argv.data(), request, console);
        const std::string what = argc > 1 ? std::string(argv[1]) + " ..." : "no arguments";
        EXPECT_EQ(result, c.result) << what;
        EXPECT_EQ(console.str(), c.console) << what;
        if (result == CommandLineResult::accepted ||
            result == CommandLineResult::missingArguments) {
            EXPECT_EQ(request.width, c.width) << what;
            EXPECT_EQ(request.height, c.height) << what;
            EXPECT_EQ(request.fullscreen, c.fullscreen) << what;
        }
    }
}

TEST(CommandLine, ProgramPathIsEchoedByteForByte) {
    const char* argv[] = {"/tmp/K\xFC"
                          "che/'tolva'",
                          "1", "2", nullptr};
    Pellwin::WindowRequest request;
    std::ostringstream console;
    parseCommandLine(3, argv, request, console);
    EXPECT_EQ(console.str(), "you are ececuting '/tmp/K\xFC"
                             "che/'tolva''\n");
}

TEST(CommandLine, HelpAndVersionAnswerOnlyAsTheFirstArgumentAndOnlyWhenWritten) {
    using Args = std::vector<const char*>;
    for (const Args& argv : {Args{"tolva"}, {"tolva", "800", "--help"}, {"tolva", "--versions"}}) {
        std::ostringstream out, err;
        EXPECT_FALSE(Pellwin::answerHelpOrVersion(int(argv.size()), argv.data(), out, err));
        EXPECT_EQ(out.str() + err.str(), "") << argv.back();
    }
    const char* help[] = {"tolva", "--help"};
    std::ostringstream full, err;
    full.setstate(std::ios::badbit);
    EXPECT_EQ(Pellwin::answerHelpOrVersion(2, help, full, err), 1);
    EXPECT_EQ(err.str(), "tolva: standard output cannot be written\n");
}
