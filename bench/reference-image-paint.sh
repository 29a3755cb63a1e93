#!/bin/sh
# Paint cost of the Reference Image page under Wine with the real colour system and a
# wide-gamut display profile: today's per-paint cost against the first and later paints of the
# cropped, kept image, in one run. Usage: bench/reference-image-paint.sh [windows build folder]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/windows}" && pwd)
export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES=winemenubuilder.exe=d
sh "$root/cmake/wine-prefix.sh" start >/dev/null 2>&1 || true
# A display DC needs an X display: the tests' own Xvfb when none is set.
if [ -z "${DISPLAY:-}" ]; then
  exec bash "$root/scripts/with-xvfb.sh" sh "$0" "$build"
fi
wine "$build/reference_image_paint_bench.exe" "Z:$(echo "$root/data/TonecastRef.sRGB.jpg" | tr / '\\')" \
  'Z:\usr\share\color\icc\compatibleWithAdobeRGB1998.icc'
