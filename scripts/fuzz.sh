#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, ASan + UBSan) and runs each for the given number of
# seconds (default 300) from its corpus in fuzz/corpus/. Inputs that reach new code stay in
# build/fuzz/fuzz/runs/<name>/new; a finding leaves its input in .../artifacts and fails.
#   scripts/fuzz.sh [seconds] [target ...]    targets: ramp_file language_file settings jpeg
#                                             exif_orientation updown_rule target_gamma_text (default: all)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-300}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] ||
  targets=(ramp_file language_file settings jpeg exif_orientation updown_rule target_gamma_text)

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)"
failed=0
for t in "${targets[@]}"; do
  sh fuzz/run-target.sh "$t" "build/fuzz/fuzz/fuzz_$t" "$seconds" "build/fuzz/fuzz/runs/$t" || failed=1
done
exit $failed
