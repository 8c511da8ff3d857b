// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a best-run file: the reader must neither crash nor accept a run it would not
// write back byte for byte.
#include "app/RunFile.h"

#include <cstdint>
#include <cstdlib>
#include <string>

// The seeds are runs of this level.
constexpr std::uint64_t seedFingerprint = 0x70c4a11e5eedULL;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    Pellwin::RecordedRun run;
    if (!decodeRun(bytes, seedFingerprint, run).empty()) {
        return 0;
    }
    if (encodeRun(run) != bytes || !problemWithRun(run).empty()) {
        std::abort();
    }
    return 0;
}
