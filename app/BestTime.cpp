// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/BestTime.h"

#include "app/GameLoop.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Pellwin {

namespace {

bool isAbsoluteFolder(const char* path) {
    return path != nullptr && path[0] == '/';
}

std::string folderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos || slash == 0 ? "/" : path.substr(0, slash);
}

// mkdir -p, with the private mode the XDG base directories ask for.
bool makeFolders(const std::string& folder) {
    for (size_t at = 1; at != std::string::npos;) {
        at = folder.find('/', at + 1);
        const std::string part = folder.substr(0, at);
        if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
            return false;
        }
    }
    struct stat info {};
    return stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool writeAll(int fd, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t wrote = write(fd, text.data() + done, text.size() - done);
        if (wrote < 0 && errno == EINTR) {
            continue;
        }
        if (wrote <= 0) {
            return false;
        }
        done += static_cast<size_t>(wrote);
    }
    return true;
}

} // namespace

std::string bestTimePath(const char* xdgDataHome, const char* home) {
    if (isAbsoluteFolder(xdgDataHome)) {
        return std::string(xdgDataHome) + "/tolva/best-time";
    }
    if (isAbsoluteFolder(home)) {
        return std::string(home) + "/.local/share/tolva/best-time";
    }
    return std::string();
}

std::string bestTimePathFromEnvironment() {
    return bestTimePath(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
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
    if (path.empty()) {
        return -1;
    }
    // Not blocking: a pipe put in the record's place must not stop the game.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return -1;
    }
    struct stat info {};
    std::string text;
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size <= bestTimeFileLimit) {
        char buffer[bestTimeFileLimit + 1];
        const ssize_t got = read(fd, buffer, sizeof(buffer));
        if (got > 0 && got <= bestTimeFileLimit) {
            text.assign(buffer, static_cast<size_t>(got));
        }
    }
    close(fd);
    return parseBestTime(text);
}

bool writeBestTime(const std::string& path, int hundredths, std::string& problem) {
    const std::string folder = folderOf(path);
    std::string temporary = path + ".XXXXXX";
    int fd = -1;
    const char* step = "kann nicht angelegt werden";
    if (makeFolders(folder)) {
        step = "ist nicht beschreibbar";
        fd = mkstemp(temporary.data());
    }
    bool written = false;
    if (fd >= 0) {
        written = writeAll(fd, formatBestTime(hundredths)) && fsync(fd) == 0;
        written = close(fd) == 0 && written;
        written = written && rename(temporary.c_str(), path.c_str()) == 0;
    }
    const int failure = errno;
    if (!written) {
        if (fd >= 0) {
            unlink(temporary.c_str());
        }
        problem = "Bestzeit nicht gespeichert: der Ordner " + folder + " " + step + " (" +
                  std::strerror(failure) + ")";
        return false;
    }
    // The rename itself reaches the disk with the folder's entry.
    const int folderFd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
        fsync(folderFd);
        close(folderFd);
    }
    return true;
}

} // namespace Pellwin
