#!/usr/bin/env bash
# Runs a command with DISPLAY set to a private Xvfb server (1920x1080, depth 24), which is
# stopped afterwards. With TONECAST_USE_DISPLAY=1 the current DISPLAY is used instead.
set -euo pipefail
if [ "${TONECAST_USE_DISPLAY:-0}" = 1 ] && [ -n "${DISPLAY:-}" ]; then
  exec "$@"
fi
fifo=$(mktemp -u)
mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
xvfb=$!
read -r number <"$fifo"
rm -f "$fifo"
trap 'kill $xvfb 2>/dev/null; wait $xvfb 2>/dev/null || true' EXIT
DISPLAY=":$number" "$@"
