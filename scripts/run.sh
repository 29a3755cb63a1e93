#!/usr/bin/env bash
# Sets up the machine, builds the Windows program and starts it under Wine on the current
# X display (a private Xvfb when there is none). Arguments are passed on, e.g. /load.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target Tonecast Tonestart
# Wine decodes the non-ASCII language file names correctly only under a UTF-8 locale.
case "$(locale charmap 2>/dev/null)" in UTF-8) ;; *) export LC_ALL=C.UTF-8 ;; esac
export WINEPREFIX="${WINEPREFIX:-$PWD/build/wineprefix-run}" WINEDEBUG=-all \
       WINEDLLOVERRIDES=winemenubuilder.exe=d
sh scripts/wine-fonts.sh
if [ -z "${DISPLAY:-}" ]; then
  echo "No DISPLAY: starting the program on a private Xvfb server."
  exec bash scripts/with-xvfb.sh wine build/windows/exe/Tonecast.exe "$@"
fi
exec wine build/windows/exe/Tonecast.exe "$@"
