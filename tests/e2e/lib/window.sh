#!/bin/sh
# Sourceable helper for the end-to-end scripts that drive the calibration window with xdotool.
#
#   tonecast_start FOLDER   starts FOLDER/Tonecast.exe under Wine in the background ($program
#                           holds its process) and waits for the window, as tonecast_wait_window
#   tonecast_wait_window    waits up to 30 s for the visible calibration window ($window holds
#                           its X id); returns non-zero when none appears
#   tonecast_wait_exit [S]  waits up to S seconds (default 10) for $program to end: non-zero
#                           while it still runs, else its exit code

tonecast_wait_window() {
  window=
  for _ in $(seq 1 150); do
    window=$(xdotool search --onlyvisible --name '^Velmor Tonecast 3\.1\.0$' 2>/dev/null | head -n 1)
    [ -n "$window" ] && return 0
    sleep 0.2
  done
  return 1
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
