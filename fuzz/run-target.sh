#!/bin/sh
# Runs one fuzz target for a fixed time, starting from its corpus in fuzz/corpus/<name>.
# Inputs that reach new code go to <out>/new, so the committed corpus stays as it is; a crash,
# leak or failed check leaves its input in <out>/artifacts and fails. Prints one line: runs,
# seconds, executions per second.  Usage: run-target.sh NAME BINARY SECONDS OUT
set -u
name=$1 binary=$2 seconds=$3 out=$4
corpus=$(cd "$(dirname "$0")" && pwd)/corpus/$name
mkdir -p "$out/new" "$out/artifacts"
# The decoder's limits: a 64-megapixel bitmap is 192 MiB, its working memory at most 512 MiB;
# any single allocation above that is a limit that did not hold.
limits=
[ "$name" = jpeg ] && limits=-malloc_limit_mb=768
"$binary" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2560 $limits -print_final_stats=1 \
  -artifact_prefix="$out/artifacts/" "$out/new" "$corpus" >"$out/log" 2>&1
rc=$?
runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$out/log")
rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$out/log")
if [ $rc != 0 ]; then
  tail -n 40 "$out/log"
  echo "FAIL: fuzz $name: finding after ${runs:-?} runs; input in $out/artifacts/"
  exit 1
fi
echo "fuzz $name: ${runs:-?} runs in $seconds s, ${rate:-?} exec/s, no finding"
