#!/bin/sh
# Sourceable helper for the end-to-end scripts that drive the calibration window with xdotool.
#
#   tonecast_start FOLDER   starts FOLDER/Tonecast.exe under Wine in the background ($program
#                           holds its process) and waits for the window, as tonecast_wait_window
#   tonecast_wait_window    waits up to 30 s for the visible calibration window ($window holds
#                           its X id); returns non-zero when none appears
#   tonecast_wait_exit [S]  waits up to S seconds (default 10) for $program to end: non-zero
#                           while it still runs, else its exit code
#   tonecast_wait_windows N waits up to 10 s for N visible windows of the program's title (2:
#                           the window and a message box over it); non-zero when they are not
#   tonecast_answer_box KEY waits for a message box over the window, points at it (the keyboard
#                           follows the pointer without a window manager) and presses KEY;
#                           non-zero when no box showed or it did not go
#   tonecast_icon_is ICO    waits up to 5 s for $window's icon in X (_NET_WM_ICON) to be ICO's
#                           32 x 32 and 16 x 16 images, pixel for pixel; non-zero when it is not

tonecast_wait_window() {
  window=
  for _ in $(seq 1 150); do
    window=$(xdotool search --onlyvisible --name '^Velmor Tonecast 3\.1\.0$' 2>/dev/null | head -n 1)
    [ -n "$window" ] && return 0
    sleep 0.2
  done
  return 1
}

tonecast_wait_windows() {
  for _ in $(seq 1 100); do
    [ "$(xdotool search --onlyvisible --name '^Velmor Tonecast 3\.1\.0$' 2>/dev/null | wc -l)" = "$1" ] &&
      return 0
    sleep 0.1
  done
  return 1
}

tonecast_answer_box() {
  tonecast_wait_windows 2 || return 1
  for box in $(xdotool search --onlyvisible --name '^Velmor Tonecast 3\.1\.0$' 2>/dev/null); do
    [ "$box" = "$window" ] && continue
    eval "$(xdotool getwindowgeometry --shell "$box")"
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
    sleep 0.3
    xdotool key "$1"
  done
  tonecast_wait_windows 1
}

tonecast_start() {
  wine "$1/Tonecast.exe" </dev/null >/dev/null 2>&1 &
  program=$!
  tonecast_wait_window
}

tonecast_wait_exit() {
  for _ in $(seq 1 $((${1:-10} * 10))); do
    kill -0 "$program" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$program" 2>/dev/null && return 1
  wait "$program"
}

# One size of an icon as ARGB words, one a line: the window's (from _NET_WM_ICON) or a .ico
# file's image of that size.
window_icon_words() {
  xprop -id "$window" -notype 32c _NET_WM_ICON 2>/dev/null |
    awk -v size="$1" -F'[=,]' '{ for (i = 2; i <= NF; ) { w = $i + 0; n = w * ($(i + 1) + 0)
      if (w == size) for (j = 0; j < n; j++) print $(i + 2 + j) + 0
      if (n == 0) break; i += 2 + n } }'
}
ico_words() {
  frame=$(identify -format '%w %p\n' "$1" | awk -v size="$2" '$1 == size { print $2; exit }')
  [ -n "$frame" ] || return 1
  convert "$1[$frame]" -depth 8 rgba:- | od -An -v -tu1 -w4 |
    awk '{ print $4 * 16777216 + $1 * 65536 + $2 * 256 + $3 }'
}

tonecast_icon_is() {
  for _ in $(seq 1 25); do
    ok=1
    for size in 32 16; do
      [ "$(window_icon_words $size)" = "$(ico_words "$1" $size)" ] || ok=0
    done
    [ $ok = 1 ] && return 0
    sleep 0.2
  done
  return 1
}
