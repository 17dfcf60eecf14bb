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
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-0}"
shift || true
targets=("$@")
[[ ${#targets[@]} -gt 0 ]] || targets=(header image)

build=build-fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVTR_FUZZ=ON -DVTR_WITH_QT=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target vtr_fuzz_seeds \
  $(printf 'vtr_fuzz_%s ' "${targets[@]}")

run_target() {
  local name=$1 time=$2
  local seeds=("$build/fuzz/seeds" tests/data/corpus/libtiff tests/data/corpus/pillow
    tests/data/regressions)
  mkdir -p "$build/corpus/$name" "$build/artifacts"
  "$build/fuzz/vtr_fuzz_$name" \
    -max_total_time="$time" -timeout=2 -rss_limit_mb=2048 -max_len=65536 \
    -dict=fuzz/tiff.dict -print_final_stats=1 \
    -artifact_prefix="$build/artifacts/$name-" \
    "$build/corpus/$name" "${seeds[@]}"
}

if [[ "$seconds" -gt 0 ]]; then
  for t in "${targets[@]}"; do
    echo "== fuzz $t for ${seconds}s =="
    run_target "$t" "$seconds"
  done
else
  pids=()
  trap 'kill "${pids[@]}" 2>/dev/null || true' INT TERM
  for t in "${targets[@]}"; do
    run_target "$t" 0 >"$build/fuzz-$t.log" 2>&1 &
    pids+=($!)
    echo "fuzzing $t (pid $!), log in $build/fuzz-$t.log"
  done
  status=0
  for p in "${pids[@]}"; do wait "$p" || status=$?; done
  exit "$status"
fi
