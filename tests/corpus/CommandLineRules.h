#pragma once
// What the game must make of a command line, worked out from the rules by hand rather than
// with a stream: the corpus test and the command-line fuzzer both hold the parser to it.
#include "app/CommandLine.h"

#include <climits>
#include <string>

namespace TolvaRules {

// A number as formatted extraction reads it in the classic locale: white space skipped,
// then one optional sign, then decimal digits as far as they go. Anything after the digits
// is ignored. `readable` is false without a digit or when the number does not fit a long.
struct Reading {
    bool readable = false;
    long value = 0;
};

inline bool isClassicSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

inline Reading readNumber(const char* text) {
    Reading reading;
    if (text == nullptr) {
        return reading;
    }
    const char* p = text;
    while (isClassicSpace(*p)) {
        ++p;
    }
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    // The magnitude, saturated one past the largest long so an overflow stays visible.
    const unsigned long limit = static_cast<unsigned long>(LONG_MAX) + 1ul;
    unsigned long magnitude = 0;
    bool sawDigit = false;
    bool tooBig = false;
    for (; *p >= '0' && *p <= '9'; ++p) {
        sawDigit = true;
        const unsigned long digit = static_cast<unsigned long>(*p - '0');
        if (magnitude > (limit - digit) / 10) {
            tooBig = true;
        } else {
            magnitude = magnitude * 10 + digit;
        }
    }
    if (!sawDigit || tooBig || (!negative && magnitude == limit)) {
        return reading;
    }
    reading.readable = true;
    reading.value = negative ? (magnitude == limit ? LONG_MIN : -static_cast<long>(magnitude))
                             : static_cast<long>(magnitude);
    return reading;
}

// A width or height: any readable number that fits an int.
inline bool readInt(const char* text, int& value) {
    const Reading reading = readNumber(text);
    if (!reading.readable || reading.value < INT_MIN || reading.value > INT_MAX) {
        return false;
    }
    value = static_cast<int>(reading.value);
    return true;
}

// The full-screen flag: the number must be 0 or 1 ("-0" and "+1" count, "true" does not).
inline bool readFlag(const char* text, bool& value) {
    const Reading reading = readNumber(text);
    if (!reading.readable || (reading.value != 0 && reading.value != 1)) {
        return false;
    }
    value = reading.value == 1;
    return true;
}

struct Expected {
    Pellwin::CommandLineResult result = Pellwin::CommandLineResult::missingArguments;
    Pellwin::WindowRequest request; // meaningful when accepted or missing arguments
    std::string console;            // every byte the parser writes
};

inline Expected expectedParse(int argc, const char* const* argv) {
    using Pellwin::CommandLineResult;
    Expected expected;
    if (argc < 3) {
        expected.console = "Nicht die richtige Anzahl an Argumenten, 2 Integers erwartet\n";
        return expected;
    }
    expected.console = std::string("you are ececuting '") + (argv[0] ? argv[0] : "") + "'\n";
    if (!readInt(argv[1], expected.request.width)) {
        expected.result = CommandLineResult::badFirstArgument;
        expected.console += "you failed with the first command line argument, need int\n";
        return expected;
    }
    if (!readInt(argv[2], expected.request.height)) {
        expected.result = CommandLineResult::badSecondArgument;
        expected.console += "you failed with the second command line argument, need int\n";
        return expected;
    }
    if (argc >= 4 && !readFlag(argv[3], expected.request.fullscreen)) {
        expected.result = CommandLineResult::badThirdArgument;
        expected.console += "you failed with the third command line argument, need boolean\n";
        return expected;
    }
    expected.result = CommandLineResult::accepted;
    return expected;
}

inline const char* resultName(Pellwin::CommandLineResult result) {
    switch (result) {
    case Pellwin::CommandLineResult::missingArguments:
        return "missingArguments";
    case Pellwin::CommandLineResult::accepted:
        return "accepted";
    case Pellwin::CommandLineResult::badFirstArgument:
        return "badFirstArgument";
    case Pellwin::CommandLineResult::badSecondArgument:
        return "badSecondArgument";
    case Pellwin::CommandLineResult::badThirdArgument:
        return "badThirdArgument";
    }
    return "unknown";
}

} // namespace TolvaRules
