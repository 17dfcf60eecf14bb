#!/usr/bin/env bash
# The header dump from the command line against libtiff's tiffinfo: one call of
# `vantrel-tiff-reader --header` over 1,000 small files (64 x 64 pixels, 8- and 16-bit grey
# and 8-bit RGB, both byte orders) and one call of `tiffinfo` over the same files, each the
# median of 5 runs with the output thrown away, and their ratio. No display is used.
#
#   bash bench/header_cli.sh [BUILD_DIR]     # default build-bench; scripts/bench.sh calls it
#
# The files go to $VTR_BENCH_DIR/headers (default $TMPDIR/vtr-bench-files/headers).
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build-bench}"
[[ -f "$build/CMakeCache.txt" ]] || cmake --preset bench -B "$build" >/dev/null
cmake --build "$build" --target vantrel-tiff-reader >/dev/null
program="$build/ui/qt/vantrel-tiff-reader"
dir="${VTR_BENCH_DIR:-${TMPDIR:-/tmp}/vtr-bench-files}/headers"
count=1000

if [[ $(find "$dir" -name '*.tif' 2>/dev/null | wc -l) -ne $count ]]; then
  rm -rf "$dir"
  mkdir -p "$dir"
  /usr/bin/python3 - "$dir" "$count" <<'PY'
import sys
import numpy as np
import tifffile
out, count = sys.argv[1], int(sys.argv[2])
kinds = [(np.uint8, ()), (np.uint16, ()), (np.uint8, (3,))]
for i in range(count):
    dtype, extra = kinds[i % 3]
    data = np.full((64, 64) + extra, i % 251, dtype)
    tifffile.imwrite(f"{out}/f{i:04d}.tif", data, byteorder="<>"[i % 2],
                     photometric="rgb" if extra else "minisblack", rowsperstrip=16)
PY
fi
files=("$dir"/*.tif)

# Microseconds of the median of 5 runs of the command.
median() {
  local runs=() start
  for _ in 1 2 3 4 5; do
    start=${EPOCHREALTIME/./}
    "$@" >/dev/null 2>&1 || true
    runs+=($((${EPOCHREALTIME/./} - start)))
  done
  printf '%s\n' "${runs[@]}" | sort -n | sed -n 3p
}

unset DISPLAY WAYLAND_DISPLAY
# The dump must be whole for the figure to count.
"$program" --header "${files[@]}" >/dev/null
ours=$(median "$program" --header "${files[@]}")
theirs=$(median tiffinfo "${files[@]}")
awk -v n="$count" -v a="$ours" -v b="$theirs" 'BEGIN {
  printf "header dump, %d files in one call: --header %.3f s, tiffinfo %.3f s, ratio %.2f\n",
         n, a / 1e6, b / 1e6, a / b }'
