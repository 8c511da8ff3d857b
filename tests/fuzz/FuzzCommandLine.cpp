// Any argument vector: the parser must not crash, and must answer as the rules say.
// The input is the vector's strings separated by NUL bytes, the program name first.
#include "app/CommandLine.h"
#include "corpus/CommandLineRules.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    constexpr size_t mostArguments = 8;
    std::vector<std::string> strings(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] != 0) {
            strings.back().push_back(static_cast<char>(data[i]));
        } else if (strings.size() < mostArguments) {
            strings.emplace_back();
        } else {
            break;
        }
    }
    std::vector<const char*> argv;
    for (const std::string& text : strings) {
        argv.push_back(text.c_str());
    }
    argv.push_back(nullptr);
    const int argc = static_cast<int>(strings.size());

    Pellwin::WindowRequest request;
    std::ostringstream console;
    const Pellwin::CommandLineResult result =
        Pellwin::parseCommandLine(argc, argv.data(), request, console);
    const TolvaRules::Expected expected = TolvaRules::expectedParse(argc, argv.data());

    bool same = result == expected.result && console.str() == expected.console;
    if (same && result == Pellwin::CommandLineResult::accepted) {
        same = request.width == expected.request.width &&
               request.height == expected.request.height &&
               request.fullscreen == expected.request.fullscreen;
    }
    if (!same) {
        std::fprintf(stderr, "parser says %s, the rules say %s\n", TolvaRules::resultName(result),
                     TolvaRules::resultName(expected.result));
        std::abort();
    }
    return 0;
}
