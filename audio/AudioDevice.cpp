// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/AudioDevice.h"

#include <AL/al.h>
#include <AL/alext.h>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <future>
#include <iostream>
#include <unistd.h>

namespace Pellwin {

namespace {

constexpr double secondsBetweenAttempts = 2.0;

ALCdevice* device = nullptr;
ALCcontext* context = nullptr;
bool tellsWhenGone = false;
int volumePercent = 100;
bool muted = false;
std::future<ALCdevice*> attempt;
double nextAttempt = -1.0; // not yet planned

ALCdevice* openDefaultDevice() {
    return alcOpenDevice(nullptr);
}

bool deviceConnected(ALCdevice* opened) {
    ALCint connected = ALC_TRUE;
    alcGetIntegerv(opened, ALC_CONNECTED, 1, &connected);
    return connected != ALC_FALSE;
}

DeviceOpener opener = openDefaultDevice;
DevicePresence presence = deviceConnected;

// Without a sound card the audio libraries explain why at length, some of them straight to
// file descriptor 2; while the device opens the player gets only the game's one line.
class QuietStandardError {
public:
    QuietStandardError() {
        std::fflush(stderr);
        saved_ = dup(STDERR_FILENO);
        const int nowhere = open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (saved_ >= 0 && nowhere >= 0) {
            dup2(nowhere, STDERR_FILENO);
        }
        if (nowhere >= 0) {
            close(nowhere);
        }
    }
    ~QuietStandardError() {
        std::fflush(stderr);
        if (saved_ >= 0) {
            dup2(saved_, STDERR_FILENO);
            close(saved_);
        }
    }
    QuietStandardError(const QuietStandardError&) = delete;
    QuietStandardError& operator=(const QuietStandardError&) = delete;

private:
    int saved_ = -1;
};

ALCdevice* openQuietly(DeviceOpener open) {
    QuietStandardError quiet;
    return open();
}

// Makes the opened device's context current, or closes the device.
bool takeDevice(ALCdevice* opened) {
    context = opened != nullptr ? alcCreateContext(opened, nullptr) : nullptr;
    if (context == nullptr || alcMakeContextCurrent(context) != ALC_TRUE) {
        if (context != nullptr) {
            alcDestroyContext(context);
        }
        if (opened != nullptr) {
            alcCloseDevice(opened);
        }
        context = nullptr;
        return false;
    }
    device = opened;
    tellsWhenGone = alcIsExtensionPresent(device, "ALC_EXT_disconnect") == ALC_TRUE;
    setAudioLevel(volumePercent, muted);
    return true;
}

} // namespace

bool openAudioDevice() {
    if (device != nullptr) {
        return true;
    }
    {
        QuietStandardError quiet;
        takeDevice(opener());
    }
    if (device == nullptr) {
        std::cerr << "Sound: no audio device could be opened; the game plays silently."
                  << std::endl;
        return false;
    }
    return true;
}

bool audioDeviceOpen() {
    return device != nullptr;
}

void setAudioLevel(int volume, bool mute) {
    volumePercent = volume;
    muted = mute;
    if (device != nullptr) {
        alListenerf(AL_GAIN, listenerGain());
    }
}

float listenerGain() {
    const float share = static_cast<float>(volumePercent) / 100.0f;
    return muted ? 0.0f : share * share;
}

bool audioDeviceGone() {
    return device != nullptr && tellsWhenGone && !presence(device);
}

bool reopenAudioDevice(double now) {
    if (device != nullptr) {
        return false;
    }
    if (attempt.valid()) {
        if (attempt.wait_for(std::chrono::seconds(0)) != std::future_status::ready) {
            return false;
        }
        nextAttempt = now + secondsBetweenAttempts;
        return takeDevice(attempt.get());
    }
    // Planned afresh when the clock was set back (the tests' clock can be).
    if (nextAttempt < 0.0 || nextAttempt - now > secondsBetweenAttempts) {
        nextAttempt = now + secondsBetweenAttempts;
    }
    if (now >= nextAttempt) {
        attempt = std::async(std::launch::async, openQuietly, opener);
    }
    return false;
}

void closeAudioDevice() {
    if (attempt.valid()) {
        if (ALCdevice* late = attempt.get()) {
            alcCloseDevice(late);
        }
    }
    nextAttempt = -1.0;
    if (device == nullptr) {
        return;
    }
    alcMakeContextCurrent(nullptr);
    alcDestroyContext(context);
    alcCloseDevice(device);
    context = nullptr;
    device = nullptr;
}

void setAudioDeviceSeam(DeviceOpener open, DevicePresence present) {
    opener = open != nullptr ? open : openDefaultDevice;
    presence = present != nullptr ? present : deviceConnected;
}

} // namespace Pellwin
