#!/usr/bin/env bash
# Builds the benchmarks in a Release tree (build-bench, or $VTR_BENCH_BUILD) and runs them,
# each figure printed against its limit, "ok" or "OVER" (bench/README.md says how each limit
# was set):
# - vtr_bench: the get-image path (header, store, decode, paint, the whole click) for every
#   kind at 1024^2, 4096^2 and 8192^2 pixels (medians of 5 repetitions), against libtiff and
#   against the memory and paint floors run on the same workers (decode / memfloor, paint /
#   paintfloor, getimage / (memfloor + paintfloor) judged from 4096^2);
# - vtr_window_bench: the real window, offscreen, loading an 8192 x 8192 16-bit file 5 times,
#   each beside the same click without a window (window / without, its peak memory against
#   the store and the picture), then the window's responsiveness figures (event-pump gap
#   during a load, a line added to a long message area, a long header dump, a chart feed);
# - bench/cold_bench.sh: a fresh viewer from its start to its picture on screen, beside qimgv,
#   the files in the page cache (or dropped, cold-disk): ours / qimgv at 8192^2 8- and 16-bit
#   and 16384^2 16-bit, our peak at 8192^2 16-bit, our cost a pixel between sizes against
#   qimgv's;
# - bench/header_cli.sh: the command line in a shell loop against tiffinfo.
#
#   bash scripts/bench.sh                      # everything (about 25 minutes on 2 cores)
#   bash scripts/bench.sh '/4096'              # only the benchmarks whose names match
#   bash scripts/bench.sh window               # only the window
#   bash scripts/bench.sh cold                 # only the cold process, files in the page cache
#   bash scripts/bench.sh cold-disk            # only the cold process, the page cache dropped
#                                              # before each process (root; not in "everything")
#   bash scripts/bench.sh header               # only --header against tiffinfo (bench/header_cli.sh)
#
# The generated files go to $VTR_BENCH_DIR (default $TMPDIR/vtr-bench-files, about 1.6 GB)
# and are reused while their size is right. Each part prints the load average before and
# after its figures. Run it when the machine is otherwise quiet.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh bench
build="${VTR_BENCH_BUILD:-build-bench}"
filter="${1:-.}"
jobs=$(nproc)

cmake --preset bench -B "$build" >/dev/null
cmake --build "$build" -j "$jobs" --target vtr_bench vtr_window_bench \
  vtr_screen_poller vantrel-tiff-reader

# The load average beside each part's figures: figures taken beside other work differ.
loadavg() { echo "$1: load average $(cut -d' ' -f1-3 /proc/loadavg)"; }

case "$filter" in window | cold | cold-disk | header) only=1 ;; *) only=0 ;; esac
if [[ $only == 0 ]]; then
  loadavg "in-process benchmarks, before"
  "$build/bench/vtr_bench" --benchmark_filter="$filter" --benchmark_repetitions=5 \
    --benchmark_report_aggregates_only=true
  loadavg "in-process benchmarks, after"
fi

if [[ "$filter" == "." || "$filter" == "window" ]]; then
  loadavg "window, before"
  QT_QPA_PLATFORM=offscreen "$build/bench/vtr_window_bench" 5
  loadavg "window, after"
fi

if [[ "$filter" == "." || "$filter" == "cold" ]]; then
  bash bench/cold_bench.sh "$build"
fi
if [[ "$filter" == "cold-disk" ]]; then VTR_COLD_DROP=1 bash bench/cold_bench.sh "$build"; fi
if [[ "$filter" == "." || "$filter" == "header" ]]; then bash bench/header_cli.sh "$build"; fi
