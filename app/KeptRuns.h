// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "app/Medals.h"
#include "app/RunFile.h"

#include <string>

namespace Pellwin {

// The run that ships with the game and the player's best run, read once at set-up. The
// shipped run sets the medal times; the best run, or the shipped one until there is one,
// is the ghost and the replay.

// The shipped run, in the game's path form.
constexpr const char* shippedRunPath = "Resourcen\\Musterlauf.tlvr";

// Where the best run is kept; empty (the default) keeps it for this run of the game only.
// The game names the player's file; tests name their own or none.
void keepBestRunIn(const std::string& path);

// Reads both runs for the level with this fingerprint; a missing file says nothing, a
// refused one costs one line on standard error.
void loadRuns(std::uint64_t fingerprint);

// Takes a run that beat the best time: it is the ghost from now on and replaces the file.
// A file that cannot be written costs one line on standard error.
void keepRecordRun(const RecordedRun& run);

// The run to race and to replay, or nullptr when there is none.
const RecordedRun* ghostRun();

// Medal times from the shipped run; all zero (no medal for anyone) without it.
MedalTimes gameMedalTimes();
// The shipped run's time, or 0 without it.
int shippedRunHundredths();

} // namespace Pellwin
