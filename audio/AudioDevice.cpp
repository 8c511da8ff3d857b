// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/AudioDevice.h"

#include <AL/al.h>
#include <AL/alc.h>
#include <cstdio>
#include <fcntl.h>
#include <iostream>
#include <unistd.h>

namespace Pellwin {

namespace {

ALCdevice* device = nullptr;
ALCcontext* context = nullptr;
bool muted = false;

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

} // namespace

bool openAudioDevice() {
    if (device != nullptr) {
        return true;
    }
    {
        QuietStandardError quiet;
        device = alcOpenDevice(nullptr);
        context = device != nullptr ? alcCreateContext(device, nullptr) : nullptr;
        if (context == nullptr || alcMakeContextCurrent(context) != ALC_TRUE) {
            if (context != nullptr) {
                alcDestroyContext(context);
            }
            if (device != nullptr) {
                alcCloseDevice(device);
            }
            context = nullptr;
            device = nullptr;
        }
    }
    if (device == nullptr) {
        std::cerr << "Sound: no audio device could be opened; the game plays silently."
                  << std::endl;
        return false;
    }
    setAudioMuted(muted);
    return true;
}

bool audioDeviceOpen() {
    return device != nullptr;
}

void setAudioMuted(bool mute) {
    muted = mute;
    if (device != nullptr) {
        alListenerf(AL_GAIN, muted ? 0.0f : 1.0f);
    }
}

bool audioMuted() {
    return muted;
}

void closeAudioDevice() {
    if (device == nullptr) {
        return;
    }
    alcMakeContextCurrent(nullptr);
    alcDestroyContext(context);
    alcCloseDevice(device);
    context = nullptr;
    device = nullptr;
}

} // namespace Pellwin
