// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace Pellwin {

// Opens the audio device and loads every sound. Without a device nothing is loaded and the
// game plays silently; an unreadable sound file stays silent, with one line naming it.
void openGameSounds();

// Once per frame, after the frame's update and pictures: keeps the device, hears what the
// game did, places the listener at the camera and each sound at its object. A paused game's
// sounds pause with it.
void updateGameSounds();

// Keeps the sound device at `now` (the game clock): a device that is gone is let go with one
// line on standard error, and while none is open one is looked for every two seconds; when
// one opens the sounds are back, with one line. True when the device came or went. Runs in
// every frame and between the frames of a still picture.
bool keepSoundDevice(double now);

// How many of the game's voices are sounding now.
int voicesPlaying();

// Releases sources, buffers and the device; safe to call more than once.
void closeGameSounds();

} // namespace Pellwin
