#!/usr/bin/python3
"""Prints the cold-process table from the lines of bench/cold_bench.sh:
"NAME PROGRAM SHOWN_S WINDOW_S PEAK_KIB" or "NAME PROGRAM failed", NAME as grey16_8192_g160.

    cold_summary.py RESULTS RUNS

Times are medians of the fresh processes with min-max in brackets; peaks are the median of the
processes' peak resident memory. The 8192 x 8192 16-bit file is judged against its limits:
at most 1.5 s, at most 2 x qimgv's time, and a peak of at most 1.5 x (file size + picture),
the picture being the half-scale grey picture the window holds, one byte a pixel
(bench/README.md says where the limits come from)."""
import statistics
import sys

TIME_LIMIT_S = 1.5
RATIO_LIMIT = 2.0
PEAK_FACTOR = 1.5
HEADER_BYTES = 16384
MIB = 1 << 20


def spread(values):
    if not values:
        return "failed"
    return f"{statistics.median(values):.3f} ({min(values):.3f}-{max(values):.3f})"


def verdict(ok):
    return "ok" if ok else "OVER"


def main():
    path, runs = sys.argv[1], int(sys.argv[2])
    figures = {}
    for line in open(path):
        words = line.split()
        name, who = words[0], words[1]
        entry = figures.setdefault(name, {}).setdefault(who, {"shown": [], "window": [], "peak": [], "failed": 0})
        if words[2] == "failed":
            entry["failed"] += 1
            continue
        entry["shown"].append(float(words[2]))
        entry["window"].append(float(words[3]))
        entry["peak"].append(int(words[4]) / 1024)

    print(f"\ncold process: start to picture on screen, s, median of {runs} fresh processes "
          "(min-max), alternating ours and qimgv; peak resident MiB (median)")
    print(f"  {'file':<20} {'ours':<22} {'qimgv':<22} {'ours/qimgv':<11} {'peak ours':<10} "
          f"{'peak qimgv':<11} {'our window up':<13}")
    judged = None
    for name, by in figures.items():
        bits, side = name.split("_")[0][4:], int(name.split("_")[1])
        ours, qimgv = by.get("ours", {}), by.get("qimgv", {})
        o, q = ours.get("shown", []), qimgv.get("shown", [])
        ratio = statistics.median(o) / statistics.median(q) if o and q else None
        peak_o = statistics.median(ours["peak"]) if o else None
        peak_q = statistics.median(qimgv["peak"]) if q else None
        window_o = statistics.median(ours["window"]) if o else None
        label = f"{side} x {side} {bits}-bit"
        print(f"  {label:<20} {spread(o):<22} {spread(q):<22} "
              f"{f'{ratio:.2f}' if ratio else '-':<11} {f'{peak_o:.0f}' if peak_o else '-':<10} "
              f"{f'{peak_q:.0f}' if peak_q else '-':<11} {f'{window_o:.3f}' if o else '-':<13}")
        failed = ours.get("failed", 0) + qimgv.get("failed", 0)
        if failed:
            print(f"    {failed} run(s) failed (the poller's message is above)")
        if bits == "16" and side == 8192:
            judged = (o, ratio, peak_o, side, int(bits))
    if judged is None:
        return
    o, ratio, peak_o, side, bits = judged
    file_mib = (HEADER_BYTES + side * side * bits // 8) / MIB
    picture_mib = (side // 2) * (side // 2) / MIB
    peak_limit = PEAK_FACTOR * (file_mib + picture_mib)
    if not o or ratio is None:
        print("  8192 x 8192 16-bit: no figure (OVER)")
        return
    shown = statistics.median(o)
    print(f"  8192 x 8192 16-bit: {shown:.3f} s (limit {TIME_LIMIT_S} s: {verdict(shown <= TIME_LIMIT_S)}), "
          f"{ratio:.2f} x qimgv (limit {RATIO_LIMIT:g} x: {verdict(ratio <= RATIO_LIMIT)}), "
          f"peak {peak_o:.0f} MiB (limit {PEAK_FACTOR} x ({file_mib:.0f} MiB file + "
          f"{picture_mib:.0f} MiB picture) = {peak_limit:.0f} MiB: {verdict(peak_o <= peak_limit)})")


if __name__ == "__main__":
    main()
