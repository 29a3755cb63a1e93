#!/bin/sh
# A display is never left with a correction nobody can see past. Under Wine on an Xorg dummy
# server, with a stored correction that the window applies on opening:
# - a crash once the window is open (TonecastCrash.exe, a test build that raises an access
#   violation in its message handling) leaves the ramp the display had before;
# - Escape puts that ramp back while it asks "Discard the changes and close?"; Enter (Yes, the
#   default) ends the program as Cancel does, with no ramp file written;
# - Escape then No puts the correction back on the display, also one Wine takes only as
#   written (Black +2 reads back with entry 0 at 257, a ramp it refuses);
# - a forced end (taskkill /f) mid-edit leaves the session file, and Tonestart.exe /once puts
#   back the ramp the display had before the window;
# - a close request (taskkill without /f) while the question shows ends the program with that
#   ramp on the display.
# Usage: escape_and_crash.sh <build folder>
set -u
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
. "$here/xorg-dummy.sh"
. "$here/lib/window.sh"
. "$here/lib/ramp.sh"

xorg_test_begin escape_and_crash 1

xorg_build_ramp_tools "$work" || fail "cannot build the ramp helpers"
"$work/xgamma-ramp" set-power 1.8 || xorg_test_give_up "the X server has no XF86VidMode gamma ramp"
"$work/xgamma-ramp" get | awk '{ print int($1 / 256) * 257 }' >"$work/captured"

# Outside "Program Files", so the program folder is the data folder. Gamma +50, red -20:
# a correction that differs from the captured ramp in almost every entry.
mkdir "$work/app"
cp "$build/exe/Tonecast.exe" "$build/exe/Tonestart.exe" "$build"/exe/*.lng "$build/tests/TonecastCrash.exe" "$work/app/" ||
  fail "no Tonecast.exe or TonecastCrash.exe in $build"
expect_record "50 -20"
mv "$work/expected" "$work/corrected"
cp "$work/record.lut" "$work/app/Tonecast1.lut"
cp "$work/record.lut" "$work/stored.lut"
cmp -s "$work/corrected" "$work/captured" && fail "the correction does not change the ramp"

# Wine's crash dialog would wait for a click; without it the crashed process just ends.
wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 </dev/null

# Waits up to 30 s for the program to end; its exit code in $rc.
wait_end() {
  tonecast_wait_exit 30
  rc=$?
  kill -0 "$program" 2>/dev/null && fail "$1: the program did not end"
}

# The question box has the window's title: two visible windows of that name while it shows.
wait_windows() {
  tonecast_wait_windows "$1" || fail "$2"
}

# Escape goes to the window that has the keyboard: click into the pattern first.
press_escape() {
  xdotool mousemove 960 300 click 1
  sleep 0.5
  xdotool key Escape
  wait_windows 2 "$1: Escape showed no question"
  sleep 0.5
}

# 1. A crash after the window opened.
wine "$work/app/TonecastCrash.exe" </dev/null >/dev/null 2>&1 &
program=$!
tonecast_wait_window || fail "the crash build's window did not appear"
sleep 0.5
check_ramp "the crash build applies the stored correction" corrected
wait_end "crash"
echo "ok: the crash build ended by itself"
check_ramp "a crash puts back the ramp the display had" captured
"$work/xgamma-ramp" set-power 1.8

# 2. Escape, then Enter.
tonecast_start "$work/app" || fail "the calibration window did not appear"
sleep 0.5
check_ramp "opening applies the stored correction" corrected
press_escape "Escape then Enter"
check_ramp "while the question shows, the display has its own ramp" captured
xdotool key Return
wait_end "Escape then Enter"
[ $rc = 0 ] || fail "the program ended with $rc after Escape then Enter"
check_ramp "Escape then Enter leaves the ramp the display had" captured
cmp -s "$work/stored.lut" "$work/app/Tonecast1.lut" || fail "Escape then Enter wrote the ramp file"
[ "$(ls "$work/app" | grep -c '\.lut$')" = 1 ] || fail "Escape then Enter wrote another ramp file"
echo "ok: Escape then Enter wrote no ramp file"

# 3. Escape, then No.
tonecast_start "$work/app" || fail "the calibration window did not appear again"
sleep 0.5
press_escape "Escape then No"
check_ramp "the question shows over the display's own ramp" captured
xdotool key Tab Return
wait_windows 1 "No did not close the question"
sleep 0.5
kill -0 "$program" 2>/dev/null || fail "No ended the program"
check_ramp "No puts the correction back" corrected
# Cancel: 79 wide, 5 from the right edge of the bar.
xdotool mousemove 1876 1066 click 1
wait_end "Cancel after No"
check_ramp "Cancel after No puts back the display's ramp" captured

# 4. Without a ramp file: Black +2 on the Black Point page, Escape, No; then a forced end.
rm "$work/app/Tonecast1.lut"
tonecast_start "$work/app" || fail "the calibration window did not appear without a ramp file"
sleep 0.5
# The black panel stands centred 20 pixels above the bar; its edit at (66, 7) in it.
xdotool mousemove 960 400 key ctrl+Tab
sleep 0.5
xdotool mousemove $((960 - 60 + 76)) $((1080 - 53 - 142 - 20 + 17)) click 1
xdotool key Up Up
sleep 0.5
expect_record "0 0 0 0 2"
check_ramp "Black +2 reaches the display"
press_escape "Escape then No after Black +2"
xdotool key Tab Return
wait_windows 1 "No did not close the question after Black +2"
sleep 0.5
check_ramp "No puts Black +2 back on the display"
[ -e "$work/app/Tonecast.session" ] || fail "no session file while the window is open"
wine taskkill /f /im Tonecast.exe >/dev/null 2>&1 </dev/null
wait_end "taskkill /f"
check_ramp "a forced end leaves the correction on"
wine "$work/app/Tonestart.exe" /once </dev/null >/dev/null 2>&1
check_ramp "Tonestart.exe /once after a forced end puts back the ramp from before" captured
[ -e "$work/app/Tonecast.session" ] && fail "Tonestart.exe /once left the session file"
echo "ok: the session file is gone"

# 5. A close request while the question shows.
tonecast_start "$work/app" || fail "the calibration window did not appear for the close request"
sleep 0.5
press_escape "a close request during the question"
wine taskkill /im Tonecast.exe >/dev/null 2>&1 </dev/null
wait_end "a close request during the question"
check_ramp "a close request during the question leaves the ramp from before" captured
[ -e "$work/app/Tonecast.session" ] && fail "the close request left the session file"
exit 0
