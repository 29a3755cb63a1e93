#!/bin/sh
# Start-up of Tonecast.exe against a bare full-screen Win32 window, under Wine on the tests' X
# display (a private Xvfb), warm Wine server: milliseconds from process creation to the first
# paint (each program's own trace, TONECAST_STARTUP_TRACE), median of 9 runs each (RUNS=n for
# another number), the ratio, and for each traced step of Tonecast's start the median time it
# was reached and the median time it took.
# A third program in the same turns, the bare window with the standard controls of Tonecast's
# first page, shows the floor those controls alone cost.
# With a second build folder (of an earlier commit, say), its Tonecast.exe takes turns with the
# others, so that a before and after are measured under the same load.
# XSERVER=dummy runs on an Xorg dummy server instead (needs root): there the displays take
# their ramps, as real ones do, and Tonecast lays out no refusal warning, which it does on
# Xvfb, where every ramp write is refused.
# The Wine server and the programs share one processor (the last; CPU=n for another, CPU=none
# for none): every window operation is a round trip to the Wine server, and one that has to
# wake the server on another processor costs about three times as much. Left to the scheduler,
# which places them afresh in every run, the figures of one build spread over a factor of two.
# Usage: [XSERVER=xvfb|dummy] [CPU=n|none] bench/startup.sh [windows build folder] [earlier windows build folder]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/windows}" && pwd)
before=${2:+$(cd "$2" && pwd)}
export WINEDEBUG=-all WINEDLLOVERRIDES=winemenubuilder.exe=d LC_ALL=C.UTF-8
cpu=${CPU:-$(($(nproc) - 1))}
pin=
[ "$cpu" = none ] || pin="taskset -c $cpu"
stop_wine() {
  wineserver -k >/dev/null 2>&1 || true
  timeout 10 wineserver -w >/dev/null 2>&1 || true
}
work=
case ${XSERVER:-xvfb} in
  xvfb)
    if [ -z "${DISPLAY:-}" ]; then
      exec bash "$root/scripts/with-xvfb.sh" sh "$0" "$build" ${before:+"$before"}
    fi
    export WINEPREFIX="$build/wineprefix"
    # The tests' persistent Wine server is started again where the programs run.
    stop_wine
    trap 'rm -rf "$work"; stop_wine' EXIT ;;
  dummy)
    . "$root/tests/e2e/xorg-dummy.sh"
    xorg_dummy_start 1 || { echo "startup.sh: $XORG_DUMMY_ERROR" >&2; exit 1; }
    # The e2e tests' prefix for the dummy server; a Wine server left from an earlier server
    # would still talk to that one.
    export DISPLAY="$XORG_DUMMY_DISPLAY" WINEPREFIX="$build/wineprefix-xorg"
    stop_wine
    trap 'rm -rf "$work"; stop_wine; xorg_dummy_stop' EXIT ;;
  *)
    echo "startup.sh: XSERVER must be xvfb or dummy" >&2
    exit 2 ;;
esac
$pin sh "$root/cmake/wine-prefix.sh" start
work=$(mktemp -d "$build/bench-startup.XXXXXX")
programs="bare controls tonecast${before:+ before}"
for name in tonecast ${before:+before}; do
  mkdir "$work/$name"
  cp "$build"/exe/*.lng "$build/exe/TonecastRef.sRGB.jpg" "$work/$name/"
done
cp "$build/exe/Tonecast.exe" "$work/tonecast/"
[ -z "$before" ] || cp "$before/exe/Tonecast.exe" "$work/before/"
cp "$build/bare_window.exe" "$build/standard_controls_window.exe" "$work/"
exe() {
  case $1 in
    bare) echo "$work/bare_window.exe" ;;
    controls) echo "$work/standard_controls_window.exe" ;;
    *) echo "$work/$1/Tonecast.exe" ;;
  esac
}

# Runs $1 once; the trace lands in $2.
run() {
  rm -f "$2"
  TONECAST_STARTUP_TRACE="Z:$(echo "$2" | tr / '\\')" $pin wine "$1" </dev/null >/dev/null 2>&1 &
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
# The median over the runs of program $1 of how long step $2 took: from the step before it in
# the same run (a difference of medians would mix runs).
took() {
  for f in "$work/$1".[0-9]*.txt; do
    tr -d '\r' <"$f" | awk -v s="$2" '{ t = $1; sub(/^[^ ]* /, "") }
      $0 == s { if (NR > 1) printf "%.1f\n", t - prev; exit } { prev = t }'
  done | median
}

for name in $programs; do run "$(exe "$name")" "$work/warm.txt"; done
for i in $(seq 1 "$runs"); do
  for name in $programs; do run "$(exe "$name")" "$work/$name.$i.txt"; done
done
bare=$(step bare "first paint")
controls=$(step controls "first paint")
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }
for name in tonecast ${before:+before}; do
  label="Tonecast.exe"
  [ "$name" = tonecast ] || label="Tonecast.exe of $before"
  echo "$label start-up trace (ms since process creation; ms the step took; medians of $runs):"
  cut -d' ' -f2- "$work/$name.1.txt" | tr -d '\r' | while read -r s; do
    printf '  %8s  %6s  %s\n' "$(step "$name" "$s")" "$(took "$name" "$s")" "$s"
  done
done
echo "bare window: main entered $(step bare main) ms, first paint $bare ms"
echo "window with the same standard controls: main entered $(step controls main) ms," \
  "first paint $controls ms, ratio $(ratio "$controls" "$bare")x to the bare window"
for name in tonecast ${before:+before}; do
  label="Tonecast.exe"
  [ "$name" = tonecast ] || label="earlier Tonecast.exe"
  first=$(step "$name" "first paint")
  echo "$label first paint: $first ms, ratio $(ratio "$first" "$bare")x (goal: at most 1.5x)," \
    "$(ratio "$first" "$controls")x of the window with the same standard controls"
done
