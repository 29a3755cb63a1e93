#!/usr/bin/env bash
# Retakes the screenshots of the Welcome page: docs/page0.png and docs/welcome-english.png
# (English), docs/welcome-french.png (Français) and docs/welcome-japanese.png (日本語), from
# the built Tonecast.exe under Wine on an Xorg dummy server (1920 x 1080, needs root;
# tests/e2e/xorg-dummy.sh), where the display takes its ramp as a real one does, so the bar
# shows no refusal warning as it would on Xvfb.
# The program runs from a fresh portable folder with no ramp file; the screen is taken once
# two shots a moment apart agree, after the first paint and the panels that follow it.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset windows >/dev/null
cmake --build --preset windows --target Tonecast
. tests/e2e/xorg-dummy.sh
xorg_dummy_start 1 || { echo "window-screenshots.sh: $XORG_DUMMY_ERROR" >&2; exit 1; }
export DISPLAY="$XORG_DUMMY_DISPLAY" LC_ALL=C.UTF-8 WINEPREFIX="$PWD/build/windows/wineprefix-xorg" \
       WINEDEBUG=-all WINEDLLOVERRIDES=winemenubuilder.exe=d
sh scripts/wine-fonts.sh  # the Japanese glyphs
work=$(mktemp -d /tmp/tonecast-screenshots.XXXXXX)
program=
trap 'kill $program 2>/dev/null || true; rm -rf "$work"; wineserver -k >/dev/null 2>&1 || true
      wineserver -w >/dev/null 2>&1 || true; xorg_dummy_stop' EXIT
cp build/windows/exe/Tonecast.exe build/windows/exe/*.lng build/windows/exe/TonecastRef.sRGB.jpg \
  "$work/"

# $1: the language's name.
shoot() {
  { printf '\377\376'; printf '[Settings]\r\nLanguage=%s\r\n' "$1" | iconv -f UTF-8 -t UTF-16LE; } \
    >"$work/Tonecast.settings"
  wine "$work/Tonecast.exe" </dev/null >/dev/null 2>&1 &
  program=$!
  xdotool mousemove 0 0
  for _ in $(seq 150); do
    xdotool search --onlyvisible --name '^Velmor Tonecast 3\.1\.0$' >/dev/null 2>&1 && break
    sleep 0.2
  done
  previous=
  for _ in $(seq 50); do
    sleep 0.5
    import -window root -depth 8 "png:$work/shot.png"
    now=$(convert "$work/shot.png" -depth 8 rgb:- | md5sum)
    [ "$now" = "$previous" ] && break
    previous=$now
  done
  xdotool mousemove $((1920 - 44)) $((1080 - 14)) click 1  # Cancel
  for _ in $(seq 50); do
    kill -0 "$program" 2>/dev/null || break
    sleep 0.2
  done
  kill "$program" 2>/dev/null || true
  wait "$program" 2>/dev/null || true
  program=
}

shoot English
cp "$work/shot.png" docs/welcome-english.png
cp "$work/shot.png" docs/page0.png
shoot Français
cp "$work/shot.png" docs/welcome-french.png
shoot 日本語
cp "$work/shot.png" docs/welcome-japanese.png
ls -l docs/page0.png docs/welcome-english.png docs/welcome-french.png docs/welcome-japanese.png
