#!/usr/bin/env bash
# Installs what is missing, builds the programs and runs them on the bundled example data:
# the batch runner prints summary statistics and a frequency distribution of
# examples/heights.txt and saves the sheet with its result as a document, which the desktop
# program then opens (when a display is available).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build
cmake --build build --target orvel-batch orvel -j"$(nproc)"
mkdir -p build/example
./build/orvel-batch --answers examples/summary.answers --save build/example/heights.ovd \
  examples/heights.txt examples/summary.ovm
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec ./build/orvel build/example/heights.ovd
else
  echo "No display found. On a desktop, start the program with: build/orvel build/example/heights.ovd" >&2
fi
