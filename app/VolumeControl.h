// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

struct GLFWwindow;

namespace Pellwin {

// M mutes and unmutes; - and + (also on the number pad, and the keys that type them in the
// keyboard's layout) move the volume by 10 %, and unmute. Each key acts once per press, the
// change is kept in the player's settings, and the level shows for a second.
void takeVolumeKeys(GLFWwindow* window, double now);

// Over the finished picture, while a change shows: "Lautstärke 70 %", or "Ton aus".
void drawVolumeLevel(double now);

// When the level shown now leaves the screen; infinity when none shows.
double volumeLevelLeavesAt();

// Whether any of the volume keys is held.
bool volumeKeyHeld(GLFWwindow* window);

// Gives the sound the player's volume and mute.
void applyVolumeSettings();

} // namespace Pellwin
