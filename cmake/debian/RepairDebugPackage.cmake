# SPDX-License-Identifier: GPL-3.0-or-later
# CPack lists the debug package's files in its md5sums under their path in its own staging
# folder, where dpkg --verify and debsums find none of them. Each .ddeb gets paths inside
# the package instead, and its documentation folder links to the game's, as Debian's own
# debug packages have it.
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  if(NOT package MATCHES "\\.ddeb$")
    continue()
  endif()
  set(tree ${package}.tree)
  file(REMOVE_RECURSE ${tree})
  execute_process(COMMAND dpkg-deb --raw-extract ${package} ${tree} COMMAND_ERROR_IS_FATAL ANY)
  file(READ ${tree}/DEBIAN/md5sums sums)
  string(REGEX REPLACE "  /[^\n]*-dbgsym/" "  " sums "${sums}")
  file(WRITE ${tree}/DEBIAN/md5sums "${sums}")
  file(MAKE_DIRECTORY ${tree}/usr/share/doc)
  file(CREATE_LINK tolva ${tree}/usr/share/doc/tolva-dbgsym SYMBOLIC)
  execute_process(COMMAND dpkg-deb --root-owner-group -Zgzip --build ${tree} ${package}
    OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE_RECURSE ${tree})
endforeach()
