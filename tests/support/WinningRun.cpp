// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/WinningRun.h"

namespace TolvaTest {

using namespace GameKeys;

const std::vector<ScriptStep> winningRun = {
    {0.0, {D}}, {0.45, {}}, {0.5, {W}}, {1.2, {}},         {2.0, {A}},
    {2.45, {}}, {2.5, {W}}, {3.3, {}},  {3.4, {Space, W}}, {3.5, {W}},
    {4.2, {}},  {4.3, {W}}, {6.0, {A}}, {6.52, {S}},       {7.9, {W}},
};

} // namespace TolvaTest
