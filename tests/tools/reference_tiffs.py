#!/usr/bin/python3
"""Writes reference TIFF files with other programs and lists the values they read back.

Usage: reference_tiffs.py DIR

For every file NAME.tif it writes NAME.txt: the first line "W L", then one line per image
row with the value each pixel must hold in the viewer's store (the sample itself for grey
images; for RGB the grey value (R + 2 G + B) / 4, rounded to nearest with halves to even).
The values come from reading the file back with tifffile where it can decode it. 12-bit
files, which tifffile cannot decode without extra codecs, are written bit by bit here
(tiff_writer.py) and read back with ImageMagick (through libtiff) when it is installed,
else listed from the array they were packed from. Exits 3 when numpy or tifffile is missing, 4 when a reading
disagrees with what was written.
"""
import os
import subprocess
import sys

from tiff_writer import LONG, back_to_back, image_entries, pack12, tiff

try:
    import numpy as np
    import tifffile
except ImportError:
    sys.exit(3)


def sample_values(rng, shape, top):
    a = rng.integers(0, top + 1, size=shape, dtype=np.int64)
    a.flat[0] = top
    a.flat[1] = 0
    return a


def grey_of(rgb):
    r, g, b = (rgb[..., i].astype(np.float64) for i in range(3))
    return np.round(0.25 * r + 0.5 * g + 0.25 * b).astype(np.int64)  # halves to even


def write_list(path, values):
    with open(path, "w") as out:
        out.write("%d %d\n" % (values.shape[1], values.shape[0]))
        for row in values:
            out.write(" ".join(str(int(v)) for v in row) + "\n")


def write12(path, values, rowsperstrip, mm):
    """A 12-bit grey TIFF with one IFD after the strips, a pad byte after each strip."""
    length, width = values.shape
    strips = [pack12(values[i:i + rowsperstrip]) for i in range(0, length, rowsperstrip)]
    entries = image_entries(width, length, 12, rowsperstrip,
                            back_to_back((len(s) for s in strips), gap=1), rows_type=LONG)
    with open(path, "wb") as out:
        out.write(tiff(entries, b"".join(s + b"\x00" for s in strips), mm=mm, data_first=True))


def read_with_imagemagick(path, shape, top):
    """The samples as ImageMagick reads them, scaled back from its 16-bit quantum."""
    if not os.access("/usr/bin/convert", os.X_OK):
        return None
    try:
        out = subprocess.run(["/usr/bin/convert", path, "-depth", "16", "txt:-"],
                             capture_output=True, text=True, check=True).stdout
    except (OSError, subprocess.CalledProcessError):
        return None
    values = np.zeros(shape, dtype=np.int64)
    for line in out.splitlines()[1:]:
        where, _, rest = line.partition(":")
        x, y = (int(v) for v in where.split(","))
        quantum = int(rest.split("(")[1].split(",")[0])
        values[y, x] = round(quantum * top / 65535)
    return values


def main(folder):
    rng = np.random.default_rng(20240611)
    grey8 = sample_values(rng, (11, 13), 255).astype(np.uint8)
    tifffile.imwrite(folder + "/gray8.tif", grey8, photometric="minisblack", rowsperstrip=3)
    grey16 = sample_values(rng, (9, 17), 65535).astype(np.uint16)
    for name, order in (("gray16_ii", "<"), ("gray16_mm", ">")):
        tifffile.imwrite(folder + "/" + name + ".tif", grey16, byteorder=order,
                         photometric="minisblack", rowsperstrip=4)
    rgb = sample_values(rng, (5, 7, 3), 255).astype(np.uint8)
    rgb[0, 1] = (1, 0, 1)  # grey 0.5: rounds to 0
    rgb[0, 2] = (3, 0, 3)  # grey 1.5: rounds to 2
    tifffile.imwrite(folder + "/rgb8.tif", rgb, photometric="rgb", planarconfig="contig",
                     rowsperstrip=2)
    for name, written in (("gray8", grey8), ("gray16_ii", grey16), ("gray16_mm", grey16)):
        back = tifffile.imread(folder + "/" + name + ".tif").astype(np.int64)
        if not np.array_equal(back, written):
            sys.exit(4)
        write_list(folder + "/" + name + ".txt", back)
    back = tifffile.imread(folder + "/rgb8.tif")
    write_list(folder + "/rgb8.txt", grey_of(back))
    for name, width, mm in (("gray12_odd", 7, False), ("gray12_even", 6, True)):
        values = sample_values(rng, (5, width), 4095)
        write12(folder + "/" + name + ".tif", values, 2, mm)
        back = read_with_imagemagick(folder + "/" + name + ".tif", values.shape, 4095)
        if back is not None and not np.array_equal(back, values):
            sys.exit(4)
        write_list(folder + "/" + name + ".txt", values)


if __name__ == "__main__":
    main(sys.argv[1])
