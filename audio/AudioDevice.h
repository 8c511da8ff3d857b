// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace Pellwin {

// Opens the default output device and makes one context current. When there is none, says
// so in one line on standard error and returns false: the game then plays silently.
bool openAudioDevice();

bool audioDeviceOpen();

// Silences everything through the listener, or brings it back.
void setAudioMuted(bool muted);
bool audioMuted();

// Releases the context and the device; safe to call when none is open.
void closeAudioDevice();

} // namespace Pellwin
