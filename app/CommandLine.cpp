// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"

#include <sstream>
#include <string>

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

} // namespace Pellwin
