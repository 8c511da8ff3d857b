// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

struct GLFWwindow;

namespace Pellwin {

// A game held still: no update, no round clock, no time-out, its last picture with "Pause"
// over it. A new round starts unpaused.
extern bool gamePaused;

// P pauses a game in play and resumes a paused one, once per press.
void takePauseKey(GLFWwindow* window);

// Holds a game in play; the title and the end pictures are left alone. For a window that
// loses the focus or is minimised: the game then waits for P.
void pauseGameInPlay();

} // namespace Pellwin
