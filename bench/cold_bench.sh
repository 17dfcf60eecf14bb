#!/usr/bin/env bash
# The cold-process figures: each viewer started fresh with the file on its command line, timed
# from the process's start to its picture on screen, under Xvfb with a window manager, beside
# Debian's qimgv timed the same way in the same sitting.
#
#   bash bench/cold_bench.sh BUILD                  # BUILD: the bench build folder, already built
#   VTR_COLD_DROP=1 bash bench/cold_bench.sh BUILD  # the same with nothing in the page cache
#
# VTR_COLD_RUNS fresh processes of each program per file (default 5), alternating run by run
# (ours, qimgv, ours, qimgv, ...), each after a pause of VTR_COLD_PAUSE seconds (default 2: a
# virtual machine's balloon reports memory that one process freed to its host after about
# 2 s, so each process meets memory in the same state, not in the pages the last one left
# backed). The files (8- and 16-bit grey, 4096^2 and 8192^2, and 16-bit 16384^2) go to
# $VTR_BENCH_DIR/cold (default $TMPDIR/vtr-bench-files/cold, about 850 MB) and are read once
# before timing, so they are in the page cache. With VTR_COLD_DROP=1 they are not read ahead:
# before each pause the page cache is written back and dropped (sync; echo 3 >
# /proc/sys/vm/drop_caches; root only, skipped with its reason otherwise), so each process
# reads the file, and its own libraries, from the disk. The screen at the moment the grey
# showed, in the first run of each program on each file, is kept in $VTR_BENCH_DIR/cold/shots
# (shots-disk with VTR_COLD_DROP=1; PPM), to check what was timed. The summary (bench/cold_summary.py) judges the limits.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "$1" && pwd)"
runs="${VTR_COLD_RUNS:-5}"
pause="${VTR_COLD_PAUSE:-2}"
# A grey that nothing else on the screen shows: not the start-up picture (192), not its
# background, not qimgv's dark background, not the black root.
grey=160
tolerance=4
# The screen pixel watched in our window: the last drawn row and column that show in the
# picture's area without scrolling (client (510, 502) is picture pixel (492, 492): the area
# starts at (16, 8), inside a 2-pixel frame, and its scroll bars begin at 516 and 508).
point=510,502

drop="${VTR_COLD_DROP:-0}"

if [[ "${2:-}" != "--inside" ]]; then
  where="the file in the page cache"
  if [[ $drop == 1 ]]; then
    where="not in the page cache (caches dropped before each run)"
    if [[ $(id -u) != 0 || ! -w /proc/sys/vm/drop_caches ]]; then
      echo "cold process, $where: skipped, dropping the page cache needs root"
      exit 0
    fi
  fi
  folder="${VTR_BENCH_DIR:-${TMPDIR:-/tmp}/vtr-bench-files}/cold"
  mapfile -t files < <(/usr/bin/python3 "$here/cold_files.py" "$folder" "$grey")
  [[ $drop == 1 ]] || cat "${files[@]}" >/dev/null
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  printf '%s\n' "${files[@]}" >"$work/files"
  export VTR_COLD_SHOTS="$folder/shots"
  [[ $drop == 1 ]] && VTR_COLD_SHOTS="$folder/shots-disk"
  mkdir -p "$VTR_COLD_SHOTS"
  echo "cold process, $where: load average before $(cut -d' ' -f1-3 /proc/loadavg)"
  xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$build" --inside "$work"
  echo "cold process, $where: load average after $(cut -d' ' -f1-3 /proc/loadavg)"
  from=cache
  [[ $drop == 1 ]] && from=disk
  /usr/bin/python3 "$here/cold_summary.py" "$work/results" "$runs" "$where" "$from"
  exit 0
fi

# Inside the X server: a window manager, then each program in turn.
work="$3"
openbox --sm-disable >"$work/wm.log" 2>&1 &
wm=$!
trap 'kill "$wm" 2>/dev/null || true' EXIT
for _ in $(seq 50); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.1
done
export QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=1 QT_ENABLE_HIGHDPI_SCALING=0
poller="$build/bench/vtr_screen_poller"
ours="$build/bin/vantrel-tiff-reader"
: >"$work/results"

load() { cut -d' ' -f1 /proc/loadavg; }

# Before each process: the page cache dropped when asked, then the pause.
settle() {
  if [[ $drop == 1 ]]; then
    sync
    echo 3 >/proc/sys/vm/drop_caches
  fi
  sleep "$pause"
}

# One fresh process of program $1 on file $2, with a home and settings of its own; appends
# "file program shown_s window_s peak_kib load" (or "failed load") to the results, load being
# the load average of the last minute at the process's end. A third argument names the
# screenshot to keep.
one() {
  local who=$1 file=$2 shot=() home
  settle
  [[ -n ${3:-} ]] && shot=(--shot "$3")
  home=$(mktemp -d "$work/home.XXXXXX")
  mkdir -p "$home/config" "$home/cache" "$home/data" "$home/run"
  chmod 700 "$home/run"
  local where=(--point "$point")
  local command=("$ours" "$file")
  if [[ $who == qimgv ]]; then
    where=(--centre)
    command=(qimgv "$file")
  fi
  local line
  if line=$(HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_CACHE_HOME="$home/cache" \
    XDG_DATA_HOME="$home/data" XDG_RUNTIME_DIR="$home/run" \
    "$poller" --grey "$grey" --tolerance "$tolerance" "${where[@]}" --timeout 60 \
    --log "$home/log" "${shot[@]}" -- "${command[@]}" 2>"$home/err" </dev/null); then
    read -r _ shown _ _ window _ _ peak _ <<<"$line"
    echo "$(basename "$file" .tif) $who $shown $window $peak $(load)" >>"$work/results"
  else
    echo "$(basename "$file" .tif) $who failed: $(cat "$home/err")" >&2
    echo "$(basename "$file" .tif) $who failed $(load)" >>"$work/results"
  fi
  rm -rf "$home"
}

while read -r file; do
  name=$(basename "$file" .tif)
  one ours "$file" "$VTR_COLD_SHOTS/${name}_ours.ppm"
  one qimgv "$file" "$VTR_COLD_SHOTS/${name}_qimgv.ppm"
  for _ in $(seq 2 "$runs"); do
    one ours "$file"
    one qimgv "$file"
  done
done <"$work/files"
