#!/usr/bin/env bash
# Retakes docs/installer-options.png, the installer's options page, from the built
# Tonecast-3.1.0-setup.exe under Wine on a private Xvfb display (the build's test prefix).
# The pointer rests on the gamma-range option, so that its explanation shows.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${1:-}" != --inside ]; then
  cmake --preset windows >/dev/null
  cmake --build --preset windows --target release
  exec bash scripts/with-xvfb.sh bash "$0" --inside
fi
export LC_ALL=C.UTF-8 WINEPREFIX="$PWD/build/windows/wineprefix" WINEDEBUG=-all \
       WINEDLLOVERRIDES=winemenubuilder.exe=d LANG=en_US.UTF-8
sh cmake/wine-prefix.sh start
wine build/windows/release/Tonecast-3.1.0-setup.exe </dev/null >/dev/null 2>&1 &
setup=$!
trap 'kill $setup 2>/dev/null || true; sh cmake/wine-prefix.sh stop' EXIT
window=
for _ in $(seq 150); do
  window=$(xdotool search --onlyvisible --name '^Velmor Tonecast 3\.1\.0 Setup' 2>/dev/null | head -n 1) || true
  [ -n "$window" ] && break
  sleep 0.2
done
[ -n "$window" ] || { echo "no installer window" >&2; exit 1; }
sleep 1
eval "$(xdotool getwindowgeometry --shell "$window")"
# The second line of the components list.
xdotool mousemove $((X + 290)) $((Y + 180))
sleep 0.3
xdotool mousemove $((X + 300)) $((Y + 185))
sleep 1
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" -depth 8 png:docs/installer-options.png
ls -l docs/installer-options.png
