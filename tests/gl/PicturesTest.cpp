// SPDX-License-Identifier: GPL-3.0-or-later
// Fixed moments of the scripted winning run, compared with the pictures the game showed
// when they were recorded. Any change that should not change what a player sees (draw
// order, a faster blur, shared meshes) must leave them within one step per channel.
// Runs in a process of its own: the steam and rand() start from scratch there.
#include "app/GameLoop.h"
#include "support/GlTestWindow.h"
#include "support/KeyScript.h"
#include "support/WinningRun.h"

#include <GLFW/glfw3.h>
#include <cstdlib>
#include <gtest/gtest.h>
#include <map>

using namespace TolvaTest;

namespace {

// Frame of the run (60 per second) and what it shows; from frame 45 to 65 transparency
// is off (F9), and the plank is solid while the flare stays blended.
const std::map<int, std::string> moments = {
    {2, "start"},  {40, "flare"},   {60, "opaque"}, {215, "slab"},
    {300, "blur"}, {455, "knives"}, {535, "steam"},
};

} // namespace

TEST(Pictures, WinningRunLooksAsRecorded) {
    std::srand(1);
    returnToTitle(1.0);
    for (int frame = 0; frame <= moments.rbegin()->first; ++frame) {
        applyScript(winningRun, frame / 60.0);
        if (frame == 0) {
            holdKey(GLFW_KEY_F1);
        }
        if (frame == 45 || frame == 65) {
            holdKey(GLFW_KEY_F9);
        }
        stepFrame();
        ASSERT_TRUE(Pellwin::playing) << "the run ended at frame " << frame;
        const auto moment = moments.find(frame);
        if (moment == moments.end()) {
            continue;
        }
        expectSameAsReference(readWindow(), moment->second);
    }
    releaseAllKeys();
}
