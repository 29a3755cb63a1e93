#!/bin/sh
# The Win32 display layer under Wine on an Xorg dummy server with two monitors side by side,
# whose gamma ramps (unlike Xvfb's) can be read and written: runs the two-monitor cases of
# win32_tests there. Usage: displays_xorg.sh <windows build folder>
set -u
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
. "$here/xorg-dummy.sh"

xorg_test_begin displays_xorg 2
export TONECAST_XORG_TWO_MONITORS=1

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
