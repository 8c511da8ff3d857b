// SPDX-License-Identifier: GPL-3.0-or-later
// The winning run, and a game lost at once, heard through OpenAL's wave writer, which mixes
// at the wall clock's pace. Each sound is looked for at the wall time its frame ended, and
// on the side where the game put it; F1's click lines the two up.
#include "app/GameLoop.h"
#include "audio/GameSounds.h"
#include "scene/LoadModel.h"
#include "scene/SceneCatalogue.h"
#include "sim/Camera.h"
#include "sim/Controller.h"
#include "sim/GameUpdate.h"
#include "support/GlTestWindow.h"
#include "support/KeyScript.h"
#include "support/WinningRun.h"

#include <GLFW/glfw3.h>
#include <array>
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

// Where the flying knife and the pot are, seen from the camera, in one frame of play.
struct Seen {
    double at;
    glm::vec3 knife, pot;
};

glm::vec3 seenFromCamera(const Pellwin::LoadModel* object) {
    return glm::vec3(Pellwin::camera->view * object->modelMatrix[3]);
}

// -1 straight to the camera's left, 1 to its right.
float side(glm::vec3 seen) {
    return seen.x / glm::length(seen);
}

} // namespace

TEST(RecordedGame, SoundsFollowTheGameAndItsPlaces) {
    returnToTitle();
    play(0, 1, 0.8); // the silent title
    const double start = play(GLFW_KEY_F1, 1);
    double jump = -1.0, land = -1.0, knock = -1.0, goal = -1.0;
    std::vector<Seen> seen;
    bool airborne = false, touching = false;
    for (int frame = 1; Pellwin::playing && frame < 3600; ++frame) {
        applyScript(winningRun, frame / 60.0);
        const double at = pacedFrame();
        using namespace Pellwin;
        jump = jump < 0.0 && controller->jumping ? at : jump;
        land = land < 0.0 && airborne && !controller->jumping ? at : land;
        airborne = controller->jumping;
        const bool touches =
            blocked && Controller::touchesBarrier(player, marbleSlab, plank1, plank2);
        knock = knock < 0.0 && touches && !touching ? at : knock;
        touching = touches;
        goal = goalReached ? at : goal;
        if (playing) {
            seen.push_back({at, seenFromCamera(flyingKnife), seenFromCamera(pot)});
        }
    }
    ASSERT_TRUE(Pellwin::goalReached) << "the scripted run wins";
    ConsoleCapture console;
    play(0, 1, 2.4);           // the won picture
    play(GLFW_KEY_F1, 1);      // the title
    play(GLFW_KEY_F1, 1, 0.4); // a new game
    // The ball waits against the slab, at the right edge: the second knife will come down
    // just beside the camera, on its right, louder than all the others.
    Pellwin::player->setPosition(8.0f, 5.0f, -29.3f);
    const double mute = play(GLFW_KEY_M, 3, 1.0);
    const double unmute = play(GLFW_KEY_M, 3, 0.8);
    EXPECT_EQ(console.text(), "") << "M writes nothing to the console";
    double knivesDown = -1.0;
    for (float was = 30.0f; knivesDown < 0.0; was = Pellwin::fallingKnife2->modelMatrix[3][1]) {
        const double at = pacedFrame();
        knivesDown = was > 10.0f && Pellwin::fallingKnife2->modelMatrix[3][1] <= 10.0f ? at : -1.0;
    }
    const float knifeSide = side(seenFromCamera(Pellwin::fallingKnife2));
    play(0, 1, 1.0);
    Pellwin::player->setPosition(0.0f, 5.0f, -4.0f); // behind the start line: lost
    const double lost = play(0, 1, 1.0);
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
    using Stereo = std::array<Channel, 2>;
    const auto band = [&](double hz, double q) {
        return Stereo{filtered(left, hz, q, false), filtered(right, hz, q, false)};
    };
    const Channel rumble = filtered(filtered(mix, 100.0, 0.7, true), 100.0, 0.7, true);
    const std::tuple<const char*, const Channel&, double, double, double, double> windows[] = {
        {"silence on the title", mix, start - 0.7, start - slack, 0.0, silent},
        {"the rolling loop before the jump", rumble, start + slack, jump - slack, 0.01, 1.0},
        {"the jingle after the goal", mix, goal + slack, goal + 0.7, 0.03, 1.0},
        {"silence once the jingle is over", mix, goal + 1.4 + slack, goal + 2.3, 0.0, silent},
        {"silence while muted", mix, mute + slack, unmute - slack, 0.0, silent},
        {"sound again once unmuted", mix, unmute + slack, unmute + 0.7, 0.005, 1.0},
        {"the sting after the loss", mix, lost + slack, lost + 0.7, 0.03, 1.0},
    };
    for (const auto& [what, in, from, to, leastRms, mostRms] : windows) {
        const double heard = rms(in, from, to);
        EXPECT_TRUE(heard >= leastRms && heard <= mostRms) << what << ": RMS " << heard;
    }
    // The jingle rises to a high C, the sting falls through G, F#, F and E.
    const Channel highC = filtered(mix, 1046.5, 4.0, false),
                  lowNotes = filtered(mix, 360, 2, false);
    EXPECT_GT(rms(highC, goal + slack, goal + 0.7), 2.0 * rms(lowNotes, goal + slack, goal + 0.7));
    EXPECT_GT(rms(lowNotes, lost + slack, lost + 0.7), 2.0 * rms(highC, lost + slack, lost + 0.7));

    // The loudest 50 ms within `slack` of a moment against the median 50 ms level between
    // `from` and `to`: what else sounds about then cannot pass for it.
    const auto burst = [&](const Channel& c, double moment, double from, double to) {
        std::vector<double> level;
        for (double t = from; t < to; t += 0.05) {
            level.push_back(rms(c, t, t + 0.05));
        }
        std::nth_element(level.begin(), level.begin() + level.size() / 2, level.end());
        double loudest = 0.0;
        for (double t = moment - slack; t <= moment + slack; t += 0.025) {
            loudest = std::max(loudest, rms(c, t, t + 0.05));
        }
        return loudest / level[level.size() / 2];
    };
    // The ball's own sounds in both channels: the jump against the seconds around it, the
    // knock against the rolling it stops, the landing against the rolling it starts again.
    const std::tuple<const char*, double, double, double> ballSounds[] = {
        {"jump", jump, jump - 1.5, jump + 1.5},
        {"knock", knock, knock - 1.0, knock - 0.2},
        {"landing", land, land + 0.35, land + 1.0}};
    for (const auto& [what, at, from, to] : ballSounds) {
        EXPECT_GT(std::min(burst(left, at, from, to), burst(right, at, from, to)), 2.0)
            << "the " << what;
    }

    // Each channel's mean square in a band over the frames of play in which `when` holds.
    const auto heardWhile = [&](const Stereo& heard, auto when) {
        std::array<double, 2> energy = {0.0, 0.0};
        int frames = 0;
        for (size_t i = 0; i + 1 < seen.size(); ++i) {
            frames += when(seen[i]) ? 1 : 0;
            for (int channel = 0; channel < 2 && when(seen[i]); ++channel) {
                energy[channel] +=
                    meanSquare(heard[channel], seen[i].at + shift, seen[i + 1].at + shift);
            }
        }
        return std::array<double, 2>{energy[0] / std::max(frames, 1),
                                     energy[1] / std::max(frames, 1)};
    };
    // The flying knife's whistle, heard left and right while it is clearly on one side.
    const Stereo whistle = band(1600.0, 8.0);
    const auto onTheRight =
        heardWhile(whistle, [&](const Seen& s) { return side(s.knife) > 0.3f; });
    const auto onTheLeft =
        heardWhile(whistle, [&](const Seen& s) { return side(s.knife) < -0.3f; });
    EXPECT_GT(onTheRight[1], 1.5 * onTheRight[0]) << "knife on the right, heard on the right";
    EXPECT_GT(onTheLeft[0], 1.5 * onTheLeft[1]) << "knife on the left, heard on the left";
    // The steam hisses above every other sound: loud on the left passing the pot, a whisper
    // from the start.
    const Stereo hiss = band(7000.0, 0.7);
    const auto near = heardWhile(hiss, [](const Seen& s) { return glm::length(s.pot) < 10.0f; });
    const auto far = heardWhile(hiss, [](const Seen& s) { return glm::length(s.pot) > 40.0f; });
    EXPECT_GT(near[0] + near[1], 4.0 * (far[0] + far[1])) << "the steam louder near the pot";
    EXPECT_GT(near[0], 3.0 * near[1]) << "the pot on the left, heard on the left";
    // The knives' whoosh swells once they pass height 10, the nearest knife's the loudest.
    const Stereo whoosh = band(800.0, 2.0);
    const int nearSide = knifeSide > 0.0f ? 1 : 0;
    const double before = rms(whoosh[nearSide], knivesDown - 0.7, knivesDown - 0.1);
    const double after[2] = {rms(whoosh[0], knivesDown + 0.3, knivesDown + 0.9),
                             rms(whoosh[1], knivesDown + 0.3, knivesDown + 0.9)};
    EXPECT_GT(after[nearSide], 2.0 * before) << "the whoosh at its moment";
    EXPECT_GT(after[nearSide], 1.3 * after[1 - nearSide]) << "the nearest knife on its side";
}
