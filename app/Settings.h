// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

namespace Pellwin {

// What the player chose and the game keeps between runs, in an INI file:
//   volume = 70      (0 to 100, in steps of 10)
//   muted = false
//   ghost = true     (the best run's ball is shown)
struct Settings {
    int volume = 100;
    bool muted = false;
    bool ghostShown = true;
};

// $XDG_CONFIG_HOME/tolva/settings, or ~/.config/tolva/settings.
std::string settingsPathFromEnvironment();

// Largest file that can be settings; anything longer is damaged.
constexpr long settingsFileLimit = 4096;

// The settings a file's text holds. Unknown keys are ignored; a line that is no INI line, a
// known key with a value it cannot have, or a NUL byte make the text damaged: then returns
// false with the reason in `problem` and leaves `settings` alone.
bool parseSettings(const std::string& text, Settings& settings, std::string& problem);
std::string formatSettings(const Settings& settings);

// The settings in the file. A missing file gives the defaults; a damaged one, too large or
// not a plain file, gives the defaults and one line on standard error. The file is not
// touched: it is replaced only when the player changes a setting.
Settings readSettings(const std::string& path);

// Replaces the file as the best time is replaced. On failure returns false with the line
// for standard error in `problem`.
bool writeSettings(const std::string& path, const Settings& settings, std::string& problem);

// The volume after one press of - (step -1) or + (step +1): 10 % further, within 0 to 100 %.
int volumeAfterStep(int volume, int step);

// What the screen shows for a volume, "Lautstärke 70 %", in the lettering's Latin-1.
std::string volumeText(int volume);

} // namespace Pellwin
