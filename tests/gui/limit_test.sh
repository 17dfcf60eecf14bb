#!/usr/bin/env bash
# The window under a real address-space limit (prlimit --as): lowering the limit from the
# session's peak in steps of half a picture until the image's store is refused, every run must
# end normally (never killed by the kernel or a signal). The store is judged against the
# limit with room to spare, so the picture and the clipboard copy are normally had; where one
# of them is not, its not-enough-memory line is written and the old picture kept.
# Exits 77 (skipped) without prlimit or python3, or under AddressSanitizer, which reserves
# far more address space than any such limit allows.
set -uo pipefail
driver="$1"

skip() { echo "SKIPPED: $*"; exit 77; }
command -v prlimit >/dev/null || skip "prlimit is not installed"
command -v python3 >/dev/null || skip "python3 is not installed"
ldd "$driver" 2>/dev/null | grep -q libasan && skip "AddressSanitizer: address-space limits do not work"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen

# A 4096 x 4096 8-bit grey image in one strip: a store of 16 MiB, a picture of 16 MiB.
python3 - "$work/big.tif" <<'PY'
import struct, sys
w = l = 4096
entries = [(256, 4, 1, w), (257, 4, 1, l), (258, 3, 1, 8), (259, 3, 1, 1), (262, 3, 1, 1),
           (273, 4, 1, 0), (277, 3, 1, 1), (278, 4, 1, l), (279, 4, 1, w * l)]
data_at = 8 + 2 + 12 * len(entries) + 4
out = bytearray(b"II*\x00" + struct.pack("<I", 8) + struct.pack("<H", len(entries)))
for tag, kind, count, value in entries:
    if tag == 273:
        value = data_at
    packed = struct.pack("<HH", value, 0) if kind == 3 else struct.pack("<I", value)
    out += struct.pack("<HHI", tag, kind, count) + packed
out += struct.pack("<I", 0)
out += bytes((x * 7 + y * 13) % 256 for y in range(64) for x in range(w)) * (l // 64)
open(sys.argv[1], "wb").write(out)
PY

"$driver" load "$work/big.tif" copy 0 >"$work/free.out" 2>/dev/null || { echo "no session"; exit 1; }
grep -q '^picture: 2048x2048' "$work/free.out" || { echo "unlimited:"; cat "$work/free.out"; exit 1; }
peak=$(sed -n 's/^peak: //p' "$work/free.out")
[[ "$peak" =~ ^[0-9]+$ ]] || skip "no peak address space in /proc/self/status"
step=8192  # kB, half a picture
seen_copy=0
seen_picture=0
for i in $(seq 1 80); do
  limit=$(( (peak - i * step) * 1024 ))
  prlimit --as="$limit" "$driver" load "$work/big.tif" copy 0 >"$work/run.out" 2>"$work/run.err"
  rc=$?
  if (( rc != 0 )); then
    echo "killed or failed under --as=$limit (status $rc)"; tail -5 "$work/run.err"; exit 1
  fi
  if grep -q '^error: \[error\] not enough memory to copy the picture$' "$work/run.out"; then
    seen_copy=1
  fi
  if grep -q '^error: \[error\] not enough memory for a 2048 x 2048 picture$' "$work/run.out"; then
    # The picture the window had stays.
    grep -q '^picture: 512x512$' "$work/run.out" || { cat "$work/run.out"; exit 1; }
    seen_picture=1
  fi
  if grep -q '^error: \[error\] not enough memory for a 4096 x 4096 image$' "$work/run.out"; then
    echo "store refused from --as=$limit on; copy line seen: $seen_copy, picture line seen: $seen_picture"
    exit 0
  fi
done
echo "the store was never refused, down to --as=$limit"; exit 1
