// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AssetPath.h"

#include <algorithm>
#include <climits>
#include <sys/stat.h>
#include <unistd.h>

namespace Pellwin {

std::string toNativePath(const std::string& gamePath) {
    std::string native = gamePath;
    std::replace(native.begin(), native.end(), '\\', '/');
    return native;
}

std::string executableDirectory() {
    char buffer[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", buffer, sizeof(buffer) - 1);
    if (length <= 0) {
        return std::string();
    }
    std::string path(buffer, static_cast<size_t>(length));
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return std::string();
    }
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

static bool isDirectory(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool enterDataDirectory() {
    if (isDirectory("Shader")) {
        return false;
    }
    // Beside the executable (a build), then in ../share/tolva (an installed game, wherever
    // its prefix lies), then in ../share/games/tolva (Debian's games: /usr/games/tolva).
    const std::string beside = executableDirectory();
    for (const std::string& folder :
         {beside, beside + "/../share/tolva", beside + "/../share/games/tolva"}) {
        if (!beside.empty() && isDirectory(folder + "/Shader")) {
            return chdir(folder.c_str()) == 0;
        }
    }
    return false;
}

} // namespace Pellwin
