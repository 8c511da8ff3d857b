// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

namespace Pellwin {

// What the round clock shows.
struct ClockFace {
    std::string text;
    bool finalSeconds = false; // the last 10 s: red, with tenths
};

// Whole seconds rounded up (50 at the start, 0 only when time is up); in the last 10 s
// tenths rounded down, with the German decimal comma. A millisecond of slack absorbs the
// float rounding of the frame clock.
ClockFace clockFace(float secondsLeft);

// A won game's time as the won picture writes it, e.g. "23,45 s".
std::string wonTimeText(int hundredths);

} // namespace Pellwin
