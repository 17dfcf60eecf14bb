#!/usr/bin/env bash
# Installs what is missing, builds the viewer and runs every test: a plain build, then a
# build under AddressSanitizer and UndefinedBehaviorSanitizer, then each fuzz target for a
# short, bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
jobs=$(nproc)
log=$(mktemp)
trap 'rm -f "$log"' EXIT

echo "== plain build =="
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVTR_WITH_QT=ON >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs" --timeout 600 | tee -a "$log"

echo "== AddressSanitizer + UndefinedBehaviorSanitizer build =="
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVTR_SANITIZE=ON -DVTR_WITH_QT=ON >/dev/null
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs" --timeout 900 | tee -a "$log"

echo "== fuzz targets, 60 s each (libFuzzer + AddressSanitizer + UndefinedBehaviorSanitizer) =="
bash scripts/fuzz.sh 60

# Both CTest runs passed (a failure stops the script above); count what they ran.
total=$(grep -oE 'tests passed, 0 tests failed out of [0-9]+' "$log" | awk '{n += $NF} END {print n + 0}')
echo
echo "all: ${total} passed, 0 failed"
