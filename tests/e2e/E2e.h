// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The real game binary, started as a player or a shell starts it.
#include "support/ProcessRunner.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace TolvaTest {

inline const std::string tolva = TOLVA_BINARY;

inline std::string greeting(const std::string& argv0 = tolva) {
    return "Hello Tolva\nyou are ececuting '" + argv0 + "'\n";
}

inline bool haveDisplay() {
    const char* display = std::getenv("DISPLAY");
    return display != nullptr && *display != '\0';
}

// A working folder with a copy of the shaders, which a test may break, and an empty
// Resourcen tree.
inline void copyShadersBesideEmptyResourcen(const std::string& folder) {
    namespace fs = std::filesystem;
    fs::copy(fs::path(TOLVA_SOURCE_DIR) / "Shader", fs::path(folder) / "Shader");
    fs::create_directories(fs::path(folder) / "Resourcen/BilderGedreht");
    fs::create_directories(fs::path(folder) / "Resourcen/Lightmap");
}

// The window's picture, kept as a test artefact, and its mean colour (0 to 255 each).
inline std::vector<double> windowColour(const std::string& window, const std::string& name) {
    std::filesystem::create_directories(TOLVA_ARTIFACT_DIR);
    const std::string path = std::string(TOLVA_ARTIFACT_DIR) + "/" + name + ".png";
    runProcess({"/usr/bin/import", "-window", window, path});
    const std::string mean =
        runProcess({"/usr/bin/convert", path, "-resize", "1x1!", "-depth", "8", "txt:-"}).out;
    std::vector<double> rgb(3, 0.0);
    sscanf(mean.c_str() + std::min(mean.find("0,0: ("), mean.size()), "0,0: (%lf,%lf,%lf", &rgb[0],
           &rgb[1], &rgb[2]);
    return rgb;
}

inline void writeText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

} // namespace TolvaTest
