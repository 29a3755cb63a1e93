#!/bin/sh
# The display profile, and what the silent uninstaller leaves on the display, under Wine on an
# Xorg dummy server (one 1920x1080 display), with the setup installed silently. With
# "InstallProfile=1" and gamma 1.8 in the user's settings, OK writes Tonecast1.icm beside
# Tonecast1.lut in the data folder; lcms2 reads it, its calibration table the ramp the saved
# record synthesises and its curves gamma 1.8; it replaces an older profile of that name in the
# system's colour folder, and GetICMProfileW on the display's DC names it. "Uninstall.exe /S"
# then takes it out of the colour folder, the display names the profile it had before, and the
# server's ramp is the identity: nothing is left to undo a correction once the program is gone.
# Usage: display_profile.sh <windows build folder>
set -u
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
src=$(cd "$here/../.." && pwd)
. "$here/xorg-dummy.sh"
. "$here/lib/window.sh"
. "$here/lib/ramp.sh"
setup="$build/release/Tonecast-3.1.0-setup.exe"
[ -f "$setup" ] || fail "no $setup (is makensis installed?)"

xorg_test_begin display_profile 1
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winebrowser.exe=d"
c="$WINEPREFIX/drive_c"
installed="$c/Program Files/Velmor/Tonecast"
data="$c/ProgramData/Velmor/Tonecast"
user_data="$c/users/$(id -un)/AppData/Roaming/Velmor/Tonecast"
color="$c/windows/system32/spool/drivers/color"
entry='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Velmor Tonecast'
program=
named_profile() {
  wine "$build/tests/icm_profile.exe" </dev/null 2>/dev/null | tr -d '\r'
}
# Polls for the silent uninstaller's background copy to finish: the program folder goes last.
wait_uninstalled() {
  for _ in $(seq 150); do
    [ -e "$installed" ] || return 0
    sleep 0.2
  done
  return 1
}
xorg_test_cleanup() {
  [ -n "$program" ] && kill "$program" 2>/dev/null
  if [ -f "$installed/Uninstall.exe" ]; then
    wine "$installed/Uninstall.exe" /S </dev/null >/dev/null 2>&1
    wait_uninstalled
  fi
  # Whatever happened, the display keeps the prefix's own profile for the other tests.
  wine "$build/exe/Tonecast.exe" /removeprofiles </dev/null >/dev/null 2>&1
  wine reg delete "$entry" /f </dev/null >/dev/null 2>&1
  rm -rf "$installed" "$c/ProgramData/Velmor" "$user_data"
}

xorg_build_ramp_tools "$work" || fail "cannot build the ramp helpers"
"$work/xgamma-ramp" set-power 1.8 || xorg_test_give_up "the X server has no XF86VidMode gamma ramp"
c++ -std=c++20 -O1 -I"$src" -o "$work/profile-check" "$here/profile-check.cpp" \
  "$src/ramp/Correction.cpp" "$src/ramp/RampFile.cpp" "$src/ramp/RampFileMatch.cpp" \
  "$src/ramp/Displays.cpp" "$src"/base/*.cpp -llcms2 || fail "cannot build the profile checker"
before=$(named_profile)
[ -n "$before" ] || fail "the display names no profile to begin with"

rm -rf "$installed" "$c/ProgramData/Velmor" "$user_data"
wine "$setup" /S </dev/null >/dev/null 2>&1 || fail "setup /S exited with $?"
[ -f "$installed/Tonecast.exe" ] || fail "setup /S installed no Tonecast.exe"

# A saved correction (gamma +20, red black +10, a point at level 128) that OK saves again.
awk 'BEGIN { ORS = "\r\n"; print "RampCurve v.1"; print "\\\\.\\DISPLAY1"
  split("20 0 0 0 0 10 0 0 0 0 0 0 0 0 0", adjust, " ")
  for (k = 1; k <= 15; k++) print adjust[k]
  for (level = 0; level < 256; level++)
    if (level == 128) { print "TRUE"; print 40; print 0; print 0; print 0 }
    else { print "FALSE"; print 0; print 0; print 0; print 0 } }' >"$data/Tonecast1.lut"
mkdir -p "$user_data" "$color"
printf '[Settings]\r\nGamma=1.8\r\nInstallProfile=1\r\n' >"$user_data/Tonecast.settings"
echo "an older profile" >"$color/Tonecast1.icm"

tonecast_start "$installed" || fail "the calibration window did not appear"
xdotool mousemove $((1920 - 129)) $((1080 - 14)) click 1  # OK, at the bar's bottom right
tonecast_wait_exit 20 || fail "OK did not end the calibration window"
program=

[ -f "$data/Tonecast1.icm" ] || fail "OK wrote no Tonecast1.icm beside Tonecast1.lut"
"$work/profile-check" "$data/Tonecast1.icm" "$data/Tonecast1.lut" 1.8 ||
  fail "the profile OK wrote is not the saved correction as lcms2 reads it"
cmp -s "$data/Tonecast1.icm" "$color/Tonecast1.icm" ||
  fail "the profile is not installed in the colour folder"
named=$(named_profile)
case "$named" in
  *\\Tonecast1.icm) printf 'ok: GetICMProfileW names %s\n' "$named" ;;
  *) fail "GetICMProfileW names '$named', not the installed profile" ;;
esac
"$work/expected-ramp" "$data/Tonecast1.lut" >"$work/expected" || fail "expected-ramp cannot read the saved file"
check_ramp "after OK the display has the saved correction"

wine "$installed/Uninstall.exe" /S </dev/null >/dev/null 2>&1
wait_uninstalled || fail "the silent uninstaller left $(ls "$installed" | tr '\n' ' ')"
[ -f "$color/Tonecast1.icm" ] && fail "the silent uninstaller left Tonecast1.icm in the colour folder"
[ "$(named_profile)" = "$before" ] ||
  fail "after the silent uninstall the display's profile is '$(named_profile)', not '$before'"
echo "ok: the silent uninstaller gave the display back its profile"
[ "$(ls "$data" | tr '\n' ' ')" = "Tonecast1.icm Tonecast1.lut " ] ||
  fail "the silent uninstaller changed the data folder: $(ls "$data" | tr '\n' ' ')"
awk 'BEGIN { for (c = 0; c < 3; c++) for (i = 0; i < 256; i++) print i * 257 }' >"$work/identity"
check_ramp "after the silent uninstall the display has the identity ramp" identity
