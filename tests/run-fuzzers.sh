#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz/ and runs each one for the given
# number of seconds (default 60), starting from a small generated seed corpus. Fails when
# a target finds a crash, a sanitizer report, a hang or a broken rule; the input that did
# it is kept in build-fuzz/fuzz-artifacts/.
#   tests/run-fuzzers.sh [seconds]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
build=${TOLVA_FUZZ_BUILD:-build-fuzz}
targets=(tolva-fuzz-command-line tolva-fuzz-model-import tolva-fuzz-texture-decode)

if ! command -v clang++ >/dev/null || [ ! -f "$(clang++ -print-file-name=libclang_rt.fuzzer-x86_64.a)" ]; then
    echo "The fuzz build needs clang with libFuzzer (Debian: clang libclang-rt-14-dev)." >&2
    exit 1
fi

configure() { # extra cmake arguments...
    CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_COMPILER=clang++ -DTOLVA_FUZZ=ON -DTOLVA_TOOLS=OFF "$@" >/dev/null
}

# The fuzz targets need no GTest; when the top level does not add them by itself, the
# test build's hardening file does.
if grep -q 'add_subdirectory(tests/fuzz)' CMakeLists.txt; then
    configure -DTOLVA_TESTS=OFF
else
    configure -DTOLVA_TESTS=ON
fi
cmake --build "$build" -j "$(nproc 2>/dev/null || echo 2)" \
    --target "${targets[@]}" tolva-fuzz-seeds

# The targets work in folders of their own, so every path handed to them is absolute.
build=$(realpath "$build")
seeds=$build/fuzz-seeds
rm -rf "$seeds"
"$build/tests/fuzz/tolva-fuzz-seeds" "$seeds"
# The game's own smallest models and pictures are good starting points too.
for model in Resourcen/cube.obj Resourcen/cube_zentriert.obj; do
    if [ -f "$model" ]; then cp "$model" "$seeds/model-import/"; fi
done
for picture in Resourcen/Flare3.png Resourcen/sun.png; do
    if [ -f "$picture" ]; then cp "$picture" "$seeds/texture-decode/"; fi
done

artifacts=$build/fuzz-artifacts
mkdir -p "$artifacts"
# The targets' scratch files go here and are gone after the run.
export TMPDIR=$build/fuzz-tmp
rm -rf "$TMPDIR"
mkdir -p "$TMPDIR"
trap 'rm -rf "$TMPDIR"' EXIT
# Leaks count here even when the caller's options switch leak checks off for the GL tests.
export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}abort_on_error=1:detect_leaks=1
# Assimp itself leaks a mesh on some malformed OBJ files; that is the library's, not ours,
# and costs a few bytes once per load. Leaks anywhere else still count.
suppressions=$build/fuzz-leak-suppressions.txt
echo "leak:libassimp.so" >"$suppressions"
export LSAN_OPTIONS=suppressions=$suppressions:print_suppressions=0
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
failed=()
for target in "${targets[@]}"; do
    name=${target#tolva-fuzz-}
    corpus=$build/fuzz-corpus/$name
    mkdir -p "$corpus"
    echo "== $target: $seconds s =="
    if ! "$build/tests/fuzz/$target" -max_total_time="$seconds" -timeout=20 \
        -artifact_prefix="$artifacts/$name-" -print_final_stats=1 \
        "$corpus" "$seeds/$name" 2>"$build/fuzz-$name.log"; then
        tail -n 60 "$build/fuzz-$name.log"
        failed+=("$target")
    else
        grep -E '^stat::(number_of_executed_units|new_units_added)' "$build/fuzz-$name.log" || true
    fi
done

if [ ${#failed[@]} -ne 0 ]; then
    echo "Fuzzing found problems in: ${failed[*]} (inputs in $artifacts/)"
    exit 1
fi
echo "All fuzz targets ran $seconds s without a finding."
