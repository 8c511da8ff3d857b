// SPDX-License-Identifier: GPL-3.0-or-later
// The winning run heard through OpenAL's wave writer, which mixes at the wall clock's pace.
// Each sound is looked for at the wall time its frame ended; F1's click lines the two up.
#include "app/GameLoop.h"
#include "audio/GameSounds.h"
#include "scene/LoadModel.h"
#include "scene/SceneCatalogue.h"
#include "sim/Camera.h"
#include "sim/Controller.h"
#include "support/GlTestWindow.h"
#include "support/KeyScript.h"
#include "support/WinningRun.h"

#include <GLFW/glfw3.h>
#include <chrono>
#include <cmath>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <thread>
#include <tuple>

using namespace TolvaTest;
using Channel = std::vector<float>;

namespace {

constexpr double rate = 44100.0;
constexpr double silent = 5e-4; // RMS, about 16 in 16-bit samples
constexpr double slack = 0.15;  // how far from its frame a sound may land: mixers run late

double wallSeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

double pacedFrame() {
    static double last = wallSeconds();
    std::this_thread::sleep_for(std::chrono::duration<double>(last + 1.0 / 60 - wallSeconds()));
    last = wallSeconds();
    stepFrame();
    return wallSeconds();
}

// Holds `key` (0: none) for `frames` frames, then plays on until `seconds` have passed.
double play(int key, int frames, double seconds = 0.0) {
    holdKey(key);
    const double first = pacedFrame();
    for (int i = 1; i < frames || wallSeconds() - first < seconds; ++i) {
        releaseKey(i == frames ? key : 0);
        pacedFrame();
    }
    releaseKey(key);
    return first;
}

// RBJ's biquad: a low-pass, or a band-pass with 0 dB at its centre.
Channel filtered(const Channel& in, double hz, double q, bool lowPass) {
    const double w = 2.0 * M_PI * hz / rate, c = std::cos(w), alpha = std::sin(w) / (2.0 * q);
    const double a1 = -2.0 * c / (1 + alpha), a2 = (1 - alpha) / (1 + alpha);
    const double b0 = (lowPass ? (1 - c) / 2 : alpha) / (1 + alpha);
    const double b1 = lowPass ? 2 * b0 : 0.0, b2 = lowPass ? b0 : -b0;
    Channel out(in.size());
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    for (size_t i = 0; i < in.size(); ++i) {
        out[i] = static_cast<float>(b0 * in[i] + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2);
        x2 = x1, x1 = in[i], y2 = y1, y1 = out[i];
    }
    return out;
}

double meanSquare(const Channel& c, double from, double to) {
    const size_t begin = std::clamp<double>(from * rate, 0, c.size());
    const size_t end = std::clamp<double>(to * rate, begin, c.size());
    double sum = 0.0;
    for (size_t i = begin; i < end; ++i) {
        sum += c[i] * c[i];
    }
    return sum / std::max<double>(1, end - begin);
}

} // namespace

TEST(RecordedGame, SoundsFollowTheGameAndItsPlaces) {
    returnToTitle();
    play(0, 1, 0.8); // the silent title
    const double start = play(GLFW_KEY_F1, 1);
    double jump = -1.0, goal = -1.0;
    std::vector<std::pair<double, float>> knifeSide; // -1 left of the camera .. 1 right
    for (int frame = 1; Pellwin::playing && frame < 3600; ++frame) {
        applyScript(winningRun, frame / 60.0);
        const double at = pacedFrame();
        jump = jump < 0.0 && Pellwin::controller->jumping ? at : jump;
        goal = Pellwin::goalReached ? at : goal;
        const glm::vec3 seen(Pellwin::camera->view * Pellwin::flyingKnife->modelMatrix[3]);
        knifeSide.emplace_back(at, Pellwin::playing ? seen.x / glm::length(seen) : 0.0f);
    }
    ASSERT_TRUE(Pellwin::goalReached) << "the scripted run wins";
    ConsoleCapture console;
    play(0, 1, 2.4);           // the won picture
    play(GLFW_KEY_F1, 1);      // the title
    play(GLFW_KEY_F1, 1, 0.4); // a new game
    const double mute = play(GLFW_KEY_M, 3, 1.0);
    const double unmute = play(GLFW_KEY_M, 3, 0.8);
    EXPECT_EQ(console.text(), "") << "M writes nothing to the console";
    Pellwin::closeGameSounds(); // the writer completes the file

    std::ifstream in(TOLVA_RECORDING, std::ios::binary);
    const std::string b{std::istreambuf_iterator<char>(in), {}};
    ASSERT_EQ(b.substr(60, 4), "data") << "OpenAL's writer puts 16-bit stereo after 68 bytes";
    Channel left, right, mix;
    for (size_t at = 68; at + 4 <= b.size(); at += 4) {
        auto sample = [&](size_t i) { return int16_t((b[i] & 0xFF) | (b[i + 1] & 0xFF) << 8); };
        left.push_back(sample(at) / 32768.0f), right.push_back(sample(at + 2) / 32768.0f);
        mix.push_back(0.5f * (left.back() + right.back()));
    }
    // The title is silent, so the first sound is the click of the F1 that started the game.
    const auto click =
        std::find_if(mix.begin(), mix.end(), [](float s) { return std::fabs(s) > 0.01f; });
    const double shift = static_cast<double>(click - mix.begin()) / rate - start;
    auto rms = [&](const Channel& c, double from, double to) {
        return std::sqrt(meanSquare(c, from + shift, to + shift));
    };
    const Channel rumble = filtered(filtered(mix, 100.0, 0.7, true), 100.0, 0.7, true);
    const std::tuple<const char*, const Channel&, double, double, double, double> windows[] = {
        {"silence on the title", mix, start - 0.7, start - slack, 0.0, silent},
        {"the rolling loop before the jump", rumble, start + slack, jump - slack, 0.01, 1.0},
        {"the jingle after the goal", mix, goal + slack, goal + 0.7, 0.03, 1.0},
        {"silence once the jingle is over", mix, goal + 1.4 + slack, goal + 2.3, 0.0, silent},
        {"silence while muted", mix, mute + slack, unmute - slack, 0.0, silent},
        {"sound again once unmuted", mix, unmute + slack, unmute + 0.7, 0.005, 1.0},
    };
    for (const auto& [what, in, from, to, leastRms, mostRms] : windows) {
        const double heard = rms(in, from, to);
        EXPECT_TRUE(heard >= leastRms && heard <= mostRms) << what << ": RMS " << heard;
    }

    // Against the median level of the three seconds around it, unmoved by a knock nearby.
    std::vector<double> level;
    double burst = 0.0;
    for (double t = jump - 1.5; t < jump + 1.5; t += 0.05) {
        level.push_back(rms(mix, t, t + 0.05));
        burst = std::fabs(t - jump) <= slack ? std::max(burst, level.back()) : burst;
    }
    std::nth_element(level.begin(), level.begin() + level.size() / 2, level.end());
    EXPECT_GT(burst, 2.0 * level[level.size() / 2]) << "a burst at the jump";

    // The flying knife's whistle, heard left and right while it is clearly on one side.
    const Channel whistle[2] = {filtered(left, 1600.0, 8.0, false),
                                filtered(right, 1600.0, 8.0, false)};
    double energy[2][2] = {}; // [knife on the right][right channel]
    for (size_t i = 0; i + 1 < knifeSide.size(); ++i) {
        const double from = knifeSide[i].first + shift, to = knifeSide[i + 1].first + shift;
        for (int channel = 0; channel < 2 && std::fabs(knifeSide[i].second) > 0.3f; ++channel) {
            energy[knifeSide[i].second > 0.0f][channel] +=
                meanSquare(whistle[channel], from, to) * (to - from);
        }
    }
    EXPECT_GT(energy[1][1], 1.5 * energy[1][0]) << "knife on the right, heard on the right";
    EXPECT_GT(energy[0][0], 1.5 * energy[0][1]) << "knife on the left, heard on the left";
}
