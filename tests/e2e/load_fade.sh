#!/bin/sh
# `Tonecast.exe /load` under Wine on an Xorg dummy server: the ramp file in the program
# folder must end up on the X server's gamma ramp, entry for entry; without a valid file the
# ramp must end at the identity. With two displays the exit code is 0 when both take their
# ramps and 2 when one refuses. Usage: load_fade.sh <windows build folder>
set -u
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
. "$here/xorg-dummy.sh"

xorg_test_begin load_fade 1
xorg_test_cleanup() {
  "$build/xgamma-ramp" set-power 1 >/dev/null 2>&1
}

fail() {
  echo "FAIL: $1"
  exit 1
}

xorg_build_ramp_tools "$build" || fail "cannot build the ramp helpers"

# Outside "Program Files", so the program folder is the data folder.
mkdir "$work/app"
cp "$build/exe/Tonecast.exe" "$work/app/" || fail "no Tonecast.exe in $build/exe"
lut="$work/app/Tonecast1.lut"

# Gamma +20, red gamma +10, white -20, and a point at level 128: a curve unlike the
# identity that Wine still accepts (starts at 0, rises steadily).
# write_lut [FILE [DISPLAY NUMBER [ADJUSTMENTS]]]
write_lut() {
  awk -v number="${2:-1}" -v adjustments="${3:-20 10 0 0 0 0 0 0 -20 0 0 0 0 0 0}" 'BEGIN {
    ORS = "\r\n"
    print "RampCurve v.1"; print "\\\\.\\DISPLAY" number
    split(adjustments, adjust, " ")
    for (k = 1; k <= 15; k++) print adjust[k]
    for (level = 0; level < 256; level++) {
      if (level == 128) { print "TRUE"; print 40; print 0; print 0; print 0 }
      else { print "FALSE"; print 0; print 0; print 0; print 0 }
    }
  }' >"${1:-$lut}"
}

run_load() {
  "$build/xgamma-ramp" set-power "$1" || xorg_test_give_up "the X server has no XF86VidMode gamma ramp"
  "$build/xgamma-ramp" get >"$work/before"
  wine "$work/app/Tonecast.exe" /load </dev/null >/dev/null 2>&1
  rc=$?
  [ $rc = 0 ] || fail "Tonecast.exe /load exited with $rc"
  "$build/xgamma-ramp" get >"$work/after"
  cmp -s "$work/before" "$work/after" && fail "$2: /load did not change the ramp"
  if ! cmp -s "$work/expected" "$work/after"; then
    echo "first differing entries (index expected actual):"
    paste "$work/expected" "$work/after" | awk '$1 != $2 { print NR - 1, $1, $2 }' | head -n 10
    fail "$2: the ramp on the server is not the expected one"
  fi
  echo "ok: $2"
}

# Wine's output goes to /dev/null (not a pipe), so its helper processes hold up nothing.
write_lut
"$build/expected-ramp" "$lut" >"$work/expected" || fail "expected-ramp cannot read the file"
run_load 1.8 "fade to the saved correction"

# Identity written by Wine reads back as (i * 256 >> 8) * 257 = i * 257.
awk 'BEGIN { for (c = 0; c < 3; c++) for (i = 0; i < 256; i++) print i * 257 }' >"$work/expected"
rm "$lut"
run_load 1.8 "no ramp file: fade to the identity"

write_lut
sed -i '3s/^20\r$/2O\r/' "$lut"
run_load 0.6 "malformed ramp file: fade to the identity"

# The exit code tells whether every display took its ramp: two displays (one gamma table on
# the X server), the second one's file with Black +100, which Wine refuses (entry 0 far
# above 256).
xorg_dummy_stop
xorg_dummy_start 2 || xorg_test_give_up "$XORG_DUMMY_ERROR"
export DISPLAY="$XORG_DUMMY_DISPLAY"
wineserver -k >/dev/null 2>&1
load_code() {
  wine "$work/app/Tonecast.exe" /load </dev/null >/dev/null 2>&1
  echo $?
}
write_lut "$work/app/Tonecast1.lut"
write_lut "$work/app/Tonecast2.lut" 2 "10 0 0 0 0 0 0 0 0 0 0 0 0 0 0"
[ "$(load_code)" = 0 ] || fail "two displays that take their ramps: /load did not end with 0"
echo "ok: two displays take their ramps: exit code 0"
write_lut "$work/app/Tonecast2.lut" 2 "0 0 0 0 100 0 0 0 0 0 0 0 0 0 0"
[ "$(load_code)" = 2 ] || fail "a refused ramp on the second display: /load did not end with 2"
echo "ok: the second display refuses its ramp: exit code 2"
exit 0
