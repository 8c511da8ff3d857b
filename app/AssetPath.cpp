// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AssetPath.h"

#include <algorithm>
#include <filesystem>

namespace Pellwin {

namespace fs = std::filesystem;

std::string toNativePath(const std::string& gamePath) {
    std::string native = gamePath;
    std::replace(native.begin(), native.end(), '\\', '/');
    return native;
}

namespace {

// The folder that holds the running executable; empty if unknown.
fs::path executableDirectory() {
    std::error_code error;
    const fs::path executable = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::path() : executable.parent_path();
}

bool holdsShaders(const fs::path& folder) {
    std::error_code error;
    return fs::is_directory(folder / "Shader", error);
}

} // namespace

bool enterDataDirectory() {
    if (holdsShaders(".")) {
        return false;
    }
    const fs::path beside = executableDirectory();
    if (beside.empty()) {
        return false;
    }
    // Where the data may lie, in the order the game looks.
    const fs::path dataFolders[] = {
        beside,                                     // a build: the executable's own folder
        beside / ".." / "share" / "tolva",          // an installed game, wherever its prefix lies
        beside / ".." / "share" / "games" / "tolva" // Debian's games: /usr/games/tolva
    };
    for (const fs::path& folder : dataFolders) {
        if (holdsShaders(folder)) {
            std::error_code error;
            fs::current_path(folder, error);
            return !error;
        }
    }
    return false;
}

} // namespace Pellwin
