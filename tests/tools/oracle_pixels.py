#!/usr/bin/python3
"""Dumps the pixel samples of a TIFF file's first image as another reader decodes them.

Used by the corpus test as an independent oracle for the viewer's decoders.

    oracle_pixels.py FILE [--as-rgb3] [--reverse-bits] [--planes-as-interleaved] [--pad]

Writes to standard output, all little-endian uint32: width, length, samples per pixel, then
every sample, row after row, pixel after pixel, sample after sample. Signed samples are given
as the unsigned number with the same bits (the viewer takes every sample as unsigned).

12-bit files are read with Pillow (tifffile needs imagecodecs to unpack them); everything
else with tifffile.

--as-rgb3: the file holds more than three samples per pixel, which the viewer reads as if
every pixel were three interleaved bytes. Every sample of the file, in file order, is taken as
one stream and cut into rows of 3 x width bytes from its start; only the image's first strip
is taken, so the file must hold its rows in one strip. Gives 3 samples per pixel.

--planes-as-interleaved: the file has PlanarConfiguration 2 (red, green and blue each in
strips of their own, red first), which the viewer reads as if the bytes were interleaved:
row r is the 3 x width bytes that start r mod RowsPerStrip rows of 3 x width bytes into the
r div RowsPerStrip -th red strip, running on into the strips after it. The file's strips
must lie back to back in the order of their offsets. Gives 3 samples per pixel.

--pad: the file ends inside its pixel data; it is read as if the missing bytes were zeros.

--reverse-bits: the file has FillOrder 2, which the viewer does not honour: the bits of every
byte of the decoded samples are reversed, giving the values the viewer reads.
"""
import struct
import sys

import numpy as np


def read_tifffile(path):
    import tifffile

    with tifffile.TiffFile(path) as tif:
        page = tif.pages[0]
        a = page.asarray()
        length, width = page.imagelength, page.imagewidth
        if page.planarconfig == 2:
            return np.moveaxis(a.reshape(-1, length, width), 0, -1)
        return a.reshape(length, width, -1)


def read_pillow(path):
    from PIL import Image

    with Image.open(path) as im:
        return np.array(im)


def as_unsigned(a):
    if a.dtype.kind == "i":
        return a.view(np.dtype(a.dtype.str.replace("i", "u")))
    return a


def planes_as_interleaved(path):
    import tifffile

    with tifffile.TiffFile(path) as tif:
        page = tif.pages[0]
        offsets, counts = page.dataoffsets, page.databytecounts
        for i in range(1, len(offsets)):
            if offsets[i] != offsets[i - 1] + counts[i - 1]:
                raise ValueError("strips are not back to back")
        planes = page.asarray()  # (samples, length, width)
        rps = page.rowsperstrip
    samples, length, width = planes.shape
    stream = planes.reshape(-1)
    rows = []
    for r in range(length):
        start = (r // rps) * rps * width + (r % rps) * 3 * width
        rows.append(stream[start : start + 3 * width])
    return np.stack(rows).reshape(length, width, 3)


def reverse_bits(a):
    table = np.array([int("{:08b}".format(i)[::-1], 2) for i in range(256)], np.uint8)
    return table[a.view(np.uint8)].view(a.dtype).reshape(a.shape)


def pixels(path, as_rgb3, reverse, planes):
    a = planes_as_interleaved(path) if planes else read_tifffile_or_pillow(path)
    a = as_unsigned(a)
    if reverse:
        a = reverse_bits(np.ascontiguousarray(a))
    if a.ndim == 2:
        a = a[:, :, np.newaxis]
    length, width, samples = a.shape
    if as_rgb3:
        stream = a.reshape(-1)
        a = stream[: length * width * 3].reshape(length, width, 3)
    return a.astype(np.uint32)


def unpack12(path):
    """12-bit samples unpacked by hand from the strips, for files Pillow does not read: two
    samples in three bytes, most significant bits first, each row ending on a byte."""
    import tifffile

    with open(path, "rb") as f:
        data = f.read()
    with tifffile.TiffFile(path) as tif:
        page = tif.pages[0]
        length, width, rps = page.imagelength, page.imagewidth, page.rowsperstrip
        strips = [data[o : o + c] for o, c in zip(page.dataoffsets, page.databytecounts)]
    rowbytes = width + (width + 1) // 2
    out = np.zeros((length, width), np.uint16)
    for y in range(length):
        strip = strips[y // rps]
        row = np.frombuffer(strip, np.uint8, rowbytes, (y % rps) * rowbytes).astype(np.uint16)
        row = np.append(row, np.uint16(0))
        for x in range(width):
            p = 3 * (x // 2)
            if x % 2 == 0:
                out[y, x] = row[p] * 16 + row[p + 1] // 16
            else:
                out[y, x] = (row[p + 1] % 16) * 256 + row[p + 2]
    return out


def read_tifffile_or_pillow(path):
    import tifffile

    with tifffile.TiffFile(path) as tif:
        if tif.pages[0].bitspersample == 12:
            try:
                return read_pillow(path)
            except Exception:  # Pillow reads 12-bit samples only in some layouts
                return unpack12(path)
    return read_tifffile(path)


def padded_copy(path):
    """A temporary copy of the file with zeros added up to the end of its last strip."""
    import tempfile

    import tifffile

    with open(path, "rb") as f:
        data = f.read()
    with tifffile.TiffFile(path) as tif:
        page = tif.pages[0]
        end = max(o + c for o, c in zip(page.dataoffsets, page.databytecounts))
    tmp = tempfile.NamedTemporaryFile(suffix=".tif", delete=False)
    tmp.write(data + bytes(max(0, end - len(data))))
    tmp.close()
    return tmp.name


def main(argv):
    if len(argv) < 2:
        sys.stderr.write(__doc__)
        return 2
    import os

    options = argv[2:]
    path = padded_copy(argv[1]) if "--pad" in options else argv[1]
    try:
        a = pixels(path, "--as-rgb3" in options, "--reverse-bits" in options,
                   "--planes-as-interleaved" in options)
    finally:
        if path != argv[1]:
            os.remove(path)
    length, width, samples = a.shape
    out = sys.stdout.buffer
    out.write(struct.pack("<3I", width, length, samples))
    out.write(a.astype("<u4").tobytes())
    out.flush()
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
