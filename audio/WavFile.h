// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace Pellwin {

// A sound as the device takes it: 16-bit samples, interleaved when there are two channels.
struct PcmSound {
    int sampleRate = 0;
    int channels = 0;
    std::vector<int16_t> samples;
};

// Decodes a RIFF WAVE image of 16-bit PCM, mono or stereo. Every size in it is checked
// against the bytes that are there; any other format, or anything cut short or
// inconsistent, gives false and leaves `sound` as it was.
bool decodePcmWav(const unsigned char* bytes, size_t size, PcmSound& sound);

// Reads a file (native path) and decodes it; false when it cannot be read, is far larger
// than any sound of the game, or does not decode.
bool readPcmWav(const std::string& nativePath, PcmSound& sound);

} // namespace Pellwin
