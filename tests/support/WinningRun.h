// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "support/KeyScript.h"

#include <vector>

namespace TolvaTest {

// A round that reaches the goal when played at 60 frames a second: right past the first
// plank, back to the middle, over the slab, wait for the knives to reset at the far end,
// then dash past the fifth knife and between the pot and the second plank to the goal.
extern const std::vector<ScriptStep> winningRun;

} // namespace TolvaTest
