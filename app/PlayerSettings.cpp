// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/PlayerSettings.h"

#include <iostream>

namespace Pellwin {

namespace {

std::string settingsFile;
Settings current;

bool sameSettings(const Settings& a, const Settings& b) {
    return a.volume == b.volume && a.muted == b.muted && a.ghostShown == b.ghostShown;
}

} // namespace

void keepSettingsIn(const std::string& path) {
    settingsFile = path;
    current = path.empty() ? Settings() : readSettings(path);
}

const Settings& playerSettings() {
    return current;
}

void changePlayerSettings(const Settings& changed) {
    if (sameSettings(changed, current)) {
        return;
    }
    current = changed;
    std::string problem;
    if (!settingsFile.empty() && !writeSettings(settingsFile, current, problem)) {
        std::cerr << problem << std::endl;
    }
}

} // namespace Pellwin
