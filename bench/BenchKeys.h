#pragma once
// The bench plays the keyboard through the game's key seam with the tests' scripted
// keyboard and their winning run.
#include "support/KeyScript.h"
#include "support/WinningRun.h"

namespace TolvaBench {

using TolvaTest::applyScript;
using TolvaTest::holdKey;
using TolvaTest::releaseAllKeys;
using TolvaTest::ScriptStep;
using TolvaTest::useScriptedKeys;
using TolvaTest::winningRun;

} // namespace TolvaBench
