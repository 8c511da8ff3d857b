#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets with clang in build-fuzz/ and runs each for the given number
# of seconds (default 60) from the game's own files.
# A crash, a sanitizer report or a broken rule fails the run; the input is kept in
# build-fuzz/fuzz-artifacts/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
build=$(pwd)/build-fuzz
targets=(model-import texture-decode run-file)
CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOLVA_FUZZ=ON \
    -DTOLVA_TESTS=OFF -DTOLVA_TOOLS=OFF -DTOLVA_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target "${targets[@]/#/tolva-fuzz-}"
seeds=$build/fuzz-seeds
rm -rf "$seeds" && mkdir -p "$seeds/model-import" "$seeds/texture-decode"
cp -r tests/fuzz/seeds/run-file "$seeds/"
cp Resourcen/cube.obj Resourcen/cube_zentriert.obj "$seeds/model-import/"
cp Resourcen/Flare3.png Resourcen/sun.png "$seeds/texture-decode/"
mkdir -p "$build/fuzz-artifacts"
# Assimp itself leaks a little on some malformed files; every other leak counts.
echo "leak:libassimp.so" >"$build/leaks.supp"
export ASAN_OPTIONS=abort_on_error=1:detect_leaks=1 LSAN_OPTIONS=suppressions=$build/leaks.supp
for target in "${targets[@]}"; do
    mkdir -p "$build/fuzz-corpus/$target"
    echo "== fuzzing $target for $seconds s =="
    if ! "$build/tests/fuzz/tolva-fuzz-$target" -max_total_time="$seconds" -timeout=20 \
        -artifact_prefix="$build/fuzz-artifacts/$target-" "$build/fuzz-corpus/$target" \
        "$seeds/$target" 2>"$build/fuzz-$target.log"; then
        tail -n 40 "$build/fuzz-$target.log"
        exit 1
    fi
done
echo "No fuzz target found a problem in $seconds s."
