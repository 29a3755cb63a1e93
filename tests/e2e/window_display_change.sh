#!/bin/sh
# The calibration window through display mode changes, under Wine on an Xorg dummy server. A
# mode change made by a Win32 program (display_mode.exe, as a game or a projector set-up makes
# it) reaches the window; the dummy driver keeps the gamma ramp across it where real Windows
# resets it, so the ramp is reset from outside first. After each change the window covers the
# display's new rectangle with its bar at the new bottom, the correction is on the ramp again,
# no dialog has appeared, and Cancel at its new place puts back the ramp captured at the start
# and saves nothing. Usage: window_display_change.sh <build folder>
set -u
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
. "$here/xorg-dummy.sh"
. "$here/lib/window.sh"
. "$here/lib/ramp.sh"

xorg_test_begin window_display_change 1
program=
xorg_test_cleanup() {
  [ -n "$program" ] && kill "$program" 2>/dev/null
}

xorg_build_ramp_tools "$work" || fail "cannot build the ramp helpers"
[ -f "$build/tests/display_mode.exe" ] || fail "no display_mode.exe in $build/tests"
# Outside "Program Files", so the program folder is the data folder.
mkdir "$work/app"
cp "$build/exe/Tonecast.exe" "$build"/exe/*.lng "$work/app/" || fail "no Tonecast.exe in $build/exe"

settle() {
  sleep 0.5
}

# Resets the ramp to the identity, as the system would, then changes the mode to $1 x $2.
change_mode() {
  "$work/xgamma-ramp" set-power 1 || fail "cannot reset the ramp"
  wine "$build/tests/display_mode.exe" "$1" "$2" </dev/null || fail "the mode $1 x $2 was refused"
}

# Waits for the window to cover (0, 0, $1, $2); only one window of the program is shown.
expect_window() {
  geometry=
  for _ in $(seq 1 50); do
    geometry=$(xdotool getwindowgeometry --shell "$window" | tr '\n' ' ')
    case $geometry in *"X=0 Y=0 WIDTH=$1 HEIGHT=$2 "*) break ;; esac
    sleep 0.2
  done
  case $geometry in
    *"X=0 Y=0 WIDTH=$1 HEIGHT=$2 "*) ;;
    *) fail "the window is not (0, 0, $1, $2): $geometry" ;;
  esac
  shown=$(xdotool search --onlyvisible --name '^Velmor Tonecast 3\.1\.0$' | wc -l)
  [ "$shown" = 1 ] || fail "$shown windows of the program are shown (a dialog?)"
  echo "ok: the window covers $1 x $2"
}

# Cancel: 79 wide, 5 from the right edge; the bar's buttons 28 below the top of the 53-pixel
# bar at the bottom. Cancel puts back what the display had at the start.
cancel_at() {
  xdotool mousemove $(($1 - 5 - 40)) $(($2 - 53 + 28 + 11)) click 1
  tonecast_wait_exit || fail "Cancel at the bottom right of $1 x $2 did not end the program"
  program=
  # Wine writes the captured 16-bit entries back; the server keeps their high bytes.
  awk '{ print int($1 / 256) * 257 }' "$work/before" >"$work/expected"
  check_ramp "Cancel at its new place puts back the ramp the display had"
}

"$work/xgamma-ramp" set-power 1.8 || xorg_test_give_up "the X server has no XF86VidMode gamma ramp"

# 1920 x 1080 -> 1280 x 1024 with a correction typed: red gamma +10 in the Gamma page's red
# edit, the panel centred 20 pixels above the bar at (900, 865), the edit at (66, 34) in it.
"$work/xgamma-ramp" get >"$work/before"
tonecast_start "$work/app" || fail "the calibration window did not appear"
xdotool mousemove 960 400 key ctrl+Tab ctrl+Tab ctrl+Tab
settle
xdotool mousemove 980 909 click 1
for _ in $(seq 1 10); do xdotool key Up; done
settle
expect_record "0 10"
check_ramp "the typed correction is on the ramp"
change_mode 1280 1024
expect_window 1280 1024
check_ramp "after the change to 1280 x 1024 the correction is on the ramp again"
cancel_at 1280 1024
ls "$work/app"/*.lut >/dev/null 2>&1 && fail "a ramp file was written"

# 1280 x 1024 -> 1920 x 1080, which restores the mode, with a stored correction: gamma +20,
# white -20, as OK would have saved it.
"$work/xgamma-ramp" get >"$work/before"
expect_record "20 0 0 0 0 0 0 0 -20"
cp "$work/record.lut" "$work/app/Tonecast1.lut"
tonecast_start "$work/app" || fail "the calibration window did not appear"
expect_window 1280 1024
check_ramp "opening applies the stored correction"
change_mode 1920 1080
expect_window 1920 1080
check_ramp "after the change to 1920 x 1080 the correction is on the ramp again"
cancel_at 1920 1080
cmp -s "$work/record.lut" "$work/app/Tonecast1.lut" || fail "the ramp file was changed"
echo "ok: nothing was saved"
exit 0
