// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "sim/WorldRules.h" // the round's length and its goal

struct GLFWwindow;

namespace Pellwin {

class LoadModel;

extern float deltaTime;
extern bool playing;
extern bool goalReached;
extern bool roundLost;
extern bool hazardHit;

// Everything between opening the window and the first frame: timers, flags, the scene
// and the first level.
void setUpGame(GLFWwindow* window);

// Runs exactly one frame of the loop. Returns false when the loop should end (a close
// request before the frame, or Escape after it).
bool runFrame(GLFWwindow* window);

// Releases programs, objects and helpers in the game's fixed order; the window settings'
// destruction shuts GLFW down.
void shutDownGame();

// Sleeps until the next frame's deadline so the game runs at no more than 60 frames per
// second; the steering limit counts frames and is tuned for that rate.
void paceFrame();
constexpr double framePeriod = 1.0 / 60.0;

// Draws one full-window picture from the fixed screen camera.
void drawScreenQuad(LoadModel* picture, float farPlane);

// Game time of the current round, for tests and diagnostics.
float roundStartTime();

// Takes the frame and round clocks afresh from GLFW's clock, as set-up does.
void restartFrameClock();

// After the loop waited on a still picture: the next frame lasts one frame period, however
// long the wait was, so a game it starts or resumes takes no long first step.
void takeFrameClockAfterWait();

} // namespace Pellwin
