#!/usr/bin/python3
"""Writes the sample images: one small synthetic fluorescence-like picture of each kind the
viewer reads. Run once; the images are committed beside this script.

  make_samples.py [OUTPUT_DIR]    (default: beside this script)

  grey8_ii.tif    8-bit grey, little-endian ("II"), several strips
  grey12_ii.tif   12-bit grey, packed two pixels in three bytes, written byte by byte
                  (tests/tools/tiff_writer.py)
  grey16_mm.tif   16-bit grey, big-endian ("MM")
  rgb8_ii.tif     8-bit RGB, interleaved
"""
import os
import sys

import numpy as np
import tifffile

SIZE = 256
HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tests", "tools"))
from tiff_writer import (RATIONAL, SHORT, back_to_back, image_entries, pack12,  # noqa: E402
                         rational, tiff)


def cells(seed, size=SIZE):
    """Bright round cells with nuclei on a dim, uneven background, values 0..1."""
    rng = np.random.default_rng(seed)
    y, x = np.mgrid[0:size, 0:size].astype(np.float64)
    img = 0.08 + 0.05 * np.sin(x / 40.0) * np.cos(y / 55.0)
    for _ in range(14):
        cx, cy = rng.uniform(20, size - 20, 2)
        r = rng.uniform(9, 22)
        d2 = ((x - cx) ** 2 + (y - cy) ** 2) / r**2
        img += rng.uniform(0.35, 0.6) * np.exp(-d2 * 1.5)
        img += rng.uniform(0.2, 0.35) * np.exp(-d2 * 12.0)  # nucleus
    img += rng.normal(0, 0.015, img.shape)
    return np.clip(img / img.max(), 0, 1)


def write_packed12(path, values, rows_per_strip=32):
    """A little-endian TIFF with packed 12-bit grey strips and its tags in ascending order."""
    length, width = values.shape
    strips = [pack12(values[r:r + rows_per_strip]) for r in range(0, length, rows_per_strip)]
    places = back_to_back(len(s) for s in strips)
    entries = image_entries(width, length, 12, rows_per_strip, places, rows_type=SHORT)
    entries += [(282, RATIONAL, 1, rational(72, 1)), (283, RATIONAL, 1, rational(72, 1))]
    with open(path, "wb") as f:
        f.write(tiff(entries, b"".join(strips)))


def main(folder):
    common = dict(metadata=None, compression=None, resolution=(72, 72))
    g8 = (cells(1) * 255).round().astype(np.uint8)
    tifffile.imwrite(os.path.join(folder, "grey8_ii.tif"), g8, byteorder="<",
                     photometric="minisblack", rowsperstrip=64, **common)

    g16 = (cells(2) * 52000 + 1500).round().astype(np.uint16)
    tifffile.imwrite(os.path.join(folder, "grey16_mm.tif"), g16, byteorder=">",
                     photometric="minisblack", rowsperstrip=32, **common)

    rgb = np.stack([cells(3), cells(4) * 0.8, cells(5) * 0.5], axis=-1)
    rgb8 = (rgb * 255).round().astype(np.uint8)
    tifffile.imwrite(os.path.join(folder, "rgb8_ii.tif"), rgb8, byteorder="<",
                     photometric="rgb", planarconfig="contig", rowsperstrip=64, **common)

    g12 = (cells(6) * 4000 + 50).round().astype(np.uint16)
    write_packed12(os.path.join(folder, "grey12_ii.tif"), g12)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else HERE)
