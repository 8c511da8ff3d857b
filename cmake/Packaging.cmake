# SPDX-License-Identifier: GPL-3.0-or-later
# Installing the game, and its Debian package.
include(GNUInstallDirs)

# The manual page and the changelog are installed compressed. No name or time goes into the
# gzip header, so the same text always gives the same bytes.
set(TOLVA_COMPRESSED_DOCS)
foreach(doc ${PROJECT_SOURCE_DIR}/docs/tolva.6 ${CMAKE_CURRENT_LIST_DIR}/debian/changelog)
  get_filename_component(name ${doc} NAME)
  add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/${name}.gz
    COMMAND gzip -9nc ${doc} > ${PROJECT_BINARY_DIR}/${name}.gz
    DEPENDS ${doc})
  list(APPEND TOLVA_COMPRESSED_DOCS ${PROJECT_BINARY_DIR}/${name}.gz)
endforeach()
# Part of the game's own build, so `cmake --build --target tolva` is enough to install.
add_custom_target(tolva-docs DEPENDS ${TOLVA_COMPRESSED_DOCS})
add_dependencies(tolva tolva-docs)

# One layout per component. A prefix of one's own (`cmake --install`) gets bin/ and
# share/tolva; Debian's games live in /usr/games with their data in /usr/share/games, which
# `--component debian` installs alone. The game finds its data beside its binary in both.
function(tolva_install component bindir datadir)
  set(part COMPONENT ${component} ${ARGN})
  install(TARGETS tolva RUNTIME DESTINATION ${bindir} ${part})
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/Shader DESTINATION ${datadir} ${part})
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/Resourcen DESTINATION ${datadir} ${part}
    PATTERN Icons EXCLUDE)
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/tolva.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications ${part})
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/tolva.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo ${part})
  foreach(size 48 128 256)
    install(FILES ${PROJECT_SOURCE_DIR}/Resourcen/Icons/tolva-${size}.png RENAME tolva.png
      DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps ${part})
  endforeach()
  install(FILES ${PROJECT_BINARY_DIR}/tolva.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6 ${part})
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/debian/copyright ${PROJECT_BINARY_DIR}/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tolva ${part})
endfunction()
tolva_install(game ${CMAKE_INSTALL_BINDIR} ${CMAKE_INSTALL_DATADIR}/tolva)
tolva_install(debian games share/games/tolva EXCLUDE_FROM_ALL)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/debian/lintian-overrides RENAME tolva
  DESTINATION share/lintian/overrides COMPONENT debian EXCLUDE_FROM_ALL)

# The .deb holds the debian component under /usr, whatever prefix the build was configured
# with; the debug symbols go into tolva-dbgsym and the game's binary is stripped.
set(CPACK_INSTALL_CMAKE_PROJECTS "${PROJECT_BINARY_DIR};${PROJECT_NAME};debian;/")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_NAME tolva)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Tolva developers <tolva@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "3D arcade game: steer a fruit along a kitchen worktop")
set(CPACK_PACKAGE_DESCRIPTION "\
A ball that looks like a fruit rolls along a kitchen worktop towards the far
wall, and the player has 50 seconds to steer it there. Wooden planks block the
way, a marble slab has to be jumped onto, knives fall again and again, a
seventh flies across the track, and a pot steams near the end.

Tolva plays with the keyboard or a gamepad, keeps the best time, and needs
OpenGL 3.3.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_DEBUGINFO_PACKAGE ON)
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/debian/RepairDebugPackage.cmake)
include(CPack)
