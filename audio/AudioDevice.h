// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <AL/alc.h>

namespace Pellwin {

// Opens the default output device and makes one context current. When there is none, says
// so in one line on standard error and returns false: the game then plays silently.
bool openAudioDevice();

bool audioDeviceOpen();

// The player's volume (0 to 100 %) and mute, through the listener's gain; a device opened
// later gets them too. The gain is the square of the share, so each step sounds as large.
void setAudioLevel(int volume, bool muted);
float listenerGain();

// Whether the open device has gone (OpenAL Soft's ALC_EXT_disconnect); false without one.
bool audioDeviceGone();

// While no device is open: asks for the default one every two seconds of `now`, off the main
// thread, and once one opened, makes its context current here. True when a device is open
// anew. Never waits for the device.
bool reopenAudioDevice(double now);

// Releases the context and the device, and waits for an open still under way; safe to call
// when none is open.
void closeAudioDevice();

// The device seam, so tests can pull the device and plug one in: how a device is opened
// (on a worker thread) and asked whether it is still there. nullptr gives OpenAL's back.
using DeviceOpener = ALCdevice* (*)();
using DevicePresence = bool (*)(ALCdevice* device);
void setAudioDeviceSeam(DeviceOpener opener, DevicePresence presence);

} // namespace Pellwin
