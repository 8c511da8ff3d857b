// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace TolvaBench {

// The sounds' share of start-up (the device opened, the files loaded, the voices made),
// in a process that has not opened the game yet.
void registerSoundOpening();
// The sounds' share of a playing frame on the main thread; OpenAL mixes on its own.
void registerSoundUpdate();

} // namespace TolvaBench
