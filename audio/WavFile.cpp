// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/WavFile.h"

#include <cstring>
#include <fstream>

namespace Pellwin {

namespace {

// The game's longest sound is under two seconds; a file this size is not one of ours.
constexpr std::streamoff largestSoundFile = 16 << 20;

uint32_t little32(const unsigned char* at) {
    return static_cast<uint32_t>(at[0]) | static_cast<uint32_t>(at[1]) << 8 |
           static_cast<uint32_t>(at[2]) << 16 | static_cast<uint32_t>(at[3]) << 24;
}

uint16_t little16(const unsigned char* at) {
    return static_cast<uint16_t>(at[0] | at[1] << 8);
}

bool named(const unsigned char* at, const char* id) {
    return std::memcmp(at, id, 4) == 0;
}

} // namespace

bool decodePcmWav(const unsigned char* bytes, size_t size, PcmSound& sound) {
    if (bytes == nullptr || size < 12 || !named(bytes, "RIFF") || !named(bytes + 8, "WAVE")) {
        return false;
    }
    const unsigned char* format = nullptr;
    size_t formatSize = 0;
    const unsigned char* data = nullptr;
    size_t dataSize = 0;
    for (size_t at = 12; at + 8 <= size;) {
        const size_t chunkSize = little32(bytes + at + 4);
        if (chunkSize > size - at - 8) {
            return false; // cut short, or a size that points past the end
        }
        if (format == nullptr && named(bytes + at, "fmt ")) {
            format = bytes + at + 8;
            formatSize = chunkSize;
        } else if (data == nullptr && named(bytes + at, "data")) {
            data = bytes + at + 8;
            dataSize = chunkSize;
        }
        // Chunks are padded to an even length; a missing last pad byte is harmless.
        at += 8 + chunkSize + (chunkSize & 1);
    }
    if (format == nullptr || formatSize < 16 || data == nullptr) {
        return false;
    }
    const unsigned tag = little16(format);
    const unsigned channels = little16(format + 2);
    const uint32_t rate = little32(format + 4);
    const uint32_t byteRate = little32(format + 8);
    const unsigned blockAlign = little16(format + 12);
    const unsigned bits = little16(format + 14);
    if (tag != 1 || bits != 16 || (channels != 1 && channels != 2) || rate < 8000 ||
        rate > 192000 || blockAlign != channels * 2 || byteRate != rate * blockAlign) {
        return false;
    }
    if (dataSize == 0 || dataSize % blockAlign != 0) {
        return false;
    }
    sound.sampleRate = static_cast<int>(rate);
    sound.channels = static_cast<int>(channels);
    sound.samples.resize(dataSize / 2);
    for (size_t i = 0; i < sound.samples.size(); ++i) {
        sound.samples[i] = static_cast<int16_t>(little16(data + 2 * i));
    }
    return true;
}

bool readPcmWav(const std::string& nativePath, PcmSound& sound) {
    std::ifstream file(nativePath, std::ios::binary | std::ios::ate);
    const std::streamoff size = file ? static_cast<std::streamoff>(file.tellg()) : -1;
    if (size <= 0 || size > largestSoundFile) {
        return false;
    }
    std::vector<unsigned char> bytes(static_cast<size_t>(size));
    file.seekg(0);
    if (!file.read(reinterpret_cast<char*>(bytes.data()), size)) {
        return false;
    }
    return decodePcmWav(bytes.data(), bytes.size(), sound);
}

} // namespace Pellwin
