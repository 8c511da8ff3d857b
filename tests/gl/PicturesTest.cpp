// SPDX-License-Identifier: GPL-3.0-or-later
// Fixed moments of the scripted winning run, compared with the pictures the game showed
// when they were recorded. Any change that should not change what a player sees (draw
// order, a faster blur, shared meshes) must leave them within one step per channel.
// Runs in a process of its own: the steam and rand() start from scratch there.
// TOLVA_RECORD_PICTURES=1 writes the references afresh.
#include "app/GameLoop.h"
#include "support/GlTestWindow.h"
#include "support/KeyScript.h"
#include "support/WinningRun.h"

#include <FreeImage.h>
#include <GLFW/glfw3.h>
#include <cstdlib>
#include <gtest/gtest.h>
#include <map>
#include <string>

using namespace TolvaTest;

namespace {

const std::string referenceFolder = std::string(TOLVA_SOURCE_DIR) + "/tests/pictures/";

// Frame of the run (60 per second) and what it shows; from frame 45 to 65 transparency
// is off (F9), and the plank is solid while the flare stays blended.
const std::map<int, std::string> moments = {
    {2, "start"},  {40, "flare"},   {60, "opaque"}, {215, "slab"},
    {300, "blur"}, {455, "knives"}, {535, "steam"},
};

Screenshot loadReference(const std::string& name) {
    Screenshot shot;
    FIBITMAP* image = FreeImage_Load(FIF_PNG, (referenceFolder + name + ".png").c_str(), 0);
    if (image == nullptr) {
        return shot;
    }
    FIBITMAP* rgb = FreeImage_ConvertTo24Bits(image);
    shot.width = static_cast<int>(FreeImage_GetWidth(rgb));
    shot.height = static_cast<int>(FreeImage_GetHeight(rgb));
    shot.rgb.resize(3u * static_cast<size_t>(shot.width) * static_cast<size_t>(shot.height));
    for (int y = 0; y < shot.height; ++y) {
        const BYTE* row = FreeImage_GetScanLine(rgb, y);
        for (int x = 0; x < shot.width; ++x) {
            uint8_t* p = &shot.rgb[3 * (static_cast<size_t>(y) * shot.width + x)];
            p[0] = row[3 * x + FI_RGBA_RED];
            p[1] = row[3 * x + FI_RGBA_GREEN];
            p[2] = row[3 * x + FI_RGBA_BLUE];
        }
    }
    FreeImage_Unload(rgb);
    FreeImage_Unload(image);
    return shot;
}

void expectSamePicture(const Screenshot& shot, const std::string& name) {
    const Screenshot reference = loadReference(name);
    ASSERT_EQ(reference.width, shot.width) << name << ": no reference picture of this size";
    ASSERT_EQ(reference.height, shot.height) << name;
    int worst = 0;
    size_t differing = 0;
    for (size_t i = 0; i < shot.rgb.size(); ++i) {
        const int gap = std::abs(int(shot.rgb[i]) - int(reference.rgb[i]));
        worst = std::max(worst, gap);
        differing += gap > 1 ? 1 : 0;
    }
    EXPECT_LE(worst, 1) << name << ": " << differing << " channels differ by more than 1/255; "
                        << "see " << saveScreenshot(shot, "pictures-" + name);
}

} // namespace

TEST(Pictures, WinningRunLooksAsRecorded) {
    const bool record = std::getenv("TOLVA_RECORD_PICTURES") != nullptr;
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
        const Screenshot shot = readWindow();
        if (record) {
            saveScreenshot(shot, moment->second);
            std::rename((std::string(TOLVA_ARTIFACT_DIR) + "/" + moment->second + ".png").c_str(),
                        (referenceFolder + moment->second + ".png").c_str());
        } else {
            expectSamePicture(shot, moment->second);
        }
    }
    releaseAllKeys();
}
