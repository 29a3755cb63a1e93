#!/bin/sh
# Cost of the resident loader's periodic check under Wine, on an Xorg dummy server with one
# and with two monitors (root; see tests/e2e/xorg-dummy.sh).
# Usage: bench/loader-check.sh [windows build folder]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/windows}" && pwd)
. "$root/tests/e2e/xorg-dummy.sh"
export WINEPREFIX="$build/wineprefix-xorg" WINEDEBUG=-all WINEDLLOVERRIDES=winemenubuilder.exe=d
scratch=$(mktemp -d "$build/loader-check.XXXXXX")
trap 'wineserver -k >/dev/null 2>&1; xorg_dummy_stop; rm -rf "$scratch"' EXIT
for monitors in 1 2; do
  xorg_dummy_start $monitors || { echo "no Xorg dummy server: $XORG_DUMMY_ERROR"; exit 1; }
  DISPLAY=$XORG_DUMMY_DISPLAY wine "$build/loader_check_bench.exe" \
    "Z:$(echo "$scratch/" | tr / '\\')" </dev/null
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  xorg_dummy_stop
done
