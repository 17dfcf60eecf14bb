#!/usr/bin/env bash
# The command line as shell loops use it: one call a file. A loop of `vantrel-tiff-reader
# --header FILE`, one of `vantrel-tiff-reader --info FILE` and one of libtiff's `tiffinfo
# FILE` over the same 200 small files (64 x 64 pixels, 8- and 16-bit grey and 8-bit RGB, both
# byte orders), the three loops taken in turn 5 times in the same sitting, output thrown
# away, no display. Prints each one's median time a file, the ratios to tiffinfo and the
# limit: at most tiffinfo's time a file ("ok" or "OVER").
#
#   bash bench/header_cli.sh [BUILD_DIR]     # default build-bench; scripts/bench.sh calls it
#
# The files go to $VTR_BENCH_DIR/headers200 (default $TMPDIR/vtr-bench-files/headers200).
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build-bench}"
[[ -f "$build/CMakeCache.txt" ]] || cmake --preset bench -B "$build" >/dev/null
cmake --build "$build" --target vantrel-tiff-reader >/dev/null
program="$build/bin/vantrel-tiff-reader"
dir="${VTR_BENCH_DIR:-${TMPDIR:-/tmp}/vtr-bench-files}/headers200"
count=200
rounds=5

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

# Microseconds of one loop of the command over every file, one call a file.
loop() {
  local start=${EPOCHREALTIME/./}
  for f in "${files[@]}"; do "$@" "$f" >/dev/null 2>&1 || true; done
  echo $((${EPOCHREALTIME/./} - start))
}

unset DISPLAY WAYLAND_DISPLAY
# The output must be whole for the figure to count.
"$program" --header "${files[0]}" | grep -q 'End of header contents'
"$program" --info "${files[0]}" | grep -q '"verdict":"shows"'
cat "${files[@]}" >/dev/null
echo "header loop: load average before $(cut -d' ' -f1-3 /proc/loadavg)"
header=() info=() theirs=()
for _ in $(seq "$rounds"); do
  header+=("$(loop "$program" --header)")
  info+=("$(loop "$program" --info)")
  theirs+=("$(loop tiffinfo)")
done
echo "header loop: load average after $(cut -d' ' -f1-3 /proc/loadavg)"
median() { printf '%s\n' "$@" | sort -n | sed -n "$(($# / 2 + 1))p"; }
awk -v n="$count" -v r="$rounds" -v h="$(median "${header[@]}")" -v i="$(median "${info[@]}")" \
  -v t="$(median "${theirs[@]}")" 'BEGIN {
  printf "one call a file, %d files (median of %d loops): --header %.2f ms a file, --info %.2f ms a file, tiffinfo %.2f ms a file\n",
         n, r, h / n / 1e3, i / n / 1e3, t / n / 1e3
  printf "--header / tiffinfo %.2f (limit 1.00: %s), --info / tiffinfo %.2f (limit 1.00: %s)\n",
         h / t, h <= t ? "ok" : "OVER", i / t, i <= t ? "ok" : "OVER" }'
