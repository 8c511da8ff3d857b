// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>

namespace Pellwin {

// A run is replayed only on the level it was played on. The fingerprint hashes what moves
// the ball: the movement constants and the places, sizes and contact boxes the level gives
// the ball, the barriers and the hazards. Taken from a freshly laid-out level.
std::uint64_t measureLevelFingerprint();

// The fingerprint of the level as set-up laid it out; restarts lay out the same level.
void takeLevelFingerprint();
std::uint64_t levelFingerprint();

} // namespace Pellwin
