#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only when one is missing.
set -euo pipefail
packages=(g++ cmake make libgtest-dev libgmock-dev libbenchmark-dev)
# Graph files: SVG, PDF and PNG through cairo (fontconfig finds the faces).
packages+=(libcairo2-dev pkg-config)
# The desktop program: Qt 6 Widgets (it brings the GL headers CMake's Qt package looks for and
# the offscreen platform the GUI tests run on) and free faces standing in for Arial, Century
# and the Japanese report texts.
packages+=(qt6-base-dev fonts-urw-base35 fonts-liberation2 fonts-ipafont-gothic)
# The fuzz targets of the test run: clang with its libFuzzer and sanitizer runtimes.
packages+=(clang-14 libclang-rt-14-dev)
# R runs the R Language menu's generated code in the tests (MASS for confint on older R).
packages+=(r-base-core r-cran-mass)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "installing: ${missing[*]}"
  if [ "$(id -u)" -eq 0 ]; then SUDO=""; else SUDO="sudo"; fi
  $SUDO apt-get update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q "${missing[@]}"
fi
