// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

namespace Pellwin {

// The best time is kept in one small text file: seconds with two decimals and a line end,
// for example "23.45\n". Times are handled as whole hundredths of a second.

// The file's place: $XDG_DATA_HOME/tolva/best-time, or $HOME/.local/share/tolva/best-time
// when that is unset, empty or not an absolute path. Empty when neither names a folder.
std::string bestTimePath(const char* xdgDataHome, const char* home);
std::string bestTimePathFromEnvironment();

// The hundredths a record's text holds, or -1 when the text is no record: anything but
// a time over 0 and up to 50 s with at most two decimals and at most one line end.
int parseBestTime(const std::string& text);
std::string formatBestTime(int hundredths);

// Largest file that can be a record; anything longer is damaged.
constexpr long bestTimeFileLimit = 64;

// The record in the file, or -1 when it is missing, empty, damaged, too large, not a
// plain file or cannot be read.
int readBestTime(const std::string& path);

// Replaces the file as a whole: a temporary file beside it is written, flushed to the
// disk and renamed over it, so the record is never seen half-written. Creates the folder
// when needed. On failure returns false and says in `problem` which folder and why.
bool writeBestTime(const std::string& path, int hundredths, std::string& problem);

} // namespace Pellwin
