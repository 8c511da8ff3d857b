# SPDX-License-Identifier: GPL-3.0-or-later
# Finds inih, the INI parser the settings file is read with, without needing pkg-config.
# Provides inih::inih and inih_FOUND.
find_path(inih_INCLUDE_DIR NAMES ini.h)
find_library(inih_LIBRARY NAMES inih)

include(FindPackageHandleStandardArgs)
find_package_handle_standard_args(inih REQUIRED_VARS inih_LIBRARY inih_INCLUDE_DIR)

if(inih_FOUND AND NOT TARGET inih::inih)
  add_library(inih::inih UNKNOWN IMPORTED)
  set_target_properties(inih::inih PROPERTIES
    IMPORTED_LOCATION "${inih_LIBRARY}"
    INTERFACE_INCLUDE_DIRECTORIES "${inih_INCLUDE_DIR}")
endif()
mark_as_advanced(inih_INCLUDE_DIR inih_LIBRARY)
