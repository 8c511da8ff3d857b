// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TimeText.h"

#include "sim/WorldRules.h"

#include <algorithm>
#include <cmath>

namespace Pellwin {

ClockFace clockFace(float secondsLeft) {
    const double left =
        std::clamp(static_cast<double>(secondsLeft), 0.0, static_cast<double>(roundSeconds));
    const int tenths = static_cast<int>(std::floor(left * 10.0 + 0.01));
    if (tenths < 100) {
        return {std::to_string(tenths / 10) + "," + std::to_string(tenths % 10), true};
    }
    return {std::to_string(static_cast<int>(std::ceil(left - 0.001))), false};
}

std::string wonTimeText(int hundredths) {
    const int cents = hundredths % 100;
    return std::to_string(hundredths / 100) + (cents < 10 ? ",0" : ",") + std::to_string(cents) +
           " s";
}

} // namespace Pellwin
