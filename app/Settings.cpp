// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Settings.h"

#include "app/PlayerFiles.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <ini.h>
#include <iostream>
#include <strings.h>

namespace Pellwin {

namespace {

constexpr int volumeStep = 10;

bool readSwitch(const char* value, bool& on) {
    for (const char* word : {"true", "yes", "on", "1"}) {
        if (strcasecmp(value, word) == 0) {
            on = true;
            return true;
        }
    }
    for (const char* word : {"false", "no", "off", "0"}) {
        if (strcasecmp(value, word) == 0) {
            on = false;
            return true;
        }
    }
    return false;
}

bool readVolume(const char* value, int& volume) {
    const std::size_t length = std::strlen(value);
    if (length == 0 || length > 3 || std::strspn(value, "0123456789") != length) {
        return false;
    }
    const int read = std::atoi(value);
    if (read > 100 || read % volumeStep != 0) {
        return false;
    }
    volume = read;
    return true;
}

// The parser's callback, once per key; 0 marks the line as an error.
int takeSetting(void* user, const char* /*section*/, const char* name, const char* value) {
    auto& settings = *static_cast<Settings*>(user);
    if (strcasecmp(name, "volume") == 0) {
        return readVolume(value, settings.volume);
    }
    if (strcasecmp(name, "muted") == 0) {
        return readSwitch(value, settings.muted);
    }
    if (strcasecmp(name, "ghost") == 0) {
        return readSwitch(value, settings.ghostShown);
    }
    return 1;
}

} // namespace

std::string settingsPathFromEnvironment() {
    return playerFilePathFromEnvironment(PlayerFolder::config, "settings");
}

bool parseSettings(const std::string& text, Settings& settings, std::string& problem) {
    if (text.find('\0') != std::string::npos) {
        problem = "ein NUL-Byte";
        return false;
    }
    Settings read = settings;
    const int line = ini_parse_string(text.c_str(), takeSetting, &read);
    if (line != 0) {
        problem = "Zeile " + std::to_string(line) + " ist keine g\374ltige Einstellung";
        return false;
    }
    settings = read;
    return true;
}

std::string formatSettings(const Settings& settings) {
    const auto word = [](bool on) { return on ? "true" : "false"; };
    return "# Tolva keeps these between games. volume: 0 to 100 in steps of 10.\n"
           "volume = " +
           std::to_string(settings.volume) + "\nmuted = " + word(settings.muted) +
           "\nghost = " + word(settings.ghostShown) + "\n";
}

Settings readSettings(const std::string& path) {
    Settings settings;
    std::string text;
    std::string problem;
    const FileRead result = readPlayerFile(path, settingsFileLimit, text);
    if (result == FileRead::read) {
        parseSettings(text, settings, problem);
    } else {
        problem = whyNotRead(result, settingsFileLimit);
    }
    if (!problem.empty()) {
        std::cerr << "Einstellungen " << path << " werden nicht verwendet: " << problem
                  << "; es gelten die Voreinstellungen." << std::endl;
    }
    return settings;
}

bool writeSettings(const std::string& path, const Settings& settings, std::string& problem) {
    if (replacePlayerFile(path, formatSettings(settings), problem)) {
        return true;
    }
    problem = "Einstellungen nicht gespeichert: " + problem;
    return false;
}

int volumeAfterStep(int volume, int step) {
    return std::clamp(volume + step * volumeStep, 0, 100);
}

std::string volumeText(int volume) {
    return "Lautst\xE4rke " + std::to_string(volume) + " %";
}

} // namespace Pellwin
