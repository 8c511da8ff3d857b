# SPDX-License-Identifier: GPL-3.0-or-later
# Finds FreeImage, which ships neither a CMake config nor a pkg-config file.
# Provides FreeImage::FreeImage and FreeImage_FOUND.
include(PlainLibrary)
tolva_find_plain_library(FreeImage FreeImage.h freeimage FreeImage)
