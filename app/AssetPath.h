// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

namespace Pellwin {

// Asset paths are written with backslashes everywhere in the game (messages and
// the texture cache use them as written); only opening a file needs '/'.
std::string toNativePath(const std::string& gamePath);

// When the working directory has no Shader folder, change to the first folder that has:
// the executable's own, or ../share/tolva or ../share/games/tolva beside it, so a build and an
// installed game both start from anywhere. Returns true when the directory was changed.
bool enterDataDirectory();

} // namespace Pellwin
