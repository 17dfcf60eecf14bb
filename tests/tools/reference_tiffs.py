#!/usr/bin/python3
"""Writes reference TIFF files with other programs and lists the values they read back.

Usage: reference_tiffs.py DIR

For every file NAME.tif it writes NAME.txt: the first line "W L", then one line per image
row with the value each pixel must hold in the viewer's store (the sample itself for grey
images; for RGB the grey value (R + 2 G + B) / 4, rounded to nearest with halves to even).
The values come from reading the file back with tifffile where it can decode it. 12-bit
files, which tifffile cannot decode without extra codecs, are packed here bit by bit and
read back with ImageMagick (through libtiff) when it is installed, else listed from the
array they were packed from. Exits 3 when numpy or tifffile is missing, 4 when a reading
disagrees with what was written.
"""
import os
import struct
import subprocess
import sys

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


def pack12(values):
    """Packs each row as a 12-bit stream, most significant bits first, padded to a byte."""
    rows = []
    for row in values:
        bits = "".join(format(int(v), "012b") for v in row)
        bits += "0" * (-len(bits) % 8)
        rows.append(bytes(int(bits[i:i + 8], 2) for i in range(0, len(bits), 8)))
    return rows


def write12(path, values, rowsperstrip, order):
    """A 12-bit grey TIFF with one IFD after the strips, in byte order "<" or ">"."""
    length, width = values.shape
    rows = pack12(values)
    strips = [b"".join(rows[i:i + rowsperstrip]) for i in range(0, length, rowsperstrip)]
    data = bytearray()
    offsets = []
    for s in strips:
        offsets.append(8 + len(data))
        data += s + b"\x00"  # a pad byte between strips
    ifd_at = 8 + len(data)
    entries = 9
    extra_at = ifd_at + 2 + 12 * entries + 4
    counts_at = extra_at + 4 * len(strips)

    def entry(tag, typ, count, value):
        if typ == 3 and count == 1:
            return struct.pack(order + "HHIHH", tag, typ, count, value, 0)
        return struct.pack(order + "HHII", tag, typ, count, value)

    many = len(strips) > 1
    ifd = struct.pack(order + "H", entries)
    ifd += entry(256, 3, 1, width) + entry(257, 3, 1, length) + entry(258, 3, 1, 12)
    ifd += entry(259, 3, 1, 1) + entry(262, 3, 1, 1)
    ifd += entry(273, 4, len(strips), extra_at if many else offsets[0])
    ifd += entry(277, 3, 1, 1) + entry(278, 4, 1, rowsperstrip)
    ifd += entry(279, 4, len(strips), counts_at if many else len(strips[0]))
    ifd += struct.pack(order + "I", 0)
    if many:
        ifd += struct.pack(order + "%dI" % len(strips), *offsets)
        ifd += struct.pack(order + "%dI" % len(strips), *[len(s) for s in strips])
    mark = b"II" if order == "<" else b"MM"
    with open(path, "wb") as out:
        out.write(mark + struct.pack(order + "HI", 42, ifd_at) + bytes(data) + ifd)


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
    for name, width, order in (("gray12_odd", 7, "<"), ("gray12_even", 6, ">")):
        values = sample_values(rng, (5, width), 4095)
        write12(folder + "/" + name + ".tif", values, 2, order)
        back = read_with_imagemagick(folder + "/" + name + ".tif", values.shape, 4095)
        if back is not None and not np.array_equal(back, values):
            sys.exit(4)
        write_list(folder + "/" + name + ".txt", values)


if __name__ == "__main__":
    main(sys.argv[1])
