#!/usr/bin/python3
"""Prints the cold-process table from the lines of bench/cold_bench.sh:
"NAME PROGRAM SHOWN_S WINDOW_S PEAK_KIB LOAD" or "NAME PROGRAM failed LOAD", NAME as
grey16_8192_g160, LOAD the load average of the last minute as the process ended.

    cold_summary.py RESULTS RUNS [WHERE [disk]]  # WHERE: a few words on where the files were;
                                                 # disk: the page cache was dropped before each run

Times are medians of the fresh processes with min-max in brackets; peaks are the median of the
processes' peak resident memory; beside each file, the least and most load average of its
runs. Then, for each depth, the cost of a pixel between sizes for
each program: the growth of the median time from one size to the next over the pixels added,
in ns a pixel. Judged, "ok" or "OVER": our time at most a fixed share of qimgv's for three
files, our peak at 8192 x 8192 16-bit, and our cost a pixel at most qimgv's; the last is only
printed when the files came from disk, where the disk's speed, the same for both programs,
sets it (bench/README.md says where the limits come from)."""
import statistics
import sys

# Ours / qimgv, medians, at most; by (bits, side).
RATIO_LIMITS = {(16, 8192): 0.85, (8, 8192): 1.0, (16, 16384): 1.0}
# Our peak resident memory at (bits, side), MiB, at most.
PEAK_LIMITS = {(16, 8192): 200}
PROGRAMS = ("ours", "qimgv")


def spread(values):
    if not values:
        return "failed"
    return f"{statistics.median(values):.3f} ({min(values):.3f}-{max(values):.3f})"


def verdict(ok):
    return "ok" if ok else "OVER"


def median(entry, field):
    values = entry.get(field, []) if entry else []
    return statistics.median(values) if values else None


def read(path):
    """{(bits, side): {program: {"shown": [], "window": [], "peak": [], "failed": n}}}"""
    figures = {}
    for line in open(path):
        words = line.split()
        name, who = words[0], words[1]
        bits, side = int(name.split("_")[0][4:]), int(name.split("_")[1])
        entry = figures.setdefault((bits, side), {}).setdefault(
            who, {"shown": [], "window": [], "peak": [], "failed": 0, "load": []})
        entry["load"].append(float(words[-1]))
        if words[2] == "failed":
            entry["failed"] += 1
            continue
        entry["shown"].append(float(words[2]))
        entry["window"].append(float(words[3]))
        entry["peak"].append(int(words[4]) / 1024)
    return figures


def table(figures):
    print(f"  {'file':<21} {'ours':<22} {'qimgv':<22} {'ours/qimgv':<11} {'peak ours':<10} "
          f"{'peak qimgv':<11} {'our window up':<14} load average")
    for (bits, side), by in figures.items():
        ours, qimgv = by.get("ours", {}), by.get("qimgv", {})
        o, q = median(ours, "shown"), median(qimgv, "shown")
        ratio = o / q if o and q else None
        peak_o, peak_q, up = median(ours, "peak"), median(qimgv, "peak"), median(ours, "window")
        label = f"{side} x {side} {bits}-bit"
        loads = ours.get("load", []) + qimgv.get("load", [])
        print(f"  {label:<21} {spread(ours.get('shown')):<22} {spread(qimgv.get('shown')):<22} "
              f"{f'{ratio:.2f}' if ratio else '-':<11} {f'{peak_o:.0f}' if peak_o else '-':<10} "
              f"{f'{peak_q:.0f}' if peak_q else '-':<11} {f'{up:.3f}' if up else '-':<14} "
              f"{min(loads):.2f}-{max(loads):.2f}")
        for who in PROGRAMS:
            failed = by.get(who, {}).get("failed", 0)
            if failed:
                print(f"    {who}: {failed} run(s) failed (the poller's message is above)")


def costs(figures):
    """The cost of a pixel between each two next sizes of a depth, for each program: ns a
    pixel, None where a median is missing."""
    rows = []
    for bits in sorted({b for b, _ in figures}, reverse=True):
        sides = sorted(s for b, s in figures if b == bits)
        for small, large in zip(sides, sides[1:]):
            added = large * large - small * small
            cost = {}
            for who in PROGRAMS:
                a = median(figures[(bits, small)].get(who), "shown")
                b = median(figures[(bits, large)].get(who), "shown")
                cost[who] = (b - a) / added * 1e9 if a is not None and b is not None else None
            rows.append((bits, small, large, cost))
    return rows


def judge(figures, cost_rows, judge_costs):
    for (bits, side), limit in RATIO_LIMITS.items():
        by = figures.get((bits, side))
        if by is None:
            continue
        o, q = median(by.get("ours"), "shown"), median(by.get("qimgv"), "shown")
        label = f"{side} x {side} {bits}-bit"
        if o is None:
            print(f"  {label}: ours showed nothing (OVER)")
        elif q is None:
            print(f"  {label}: ours {o:.3f} s; qimgv showed nothing, no ratio to judge")
        else:
            print(f"  {label}: ours / qimgv {o / q:.2f} (limit {limit:g}: {verdict(o / q <= limit)})")
    for (bits, side), limit in PEAK_LIMITS.items():
        peak = median(figures.get((bits, side), {}).get("ours"), "peak")
        if peak is not None:
            print(f"  {side} x {side} {bits}-bit: our peak {peak:.0f} MiB "
                  f"(limit {limit} MiB: {verdict(peak <= limit)})")
    for bits, small, large, cost in cost_rows:
        o, q = cost["ours"], cost["qimgv"]
        span = f"{bits}-bit {small}^2 to {large}^2"
        if not judge_costs:
            continue
        if o is None:
            print(f"  {span}: no cost a pixel of ours (OVER)")
        elif q is None:
            print(f"  {span}: our cost a pixel {o:.2f} ns; qimgv's unknown, not judged")
        else:
            print(f"  {span}: our cost a pixel {o:.2f} ns, qimgv's {q:.2f} ns "
                  f"(limit qimgv's: {verdict(o <= q)})")


def main():
    path, runs = sys.argv[1], int(sys.argv[2])
    where = sys.argv[3] if len(sys.argv) > 3 else "the file in the page cache"
    from_disk = len(sys.argv) > 4 and sys.argv[4] == "disk"
    figures = read(path)
    print(f"\ncold process, {where}: start to picture on screen, s, median of {runs} fresh "
          "processes (min-max), alternating ours and qimgv; peak resident MiB (median)")
    table(figures)
    cost_rows = costs(figures)
    print("  cost a pixel between sizes: (median at the larger - median at the smaller) / "
          "pixels added, ns")
    for bits, small, large, cost in cost_rows:
        text = "  ".join(f"{who} {cost[who]:.2f}" if cost[who] is not None else f"{who} -"
                         for who in PROGRAMS)
        print(f"    {bits}-bit {small}^2 to {large}^2: {text}")
    print(f"  limits, {where}:")
    if from_disk:
        print("  (the cost a pixel from disk is the disk's as much as each program's: not judged)")
    judge(figures, cost_rows, not from_disk)


if __name__ == "__main__":
    main()
