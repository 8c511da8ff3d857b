// SPDX-License-Identifier: GPL-3.0-or-later
// Any argument vector (strings split at NUL bytes, the program path first): the parser
// must neither crash nor answer anything but one of its own messages.
#include "app/CommandLine.h"

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> strings(1);
    for (size_t i = 0; i < size && strings.size() <= 6; ++i) {
        if (data[i] != 0) {
            strings.back().push_back(char(data[i]));
        } else {
            strings.emplace_back();
        }
    }
    std::vector<const char*> argv;
    for (const std::string& text : strings) {
        argv.push_back(text.c_str());
    }
    argv.push_back(nullptr);
    Pellwin::WindowRequest request;
    std::ostringstream console;
    const int argc = int(strings.size());
    const Pellwin::CommandLineResult result = parseCommandLine(argc, argv.data(), request, console);
    const std::string executing = "you are ececuting '" + strings[0] + "'\n";
    const char* const tails[] = {"", "first command line argument, need int\n",
                                 "second command line argument, need int\n",
                                 "third command line argument, need boolean\n"};
    std::string expected = "Nicht die richtige Anzahl an Argumenten, 2 Integers erwartet\n";
    if (result != Pellwin::CommandLineResult::missingArguments) {
        const int bad = int(result) - int(Pellwin::CommandLineResult::accepted);
        expected = executing + (bad == 0 ? "" : std::string("you failed with the ") + tails[bad]);
    }
    if ((argc < 3) != (result == Pellwin::CommandLineResult::missingArguments) ||
        console.str() != expected || (argc < 4 && request.fullscreen)) {
        std::abort();
    }
    return 0;
}
