#!/usr/bin/env bash
# Sets up the machine, builds everything and runs every test: the portable core natively
# (with AddressSanitizer and UndefinedBehaviorSanitizer), its fuzz targets, then the Windows
# build under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
jobs=$(nproc)

cmake --preset native-asan >/dev/null
cmake --build --preset native-asan -j "$jobs"
ctest --preset native-asan -j "$jobs"

# Every fuzz target for a short, fixed time from its corpus (clang's libFuzzer).
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$jobs"
ctest --preset fuzz -j "$jobs"

cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs"
# Windows tests that open windows need an X server; use a private one unless told otherwise.
bash scripts/with-xvfb.sh ctest --preset windows
