#!/usr/bin/python3
"""Writes the sample images: one small synthetic fluorescence-like picture of each kind the
viewer reads. Run once; the images are committed beside this script.

  grey8_ii.tif    8-bit grey, little-endian ("II"), several strips
  grey12_ii.tif   12-bit grey, packed two pixels in three bytes, written byte by byte here
  grey16_mm.tif   16-bit grey, big-endian ("MM")
  rgb8_ii.tif     8-bit RGB, interleaved
"""
import os
import struct

import numpy as np
import tifffile

SIZE = 256
HERE = os.path.dirname(os.path.abspath(__file__))


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


def pack12(values):
    """Rows of 12-bit samples as the TIFF bit stream: most significant bits first, each row
    ending on a byte boundary."""
    out = bytearray()
    for row in values:
        bits = 0
        nbits = 0
        for v in row:
            bits = (bits << 12) | int(v)
            nbits += 12
            while nbits >= 8:
                nbits -= 8
                out.append((bits >> nbits) & 0xFF)
        if nbits:
            out.append((bits << (8 - nbits)) & 0xFF)
    return bytes(out)


def write_packed12(path, values, rows_per_strip=32):
    """A little-endian TIFF with packed 12-bit grey strips and its tags in ascending order."""
    length, width = values.shape
    row_bytes = width + (width + 1) // 2
    strips = [pack12(values[r:r + rows_per_strip]) for r in range(0, length, rows_per_strip)]
    n = len(strips)
    entries = 11
    ifd_size = 2 + entries * 12 + 4
    ifd_at = 8
    offsets_at = ifd_at + ifd_size
    counts_at = offsets_at + 4 * n
    xres_at = counts_at + 4 * n
    yres_at = xres_at + 8
    data_at = yres_at + 8
    offsets = []
    pos = data_at
    for s in strips:
        offsets.append(pos)
        pos += len(s)
    tags = [
        (256, 3, 1, width),
        (257, 3, 1, length),
        (258, 3, 1, 12),
        (259, 3, 1, 1),
        (262, 3, 1, 1),
        (273, 4, n, offsets_at),
        (277, 3, 1, 1),
        (278, 3, 1, rows_per_strip),
        (279, 4, n, counts_at),
        (282, 5, 1, xres_at),
        (283, 5, 1, yres_at),
    ]
    assert len(tags) == entries
    out = bytearray(b"II" + struct.pack("<HI", 42, ifd_at))
    out += struct.pack("<H", entries)
    for tag, typ, count, value in tags:
        if typ == 3 and count == 1:
            out += struct.pack("<HHIHH", tag, typ, count, value, 0)
        else:
            out += struct.pack("<HHII", tag, typ, count, value)
    out += struct.pack("<I", 0)
    out += struct.pack("<%dI" % n, *offsets)
    out += struct.pack("<%dI" % n, *[len(s) for s in strips])
    out += struct.pack("<II", 72, 1) * 2
    assert len(out) == data_at
    for s in strips:
        out += s
    assert all(len(s) == row_bytes * min(rows_per_strip, length - i * rows_per_strip)
               for i, s in enumerate(strips))
    with open(path, "wb") as f:
        f.write(out)


def main():
    common = dict(metadata=None, compression=None, resolution=(72, 72))
    g8 = (cells(1) * 255).round().astype(np.uint8)
    tifffile.imwrite(os.path.join(HERE, "grey8_ii.tif"), g8, byteorder="<",
                     photometric="minisblack", rowsperstrip=64, **common)

    g16 = (cells(2) * 52000 + 1500).round().astype(np.uint16)
    tifffile.imwrite(os.path.join(HERE, "grey16_mm.tif"), g16, byteorder=">",
                     photometric="minisblack", rowsperstrip=32, **common)

    rgb = np.stack([cells(3), cells(4) * 0.8, cells(5) * 0.5], axis=-1)
    rgb8 = (rgb * 255).round().astype(np.uint8)
    tifffile.imwrite(os.path.join(HERE, "rgb8_ii.tif"), rgb8, byteorder="<",
                     photometric="rgb", planarconfig="contig", rowsperstrip=64, **common)

    g12 = (cells(6) * 4000 + 50).round().astype(np.uint16)
    write_packed12(os.path.join(HERE, "grey12_ii.tif"), g12)


if __name__ == "__main__":
    main()
