// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <string>

namespace Pellwin {

// The files a player keeps: records in the XDG data folder, settings in the XDG config
// folder. Each is small, read with care and replaced whole.

enum class PlayerFolder { data, config };

// The file's place: $XDG_DATA_HOME/tolva/<name> ($XDG_CONFIG_HOME for config), or
// $HOME/.local/share/tolva/<name> ($HOME/.config/tolva) when that is unset, empty or not
// an absolute path. Empty when neither names a folder.
std::string playerFilePath(PlayerFolder folder, const std::string& name, const char* xdgHome,
                           const char* home);
std::string playerFilePathFromEnvironment(PlayerFolder folder, const std::string& name);

enum class FileRead { read, missing, notPlain, tooLarge, unreadable };

// Reads the whole file into `bytes` when it is a plain file of at most `limit` bytes. A
// pipe or a device put in the file's place neither blocks the game nor is read.
FileRead readPlayerFile(const std::string& path, size_t limit, std::string& bytes);

// Why a file that is there was not read, for the line on standard error (Latin-1, as the
// console is): "keine gewöhnliche Datei", "größer als <limit> Bytes", "nicht lesbar".
std::string whyNotRead(FileRead result, size_t limit);

// Replaces the file as a whole: a temporary file beside it is written, flushed to the
// disk and renamed over it, then the folder is flushed, so the file is never seen
// half-written. Makes missing folders with mode 0700. On failure returns false and says
// in `problem` which folder and why: "der Ordner F kann nicht angelegt werden (reason)" or
// "der Ordner F ist nicht beschreibbar (reason)".
bool replacePlayerFile(const std::string& path, const std::string& bytes, std::string& problem);

} // namespace Pellwin
