#!/bin/sh
# Start-up of Tonecast.exe against a bare full-screen Win32 window, under Wine on the tests' X
# display (a private Xvfb), warm Wine server: milliseconds from process creation to the first
# paint (each program's own trace, TONECAST_STARTUP_TRACE), median of 5 runs each (RUNS=n for
# another number), the ratio, and the median time of each traced step of Tonecast's start.
# Usage: bench/startup.sh [windows build folder]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/windows}" && pwd)
if [ -z "${DISPLAY:-}" ]; then
  exec bash "$root/scripts/with-xvfb.sh" sh "$0" "$build"
fi
export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES=winemenubuilder.exe=d LC_ALL=C.UTF-8
sh "$root/cmake/wine-prefix.sh" start
work=$(mktemp -d "$build/bench-startup.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir "$work/app"
cp "$build/exe/Tonecast.exe" "$build"/exe/*.lng "$build/exe/TonecastRef.sRGB.jpg" "$work/app/"
cp "$build/bare_window.exe" "$work/"

# Runs $1 once; the trace lands in $2.
run() {
  rm -f "$2"
  TONECAST_STARTUP_TRACE="Z:$(echo "$2" | tr / '\\')" wine "$1" </dev/null >/dev/null 2>&1 &
  pid=$!
  for _ in $(seq 1 200); do
    grep -q 'first paint' "$2" 2>/dev/null && break
    sleep 0.05
  done
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null || true
  sleep 0.5
}
runs=${RUNS:-5}
median() { sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }

run "$work/bare_window.exe" "$work/warm.txt"
run "$work/app/Tonecast.exe" "$work/warm.txt"
for i in $(seq 1 "$runs"); do
  run "$work/bare_window.exe" "$work/bare$i.txt"
  run "$work/app/Tonecast.exe" "$work/tonecast$i.txt"
done
bare=$(cat "$work"/bare[0-9]*.txt | tr -d '\r' | sed -n 's/ first paint$//p' | median)
tonecast=$(cat "$work"/tonecast[0-9]*.txt | tr -d '\r' | sed -n 's/ first paint$//p' | median)
echo "Tonecast.exe start-up trace (ms since process creation, median of $runs):"
cut -d' ' -f2- "$work/tonecast1.txt" | tr -d '\r' | while read -r step; do
  printf '  %8s  %s\n' "$(cat "$work"/tonecast[0-9]*.txt | tr -d '\r' | grep -F " $step" | cut -d' ' -f1 | median)" "$step"
done
bare_main=$(cat "$work"/bare[0-9]*.txt | tr -d '\r' | sed -n 's/ main$//p' | median)
echo "bare window: main entered $bare_main ms, first paint $bare ms"
echo "Tonecast.exe first paint: $tonecast ms"
echo "ratio: $(awk -v a="$tonecast" -v b="$bare" 'BEGIN {printf "%.2f", a / b}')x (goal: at most 1.5x)"
