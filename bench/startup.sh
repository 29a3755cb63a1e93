#!/bin/sh
# Start-up of Tonecast.exe against a bare full-screen Win32 window, under Wine on the tests' X
# display (a private Xvfb), warm Wine server: milliseconds from process creation to the first
# paint (each program's own trace, TONECAST_STARTUP_TRACE), median of 9 runs each (RUNS=n for
# another number), the ratio, and the median time of each traced step of Tonecast's start.
# With a second build folder (of an earlier commit, say), its Tonecast.exe takes turns with the
# other two, so that a before and after are measured under the same load.
# Usage: bench/startup.sh [windows build folder] [earlier windows build folder]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/windows}" && pwd)
before=${2:+$(cd "$2" && pwd)}
if [ -z "${DISPLAY:-}" ]; then
  exec bash "$root/scripts/with-xvfb.sh" sh "$0" "$build" ${before:+"$before"}
fi
export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES=winemenubuilder.exe=d LC_ALL=C.UTF-8
sh "$root/cmake/wine-prefix.sh" start
work=$(mktemp -d "$build/bench-startup.XXXXXX")
trap 'rm -rf "$work"' EXIT
programs="bare tonecast${before:+ before}"
for name in tonecast ${before:+before}; do
  mkdir "$work/$name"
  cp "$build"/exe/*.lng "$build/exe/TonecastRef.sRGB.jpg" "$work/$name/"
done
cp "$build/exe/Tonecast.exe" "$work/tonecast/"
[ -z "$before" ] || cp "$before/exe/Tonecast.exe" "$work/before/"
cp "$build/bare_window.exe" "$work/"
exe() { if [ "$1" = bare ]; then echo "$work/bare_window.exe"; else echo "$work/$1/Tonecast.exe"; fi; }

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
runs=${RUNS:-9}
median() { sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }
# The median time of step $2 over the runs of program $1.
step() { cat "$work/$1".[0-9]*.txt | tr -d '\r' | grep -F " $2" | cut -d' ' -f1 | median; }

for name in $programs; do run "$(exe "$name")" "$work/warm.txt"; done
for i in $(seq 1 "$runs"); do
  for name in $programs; do run "$(exe "$name")" "$work/$name.$i.txt"; done
done
bare=$(step bare "first paint")
for name in tonecast ${before:+before}; do
  label="Tonecast.exe"
  [ "$name" = tonecast ] || label="Tonecast.exe of $before"
  echo "$label start-up trace (ms since process creation, median of $runs):"
  cut -d' ' -f2- "$work/$name.1.txt" | tr -d '\r' | while read -r s; do
    printf '  %8s  %s\n' "$(step "$name" "$s")" "$s"
  done
done
echo "bare window: main entered $(step bare main) ms, first paint $bare ms"
for name in tonecast ${before:+before}; do
  label="Tonecast.exe"
  [ "$name" = tonecast ] || label="earlier Tonecast.exe"
  first=$(step "$name" "first paint")
  echo "$label first paint: $first ms, ratio $(awk -v a="$first" -v b="$bare" 'BEGIN {printf "%.2f", a / b}')x (goal: at most 1.5x)"
done
