// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Medals.h"

namespace Pellwin {

namespace {

// Whole hundredths throughout, so a limit is exact and never a hundredth off.
int limitWithin(int referenceHundredths, int percent) {
    constexpr long long halfSecond = 50;
    const long long allowed = static_cast<long long>(referenceHundredths) * (100 + percent);
    // allowed is in hundredths of hundredths; up to the next half second.
    return static_cast<int>((allowed + 100 * halfSecond - 1) / (100 * halfSecond) * halfSecond);
}

} // namespace

MedalTimes medalTimes(int referenceHundredths) {
    return {limitWithin(referenceHundredths, 10), limitWithin(referenceHundredths, 30),
            limitWithin(referenceHundredths, 60)};
}

Medal medalFor(int hundredths, const MedalTimes& times) {
    if (hundredths <= 0) {
        return Medal::none;
    }
    if (hundredths <= times.gold) {
        return Medal::gold;
    }
    if (hundredths <= times.silver) {
        return Medal::silver;
    }
    return hundredths <= times.bronze ? Medal::bronze : Medal::none;
}

const char* medalWord(Medal medal) {
    switch (medal) {
    case Medal::gold:
        return "Gold";
    case Medal::silver:
        return "Silber";
    case Medal::bronze:
        return "Bronze";
    case Medal::none:
        break;
    }
    return "";
}

} // namespace Pellwin
