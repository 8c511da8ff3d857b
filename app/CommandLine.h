// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <optional>
#include <ostream>

namespace Pellwin {

enum class CommandLineResult {
    missingArguments, // fewer than two arguments: the default size is used
    accepted,
    badFirstArgument,
    badSecondArgument,
    badThirdArgument,
};

struct WindowRequest {
    int width = 1024;
    int height = 768;
    bool fullscreen = false;
};

// Turns the command line into a window request and writes the game's messages for it.
// Pure: it never pauses or exits, so the rules can be tested and fuzzed in-process.
CommandLineResult parseCommandLine(int argc, const char* const* argv, WindowRequest& request,
                                   std::ostream& console);

// `tolva --help` and `tolva --version` answer on `out` and start no game. Returns the exit
// status for them (1 when the answer could not be written, said on `err`) and nothing for
// any other command line, which parseCommandLine takes as it always has.
std::optional<int> answerHelpOrVersion(int argc, const char* const* argv, std::ostream& out,
                                       std::ostream& err);

} // namespace Pellwin
