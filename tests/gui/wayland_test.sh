#!/usr/bin/env bash
# The program on a Wayland compositor with no X server at all: weston's headless backend, with
# a runtime folder of its own, and the viewer started with QT_QPA_PLATFORM=wayland on FILE.
# A screenshot of the compositor's output must show the file's picture, and the window's app
# id must be the desktop entry's name. Exits 77 (skipped) where weston, its screenshot client
# or the Python image tools are missing, or where weston cannot start.
set -uo pipefail
program="$1"
sample="$(realpath "$2")"

skip() { echo "SKIPPED: $*"; exit 77; }
for tool in weston weston-screenshooter; do
  command -v "$tool" >/dev/null || skip "$tool is not installed"
done
/usr/bin/python3 -c 'import PIL, numpy' 2>/dev/null || skip "python3-pil or python3-numpy is missing"

work=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }
mkdir -m 700 "$work/runtime" "$work/home" "$work/shots"
export XDG_RUNTIME_DIR="$work/runtime" WAYLAND_DISPLAY=vtr-test HOME="$work/home"
unset DISPLAY

# Screenshots need --debug; the headless backend draws only with a renderer named.
weston --backend=headless-backend.so --use-pixman --width=1024 --height=768 --idle-time=0 \
  --socket="$WAYLAND_DISPLAY" --debug </dev/null >"$work/weston.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do [[ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ]] && break; sleep 0.1; done
[[ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ]] ||
  skip "weston could not start: $(tail -n 3 "$work/weston.log" | tr '\n' ' ')"

# The client's protocol log names the app id it gives its window.
QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=client "$program" "$sample" </dev/null \
  >"$work/viewer.out" 2>"$work/viewer.err" &
viewer=$!
pids+=($viewer)

found=1
for _ in $(seq 30); do
  sleep 1
  kill -0 "$viewer" 2>/dev/null || { tail -n 20 "$work/viewer.err"; fail "the viewer ended"; }
  rm -f "$work/shots/"*.png
  (cd "$work/shots" && timeout 5 weston-screenshooter) >/dev/null 2>&1 || continue
  shot=$(ls "$work/shots/"*.png 2>/dev/null | head -n 1)
  [[ -n "$shot" ]] || continue
  /usr/bin/python3 - "$shot" "$sample" <<'PY'
import sys
import numpy as np
from PIL import Image
screen = np.asarray(Image.open(sys.argv[1]).convert("L"), dtype=np.int16)
image = np.asarray(Image.open(sys.argv[2]).convert("L"), dtype=np.int16)
# Display pixel (c, r) of the picture shows image pixel (2c - 2, 2r - 2), counted from 0, at
# full range; column and row 0 are left out.
want = image[0:-2:2, 0:-2:2]
h, w = want.shape
# Candidate places from an 8 x 8 patch around the brightest pixel, then the whole picture.
py, px = np.unravel_index(np.argmax(want[: h - 8, : w - 8]), (h - 8, w - 8))
patch = want[py : py + 8, px : px + 8]
H, W = screen.shape[0] - h + 1, screen.shape[1] - w + 1
hits = np.ones((H, W), dtype=bool)
for dy in range(8):
    for dx in range(8):
        hits &= screen[py + dy : py + dy + H, px + dx : px + dx + W] == patch[dy, dx]
best = 0
for y, x in zip(*np.nonzero(hits)):
    best = max(best, int((screen[y : y + h, x : x + w] == want).sum()))
print(f"the screenshot shows the opened image in {best} of {h * w} pixels")
sys.exit(0 if best >= 0.99 * h * w else 1)
PY
  found=$? && [[ $found -eq 0 ]] && break
done
[[ $found -eq 0 ]] || fail "no picture on the screen"
app_id=$(grep -o 'set_app_id("[^"]*")' "$work/viewer.err" | head -n 1)
[[ $app_id == 'set_app_id("org.vantrel.TiffReader")' ]] || fail "app id: ${app_id:-none}"
echo "wayland test: the picture is on the screen; $app_id"
