// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "support/KeyScript.h"

#include <vector>

namespace TolvaTest {

// The route of the run that ships with the game, at 60 frames a second.
extern const std::vector<ScriptStep> shippedRoute;

} // namespace TolvaTest
