# Hardening tests: a long soak of play, damaged data files, a corpus of bad command lines
# and, in a clang build with TOLVA_FUZZ, the libFuzzer targets. Included from
# tests/CMakeLists.txt, so GTest and the support files are at hand. The long ones carry the
# label `slow`: `ctest -LE slow` leaves them out.

# Six thousand frames and a hundred restarts in one GL context.
add_executable(tolva-tests-soak soak/SoakTest.cpp support/KeyScript.cpp support/GlTestWindow.cpp
  support/X11Screenshot.cpp)
find_package(X11 REQUIRED)
target_link_libraries(tolva-tests-soak PRIVATE tolva_game GTest::gtest X11::X11)
target_include_directories(tolva-tests-soak PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_compile_definitions(tolva-tests-soak PRIVATE
  TOLVA_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
  TOLVA_ARTIFACT_DIR="${PROJECT_BINARY_DIR}/test-artifacts")
add_test(NAME soak-hundred-games COMMAND tolva-tests-soak WORKING_DIRECTORY ${PROJECT_SOURCE_DIR})
set_tests_properties(soak-hundred-games PROPERTIES LABELS "gl;slow" TIMEOUT 900)

# Thousands of command lines through the parser, and a few hundred through the game itself.
add_executable(tolva-tests-corpus corpus/CommandLineCorpusTest.cpp support/ProcessRunner.cpp)
target_link_libraries(tolva-tests-corpus PRIVATE tolva_game GTest::gtest_main)
target_include_directories(tolva-tests-corpus PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_compile_definitions(tolva-tests-corpus PRIVATE TOLVA_BINARY="$<TARGET_FILE:tolva>")
add_dependencies(tolva-tests-corpus tolva)
add_test(NAME command-line-corpus-parser
  COMMAND tolva-tests-corpus --gtest_filter=CommandLineCorpus.Parser*)
set_tests_properties(command-line-corpus-parser PROPERTIES LABELS "pure" TIMEOUT 300)
add_test(NAME command-line-corpus-binary
  COMMAND tolva-tests-corpus --gtest_filter=CommandLineCorpus.Binary*)
set_tests_properties(command-line-corpus-binary PROPERTIES LABELS "e2e;slow" TIMEOUT 900)

# Every shipped model, picture and shader missing, empty, cut in half and garbled, one at a
# time; the runner starts the game on them and plays a few frames.
add_executable(tolva-damaged-runner damage/DamagedRunner.cpp)
target_link_libraries(tolva-damaged-runner PRIVATE tolva_game)
add_executable(tolva-tests-damage damage/DamagedDataTest.cpp support/ProcessRunner.cpp)
target_link_libraries(tolva-tests-damage PRIVATE GTest::gtest glfw tolva_warnings)
target_include_directories(tolva-tests-damage PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_compile_definitions(tolva-tests-damage PRIVATE
  TOLVA_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
  TOLVA_DAMAGED_RUNNER="$<TARGET_FILE:tolva-damaged-runner>")
add_dependencies(tolva-tests-damage tolva-damaged-runner)
add_test(NAME damaged-data-files COMMAND tolva-tests-damage)
set_tests_properties(damaged-data-files PROPERTIES LABELS "gl;slow" TIMEOUT 1800)

# The fuzz targets need nothing of the above; the top level may add them itself.
if(TOLVA_FUZZ AND NOT TARGET tolva-fuzz-command-line)
  add_subdirectory(${CMAKE_CURRENT_SOURCE_DIR}/fuzz ${CMAKE_CURRENT_BINARY_DIR}/fuzz)
endif()
