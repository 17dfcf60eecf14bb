#!/usr/bin/python3
"""Dumps the pixel samples of a TIFF file's first image as another reader decodes them.

Used by the corpus test as an independent oracle for the viewer's decoders.

    oracle_pixels.py FILE [--as-rgb3]

Writes to standard output, all little-endian uint32: width, length, samples per pixel, then
every sample, row after row, pixel after pixel, sample after sample. Signed samples are given
as the unsigned number with the same bits (the viewer takes every sample as unsigned).

12-bit files are read with Pillow (tifffile needs imagecodecs to unpack them); everything
else with tifffile.

--as-rgb3: the file holds more than three samples per pixel, which the viewer reads as if
every pixel were three interleaved bytes. Every sample of the file, in file order, is taken as
one stream and cut into rows of 3 x width bytes from its start; only the image's first strip
is taken, so the file must hold its rows in one strip. Gives 3 samples per pixel.
"""
import struct
import sys

import numpy as np


def read_tifffile(path):
    import tifffile

    with tifffile.TiffFile(path) as tif:
        return tif.pages[0].asarray()


def read_pillow(path):
    from PIL import Image

    with Image.open(path) as im:
        return np.array(im)


def as_unsigned(a):
    if a.dtype.kind == "i":
        return a.view(np.dtype(a.dtype.str.replace("i", "u")))
    return a


def pixels(path, as_rgb3):
    a = read_tifffile_or_pillow(path)
    a = as_unsigned(a)
    if a.ndim == 2:
        a = a[:, :, np.newaxis]
    length, width, samples = a.shape
    if as_rgb3:
        stream = a.reshape(-1)
        a = stream[: length * width * 3].reshape(length, width, 3)
    return a.astype(np.uint32)


def read_tifffile_or_pillow(path):
    import tifffile

    with tifffile.TiffFile(path) as tif:
        if tif.pages[0].bitspersample == 12:
            return read_pillow(path)
    return read_tifffile(path)


def main(argv):
    if len(argv) < 2:
        sys.stderr.write(__doc__)
        return 2
    a = pixels(argv[1], "--as-rgb3" in argv[2:])
    length, width, samples = a.shape
    out = sys.stdout.buffer
    out.write(struct.pack("<3I", width, length, samples))
    out.write(a.astype("<u4").tobytes())
    out.flush()
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
