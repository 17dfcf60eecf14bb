#!/usr/bin/env bash
# Installs what is missing, builds the viewer and runs every test with CTest: a plain build,
# then a build under AddressSanitizer and UndefinedBehaviorSanitizer, then the unit tests
# (the logic's threads among them) under ThreadSanitizer, then each fuzz target for a short,
# bounded time. Ends with one line counting the tests of all four runs:
#   all: N passed, F failed, K skipped
# after the name of each skipped test. Exits non-zero when a build or a test fails.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh test
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
jobs=$(nproc)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# One CTest run of a preset; its output is kept for the summary, a failure is counted there.
run_preset() {
  local preset=$1 title=$2
  echo "== $title =="
  cmake --preset "$preset" -DVTR_WERROR=ON >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  ctest --preset "$preset" -j "$jobs" 2>&1 | tee "$work/$preset.log" || true
}

run_preset plain "plain build"
run_preset sanitizers "AddressSanitizer + UndefinedBehaviorSanitizer build"
run_preset tsan "ThreadSanitizer build, unit tests"
run_preset fuzz "fuzz targets, 60 s each (libFuzzer + AddressSanitizer + UndefinedBehaviorSanitizer)"

# CTest's closing lines: "N% tests passed, F tests failed out of T", then the tests that did
# not run ("NN - name (Skipped)") and those that failed ("NN - name (Failed)").
total=0 failed=0 skipped=0 ran=0
skipped_names=()
for preset in plain sanitizers tsan fuzz; do
  log="$work/$preset.log"
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1 || true)
  if [[ -z $line ]]; then
    echo "$preset: CTest did not finish"
    failed=$((failed + 1))
    continue
  fi
  ran=$((ran + 1))
  total=$((total + $(awk '{print $NF}' <<<"$line")))
  failed=$((failed + $(sed -E 's/.* ([0-9]+) tests? failed.*/\1/' <<<"$line")))
  while read -r name; do
    skipped=$((skipped + 1))
    skipped_names+=("$name ($preset)")
  done < <(sed -nE 's/^[[:space:]]*[0-9]+ - (.*) \(Skipped\)$/\1/p' "$log")
done
passed=$((total - failed - skipped))
echo
for name in "${skipped_names[@]}"; do echo "skipped: $name"; done
echo "all: ${passed} passed, ${failed} failed, ${skipped} skipped"
[[ $failed -eq 0 && $ran -eq 4 ]]
