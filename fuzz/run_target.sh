#!/usr/bin/env bash
# Runs one libFuzzer target for a bounded time on the seed corpus, the third-party files and
# the regression files. Fails on a crash, a hang (an input over 2 s), a leak or running out
# of memory. Found inputs are kept in BUILD/corpus/TARGET, crashes in BUILD/artifacts/.
#
#   fuzz/run_target.sh BUILD TARGET SECONDS     (SECONDS 0: until interrupted)
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
name=$2
seconds=$3

seeds=("$build/fuzz/seeds" "$source_dir/tests/data/corpus/libtiff"
  "$source_dir/tests/data/corpus/pillow" "$source_dir/tests/data/regressions")
mkdir -p "$build/corpus/$name" "$build/artifacts"
exec "$build/fuzz/vtr_fuzz_$name" \
  -max_total_time="$seconds" -timeout=2 -rss_limit_mb=2048 -max_len=65536 \
  -dict="$source_dir/fuzz/tiff.dict" -print_final_stats=1 \
  -artifact_prefix="$build/artifacts/$name-" \
  "$build/corpus/$name" "${seeds[@]}"
