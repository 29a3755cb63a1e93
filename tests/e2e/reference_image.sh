#!/bin/sh
# The Reference Image page of the running program under Wine (the test X server, one 1920x1080
# display): the default image beside the program is shown at its natural size, centred at
# (160, 110) and ending above the bottom bar, as libjpeg's accurate decode gives it converted from sRGB to Wine's display profile,
# which is sRGB too: the colour system's round trip moves a few pixels by one level); a damaged image chosen in the settings is not
# shown (one line says why) and does not end the program. Usage: reference_image.sh <windows build folder>
set -u
build=$(cd "$1" && pwd)
. "$(dirname "$0")/lib/window.sh"
work=$(mktemp -d "$build/e2e-reference_image.XXXXXX")
program=
cleanup() {
  [ -n "$program" ] && kill "$program" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $1"
  exit 1
}

# Outside "Program Files", so the program folder is the data folder.
mkdir "$work/app"
cp "$build/exe/Tonecast.exe" "$build"/exe/*.lng "$build/exe/TonecastRef.sRGB.jpg" "$work/app/" ||
  fail "no Tonecast.exe and reference image in $build/exe"
image="$work/app/TonecastRef.sRGB.jpg"

# Starts the program, walks to page 8 with Ctrl+Tab and takes a screenshot into $1.
show_page_8() {
  tonecast_start "$work/app" || fail "the calibration window did not appear"
  sleep 1
  xdotool mousemove 960 400
  for _ in 1 2 3 4 5 6 7 8; do xdotool key ctrl+Tab; done
  sleep 2
  import -window root -depth 8 "png:$1" || fail "no screenshot"
  kill -0 "$program" 2>/dev/null || fail "the program ended on page 8"
  kill "$program"
  wait "$program" 2>/dev/null
  program=
}

differing() {  # pixels that differ by more than one level between two images of the same size
  compare -metric AE -fuzz 0.5% "$1" "$2" null: 2>&1 >/dev/null
}

# Screen area free of the page's texts, labels and edge blends: x 400-1699, y 300-968.
# The image's top-left corner is at (160, 110), so that is image area x 240-1539, y 190-858.
show_page_8 "$work/default.png"
convert "$work/default.png" -crop 1300x669+400+300 +repage "$work/shown.png"
convert -define jpeg:dct-method=islow "$image" -crop 1300x669+240+190 +repage "$work/decoded.png"
[ "$(differing "$work/shown.png" "$work/decoded.png")" = 0 ] ||
  fail "the default image is not shown at (160, 110): $(differing "$work/shown.png" "$work/decoded.png") pixels differ"
# Its edges: column 159 and rows 109 and 970 are background (the image's 860 rows end 57 rows
# above the bar), column 160 and row 110 image.
for crop in 1x669+159+300 1300x1+400+109 1300x1+400+970; do
  colours=$(convert "$work/default.png" -crop "$crop" +repage -unique-colors -depth 8 txt:- |
    sed -n 's/.*#\([0-9A-F]\{6\}\).*/\1/p')
  [ "$colours" = 000000 ] || fail "outside the image at $crop: $colours"
done
convert "$work/default.png" -crop 1x669+160+300 +repage "$work/column.png"
convert -define jpeg:dct-method=islow "$image" -crop 1x669+0+190 +repage "$work/column0.png"
[ "$(differing "$work/column.png" "$work/column0.png")" = 0 ] || fail "column 160 is not image column 0"

# A cut-off copy named in the settings: the page shows no image, the program goes on.
head -c 60000 "$image" >"$work/cut.jpg"
printf '[Settings]\r\nLanguage=English\r\nReferenceImage=%s\r\nGamma=2.2\r\n' \
  "Z:$(echo "$work/cut.jpg" | tr / '\\')" >"$work/app/Tonecast.settings"
show_page_8 "$work/damaged.png"
# No pixel of the image: black above and below the one line, centred at row 540, that says why,
# down to the bar (which on Xvfb, where Wine sets no ramp, has the refusal warning's row too:
# its top is at 1080 - 53 - 41 = 986).
for crop in 1300x225+400+300 1300x421+400+565; do
  colours=$(convert "$work/damaged.png" -crop "$crop" +repage -unique-colors -depth 8 txt:- |
    sed -n 's/.*#\([0-9A-F]\{6\}\).*/\1/p')
  [ "$colours" = 000000 ] || fail "a damaged image left pixels on page 8 at $crop: $colours"
done
colours=$(convert "$work/damaged.png" -crop 1300x40+400+525 +repage -unique-colors -depth 8 txt:- |
  sed -n 's/.*#\([0-9A-F]\{6\}\).*/\1/p')
echo "$colours" | grep -qx 808080 || fail "no line in the page's text grey says why: $colours"

echo "ok: default image centred and colour-converted; a damaged image shows why, not its pixels"
exit 0
