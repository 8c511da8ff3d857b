// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "app/Screen.h"
#include "sim/WorldRules.h"

#include <glm/glm.hpp>

namespace Pellwin {

// What the sound needs of one frame, read after the frame's update.
struct GameMoment {
    Screen screen = Screen::title;
    float seconds = 0.0f; // the frame's length
    glm::vec3 ball{0.0f};
    bool airborne = false;
    bool againstBarrier = false; // stopped by a plank or the slab, and touching it
    float knifeHeights[fallingKnifeCount] = {};
};

// What to play this frame.
struct SoundCues {
    bool click = false;  // F1 started a game or left an end picture
    bool jingle = false; // the won picture appeared
    bool sting = false;  // the lost picture appeared
    bool jump = false;
    bool land = false;
    bool knock = false;
    bool whoosh[fallingKnifeCount] = {};
    float rollSpeed = 0.0f; // over the worktop, units per second; 0 in the air and off play
};

// A falling knife starts its whoosh when it passes down through this height, so the sound
// swells as the blade comes down to the worktop.
constexpr float whooshStartHeight = 10.0f;

// A contact that follows the last one closer than this is the same knock: sliding along a
// plank touches it on and off from one step to the next.
constexpr float knockRestSeconds = 0.3f;

// What the watch remembers from one frame to the next.
struct SoundWatch {
    GameMoment previous;
    bool watching = false;
    float secondsFree = knockRestSeconds; // since the ball last touched a barrier
};

// Compares this frame with the last one the watch saw.
SoundCues watchFrame(SoundWatch& watch, const GameMoment& now);

struct RollingLoop {
    float gain;
    float pitch;
};

// The rolling loop at a speed: silent at rest, louder and higher the faster the ball runs.
RollingLoop rollingLoopAt(float speed);

} // namespace Pellwin
