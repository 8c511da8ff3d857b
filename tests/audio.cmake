# SPDX-License-Identifier: GPL-3.0-or-later
# Its own process: the device opens at set-up and takes its configuration from ALSOFT_CONF.
set(TOLVA_RECORDING ${PROJECT_BINARY_DIR}/test-artifacts/recorded-game.wav)
configure_file(audio/record-audio.conf.in ${TOLVA_RECORDING}.conf @ONLY) # makes the folder too
add_executable(tolva-tests-audio audio/RecordedGameTest.cpp support/KeyScript.cpp
  support/GlTestWindow.cpp support/WinningRun.cpp support/X11Screenshot.cpp)
target_link_libraries(tolva-tests-audio PRIVATE tolva_game GTest::gtest X11::X11)
target_include_directories(tolva-tests-audio PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_compile_definitions(tolva-tests-audio PRIVATE TOLVA_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
  TOLVA_ARTIFACT_DIR="${PROJECT_BINARY_DIR}/test-artifacts" TOLVA_RECORDING="${TOLVA_RECORDING}")
add_test(NAME gl-recorded-audio COMMAND tolva-tests-audio WORKING_DIRECTORY ${PROJECT_SOURCE_DIR})
set_tests_properties(gl-recorded-audio PROPERTIES LABELS gl TIMEOUT 600 RESOURCE_LOCK display
  ENVIRONMENT ALSOFT_CONF=${TOLVA_RECORDING}.conf)
