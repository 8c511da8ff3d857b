// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/WinRecord.h"

#include "app/BestTime.h"

#include <cmath>
#include <iostream>

namespace Pellwin {

namespace {

std::string bestTimeFile;
// Also holds a record that could not be written, so the next game still has to beat it.
int runBest = -1;

} // namespace

void keepBestTimeIn(const std::string& path) {
    bestTimeFile = path;
}

void forgetRunBest() {
    runBest = -1;
}

int bestTimeSoFar() {
    const int stored = readBestTime(bestTimeFile);
    return runBest >= 0 && (stored < 0 || runBest < stored) ? runBest : stored;
}

WinTimes recordWin(double seconds) {
    WinTimes times;
    times.hundredths = static_cast<int>(std::lround(seconds * 100.0));
    const int best = bestTimeSoFar();
    times.newRecord = best < 0 || times.hundredths < best;
    times.bestHundredths = times.newRecord ? times.hundredths : best;
    if (!times.newRecord) {
        return times;
    }
    runBest = times.hundredths;
    std::string problem;
    if (!bestTimeFile.empty() && !writeBestTime(bestTimeFile, times.hundredths, problem)) {
        std::cerr << problem << std::endl;
    }
    return times;
}

} // namespace Pellwin
