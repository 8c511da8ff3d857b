// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/BestTime.h"

#include "app/GameLoop.h"
#include "app/PlayerFiles.h"

#include <cstdlib>

namespace Pellwin {

std::string bestTimePath(const char* xdgDataHome, const char* home) {
    return playerFilePath(PlayerFolder::data, "best-time", xdgDataHome, home);
}

std::string bestTimePathFromEnvironment() {
    return playerFilePathFromEnvironment(PlayerFolder::data, "best-time");
}

int parseBestTime(const std::string& text) {
    std::string body = text;
    if (!body.empty() && body.back() == '\n') {
        body.pop_back();
    }
    const size_t point = body.find('.');
    const std::string whole = body.substr(0, point);
    const std::string fraction = point == std::string::npos ? "" : body.substr(point + 1);
    const bool digitsOnly = body.find_first_not_of("0123456789.") == std::string::npos;
    if (!digitsOnly || whole.empty() || whole.size() > 2 || fraction.size() > 2 ||
        (point != std::string::npos && fraction.empty()) ||
        fraction.find('.') != std::string::npos) {
        return -1;
    }
    int hundredths = std::atoi(whole.c_str()) * 100;
    for (size_t i = 0; i < 2; ++i) {
        hundredths += (i < fraction.size() ? fraction[i] - '0' : 0) * (i == 0 ? 10 : 1);
    }
    const int longest = static_cast<int>(roundSeconds) * 100;
    return hundredths > 0 && hundredths <= longest ? hundredths : -1;
}

std::string formatBestTime(int hundredths) {
    const int cents = hundredths % 100;
    return std::to_string(hundredths / 100) + (cents < 10 ? ".0" : ".") + std::to_string(cents) +
           "\n";
}

int readBestTime(const std::string& path) {
    std::string text;
    readPlayerFile(path, bestTimeFileLimit, text);
    return parseBestTime(text);
}

bool writeBestTime(const std::string& path, int hundredths, std::string& problem) {
    if (replacePlayerFile(path, formatBestTime(hundredths), problem)) {
        return true;
    }
    problem = "Bestzeit nicht gespeichert: " + problem;
    return false;
}

} // namespace Pellwin
