// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/SoundCues.h"

#include <algorithm>
#include <cmath>

namespace Pellwin {

namespace {

bool endPicture(Screen screen) {
    return screen == Screen::won || screen == Screen::lost;
}

float speedOverWorktop(const GameMoment& before, const GameMoment& now) {
    if (before.screen != Screen::playing || now.airborne || !(now.seconds > 0.0f)) {
        return 0.0f;
    }
    const glm::vec2 moved(now.ball.x - before.ball.x, now.ball.z - before.ball.z);
    return glm::length(moved) / now.seconds;
}

} // namespace

SoundCues watchFrame(SoundWatch& watch, const GameMoment& now) {
    SoundCues cues;
    const GameMoment before = watch.watching ? watch.previous : now;
    watch.previous = now;
    watch.watching = true;

    cues.click = (before.screen == Screen::title && now.screen != Screen::title) ||
                 (endPicture(before.screen) && now.screen == Screen::title);
    cues.jingle = now.screen == Screen::won && before.screen != Screen::won;
    cues.sting = now.screen == Screen::lost && before.screen != Screen::lost;
    if (now.screen != Screen::playing) {
        // The next game's first contact is a knock of its own.
        watch.secondsFree = knockRestSeconds;
        return cues;
    }

    cues.jump = now.airborne && !before.airborne;
    cues.land = !now.airborne && before.airborne;
    if (now.againstBarrier) {
        cues.knock = watch.secondsFree >= knockRestSeconds;
        watch.secondsFree = 0.0f;
    } else {
        watch.secondsFree += now.seconds;
    }
    for (int k = 0; k < fallingKnifeCount; ++k) {
        cues.whoosh[k] =
            before.knifeHeights[k] > whooshStartHeight && now.knifeHeights[k] <= whooshStartHeight;
    }
    cues.rollSpeed = speedOverWorktop(before, now);
    return cues;
}

RollingLoop rollingLoopAt(float speed) {
    // Below a crawl the ball is stopped (pressed against a plank); no sound then.
    if (!(speed >= 0.1f)) {
        return {0.0f, 1.0f};
    }
    constexpr float loudest = 0.6f;
    constexpr float fullSpeed = 15.0f; // running (R)
    const float gain = loudest * std::sqrt(std::min(speed / fullSpeed, 1.0f));
    const float pitch = std::clamp(0.6f + 0.05f * speed, 0.6f, 2.0f);
    return {gain, pitch};
}

} // namespace Pellwin
