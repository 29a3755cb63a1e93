#!/bin/sh
# The Reference Image page of the running program under Wine (the test X server, one 1920x1080
# display): the default image beside the program is shown at its natural size, centred at
# (160, 110) and ending above the bottom bar, as libjpeg's accurate decode gives it converted from
# sRGB to Wine's display profile (sRGB too: the colour system's round trip moves a few pixels by
# one level). The same picture saved as a photographer's or a phone's file shows the same: in
# Adobe RGB with that profile embedded, and stored on its side with EXIF orientation 6. A file
# whose profile is damaged is shown as sRGB and its label says so. A damaged image chosen in the
# settings is not shown (one line says why) and does not end the program. An image at a path in
# Cyrillic letters, named in the settings, is shown and its path is saved again when a run ends.
# Usage: reference_image.sh <windows build folder>
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

# Starts the program, walks to page 8 with Ctrl+Tab and takes a screenshot into $1; with a
# second argument the run ends with a click on Cancel, which saves the settings, else it is
# killed.
show_page_8() {
  tonecast_start "$work/app" || fail "the calibration window did not appear"
  sleep 1
  xdotool mousemove 960 400
  for _ in 1 2 3 4 5 6 7 8; do xdotool key ctrl+Tab; done
  sleep 2
  import -window root -depth 8 "png:$1" || fail "no screenshot"
  kill -0 "$program" 2>/dev/null || fail "the program ended on page 8"
  if [ $# -gt 1 ]; then
    eval "$(xdotool getwindowgeometry --shell "$window")"
    xdotool mousemove $((X + WIDTH - 44)) $((Y + HEIGHT - 14)) click 1
    tonecast_wait_exit || fail "Cancel did not end the program"
  else
    kill "$program"
    wait "$program" 2>/dev/null
  fi
  program=
}

differing() {  # pixels that differ by more than one level between two images of the same size
  compare -metric AE -fuzz 0.5% "$1" "$2" null: 2>&1 >/dev/null
}
mean_levels() {  # the mean difference of two images of the same size, in levels of 255
  compare -metric MAE "$1" "$2" null: 2>&1 >/dev/null | sed 's/.*(\(.*\))/\1/' |
    awk '{ printf "%.2f", $1 * 255 }'
}
# Names the image in the settings file, as choosing it on the page does.
use_image() {
  printf '[Settings]\r\nLanguage=English\r\nReferenceImage=%s\r\nGamma=2.2\r\n' \
    "Z:$(echo "$1" | tr / '\\')" >"$work/app/Tonecast.settings"
}
# Whether columns $2.. ($3 wide) of the file label's rows hold text. The label ends 70 pixels
# from the right edge, 4 above the bar (on Xvfb, where Wine sets no ramp, the bar's refusal
# warning makes its top 986, so the label's rows are 970-980): a bare file name of up to 20
# letters lies right of column 1700, the note on an unusable colour profile reaches left of it.
label_text_in() {
  [ -n "$(convert "$1" -crop "${3}x14+${2}+968" +repage -unique-colors -depth 8 txt:- |
    sed -n 's/.*#\([0-9A-F]\{6\}\).*/\1/p' | grep -vx 000000)" ]
}
label_reaches_left() {
  label_text_in "$1" 1750 100 || fail "no file label at the bottom right in $1"
  label_text_in "$1" 1300 400
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

label_reaches_left "$work/default.png" && fail "the default image's label is not its bare name"

# The same picture as a camera set to Adobe RGB writes it (converted, that profile embedded), and
# as a phone writes a portrait (stored turned a quarter counter-clockwise, EXIF orientation 6
# saying to turn it back): each shows the default image's pixels within rounding. Taken as sRGB,
# the Adobe RGB file would be about 6 levels off on average; on its side, far more.
icc=/usr/share/color/icc
convert "$image" -profile "$icc/sRGB.icc" -profile "$icc/compatibleWithAdobeRGB1998.icc" \
  -quality 100 -sampling-factor 1x1 "$work/adobe.jpg" || fail "ImageMagick made no Adobe RGB copy"
convert "$image" -rotate -90 -quality 100 -sampling-factor 1x1 "$work/side.jpg"
# APP1 right after the start marker: "Exif", a big-endian TIFF header and one directory entry,
# orientation (0x0112), a short, 6.
{
  head -c 2 "$work/side.jpg"
  printf '\377\341\000\042Exif\000\000MM\000\052\000\000\000\010\000\001'
  printf '\001\022\000\003\000\000\000\001\000\006\000\000\000\000\000\000'
  tail -c +3 "$work/side.jpg"
} >"$work/phone.jpg"
[ "$(identify -format '%[orientation]' "$work/phone.jpg")" = RightTop ] || fail "no orientation 6 written"
for copy in adobe phone; do
  use_image "$work/$copy.jpg"
  show_page_8 "$work/$copy.png"
  convert "$work/$copy.png" -crop 1300x669+400+300 +repage "$work/$copy-shown.png"
  mean=$(mean_levels "$work/shown.png" "$work/$copy-shown.png")
  awk -v m="$mean" 'BEGIN { exit !(m <= 1.0) }' ||
    fail "the $copy copy is shown $mean levels away from the default image on average"
  label_reaches_left "$work/$copy.png" && fail "the $copy copy's label says more than its name"
done

# A damaged profile (its signature gone): shown as sRGB, which the label says.
LC_ALL=C sed '0,/acsp/s//acsX/' "$work/adobe.jpg" >"$work/broken-profile.jpg"
use_image "$work/broken-profile.jpg"
show_page_8 "$work/broken.png"
label_reaches_left "$work/broken.png" || fail "the label does not say the profile is not usable"
convert "$work/broken.png" -crop 1300x669+400+300 +repage "$work/broken-shown.png"
convert -define jpeg:dct-method=islow "$work/adobe.jpg" -crop 1300x669+240+190 +repage "$work/adobe-decoded.png"
[ "$(differing "$work/broken-shown.png" "$work/adobe-decoded.png")" = 0 ] ||
  fail "a file with a damaged profile is not shown as sRGB"

# A cut-off copy named in the settings: the page shows no image, the program goes on.
head -c 60000 "$image" >"$work/cut.jpg"
use_image "$work/cut.jpg"
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

# An image in a user's folder that the ANSI code page cannot spell, named in a settings file in
# UTF-16 (as the program writes it): shown, and its path written again when the run ends.
pictures="$work/Мария/Pictures"
mkdir -p "$pictures"
cp "$image" "$pictures/портрет.jpg"
path="Z:$(echo "$pictures/портрет.jpg" | tr / '\\')"
{ printf '\377\376'; printf '[Settings]\r\nLanguage=English\r\nReferenceImage=%s\r\nGamma=2.2\r\n' \
  "$path" | iconv -f UTF-8 -t UTF-16LE; } >"$work/app/Tonecast.settings"
convert -define jpeg:dct-method=islow "$image" -crop 1300x669+240+190 +repage "$work/decoded.png"
for run in first restarted; do
  show_page_8 "$work/cyrillic.png" cancel
  convert "$work/cyrillic.png" -crop 1300x669+400+300 +repage "$work/shown.png"
  [ "$(differing "$work/shown.png" "$work/decoded.png")" = 0 ] ||
    fail "$run run: the image at $path is not shown: $(differing "$work/shown.png" "$work/decoded.png") pixels differ"
  iconv -f UTF-16 -t UTF-8 "$work/app/Tonecast.settings" | tr -d '\r' |
    grep -qxF "ReferenceImage=$path" || fail "$run run: the settings no longer name $path"
done

echo "ok: default image centred and colour-converted, the same from Adobe RGB and turned upright;" \
  "a damaged profile is said; a damaged image shows why, not its pixels; an image at a" \
  "Cyrillic path is shown and kept across a restart"
exit 0
