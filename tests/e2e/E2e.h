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

inline void writeText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

} // namespace TolvaTest
