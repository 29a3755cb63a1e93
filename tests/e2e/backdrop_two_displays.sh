#!/bin/sh
# The backdrop on two real monitors under Wine (an Xorg dummy server: 1920x1080 primary with a
# 1280x1024 monitor on its left): it must lie at (-1280, 0) with size 3200 x 1080, show eight
# grey bands of 128 rows across all 3200 columns on the Color Balance page, ending at row
# 1023, and be black on any other page. Usage: backdrop_two_displays.sh <windows build folder>
set -u
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
. "$here/xorg-dummy.sh"

xorg_test_begin backdrop_two_displays 2
runner=
xorg_test_cleanup() {
  [ -n "$runner" ] && kill "$runner" 2>/dev/null
}

fail() {
  echo "FAIL: $1"
  [ -f "$work/log" ] && cat "$work/log"
  exit 1
}

await() {
  i=0
  while [ ! -f "$work/$1" ]; do
    i=$((i + 1))
    [ $i -gt 600 ] && fail "no $1 from the backdrop"
    kill -0 "$runner" 2>/dev/null || fail "the backdrop test ended before $1"
    sleep 0.1
  done
}

# The colours of one screen row (X coordinates are Windows coordinates + 1280).
row_colours() {
  convert "$1" -crop "3200x1+0+$2" +repage -unique-colors -depth 8 txt:- | sed -n 's/.*#\([0-9A-F]\{6\}\).*/\1/p'
}

wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 </dev/null
# Wine reads the monitors without asking the server to look again; a full query by xrandr
# makes the server settle the second monitor first.
xrandr --query >/dev/null 2>&1
TONECAST_E2E_DIR="Z:$(echo "$work" | tr / '\\')" \
  wine "$build/tests/win32_tests.exe" --gtest_also_run_disabled_tests \
  --gtest_filter='BackgroundWindowTest.DISABLED_TwoRealDisplaysForScreenshots' >"$work/log" 2>&1 </dev/null &
runner=$!

await page5.ready
import -window root -depth 8 "png:$work/page5.png" || fail "no screenshot"
touch "$work/page5.taken"
await page6.ready
import -window root -depth 8 "png:$work/page6.png" || fail "no screenshot"
touch "$work/page6.taken"
wait "$runner" || fail "the backdrop test failed"
runner=

[ "$(identify -format '%wx%h' "$work/page5.png")" = 3200x1080 ] || fail "screen is not 3200x1080"
band=0
while [ $band -lt 8 ]; do
  level=$(printf '%02X' $((255 - 32 * band)))
  for y in $((128 * band)) $((128 * band + 127)); do
    got=$(row_colours "$work/page5.png" $y)
    [ "$got" = "$level$level$level" ] || fail "page 5 row $y: '$got', not $level$level$level"
  done
  band=$((band + 1))
done
for y in 1024 1079; do
  got=$(row_colours "$work/page5.png" $y)
  [ "$got" = 000000 ] || fail "page 5 row $y: '$got', not black"
done
got=$(convert "$work/page6.png" -unique-colors -depth 8 txt:- | sed -n 's/.*#\([0-9A-F]\{6\}\).*/\1/p')
[ "$got" = 000000 ] || fail "page 6 is not all black: $got"
echo "ok: backdrop at (-1280,0) 3200x1080, bands on page 5, black on page 6"
exit 0
