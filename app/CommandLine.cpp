// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"

#include <sstream>
#include <string>
#include <string_view>

namespace Pellwin {

template <typename T> static bool extract(const char* argument, T& value) {
    std::istringstream stream{std::string(argument != nullptr ? argument : "")};
    stream >> value;
    return !(stream.fail() || stream.bad());
}

CommandLineResult parseCommandLine(int argc, const char* const* argv, WindowRequest& request,
                                   std::ostream& console) {
    request.fullscreen = false;
    if (argc < 3) {
        console << "Nicht die richtige Anzahl an Argumenten, 2 Integers erwartet" << std::endl;
        return CommandLineResult::missingArguments;
    }
    console << "you are ececuting '" << (argv[0] != nullptr ? argv[0] : "") << "'" << std::endl;
    if (!extract(argv[1], request.width)) {
        console << "you failed with the first command line argument, need int" << std::endl;
        return CommandLineResult::badFirstArgument;
    }
    if (!extract(argv[2], request.height)) {
        console << "you failed with the second command line argument, need int" << std::endl;
        return CommandLineResult::badSecondArgument;
    }
    if (argc >= 4 && !extract(argv[3], request.fullscreen)) {
        console << "you failed with the third command line argument, need boolean" << std::endl;
        return CommandLineResult::badThirdArgument;
    }
    return CommandLineResult::accepted;
}

namespace {

const char* const usage =
    "Usage: tolva [width height [fullscreen]]\n"
    "       tolva --help | --version\n"
    "Steer a fruit along the kitchen worktop to the far wall within 50 seconds.\n"
    "\n"
    "  width height  the window's size in screen coordinates (whole numbers); with\n"
    "                fewer than two numbers the window is 1024 x 768\n"
    "  fullscreen    1: full screen on the primary monitor, 0: a window\n"
    "  --help        show this help and end\n"
    "  --version     show the version and end\n"
    "\n"
    "Keys: F1 start, W forward, R fast, S back, A and D sideways, the arrows steer,\n"
    "Space jump, M sound off and on, Escape quit. The manual page tolva(6) has the\n"
    "gamepad, the hotkeys, the files and the exit statuses.\n";

} // namespace

std::optional<int> answerHelpOrVersion(int argc, const char* const* argv, std::ostream& out,
                                       std::ostream& err) {
    // Only the first argument asks: anything else there has always meant a window size.
    const std::string_view first = argc >= 2 && argv[1] != nullptr ? argv[1] : "";
    if (first == "--help") {
        out << usage;
    } else if (first == "--version") {
        out << "tolva " TOLVA_VERSION "\n";
    } else {
        return std::nullopt;
    }
    // A full disk must not pass for an answer given.
    if (!out.flush()) {
        err << "tolva: standard output cannot be written" << std::endl;
        return 1;
    }
    return 0;
}

} // namespace Pellwin
