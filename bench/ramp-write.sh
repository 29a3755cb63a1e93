#!/bin/sh
# Cost of one edit (synthesis, write and the read-back that checks it) under Wine on an Xorg
# dummy server, whose gamma ramp Wine sets, against the same edit without the read-back and
# against one 60 Hz frame. Needs root for the server. Usage: bench/ramp-write.sh [windows build folder]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/windows}" && pwd)
. "$root/tests/e2e/xorg-dummy.sh"
xorg_dummy_start 1 || { echo "no Xorg dummy server: $XORG_DUMMY_ERROR" >&2; exit 1; }
export WINEPREFIX="$build/wineprefix-xorg" WINEDEBUG=-all WINEDLLOVERRIDES=winemenubuilder.exe=d
export DISPLAY="$XORG_DUMMY_DISPLAY"
trap 'wineserver -k >/dev/null 2>&1; wineserver -w >/dev/null 2>&1; xorg_dummy_stop' EXIT
wine "$build/ramp_write_bench.exe" </dev/null
