#!/bin/sh
# The resident loader (Tonestart.exe) under Wine on an Xorg dummy server: without a ramp file
# it fades nothing and ends; "/once" fades and ends; otherwise it fades, stays, and puts the
# saved ramp back when another program overwrites it and after a display mode change (made by
# display_mode.exe, the way a Win32 program makes it); a second start ends at once; while the
# calibration window is open it writes nothing, and after OK it keeps the new file, which names
# its monitor, also after a session shorter than its check period; a program that keeps
# rewriting the ramp is left the display, which the tooltip says, until "Re-apply now"; the
# menu's Exit command ends it. Usage: loader.sh <windows build folder>
set -u
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
. "$here/xorg-dummy.sh"
. "$here/lib/window.sh"
. "$here/lib/ramp.sh"

xorg_test_begin loader 1
loader=
program=
startup_link=
rewriter=
xorg_test_cleanup() {
  [ -n "$rewriter" ] && kill "$rewriter" 2>/dev/null
  [ -n "$loader" ] && kill "$loader" 2>/dev/null
  [ -n "$program" ] && kill "$program" 2>/dev/null
  # OK wrote a log-on shortcut to this test's loader; Wine would start it with the prefix.
  [ -n "$startup_link" ] && rm -f "$startup_link"
  "$work/xgamma-ramp" set-power 1 >/dev/null 2>&1
}

fail() {
  echo "FAIL: $1"
  exit 1
}

xorg_build_ramp_tools "$work" || fail "cannot build the ramp helpers"
control="$build/tests/loader_control.exe"
[ -f "$control" ] && [ -f "$build/tests/display_mode.exe" ] || fail "no test helpers in $build/tests"
# Outside "Program Files", so the program folder is the data folder.
mkdir "$work/app"
cp "$build/exe/Tonestart.exe" "$build/exe/Tonecast.exe" "$build"/exe/*.lng "$work/app/" ||
  fail "no Tonestart.exe in $build/exe"

# Polls up to 20 s for the server's ramp to be $work/expected; the check period is a few seconds.
wait_ramp() {
  for _ in $(seq 1 100); do
    "$work/xgamma-ramp" get >"$work/now"
    cmp -s "$work/expected" "$work/now" && break
    sleep 0.2
  done
  check_ramp "$1"
}

# Waits up to 10 s for the loader's window; non-zero when none appears.
wait_loader_window() {
  for _ in $(seq 1 50); do
    wine "$control" running </dev/null >/dev/null 2>&1 && return 0
    sleep 0.2
  done
  return 1
}

"$work/xgamma-ramp" set-power 1.8 || xorg_test_give_up "the X server has no XF86VidMode gamma ramp"
"$work/xgamma-ramp" get >"$work/expected"
wine "$work/app/Tonestart.exe" </dev/null >/dev/null 2>&1 || fail "without a ramp file Tonestart.exe exited with $?"
check_ramp "without a ramp file nothing is faded" expected

expect_record "20 0 0 0 0 0 0 0 -20"
cp "$work/record.lut" "$work/app/Tonecast1.lut"
wine "$work/app/Tonestart.exe" /once </dev/null >/dev/null 2>&1 || fail "Tonestart.exe /once exited with $?"
check_ramp "/once fades to the saved correction and ends"

"$work/xgamma-ramp" set-power 1.8
wine "$work/app/Tonestart.exe" </dev/null >/dev/null 2>&1 &
loader=$!
wait_ramp "the loader fades to the saved correction"
wait_loader_window || fail "the loader has no window"
kill -0 "$loader" 2>/dev/null || fail "the loader ended"
wine "$work/app/Tonestart.exe" </dev/null >/dev/null 2>&1 || fail "a second loader exited with $?"
echo "ok: a second loader ends at once"

"$work/xgamma-ramp" set-power 0.6
wait_ramp "the saved ramp is back after another program overwrote it"
# The dummy driver keeps the ramp across a mode change where Windows resets it: reset it first.
for mode in "1280 1024" "1920 1080"; do
  "$work/xgamma-ramp" set-power 1
  wine "$build/tests/display_mode.exe" $mode </dev/null || fail "the mode $mode was refused"
  wait_ramp "the saved ramp is back after the change to $mode"
done

# The calibration window opens with the saved correction; while it is open, a ramp written
# from outside stays for two check periods and more.
tonecast_start "$work/app" || fail "the calibration window did not appear"
"$work/xgamma-ramp" set-power 0.6
"$work/xgamma-ramp" get >"$work/outside"
sleep 5
check_ramp "while the calibration window is open the loader writes nothing" outside
# Red gamma +10 in the Gamma page's red edit, then OK (129 from the right edge of the bar).
xdotool mousemove 960 400 key ctrl+Tab ctrl+Tab ctrl+Tab
sleep 0.5
xdotool mousemove 980 909 click 1
for _ in $(seq 1 10); do xdotool key Up; done
sleep 0.5
xdotool mousemove $((1920 - 129)) $((1080 - 14)) click 1
tonecast_wait_exit || fail "OK did not end the calibration window"
program=
startup=$(wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders' \
  /v Startup </dev/null 2>/dev/null | tr -d '\r' | sed -n 's/^ *Startup *REG_SZ *//p')
startup_link="$(wine winepath -u "$startup" 2>/dev/null </dev/null)/Tonestart.lnk"
# The record as an earlier version wrote it, then the monitor's device ID as Wine gives it.
check_saved() {
  head -n 1297 "$work/app/Tonecast1.lut" | cmp -s "$work/record.lut" - || fail "$1"
  [ "$(sed -n 1298p "$work/app/Tonecast1.lut" | tr -d '\r')" = \
    'Monitor=\\?\DISPLAY#Default_Monitor#0000&0000#{E6F07B5F-EE97-4A90-B076-33F57BF4EAA7}' ] ||
    fail "the saved file does not name its monitor"
}
expect_record "20 10 0 0 0 0 0 0 -20"
check_saved "OK did not save red gamma +10"
"$work/xgamma-ramp" set-power 0.6
wait_ramp "after OK the loader keeps the new correction"

# Reset and OK within one check period: the loader keeps the new, cleared correction.
tonecast_start "$work/app" || fail "the calibration window did not appear again"
xdotool mousemove $((1920 - 449)) $((1080 - 14)) click 1 mousemove $((1920 - 129)) $((1080 - 14)) click 1
tonecast_wait_exit || fail "OK did not end the short session"
program=
expect_record ""
check_saved "OK after Reset did not save the cleared correction"
"$work/xgamma-ramp" set-power 0.6
wait_ramp "after a short session the loader keeps its new correction"

# Another program puts its own ramp back again and again: after a few rounds the loader leaves
# it the display and says so; "Re-apply now" takes over again.
(while [ ! -f "$work/stop-rewriter" ]; do "$work/xgamma-ramp" set-power 0.6; sleep 0.3; done) &
rewriter=$!
paused=
for _ in $(seq 1 60); do
  case "$(wine "$control" tip </dev/null 2>/dev/null)" in
    *"Paused: another program controls Display 1"*) paused=1 && break ;;
  esac
  sleep 0.3
done
[ -n "$paused" ] || fail "the loader did not say it left the display to the other program"
echo "ok: the tooltip says the loader left the display to the other program"
touch "$work/stop-rewriter"
wait "$rewriter"
rewriter=
"$work/xgamma-ramp" get >"$work/outside"
sleep 5
check_ramp "the loader leaves the other program's ramp for more than two check periods" outside
wine "$control" reapply </dev/null >/dev/null 2>&1 || fail "no loader window for Re-apply now"
wait_ramp "Re-apply now puts the correction back"
[ "$(wine "$control" tip </dev/null 2>/dev/null | tr -d '\r')" = Tonecast ] ||
  fail "the tooltip still says the display is left to another program"
echo "ok: the tooltip no longer says so"

wine "$control" exit </dev/null >/dev/null 2>&1 || fail "no loader window for Exit"
program=$loader
tonecast_wait_exit || fail "Exit did not end the loader"
loader=
program=
echo "ok: Exit ends the loader"
exit 0
