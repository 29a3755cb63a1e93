#!/usr/bin/env bash
# Rebuilds exe/Tonecast.ico, the icon of the executables and the installer, from tools/MakeIcon.cpp.
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
g++ -std=c++20 -O2 -Wall -Wextra tools/MakeIcon.cpp -lz -o "$work/make-icon"
"$work/make-icon" exe/Tonecast.ico
ls -l exe/Tonecast.ico
