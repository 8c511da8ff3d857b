// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace Pellwin {

// Medal times come from a reference run: gold within 10 % of its time, silver within 30 %,
// bronze within 60 %, each rounded up to the next half second.

enum class Medal { none, bronze, silver, gold };

// The slowest time, in hundredths, that still earns each medal.
struct MedalTimes {
    int gold = 0;
    int silver = 0;
    int bronze = 0;
};

MedalTimes medalTimes(int referenceHundredths);

// The best medal a time earns; a time at a medal's limit earns it.
Medal medalFor(int hundredths, const MedalTimes& times);

// "Gold", "Silber", "Bronze", or an empty text for no medal.
const char* medalWord(Medal medal);

} // namespace Pellwin
