# SPDX-License-Identifier: GPL-3.0-or-later
# Finds inih, the INI parser the settings file is read with, without needing pkg-config.
# Provides inih::inih and inih_FOUND.
include(PlainLibrary)
tolva_find_plain_library(inih ini.h inih)
