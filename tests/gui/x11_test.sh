#!/usr/bin/env bash
# The window under a real X server: a screenshot matches the design (button colours at the
# design centres, the picture in its place), and the copied picture can be pasted by another
# program while the viewer still runs.
# Exits 77 (skipped) when xvfb-run, ImageMagick's import or xclip is missing.
set -uo pipefail
driver="$1"
sample="$2"

skip() { echo "SKIPPED: $*"; exit 77; }
command -v xvfb-run >/dev/null || skip "xvfb-run is not installed"
command -v import >/dev/null || skip "ImageMagick import is not installed"
command -v xclip >/dev/null || skip "xclip is not installed"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cat >"$work/session.sh" <<'INNER'
#!/usr/bin/env bash
set -uo pipefail
driver="$1"; sample="$2"; work="$3"
export QT_QPA_PLATFORM=xcb
"$driver" load "$sample" copy 20 >"$work/driver.out" 2>"$work/driver.err" &
pid=$!
for _ in $(seq 150); do grep -q '^ready' "$work/driver.out" 2>/dev/null && break; sleep 0.1; done
grep -q '^ready' "$work/driver.out" || { echo "viewer not ready"; cat "$work/driver.err"; kill "$pid"; exit 1; }
sleep 1
import -window root "$work/screen.png"
xclip -selection clipboard -t TARGETS -o >"$work/targets.txt" 2>&1
xclip -selection clipboard -t image/png -o >"$work/clip.png" 2>"$work/xclip.err"
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null
exit 0
INNER
xvfb-run -a -s "-screen 0 1024x768x24" bash "$work/session.sh" "$driver" "$sample" "$work" || exit 1
cat "$work/driver.out"

/usr/bin/python3 - "$work" <<'PY'
import sys
from PIL import Image
work = sys.argv[1]
out = dict(line.split(": ", 1) for line in open(f"{work}/driver.out").read().splitlines())
ox, oy = (int(v) for v in out["origin"].split(","))
assert out["top"] == "image copied to clipboard", out["top"]
screen = Image.open(f"{work}/screen.png").convert("RGB")
failures = []
def px(twips):
    return (twips + 7) // 15
# Button centres in twips (left + width / 2, top + height / 2), away from the caption text:
# sampled two pixels inside the left edge at mid height.
buttons = {
    "exit": ((12120, 120, 375), (255, 0, 0)),
    "get image": ((8640, 840, 375), (128, 204, 255)),
    "getheader": ((9960, 840, 375), (128, 204, 255)),
    "print": ((11040, 840, 375), (128, 204, 255)),
    "copy": ((12120, 840, 375), (128, 204, 255)),
    "refresh": ((8640, 120, 375), (128, 204, 255)),
    "clear": ((9960, 120, 375), (128, 204, 255)),
    "help": ((11040, 120, 375), (128, 204, 255)),
    "Invert": ((12120, 2760, 255), (255, 255, 255)),
    "reset": ((8640, 2760, 255), (16, 250, 253)),
    "bestfit": ((9960, 2760, 255), (16, 250, 253)),
    "fullrange": ((11040, 2760, 255), (16, 250, 253)),
}
for name, ((left, top, height), want) in buttons.items():
    at = (ox + px(left) + 2, oy + px(top) + px(height) // 2)
    got = screen.getpixel(at)
    if any(abs(a - b) > 3 for a, b in zip(got, want)):
        failures.append(f"{name} at {at}: {got}, want {want}")

clip = Image.open(f"{work}/clip.png").convert("RGB")
if clip.size != (128, 128):
    failures.append(f"clipboard picture {clip.size}, want (128, 128)")
else:
    # The picture sits inside the 2-pixel frame of its area at (240, 120) twips.
    px0, py0 = ox + px(240) + 2, oy + px(120) + 2
    shown = screen.crop((px0, py0, px0 + 128, py0 + 128))
    same = sum(a == b for a, b in zip(clip.getdata(), shown.getdata()))
    print(f"clipboard picture matches the screen in {same} of {128 * 128} pixels")
    if same < 128 * 128 * 0.99:
        failures.append("clipboard picture differs from the picture on screen")
    greys = [p[0] for p in clip.getdata() if p[0] == p[1] == p[2]]
    if len(greys) != 128 * 128 or max(greys) - min(greys) < 100:
        failures.append("clipboard picture is not the grey image")
for f in failures:
    print("FAIL:", f)
sys.exit(1 if failures else 0)
PY
rc=$?
[[ $rc -eq 0 ]] && echo "x11 test: all checks passed"
exit $rc
