#!/usr/bin/python3
"""Writes the files of the cold-process benchmark: 8- and 16-bit greyscale, 4096 x 4096 and
8192 x 8192, and 16-bit also 16384 x 16384 (a 512 MiB file), uncompressed, "II", 16 rows a
strip, each alone in a folder of its own (a viewer that reads ahead in the file's folder finds
nothing else there).

    cold_files.py FOLDER GREY     # prints the path of each file, written when missing

Every pixel whose column and row (counted from 0) are both even shows as grey GREY in this
viewer at its start-up settings (it draws every second pixel of every second row, 16-bit
values divided by 256); each other pixel is within 3 grey levels of it, so the image scaled
down in any way shows within 3 of GREY, while the histogram gets counts in seven bins."""
import os
import sys

import numpy

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "tools"))
from tiff_writer import SHORT, back_to_back, image_entries, tiff  # noqa: E402

ROWS_PER_STRIP = 16
DATA_START = 16384
# The sides written for each depth, smallest first.
SIDES = {16: (4096, 8192, 16384), 8: (4096, 8192)}


def header(side, bits):
    """The file up to its pixels, which start at DATA_START."""
    row = side * bits // 8
    counts = [min(ROWS_PER_STRIP, side - y) * row for y in range(0, side, ROWS_PER_STRIP)]
    entries = image_entries(side, side, bits, ROWS_PER_STRIP, back_to_back(counts))
    return tiff(entries + [(284, SHORT, 1, 1)], data_at=DATA_START)


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
    for bits, sides in SIDES.items():
        for side in sides:
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
