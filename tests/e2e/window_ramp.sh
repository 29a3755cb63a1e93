#!/bin/sh
# The calibration window under Wine on an Xorg dummy server, whose gamma ramp (unlike Xvfb's)
# Wine can write: opening applies the display's record, every Up key in an edit reaches the
# display's ramp at once, "Off LUT" puts the identity on, and Cancel puts back the ramp the
# display had before. Driven with real X input (xdotool). Usage: window_ramp.sh <build folder>
set -u
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
. "$here/xorg-dummy.sh"
. "$here/lib/window.sh"

xorg_test_begin window_ramp 1

fail() {
  echo "FAIL: $1"
  exit 1
}

xorg_build_ramp_tools "$work" || fail "cannot build the ramp helpers"

# Outside "Program Files", so the program folder is the data folder.
mkdir "$work/app"
cp "$build/exe/Tonecast.exe" "$build"/exe/*.lng "$work/app/" || fail "no Tonecast.exe in $build/exe"

# What the ramp should read for a record of fifteen adjustments and no points.
expect_record() {
  awk -v adjust="$1" 'BEGIN {
    ORS = "\r\n"
    print "RampCurve v.1"; print "\\\\.\\DISPLAY1"
    n = split(adjust, a, " ")
    for (k = 1; k <= 15; k++) print (k <= n ? a[k] : 0)
    for (level = 0; level < 256; level++) { print "FALSE"; print 0; print 0; print 0; print 0 }
  }' >"$work/record.lut"
  "$work/expected-ramp" "$work/record.lut" >"$work/expected" || fail "expected-ramp cannot read the record"
}

check_ramp() {
  "$work/xgamma-ramp" get >"$work/now"
  if ! cmp -s "$work/expected" "$work/now"; then
    echo "first differing entries (index expected actual):"
    paste "$work/expected" "$work/now" | awk '$1 != $2 { print NR - 1, $1, $2 }' | head -n 10
    fail "$1: the ramp on the server is not the expected one"
  fi
  echo "ok: $1"
}

# X input reaches the program through its own message loop, on its own time.
settle() {
  sleep 0.5
}

"$work/xgamma-ramp" set-power 1.8 || xorg_test_give_up "the X server has no XF86VidMode gamma ramp"
"$work/xgamma-ramp" get >"$work/before"

tonecast_start "$work/app" || fail "the calibration window did not appear"
settle

# A cleared record (no ramp file) is the identity: i * 256 reads back as i * 257.
expect_record ""
check_ramp "opening applies the display's record"

# Page 3 (Gamma): the gamma panel stands centred 20 pixels above the 53-pixel bar, at
# (1920 / 2 - 121 / 2, 1080 - 53 - 142 - 20) = (900, 865); its red edit at (66, 34) in it.
xdotool mousemove 960 400
xdotool key ctrl+Tab ctrl+Tab ctrl+Tab
settle
xdotool mousemove 980 909 click 1
for _ in $(seq 1 10); do xdotool key Up; done
settle
expect_record "0 10"
check_ramp "ten Up keys in the red gamma edit"

# "Off LUT": 100 wide, its right edge 283 from the window's; the bar's buttons at top 28.
xdotool mousemove 1587 1066 click 1
settle
expect_record ""
check_ramp "Off LUT puts the identity on"

# Cancel: 79 wide, 5 from the right edge.
xdotool mousemove 1876 1066 click 1
for _ in $(seq 1 100); do
  kill -0 "$program" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$program" 2>/dev/null && fail "Cancel did not end the program"
wait "$program"
rc=$?
[ $rc = 0 ] || fail "the program ended with $rc after Cancel"
# Wine writes the captured 16-bit entries back; the server keeps their high bytes.
awk '{ print int($1 / 256) * 257 }' "$work/before" >"$work/expected"
check_ramp "Cancel puts back the ramp the display had"
ls "$work/app"/*.lut >/dev/null 2>&1 && fail "Cancel wrote a ramp file"
echo "ok: Cancel wrote no ramp file"
exit 0
