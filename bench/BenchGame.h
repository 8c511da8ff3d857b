// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <vector>

struct GLFWwindow;

namespace TolvaBench {

// The real game in a 1024 x 768 window, opened the first time a benchmark needs it and
// driven through its key seam with the tests' winning run and the real clock.
GLFWwindow* gameWindow();
bool gameIsOpen();
void closeGame();

// Resizes the window when it has another size, and then starts a fresh round, so runs
// of the same length see the same part of the track.
void useWindowSize(int width, int height);
void startFreshRound();

// One runFrame of a running round, in ms. The pictures between rounds are shown (F1
// starts the next) but not counted. Negative when no round gets going.
double playRoundFrame();

// The least a playing frame does: clear the target, the blur pass, swap. Leaves the
// ball's history for the blur as the played frame left it.
double floorFrame();

// One playing frame done step by step through the game's own functions, each step finished
// on the GPU before the next. With `drawCosts`, each step of the scene pass's draw order is
// finished and timed on its own too, added to its slot in the order of `drawNames`.
struct FrameParts {
    double update = 0.0; // updateGame, with the keys and the particle update
    double scene = 0.0;
    double ghost = 0.0;  // the ghost ball, drawn beside the ball
    double finish = 0.0; // nothing, finished on the GPU: what each part's own finish costs
    double blur = 0.0;
    double swap = 0.0;
};
FrameParts playSplitFrame(std::vector<double>* drawCosts = nullptr);
extern const std::vector<std::string> drawNames;

// Lines the game printed so far that report a GL error.
int glErrorLines();

} // namespace TolvaBench
