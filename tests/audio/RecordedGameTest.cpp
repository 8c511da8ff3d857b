// The scripted winning run heard through OpenAL's wave writer. The writer mixes at the wall
// clock's pace, so the game is played at that pace too, and each event is looked for in
// the recording at the wall-clock moment it happened; the F1 click lines the two up.
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
#include <vector>

using namespace TolvaTest;
using Channel = std::vector<float>;

namespace {

constexpr double rate = 44100.0;
constexpr double silent = 5e-4; // RMS, about 16 in 16-bit samples
// How far from its frame's end a sound may land in the recording: the mixer thread runs
// late on a busy machine and catches up.
constexpr double slack = 0.15;

double wallSeconds() {
    static const auto origin = std::chrono::steady_clock::now();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - origin).count();
}

// One game frame of 1/60 s, paced to last at least as long on the wall clock. On a slow
// machine the game falls behind the recording, so every event is looked for at the wall
// time its frame ended, when the frame's sound was set.
double pacedFrame() {
    static double last = wallSeconds();
    std::this_thread::sleep_for(std::chrono::duration<double>(last + 1.0 / 60 - wallSeconds()));
    last = wallSeconds();
    stepFrame();
    return wallSeconds();
}

double playFor(double seconds) {
    const double from = wallSeconds();
    while (wallSeconds() - from < seconds) {
        pacedFrame();
    }
    return from;
}

double pressFor(int key, int frames) {
    holdKey(key);
    const double at = pacedFrame();
    for (int i = 1; i < frames; ++i) {
        pacedFrame();
    }
    releaseAllKeys();
    return at;
}

// The stereo samples after the data chunk's header, read to the end of the file.
void readRecording(Channel& left, Channel& right) {
    std::ifstream in(TOLVA_RECORDING, std::ios::binary);
    const std::vector<unsigned char> b{std::istreambuf_iterator<char>(in), {}};
    auto word = [&](size_t at) {
        return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
    };
    size_t at = 12;
    while (at + 8 <= b.size() && std::string(b.begin() + at, b.begin() + at + 4) != "data") {
        at += 8 + static_cast<size_t>(word(at + 4));
    }
    for (at += 8; at + 4 <= b.size(); at += 4) {
        left.push_back(static_cast<int16_t>(b[at] | b[at + 1] << 8) / 32768.0f);
        right.push_back(static_cast<int16_t>(b[at + 2] | b[at + 3] << 8) / 32768.0f);
    }
}

// A second-order band-pass around `hz`.
Channel bandPassed(const Channel& in, double hz, double q) {
    const double w = 2.0 * M_PI * hz / rate, alpha = std::sin(w) / (2.0 * q);
    const double a0 = 1.0 + alpha, a1 = -2.0 * std::cos(w) / a0, a2 = (1.0 - alpha) / a0;
    const double b0 = alpha / a0;
    Channel out(in.size());
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    for (size_t i = 0; i < in.size(); ++i) {
        const double y = b0 * (in[i] - x2) - a1 * y1 - a2 * y2;
        x2 = x1, x1 = in[i], y2 = y1, y1 = y;
        out[i] = static_cast<float>(y);
    }
    return out;
}

double meanSquare(const Channel& c, double from, double to) {
    const size_t begin = static_cast<size_t>(std::clamp(from * rate, 0.0, double(c.size())));
    const size_t end = static_cast<size_t>(std::clamp(to * rate, 0.0, double(c.size())));
    double sum = 0.0;
    for (size_t i = begin; i < end; ++i) {
        sum += c[i] * c[i];
    }
    return end > begin ? sum / static_cast<double>(end - begin) : 0.0;
}

struct Window {
    const char* heard;
    const Channel& in;
    double from, to; // wall seconds
    double leastRms, mostRms;
};

} // namespace

TEST(RecordedGame, SoundsFollowTheGameAndItsPlaces) {
    returnToTitle();
    playFor(0.8);
    const double start = pressFor(GLFW_KEY_F1, 1);
    double jump = -1.0, goal = -1.0, rollFrom = -1.0, rollTo = -1.0;
    std::vector<std::pair<double, float>> knifeSide; // -1 left of the camera .. 1 right
    for (int frame = 1; Pellwin::playing && frame < 3600; ++frame) {
        applyScript(winningRun, frame / 60.0);
        const double at = pacedFrame();
        rollFrom = frame == 36 ? at : rollFrom; // W is held from 0.5 s to 1.2 s
        rollTo = frame == 70 ? at : rollTo;
        jump = jump < 0.0 && Pellwin::controller->jumping ? at : jump;
        goal = Pellwin::goalReached ? at : goal;
        const glm::vec3 seen(Pellwin::camera->view * Pellwin::flyingKnife->modelMatrix[3]);
        knifeSide.emplace_back(at, Pellwin::playing ? seen.x / glm::length(seen) : 0.0f);
    }
    releaseAllKeys();
    ASSERT_TRUE(Pellwin::goalReached) << "the scripted run wins";
    playFor(2.4);
    ConsoleCapture console;
    pressFor(GLFW_KEY_F1, 1); // back to the title, and a new game
    pressFor(GLFW_KEY_F1, 1);
    playFor(0.4);
    const double mute = pressFor(GLFW_KEY_M, 3);
    playFor(1.0);
    const double unmute = pressFor(GLFW_KEY_M, 3);
    playFor(0.8);
    EXPECT_EQ(console.text(), "") << "M writes nothing to the console";
    Pellwin::closeGameSounds(); // the writer completes the file

    Channel left, right;
    readRecording(left, right);
    Channel mix(left.size());
    for (size_t i = 0; i < mix.size(); ++i) {
        mix[i] = 0.5f * (left[i] + right[i]);
    }
    // The title is silent, so the first sound is F1's click.
    size_t click = 0;
    while (click < mix.size() && std::fabs(mix[click]) < 0.01f) {
        ++click;
    }
    ASSERT_LT(click, mix.size()) << "nothing was recorded";
    const double shift = click / rate - start;
    auto rms = [&](const Channel& c, double from, double to) {
        return std::sqrt(meanSquare(c, from + shift, to + shift));
    };
    const Channel rollBand = bandPassed(mix, 150.0, 0.7);
    const Window windows[] = {
        {"silence on the title", mix, start - 0.7, start - slack, 0.0, silent},
        {"the rolling loop while W is held", rollBand, rollFrom, rollTo, 0.01, 1.0},
        {"the jingle after the goal", mix, goal + slack, goal + 0.7, 0.03, 1.0},
        {"silence once the jingle is over", mix, goal + 1.4 + slack, goal + 2.3, 0.0, silent},
        {"silence while muted", mix, mute + slack, unmute - slack, 0.0, silent},
        {"sound again once unmuted", mix, unmute + slack, unmute + 0.7, 0.005, 1.0},
    };
    for (const Window& w : windows) {
        const double heard = rms(w.in, w.from, w.to);
        EXPECT_TRUE(heard >= w.leastRms && heard <= w.mostRms) << w.heard << ": RMS " << heard;
    }
    ASSERT_GT(jump, 0.0);
    double burst = 0.0;
    for (double t = jump - slack; t < jump + slack + 0.1; t += 0.01) {
        burst = std::max(burst, rms(mix, t, t + 0.05));
    }
    EXPECT_GT(burst, 2.0 * rms(mix, jump - 0.5, jump - slack - 0.05)) << "a burst at the jump";

    // The flying knife's whistle, heard left and right while it is clearly on one side.
    const Channel whistleLeft = bandPassed(left, 1600.0, 8.0);
    const Channel whistleRight = bandPassed(right, 1600.0, 8.0);
    double energy[2][2] = {}; // [knife on the right][right channel]
    for (size_t i = 0; i + 1 < knifeSide.size(); ++i) {
        if (std::fabs(knifeSide[i].second) > 0.3f) {
            const double from = knifeSide[i].first + shift, to = knifeSide[i + 1].first + shift;
            const bool onRight = knifeSide[i].second > 0.0f;
            energy[onRight][0] += meanSquare(whistleLeft, from, to) * (to - from);
            energy[onRight][1] += meanSquare(whistleRight, from, to) * (to - from);
        }
    }
    EXPECT_GT(energy[1][1], 1.5 * energy[1][0]) << "knife on the right, heard on the right";
    EXPECT_GT(energy[0][0], 1.5 * energy[0][1]) << "knife on the left, heard on the left";
}
