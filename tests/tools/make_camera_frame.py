#!/usr/bin/python3
"""Writes a 12-bit camera frame stored as a 16-bit greyscale TIFF: a background of about 600
with shot and read noise, and bright spots up to about 3600, as a fluorescence camera gives.

    /usr/bin/python3 tests/tools/make_camera_frame.py OUT.tif [SIZE] [SEED] [CORNER] [SPACING]

SIZE (default 1024) is the width and length; SEED (default 20) makes the frame reproducible;
CORNER (default 1) is the illumination at the corners relative to the centre, 1 for a flat
field, 0.8 for the falloff of a typical widefield microscope. One spot per SPACING pixels
(default 10000: about 100 sparse puncta in 1024 x 1024, half a percent of the frame brighter
than 1000; 3500 gives a crowded field of about 300, one and a half percent).
The file is little-endian, uncompressed, in strips of 16 rows.
"""
import sys

import numpy as np

from tiff_writer import back_to_back, image_entries, tiff

ROWS_PER_STRIP = 16


def frame(size, seed, corner, spacing=10000):
    rng = np.random.default_rng(seed)
    y, x = np.mgrid[0:size, 0:size].astype(np.float64)
    # Photo-electrons above the camera's offset: a flat background and Gaussian spots.
    centre = (size - 1) / 2.0
    r2 = ((x - centre) ** 2 + (y - centre) ** 2) / (2 * centre**2)
    signal = 500.0 * (1.0 - (1.0 - corner) * r2)
    spots = max(1, size * size // spacing)
    for cx, cy, width, peak in zip(rng.uniform(0, size, spots), rng.uniform(0, size, spots),
                                   rng.uniform(1.5, 3.5, spots), rng.uniform(400, 3000, spots)):
        x0, x1 = int(max(cx - 12, 0)), int(min(cx + 13, size))
        y0, y1 = int(max(cy - 12, 0)), int(min(cy + 13, size))
        box = (slice(y0, y1), slice(x0, x1))
        signal[box] += peak * np.exp(-((x[box] - cx) ** 2 + (y[box] - cy) ** 2) / (2 * width**2))
    counts = rng.poisson(signal) + 100 + rng.normal(0, 6, signal.shape)  # offset, read noise
    return np.clip(np.rint(counts), 0, 4095).astype(np.uint16)


def main():
    out = sys.argv[1]
    size = int(sys.argv[2]) if len(sys.argv) > 2 else 1024
    seed = int(sys.argv[3]) if len(sys.argv) > 3 else 20
    corner = float(sys.argv[4]) if len(sys.argv) > 4 else 1.0
    spacing = int(sys.argv[5]) if len(sys.argv) > 5 else 10000
    values = frame(size, seed, corner, spacing)
    counts = [2 * size * min(ROWS_PER_STRIP, size - y) for y in range(0, size, ROWS_PER_STRIP)]
    entries = image_entries(size, size, 16, ROWS_PER_STRIP, back_to_back(counts))
    with open(out, "wb") as f:
        f.write(tiff(entries, values.astype("<u2").tobytes()))


if __name__ == "__main__":
    main()
