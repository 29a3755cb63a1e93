#!/bin/sh
# The calibration window under Wine on an Xorg dummy server, whose gamma ramp (unlike Xvfb's)
# Wine can write: opening applies the display's record, every Up key in an edit reaches the
# display's ramp at once, "Off LUT" puts the identity on, and Cancel puts back the ramp the
# display had before. Driven with real X input (xdotool). Then a correction Wine refuses shows
# the bar's warning until Reset. Usage: window_ramp.sh <build folder>
set -u
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
. "$here/xorg-dummy.sh"
. "$here/lib/window.sh"
. "$here/lib/ramp.sh"

xorg_test_begin window_ramp 1

xorg_build_ramp_tools "$work" || fail "cannot build the ramp helpers"

# Outside "Program Files", so the program folder is the data folder.
mkdir "$work/app"
cp "$build/exe/Tonecast.exe" "$build"/exe/*.lng "$work/app/" || fail "no Tonecast.exe in $build/exe"

# X input reaches the program through its own message loop, on its own time.
settle() {
  sleep 0.5
}

"$work/xgamma-ramp" set-power 1.8 || xorg_test_give_up "the X server has no XF86VidMode gamma ramp"
"$work/xgamma-ramp" get >"$work/before"

tonecast_start "$work/app" || fail "the calibration window did not appear"
settle
tonecast_icon_is "$here/../../exe/Tonecast.ico" || fail "the window does not show the program's icon"
echo "ok: the window shows the program's icon"

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

# OK with a Startup folder where the shortcut cannot be written (a folder of its name): an
# error, the window stays, and no ramp file is written either.
startup=$(wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders' \
  /v Startup </dev/null 2>/dev/null | tr -d '\r' | sed -n 's/^ *Startup *REG_SZ *//p')
blocked="$(wine winepath -u "$startup" 2>/dev/null </dev/null)/Tonestart.lnk"
rm -f "$blocked"
mkdir -p "$blocked" || fail "cannot block the shortcut"
xorg_test_cleanup() { rmdir "$blocked" 2>/dev/null; }
xdotool mousemove $((1920 - 129)) 1066 click 1
tonecast_answer_box Return || fail "OK with an unwritable Startup folder showed no error"
settle
kill -0 "$program" 2>/dev/null || fail "the window did not stay after the failed OK"
ls "$work/app"/*.lut >/dev/null 2>&1 && fail "the failed OK wrote a ramp file"
echo "ok: OK with an unwritable Startup folder keeps the window and writes nothing"
rmdir "$blocked"

# "Off LUT": 100 wide, its right edge 283 from the window's; the bar's buttons at top 28.
xdotool mousemove 1587 1066 click 1
settle
expect_record ""
check_ramp "Off LUT puts the identity on"

# Cancel: 79 wide, 5 from the right edge.
xdotool mousemove 1876 1066 click 1
tonecast_wait_exit
rc=$?
kill -0 "$program" 2>/dev/null && fail "Cancel did not end the program"
[ $rc = 0 ] || fail "the program ended with $rc after Cancel"
# Wine writes the captured 16-bit entries back; the server keeps their high bytes.
awk '{ print int($1 / 256) * 257 }' "$work/before" >"$work/expected"
check_ramp "Cancel puts back the ramp the display had"
ls "$work/app"/*.lut >/dev/null 2>&1 && fail "Cancel wrote a ramp file"
echo "ok: Cancel wrote no ramp file"

# A correction Wine refuses (Black +100) and the bar's warning until Reset: win32_tests starts
# and drives the program and reads the warning (it skips unless this variable is set). Output
# goes to a file, which Wine's helper processes may keep open without holding up this script.
log="$work/refused.log"
TONECAST_WINDOW_RAMP=1 wine "$build/tests/win32_tests.exe" \
  --gtest_filter='WindowProgramTest.ARefusedCorrectionIsToldInTheBarUntilReset' </dev/null >"$log" 2>&1
rc=$?
cat "$log"
[ $rc = 0 ] || fail "win32_tests exited with $rc"
grep -q '\[  PASSED  \] 1 test' "$log" || fail "the refused-correction case did not run"
exit 0
