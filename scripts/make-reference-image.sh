#!/usr/bin/env bash
# Rebuilds data/TonecastRef.sRGB.jpg, the default reference image, from tools/MakeReferenceImage.cpp.
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
g++ -std=c++20 -O2 -Wall -Wextra tools/MakeReferenceImage.cpp -ljpeg -o "$work/make-reference-image"
"$work/make-reference-image" data/TonecastRef.sRGB.jpg
ls -l data/TonecastRef.sRGB.jpg
