// SPDX-License-Identifier: GPL-3.0-or-later
#include "runmaker/ShippedRoute.h"

namespace TolvaTest {

using namespace GameKeys;

// Right of the first plank, then every travel key at once with both sideways keys, whose
// forward drifts add up while their sideways moves cancel; a jump onto the slab, and right
// again to pass the second plank on its far side.
const std::vector<ScriptStep> shippedRoute = {
    {0.0, {D}},           {0.26, {W, R, D}}, {0.4, {W, R, A, D}},  {0.61, {W, R, A, D, Space}},
    {0.71, {W, R, A, D}}, {1.45, {W, R, D}}, {1.83, {W, R, A, D}},
};

} // namespace TolvaTest
