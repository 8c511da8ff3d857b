// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/PlayerFiles.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace Pellwin {

namespace {

namespace fs = std::filesystem;

bool isAbsoluteFolder(const char* path) {
    return path != nullptr && path[0] == '/';
}

// mkdir -p, with the private mode the XDG base directories ask for. On failure errno says
// why; a file in a folder's place leaves EEXIST.
bool makeFolders(const fs::path& folder) {
    fs::path part;
    for (const fs::path& name : folder) {
        part /= name;
        if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
            return false;
        }
    }
    struct stat info {};
    return stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool writeAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = write(fd, bytes.data() + done, bytes.size() - done);
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

std::string playerFilePath(PlayerFolder folder, const std::string& name, const char* xdgHome,
                           const char* home) {
    if (isAbsoluteFolder(xdgHome)) {
        return std::string(xdgHome) + "/tolva/" + name;
    }
    if (isAbsoluteFolder(home)) {
        const char* under = folder == PlayerFolder::data ? "/.local/share" : "/.config";
        return std::string(home) + under + "/tolva/" + name;
    }
    return std::string();
}

std::string playerFilePathFromEnvironment(PlayerFolder folder, const std::string& name) {
    const char* xdgHome =
        std::getenv(folder == PlayerFolder::data ? "XDG_DATA_HOME" : "XDG_CONFIG_HOME");
    return playerFilePath(folder, name, xdgHome, std::getenv("HOME"));
}

FileRead readPlayerFile(const std::string& path, size_t limit, std::string& bytes) {
    bytes.clear();
    // Not blocking: a pipe put in the file's place must not stop the game.
    const int fd = path.empty() ? -1 : open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return path.empty() || errno == ENOENT || errno == ENOTDIR ? FileRead::missing
                                                                   : FileRead::unreadable;
    }
    struct stat info {};
    FileRead result = FileRead::read;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        result = FileRead::notPlain;
    } else if (static_cast<unsigned long long>(info.st_size) > limit) {
        result = FileRead::tooLarge;
    } else {
        bytes.reserve(static_cast<size_t>(info.st_size));
        char chunk[4096];
        for (;;) {
            const ssize_t got = read(fd, chunk, sizeof(chunk));
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got <= 0) {
                result = got < 0 ? FileRead::unreadable : FileRead::read;
                break;
            }
            bytes.append(chunk, static_cast<size_t>(got));
            // It grew while we read it.
            if (bytes.size() > limit) {
                result = FileRead::tooLarge;
                break;
            }
        }
    }
    close(fd);
    if (result != FileRead::read) {
        bytes.clear();
    }
    return result;
}

std::string whyNotRead(FileRead result, size_t limit) {
    // Octal escapes: a hex one would swallow the letter after it.
    switch (result) {
    case FileRead::notPlain:
        return "keine gew\366hnliche Datei";
    case FileRead::tooLarge:
        return "gr\366\337er als " + std::to_string(limit) + " Bytes";
    case FileRead::unreadable:
        return "nicht lesbar";
    case FileRead::read:
    case FileRead::missing:
        break;
    }
    return std::string();
}

bool replacePlayerFile(const std::string& path, const std::string& bytes, std::string& problem) {
    const fs::path parent = fs::path(path).parent_path();
    const std::string folder = parent.empty() ? "." : parent.string();
    std::string temporary = path + ".XXXXXX";
    int fd = -1;
    const char* step = "kann nicht angelegt werden";
    if (makeFolders(folder)) {
        step = "ist nicht beschreibbar";
        fd = mkstemp(temporary.data());
    }
    bool written = false;
    if (fd >= 0) {
        written = writeAll(fd, bytes) && fsync(fd) == 0;
        written = close(fd) == 0 && written;
        written = written && rename(temporary.c_str(), path.c_str()) == 0;
    }
    const int failure = errno;
    if (!written) {
        if (fd >= 0) {
            unlink(temporary.c_str());
        }
        problem = "der Ordner " + folder + " " + step + " (" + std::strerror(failure) + ")";
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
