#!/bin/sh
# The Win32 display layer under Wine on an Xorg dummy server with two monitors side by side,
# whose gamma ramps (unlike Xvfb's) can be read and written: runs the two-monitor cases of
# win32_tests there. Usage: displays_xorg.sh <windows build folder>
set -u
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
. "$here/xorg-dummy.sh"

if ! xorg_dummy_start 2; then
  [ "${CI:-}" = true ] && { echo "FAIL: $XORG_DUMMY_ERROR"; exit 1; }
  echo "SKIP: displays_xorg needs an Xorg dummy server: $XORG_DUMMY_ERROR"
  exit 0
fi
# A prefix of its own: the shared one's desktop process belongs to the Xvfb server.
export WINEPREFIX="$build/wineprefix-xorg" WINEDEBUG=-all WINEDLLOVERRIDES=winemenubuilder.exe=d
export DISPLAY="$XORG_DUMMY_DISPLAY" TONECAST_XORG_TWO_MONITORS=1
cleanup() {
  wineserver -k >/dev/null 2>&1
  wineserver -w >/dev/null 2>&1
  xorg_dummy_stop
}
trap cleanup EXIT

# Output goes to a file (not a pipe), which Wine's helper processes may keep open without
# holding up this script.
log="$build/displays_xorg.log"
wine "$build/tests/win32_tests.exe" --gtest_filter='Win32TwoMonitorsTest.*' </dev/null >"$log" 2>&1
rc=$?
cat "$log"
[ $rc = 0 ] || { echo "FAIL: win32_tests exited with $rc"; exit 1; }
# A skip would mean the variable did not reach the tests: that is no pass.
grep -q '\[  PASSED  \] 2 tests' "$log" || { echo "FAIL: the two-monitor cases did not run"; exit 1; }
exit 0
