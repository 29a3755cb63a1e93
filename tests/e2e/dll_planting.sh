#!/bin/sh
# DLLs dropped into the program's folder are never loaded. Tonecast.exe and Tonestart.exe sit in
# a portable folder that also holds stand-ins for the DLLs they load on first need (and a few
# that system DLLs pull in), each leaving a marker file when loaded; WINEDLLOVERRIDES gives
# those names Windows' order (the program's folder before the system folder). The calibration
# window walks to the Reference Image page (the colour system) and closes with Cancel; the
# resident loader starts (session notifications) and is told to exit; "/once" fades. No marker
# may appear. A system DLL the loader cannot have ends it with a message box, not a crash.
# Not planted: version.dll and imm32.dll, which Wine's own user32 imports and so loads from the
# program's folder before the program's first instruction (Windows' user32 does neither).
# Usage: dll_planting.sh <windows build folder>
set -u
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib/window.sh"
work=$(mktemp -d "$build/e2e-dll_planting.XXXXXX")
program=
cleanup() {
  [ -n "$program" ] && kill "$program" 2>/dev/null
  wine "$build/tests/loader_control.exe" exit </dev/null >/dev/null 2>&1
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $1"
  exit 1
}

planted="bcrypt mscms wtsapi32 comctl32 comdlg32 uxtheme dwmapi userenv cryptbase"
app="$work/app"
mkdir "$app"
cp "$build/exe/Tonecast.exe" "$build/exe/Tonestart.exe" "$build"/exe/*.lng \
  "$build/exe/TonecastRef.sRGB.jpg" "$app/" || fail "no programs in $build/exe"
# A saved correction, so that the loader has something to keep and stays.
cp "$here/../data/RampCleared.lut" "$app/Tonecast1.lut"
x86_64-w64-mingw32-gcc -shared -O2 "$here/planted-dll.c" -o "$work/planted.dll" ||
  fail "cannot build the stand-in DLL"
overrides=winemenubuilder.exe=d
for name in $planted; do
  cp "$work/planted.dll" "$app/$name.dll"
  overrides="$overrides;$name=n,b"
done
export WINEDLLOVERRIDES="$overrides"

loaded() {
  found=$(cd "$app" && ls ./*.loaded 2>/dev/null | tr '\n' ' ')
  [ -z "$found" ] || fail "$1 loaded the planted $found"
}

tonecast_start "$app" || { loaded "Tonecast.exe"; fail "the calibration window did not appear"; }
sleep 1
xdotool mousemove 960 400
for _ in 1 2 3 4 5 6 7 8; do xdotool key ctrl+Tab; done
sleep 2
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove $((X + WIDTH - 44)) $((Y + HEIGHT - 14)) click 1
tonecast_wait_exit 10 || fail "Tonecast.exe did not close with Cancel (exit code $?)"
program=
loaded "Tonecast.exe"

wine "$app/Tonestart.exe" /once </dev/null >/dev/null 2>&1
loaded "Tonestart.exe /once"
wine "$app/Tonestart.exe" </dev/null >/dev/null 2>&1 &
program=$!
for _ in $(seq 1 50); do
  wine "$build/tests/loader_control.exe" running </dev/null >/dev/null 2>&1 && break
  sleep 0.2
done
# Closed as the Restart Manager closes it for an uninstaller.
wine "$build/tests/loader_control.exe" closeapp </dev/null >/dev/null 2>&1 ||
  fail "the resident loader did not start"
tonecast_wait_exit 10 || fail "the resident loader did not exit (exit code $?)"
program=
loaded "the resident Tonestart.exe"

# Without its session-notification DLL the loader says so and ends with exit code 1.
WINEDLLOVERRIDES="winemenubuilder.exe=d;wtsapi32=d" wine "$app/Tonestart.exe" </dev/null >/dev/null 2>&1 &
program=$!
box=
for _ in $(seq 1 100); do
  box=$(xdotool search --onlyvisible --name '^Application Error$' 2>/dev/null | head -n 1)
  [ -n "$box" ] && break
  kill -0 "$program" 2>/dev/null || break
  sleep 0.2
done
[ -n "$box" ] || fail "no message box for a missing system DLL"
xdotool key --window "$box" Return
tonecast_wait_exit 10
code=$?
program=
[ "$code" = 1 ] || fail "the loader without wtsapi32.dll ended with exit code $code"
echo "dll_planting: all cases passed"
