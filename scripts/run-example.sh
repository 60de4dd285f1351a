#!/usr/bin/env bash
# Installs what is missing, builds the batch runner and runs it on the bundled example data:
# summary statistics and a frequency distribution of examples/heights.txt.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build
cmake --build build --target orvel-batch -j"$(nproc)"
./build/orvel-batch --answers examples/summary.answers examples/heights.txt examples/summary.ovm
