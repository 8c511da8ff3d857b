// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

struct GLFWwindow;

namespace Pellwin {

// What a frame does in each state, one file each. runFrame calls them in the frame's fixed
// order, and each sees the flags as the ones before it in the same frame left them.
void showTitle(GLFWwindow* window); // F1 starts a game
void testGoal();                    // in play: the ball at the goal wins
void playFrame(GLFWwindow* window); // in play: update, scene, clock
void showPause();                   // a paused game: its last picture, "Pause"
void showWon(GLFWwindow* window);   // F1 restarts the level
void showLost(GLFWwindow* window);  // F1 restarts the level

// Leaving a won picture other than by F1 (a replay's V): it shows no times any more.
void forgetThisWin();

// The round's clock, which the frame loop keeps: the sum of the played frames' seconds but
// the first (the round starts at F1, at that frame's end).
void startRound();
// With this frame's seconds: what the time-out, the clock and a won game's time read.
double roundSecondsUsed();
bool roundTimeUsedUp();
// Up to the end of the last frame that moved the game.
double roundSecondsPlayed();
// Adds this frame's seconds, once its update has run.
void countPlayedFrame();
// Reads the seconds left and keeps them as the clock shows them: taken afresh in each
// played frame, and frozen once the round ends, for the lost picture.
float takeClockReading();
float lastClockReading();

} // namespace Pellwin
