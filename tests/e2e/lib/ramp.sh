#!/bin/sh
# Sourceable helper for the end-to-end scripts that check the calibration window's ramp on an
# Xorg dummy server, with the helpers xorg_build_ramp_tools put into $work and a `fail`
# function of the script's own.
#
#   expect_record "G GR ..."  $work/expected: what the ramp should read for a record of these
#                             adjustments (in file order, the rest 0) and no points
#   check_ramp WHAT [FILE]    fails unless the server's ramp is $work/FILE (default: expected)

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
  wanted=${2:-expected}
  "$work/xgamma-ramp" get >"$work/now"
  if ! cmp -s "$work/$wanted" "$work/now"; then
    echo "first differing entries (index expected actual):"
    paste "$work/$wanted" "$work/now" | awk '$1 != $2 { print NR - 1, $1, $2 }' | head -n 10
    fail "$1: the ramp on the server is not the $wanted one"
  fi
  echo "ok: $1"
}
