// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "app/Settings.h"

#include <string>

namespace Pellwin {

// The settings the game plays with. Only the game names the player's file; tests and the
// benchmark play with the defaults and write nothing, as with the best time.

// Reads the file at `path` (an empty path: the defaults, kept for this run only).
void keepSettingsIn(const std::string& path);

const Settings& playerSettings();

// Takes the player's change and writes the file when something differs. A file that cannot
// be written costs one line on standard error; the change holds for this run.
void changePlayerSettings(const Settings& changed);

} // namespace Pellwin
