// SPDX-License-Identifier: GPL-3.0-or-later
// Medal times from a reference run, at their limits.
#include "app/Medals.h"

#include <gtest/gtest.h>

using namespace Pellwin;

TEST(Medals, EachLimitIsTheReferencePlusItsShareRoundedUpToAHalfSecond) {
    const struct {
        int reference, time;
        const char* word;
    } cases[] = {{2345, 1, "Gold"},      {2345, 2600, "Gold"},   {2345, 2601, "Silber"},
                 {2345, 3050, "Silber"}, {2345, 3051, "Bronze"}, {2345, 3800, "Bronze"},
                 {2345, 3801, ""},       {2345, 0, ""},          {2000, 2200, "Gold"},
                 {2000, 2201, "Silber"}, {2000, 2600, "Silber"}, {2000, 3200, "Bronze"}};
    for (const auto& c : cases) {
        EXPECT_STREQ(medalWord(medalFor(c.time, medalTimes(c.reference))), c.word)
            << c.time << " against " << c.reference;
    }
}
