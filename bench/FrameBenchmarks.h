// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace TolvaBench {

// The window sizes the playing frame is measured at, the first being the game's own.
struct WindowSize {
    int width;
    int height;
};
constexpr WindowSize measuredSizes[] = {{1024, 768}, {1600, 900}, {1920, 1080}};

// The playing frame with its floor at each size, the frame's parts, and the scene's draws.
void registerFrameBenchmarks(int frames);

} // namespace TolvaBench
