# SPDX-License-Identifier: GPL-3.0-or-later
# What a find module does for a library that ships no CMake config: finds its header and its
# library (any of the names after the header) and provides <name>::<name> and <name>_FOUND.
macro(tolva_find_plain_library name header)
  find_path(${name}_INCLUDE_DIR NAMES ${header})
  find_library(${name}_LIBRARY NAMES ${ARGN})
  include(FindPackageHandleStandardArgs)
  find_package_handle_standard_args(${name} REQUIRED_VARS ${name}_LIBRARY ${name}_INCLUDE_DIR)
  if(${name}_FOUND AND NOT TARGET ${name}::${name})
    add_library(${name}::${name} UNKNOWN IMPORTED)
    set_target_properties(${name}::${name} PROPERTIES
      IMPORTED_LOCATION "${${name}_LIBRARY}"
      INTERFACE_INCLUDE_DIRECTORIES "${${name}_INCLUDE_DIR}")
  endif()
  mark_as_advanced(${name}_INCLUDE_DIR ${name}_LIBRARY)
endmacro()
