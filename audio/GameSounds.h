// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

struct GLFWwindow;

namespace Pellwin {

// Opens the audio device and loads every sound. Without a device nothing is loaded and the
// game plays silently; an unreadable sound file stays silent, with one line naming it.
void openGameSounds();

// Once per frame, after the frame's update and pictures: hears what the game did, places
// the listener at the camera and each sound at its object, and toggles mute on M.
void updateGameSounds(GLFWwindow* window);

// Releases sources, buffers and the device; safe to call more than once.
void closeGameSounds();

} // namespace Pellwin
