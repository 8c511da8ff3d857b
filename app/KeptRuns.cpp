// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/KeptRuns.h"

#include "app/AssetPath.h"

#include <iostream>
#include <optional>

namespace Pellwin {

namespace {

std::string bestRunFile;
std::optional<RecordedRun> shipped;
std::optional<RecordedRun> best;

} // namespace

void keepBestRunIn(const std::string& path) {
    bestRunFile = path;
}

void loadRuns(std::uint64_t fingerprint) {
    shipped.reset();
    best.reset();
    RecordedRun run;
    if (readRun(toNativePath(shippedRunPath), fingerprint, run, "Musterlauf")) {
        shipped = run;
    }
    if (!bestRunFile.empty() && readRun(bestRunFile, fingerprint, run)) {
        best = run;
    }
}

void keepRecordRun(const RecordedRun& run) {
    best = run;
    std::string problem;
    if (!bestRunFile.empty() && !writeRun(bestRunFile, run, problem)) {
        std::cerr << problem << std::endl;
    }
}

const RecordedRun* ghostRun() {
    return best ? &*best : shipped ? &*shipped : nullptr;
}

MedalTimes gameMedalTimes() {
    return shipped ? medalTimes(shipped->finishHundredths) : MedalTimes{};
}

int shippedRunHundredths() {
    return shipped ? shipped->finishHundredths : 0;
}

} // namespace Pellwin
