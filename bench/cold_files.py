#!/usr/bin/python3
"""Writes the files of the cold-process benchmark: 8- and 16-bit greyscale, 4096 x 4096 and
8192 x 8192, uncompressed, "II", 16 rows a strip, each alone in a folder of its own (a viewer
that reads ahead in the file's folder finds nothing else there).

    cold_files.py FOLDER GREY     # prints the path of each file, written when missing

Every pixel whose column and row (counted from 0) are both even shows as grey GREY in this
viewer at its start-up settings (it draws every second pixel of every second row, 16-bit
values divided by 256); each other pixel is within 3 grey levels of it, so the image scaled
down in any way shows within 3 of GREY, while the histogram gets counts in seven bins."""
import os
import struct
import sys

import numpy

ROWS_PER_STRIP = 16
DATA_START = 16384


def header(side, bits):
    strips = (side + ROWS_PER_STRIP - 1) // ROWS_PER_STRIP
    row = side * bits // 8
    entries = [
        (256, 3, 1, side),
        (257, 3, 1, side),
        (258, 3, 1, bits),
        (259, 3, 1, 1),
        (262, 3, 1, 1),
        (273, 4, strips, None),  # strip offsets, after the IFD
        (277, 3, 1, 1),
        (278, 3, 1, ROWS_PER_STRIP),
        (279, 4, strips, None),  # strip byte counts, after the offsets
        (284, 3, 1, 1),
    ]
    offsets_at = 8 + 2 + 12 * len(entries) + 4
    counts_at = offsets_at + 4 * strips
    assert counts_at + 4 * strips <= DATA_START
    out = bytearray(b"II*\x00" + struct.pack("<I", 8) + struct.pack("<H", len(entries)))
    for tag, kind, count, value in entries:
        if tag == 273:
            value = offsets_at
        elif tag == 279:
            value = counts_at
        field = struct.pack("<HH", value, 0) if kind == 3 else struct.pack("<I", value)
        out += struct.pack("<HHI", tag, kind, count) + field
    out += struct.pack("<I", 0)
    stripbytes = [min(ROWS_PER_STRIP, side - s * ROWS_PER_STRIP) * row for s in range(strips)]
    out += struct.pack(f"<{strips}I", *(DATA_START + s * ROWS_PER_STRIP * row for s in range(strips)))
    out += struct.pack(f"<{strips}I", *stripbytes)
    return bytes(out.ljust(DATA_START, b"\x00"))


def greylevels(side, grey):
    """The grey level of each pixel: GREY where column and row are even, else GREY - 3 to
    GREY + 3, repeatable."""
    rng = numpy.random.default_rng(side)
    levels = (grey + rng.integers(-3, 4, size=(side, side), dtype=numpy.int16)).astype(numpy.uint16)
    levels[0::2, 0::2] = grey
    return levels


def write(path, side, bits, grey):
    levels = greylevels(side, grey)
    if bits == 8:
        pixels = levels.astype(numpy.uint8)
    else:
        low = numpy.random.default_rng(side + 1).integers(0, 256, size=(side, side), dtype=numpy.uint16)
        pixels = (levels * 256 + low).astype("<u2")
    part = path + ".part"
    with open(part, "wb") as out:
        out.write(header(side, bits))
        out.write(pixels.tobytes())
    os.replace(part, path)


def main():
    folder, grey = sys.argv[1], int(sys.argv[2])
    assert 3 <= grey <= 252
    for bits in (16, 8):
        for side in (4096, 8192):
            name = f"grey{bits}_{side}_g{grey}"
            os.makedirs(os.path.join(folder, name), exist_ok=True)
            path = os.path.join(folder, name, name + ".tif")
            size = DATA_START + side * side * bits // 8
            if not os.path.exists(path) or os.path.getsize(path) != size:
                print(f"writing {path}", file=sys.stderr)
                write(path, side, bits, grey)
            print(path)


if __name__ == "__main__":
    main()
