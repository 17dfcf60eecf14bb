#!/usr/bin/python3
"""Writes the hand-made hostile files of tests/data/regressions/.

Each file breaks one assumption a naive reader of the header would make (a size, a count, an
offset, the order of the tags). Files found by the fuzz targets are copied into the same
folder as they were found and are not written here.

    make_regressions.py [OUTPUT_DIR]
"""
import os
import struct
import sys

from tiff_writer import ASCII, LONG, RATIONAL, SHORT, DataOffsets, tiff


def image8(width, length, rps, omit=(), pixels=None):
    """An 8-bit grey image in one or more strips, tags in ascending order, those in `omit`
    left out."""
    strips = max(1, -(-length // rps)) if rps else 1
    rows = [(256, SHORT, 1, width), (257, SHORT, 1, length), (258, SHORT, 1, 8),
            (259, SHORT, 1, 1), (262, SHORT, 1, 1),
            (273, LONG, strips, DataOffsets(s * rps * width for s in range(strips))),
            (277, SHORT, 1, 1), (278, LONG, 1, rps), (279, LONG, 1, width * length)]
    if pixels is None:
        pixels = bytes((i * 7 + 1) & 0xFF for i in range(width * length))
    return tiff([r for r in rows if r[0] not in omit], pixels)


def files():
    out = {}
    # Sizes that overflow a 16-bit row count, or a store no machine can back.
    out["huge-declared-32767x32767.tif"] = image8(32767, 32767, 32767, pixels=b"\x55" * 64)
    g16 = [(256, SHORT, 1, 20000), (257, SHORT, 1, 2), (258, SHORT, 1, 16), (259, SHORT, 1, 1),
           (262, SHORT, 1, 1), (273, LONG, 1, DataOffsets([0])), (278, LONG, 1, 2),
           (279, LONG, 1, 80000)]
    out["grey16-wider-than-16383.tif"] = tiff(g16, bytes(range(256)) * 313)
    rgb = [(256, SHORT, 1, 11000), (257, SHORT, 1, 1), (258, SHORT, 3, struct.pack("<3H", 8, 8, 8)),
           (259, SHORT, 1, 1), (262, SHORT, 1, 2), (273, LONG, 1, DataOffsets([0])),
           (277, SHORT, 1, 3), (278, LONG, 1, 1), (279, LONG, 1, 33000)]
    out["rgb8-wider-than-10922.tif"] = tiff(rgb, bytes(range(256)) * 129)
    # More strips than the 1024 the header can hold: 2000 rows of one row each, but only one
    # strip offset given.
    rows = [(256, SHORT, 1, 3), (257, SHORT, 1, 2000), (258, SHORT, 1, 8), (259, SHORT, 1, 1),
            (262, SHORT, 1, 1), (273, LONG, 1, DataOffsets([0])), (278, LONG, 1, 1),
            (279, LONG, 1, 3)]
    out["strips-beyond-1024.tif"] = tiff(rows, b"\x11" * 6000)
    # The strip starts far past the end of the file.
    s = image8(4, 4, 4)
    rows = [(256, SHORT, 1, 4), (257, SHORT, 1, 4), (258, SHORT, 1, 8), (259, SHORT, 1, 1),
            (262, SHORT, 1, 1), (273, LONG, 1, 0x7FFFFF00), (278, LONG, 1, 4), (279, LONG, 1, 16)]
    out["strip-offset-past-end.tif"] = tiff(rows, b"\x22" * 16)
    # The pixel data stops half way through the image.
    out["pixels-cut-short.tif"] = s[: len(s) - 9]
    # No RowsPerStrip and no StripByteCounts at all (TIFF's default is one strip).
    out["no-rowsperstrip-no-bytecounts.tif"] = image8(5, 3, 3, omit=(278, 279))
    # RowsPerStrip 0 given after StripByteCounts: the parser's check at 279 sees the value
    # left by the file before; the decoder must not divide by the 0.
    rows = [(256, SHORT, 1, 4), (257, SHORT, 1, 3), (258, SHORT, 1, 8), (259, SHORT, 1, 1),
            (262, SHORT, 1, 1), (273, LONG, 1, DataOffsets([0])), (279, LONG, 1, 12),
            (278, LONG, 1, 0)]
    out["rowsperstrip-zero-after-bytecounts.tif"] = tiff(rows, b"\x33" * 12)
    # A RowsPerStrip so large that length + rowsperstrip - 1 overflows 32 bits, given after
    # StripByteCounts so that the parser's overflow check does not see it.
    rows[7] = (278, LONG, 1, 0x7FFFFFFF)
    out["rowsperstrip-max-after-bytecounts.tif"] = tiff(rows, b"\x33" * 12)
    # Zero-sized images.
    out["width-zero.tif"] = image8(0, 5, 5, pixels=b"")
    out["length-zero.tif"] = image8(5, 0, 1, pixels=b"")
    # IFD offsets and counts that point nowhere.
    out["ifd-past-end.tif"] = b"II*\0" + struct.pack("<I", 0x7FFFFFF0)
    out["ifd-entries-past-end.tif"] = b"II*\0\x08\0\0\0" + struct.pack("<H", 30000) + b"\0" * 24
    out["ifd-count-negative.tif"] = b"II*\0\x08\0\0\0\xff\xff" + b"\0" * 16
    out["header-only-4-bytes.tif"] = b"MM\0*"
    # Arrays whose counts pass their limits or point past the end.
    out["stripoffsets-1025.tif"] = tiff(
        [(256, SHORT, 1, 1), (257, SHORT, 1, 1), (258, SHORT, 1, 8),
         (273, LONG, 1025, bytes(4 * 1025))], b"\0")
    out["software-count-past-end.tif"] = tiff(
        [(256, SHORT, 1, 1), (305, ASCII, 32000, b"abc\0")], b"")
    out["bitspersample-count-32767-past-end.tif"] = tiff(
        [(258, SHORT, 32767, b"\0\x08")], b"")
    out["resolution-denominator-zero.tif"] = tiff(
        [(282, RATIONAL, 1, struct.pack("<II", 72, 0))], b"")
    out["date-past-end.tif"] = tiff([(306, ASCII, 20, 0x7FFFFFF0)], b"")
    # 12-bit rows with an odd width, in two strips, big-endian.
    px = bytes((i * 29 + 5) & 0xFF for i in range(5 * 3))  # 3 rows of W=3: 5 bytes each
    rows = [(256, SHORT, 1, 3), (257, SHORT, 1, 3), (258, SHORT, 1, 12), (259, SHORT, 1, 1),
            (262, SHORT, 1, 1), (273, LONG, 2, DataOffsets([0, 10])), (278, LONG, 1, 2),
            (279, LONG, 2, [10, 5])]
    out["grey12-odd-width-two-strips-mm.tif"] = tiff(rows, px, mm=True)
    # A 2 x 2 image whose IFD repeats StripOffsets (1024 values each) 4990 times: cheap to
    # load, but its header dump runs to 5 million lines. Every offset points at the pixels.
    n = 4990
    head = [(256, SHORT, 1, 2), (257, SHORT, 1, 2), (258, SHORT, 1, 8), (259, SHORT, 1, 1),
            (262, SHORT, 1, 1)]
    tail = [(278, LONG, 1, 2), (279, LONG, 1, 4)]
    count = len(head) + n + len(tail)
    arr_at = 8 + 2 + 12 * count + 4
    pixels_at = arr_at + 4 * 1024
    rows = head + [(273, LONG, 1024, arr_at)] * n + tail
    out["repeated-strip-lists-4990.tif"] = tiff(
        rows, struct.pack("<1024I", *([pixels_at] * 1024)) + b"\x42" * 4)
    # 5300 Software entries of 32767 bytes each, all at offset 0: the header's own bytes,
    # most of them unprintable, so a dump would write one notice per byte.
    n = 5300
    out["repeated-software-5300.tif"] = (b"II*\0" + struct.pack("<IH", 8, n) +
                                         struct.pack("<HHII", 305, ASCII, 32767, 0) * n +
                                         bytes(4))
    # BitsPerSample as two LONGs and Software typed LONG: neither fits in the entry's four
    # bytes (two LONGs take 8, four LONGs 16), so both stand at their offsets; an 8-bit grey
    # image, every pixel 0x5A.
    rows = [(256, SHORT, 1, 3), (257, SHORT, 1, 2), (258, LONG, 2, struct.pack("<2I", 8, 8)),
            (259, SHORT, 1, 1), (262, SHORT, 1, 1), (273, LONG, 1, DataOffsets([0])),
            (277, SHORT, 1, 1), (278, LONG, 1, 2), (279, LONG, 1, 6),
            (305, LONG, 4, b"vtr\0" + bytes(12))]
    out["bitspersample-two-longs-software-long.tif"] = tiff(rows, b"\x5a" * 6)
    return out


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    outdir = argv[1] if len(argv) > 1 else os.path.join(here, "..", "data", "regressions")
    os.makedirs(outdir, exist_ok=True)
    for name, data in files().items():
        with open(os.path.join(outdir, name), "wb") as f:
            f.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
