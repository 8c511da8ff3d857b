// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

struct GLFWwindow;

namespace Pellwin {

// Everything between the greeting and the frame loop's set-up: the image library, the
// command line, the data folder, the window, its size callback, the current context and
// the GL entry points; the world's files start to be read on worker threads meanwhile. Fatal
// failures end the process with the game's messages.
GLFWwindow* openGameWindow(int argc, char** argv);

// Runs frames until Escape or a close request: paced to 60 a second while a game is in
// play, and only when something changed while a still picture shows.
void runFrameLoop(GLFWwindow* window);

// The whole program: greeting, command line, window, GL, the frame loop and shutdown.
// Returns the process exit status.
int runTolva(int argc, char** argv);

} // namespace Pellwin
