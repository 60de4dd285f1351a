#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test twice: in an optimised build (Release,
# -O3, so that the optimiser's warnings are seen here first) and under AddressSanitizer + UBSan.
# Both treat warnings as errors.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
jobs=$(nproc)
# The desktop program's tests (ctest's "gui") need no display: Qt draws offscreen. They run in
# both passes; under LeakSanitizer they need no suppressions, as Qt and fontconfig free what
# they allocate or keep it reachable.
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DORVEL_WERROR=ON
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DORVEL_SANITIZE=ON -DORVEL_BUILD_BENCH=OFF -DORVEL_WERROR=ON
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j"$jobs"

# Third step: every parser's libFuzzer target for about 30 seconds over its seed corpus, in a
# clang build of its own (docs/fuzzing.md gives the longer run).
cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++-14 \
  -DORVEL_FUZZ=ON -DORVEL_BUILD_TESTS=OFF -DORVEL_BUILD_BENCH=OFF
cmake --build build-fuzz -j"$jobs" --target fuzz_targets
tests/fuzz/run.sh build-fuzz "${ORVEL_FUZZ_SECONDS:-30}"
