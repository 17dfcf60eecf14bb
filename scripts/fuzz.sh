#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, AddressSanitizer, UndefinedBehaviorSanitizer) and runs
# them on TIFF input.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]
#
# With SECONDS, each target runs that long, one after the other, and the script fails if any
# of them finds a crash, a hang (an input over 2 s), a leak or runs out of memory. Without it
# (or with 0) the targets run side by side until interrupted. TARGET is header or image
# (default: both). Found inputs are kept in build-fuzz/corpus/, crashes in build-fuzz/artifacts/.
# The test command runs the same targets through CTest (label fuzz, 60 s each).
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-0}"
shift || true
targets=("$@")
[[ ${#targets[@]} -gt 0 ]] || targets=(header image)

build=build-fuzz
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target vtr_fuzz_seeds $(printf 'vtr_fuzz_%s ' "${targets[@]}")

if [[ "$seconds" -gt 0 ]]; then
  for t in "${targets[@]}"; do
    echo "== fuzz $t for ${seconds}s =="
    bash fuzz/run_target.sh "$build" "$t" "$seconds"
  done
else
  pids=()
  trap 'kill "${pids[@]}" 2>/dev/null || true' INT TERM
  for t in "${targets[@]}"; do
    bash fuzz/run_target.sh "$build" "$t" 0 >"$build/fuzz-$t.log" 2>&1 &
    pids+=($!)
    echo "fuzzing $t (pid $!), log in $build/fuzz-$t.log"
  done
  status=0
  for p in "${pids[@]}"; do wait "$p" || status=$?; done
  exit "$status"
fi
