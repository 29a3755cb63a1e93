#!/bin/sh
# The display profile under Wine on the test X server (one 1920x1080 display). With
# "InstallProfile=1" and gamma 1.8 in the settings, OK writes Tonecast1.icm beside
# Tonecast1.lut; lcms2 reads it, its calibration table the ramp the saved record synthesises
# and its curves gamma 1.8; it replaces an older profile of that name in the system's colour
# folder, and GetICMProfileW on the display's DC names it. "Tonecast.exe /uninstall", which the
# uninstaller runs, takes it away and the display's profile is the one it had before.
# Usage: display_profile.sh <windows build folder>
set -u
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
src=$(cd "$here/../.." && pwd)
. "$here/lib/window.sh"
# "/uninstall" opens a web page: never in a real browser.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:+$WINEDLLOVERRIDES;}winebrowser.exe=d"
work=$(mktemp -d /tmp/tonecast-profile.XXXXXX)
color="$WINEPREFIX/drive_c/windows/system32/spool/drivers/color"
program=
fail() {
  echo "FAIL: $1"
  exit 1
}
cleanup() {
  [ -n "$program" ] && kill "$program" 2>/dev/null
  # Whatever happened, the display keeps the prefix's own profile for the other tests.
  [ -f "$work/app/Tonecast.exe" ] && wine "$work/app/Tonecast.exe" /uninstall </dev/null >/dev/null 2>&1
  rm -rf "$work"
}
trap cleanup EXIT
named_profile() {
  wine "$build/tests/icm_profile.exe" </dev/null 2>/dev/null | tr -d '\r'
}

c++ -std=c++20 -O1 -I"$src" -o "$work/profile-check" "$here/profile-check.cpp" \
  "$src/ramp/Correction.cpp" "$src/ramp/RampFile.cpp" "$src/ramp/Displays.cpp" \
  "$src"/base/*.cpp -llcms2 || fail "cannot build the profile checker"
mkdir "$work/app"
cp "$build/exe/Tonecast.exe" "$work/app/" || fail "no Tonecast.exe in $build/exe"
before=$(named_profile)
[ -n "$before" ] || fail "the display names no profile to begin with"

# A saved correction (gamma +20, red black +10, a point at level 128) that OK saves again.
awk 'BEGIN { ORS = "\r\n"; print "RampCurve v.1"; print "\\\\.\\DISPLAY1"
  split("20 0 0 0 0 10 0 0 0 0 0 0 0 0 0", adjust, " ")
  for (k = 1; k <= 15; k++) print adjust[k]
  for (level = 0; level < 256; level++)
    if (level == 128) { print "TRUE"; print 40; print 0; print 0; print 0 }
    else { print "FALSE"; print 0; print 0; print 0; print 0 } }' >"$work/app/Tonecast1.lut"
printf '[Settings]\r\nGamma=1.8\r\nInstallProfile=1\r\n' >"$work/app/Tonecast.settings"
mkdir -p "$color"
echo "an older profile" >"$color/Tonecast1.icm"

tonecast_start "$work/app" || fail "the calibration window did not appear"
xdotool mousemove $((1920 - 129)) $((1080 - 14)) click 1  # OK, at the bar's bottom right
tonecast_wait_exit 20 || fail "OK did not end the calibration window"
program=

[ -f "$work/app/Tonecast1.icm" ] || fail "OK wrote no Tonecast1.icm beside Tonecast1.lut"
"$work/profile-check" "$work/app/Tonecast1.icm" "$work/app/Tonecast1.lut" 1.8 ||
  fail "the profile OK wrote is not the saved correction as lcms2 reads it"
cmp -s "$work/app/Tonecast1.icm" "$color/Tonecast1.icm" ||
  fail "the profile is not installed in the colour folder"
named=$(named_profile)
case "$named" in
  *\\Tonecast1.icm) printf 'ok: GetICMProfileW names %s\n' "$named" ;;
  *) fail "GetICMProfileW names '$named', not the installed profile" ;;
esac

wine "$work/app/Tonecast.exe" /uninstall </dev/null >/dev/null 2>&1
[ -f "$color/Tonecast1.icm" ] && fail "/uninstall left Tonecast1.icm in the colour folder"
[ "$(named_profile)" = "$before" ] ||
  fail "after /uninstall the display's profile is '$(named_profile)', not '$before'"
echo "ok: /uninstall gave the display back its profile"
