"""TIFF files with one IFD, written byte by byte, in either byte order.

Every Python script of this repository that writes a TIFF file writes it here: the samples,
the hostile regression files, the reference files, the camera frame and the cold-benchmark
files. Nothing is checked, so a file may break any rule on purpose: counts that pass the
data, offsets past the end, unknown types, tags out of order, another magic number.

An entry is (tag, type, count, value). The value is
  - an int: the value field itself; a SHORT of count 1 stands left-justified (its other two
    bytes 0), anything else is written as one LONG;
  - bytes: stored after the IFD, in entry order, the value field holding their offset;
  - a list of numbers: written as values of the entry's type (SHORT or LONG), in the value
    field when they fit its four bytes, else after the IFD like bytes;
  - DataOffsets: a list of offsets counted from where the data starts (strip offsets).
"""
import struct

BYTE, ASCII, SHORT, LONG, RATIONAL = 1, 2, 3, 4, 5
HEADER_BYTES = 8
_CODES = {SHORT: "H", LONG: "I"}


class DataOffsets(list):
    """Offsets within the data, each written as where the data starts plus the offset."""


class _Field(bytes):
    """The four bytes of a value field, in the file's byte order."""


def order(mm):
    """The struct byte-order prefix of a file: ">" for "MM", "<" for "II"."""
    return ">" if mm else "<"


def values(typ, numbers, mm=False):
    """SHORT or LONG numbers as the file holds them."""
    return struct.pack("%s%d%s" % (order(mm), len(numbers), _CODES[typ]), *numbers)


def rational(numerator, denominator, mm=False):
    """One RATIONAL as the file holds it."""
    return struct.pack(order(mm) + "II", numerator, denominator)


def pack12(rows):
    """Rows of 12-bit samples as TIFF's bit stream: most significant bits first, each row
    ending on a byte boundary."""
    out = bytearray()
    for row in rows:
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


def back_to_back(lengths, gap=0):
    """(offset within the data, byte count) of strips of these lengths laid one after the
    other, `gap` bytes between them."""
    places = []
    at = 0
    for n in lengths:
        places.append((at, n))
        at += n + gap
    return places


def image_entries(width, length, bits, rows_per_strip, strips, rows_type=SHORT, rgb=False):
    """The entries of an uncompressed image in strips, tags 256 to 279 in ascending order.

    `strips` lists (offset within the data, byte count) of each strip; RowsPerStrip is
    written as `rows_type`. A single strip has its offset and count in the value fields."""
    n = len(strips)
    counts = [count for _, count in strips]
    return [
        (256, SHORT, 1, width),
        (257, SHORT, 1, length),
        (258, SHORT, 3, [8, 8, 8]) if rgb else (258, SHORT, 1, bits),
        (259, SHORT, 1, 1),
        (262, SHORT, 1, 2 if rgb else 1),
        (273, LONG, n, DataOffsets(at for at, _ in strips)),
        (277, SHORT, 1, 3 if rgb else 1),
        (278, rows_type, 1, rows_per_strip),
        (279, LONG, n, counts[0] if n == 1 else counts),
    ]


def _resolved(value, typ, start, mm):
    """An entry's value as an int or _Field (the value field) or bytes (after the IFD)."""
    if not isinstance(value, list):
        return value
    numbers = [start + v for v in value] if isinstance(value, DataOffsets) else value
    packed = values(typ, numbers, mm)
    return _Field(packed.ljust(4, b"\0")) if len(packed) <= 4 else packed


def _field(typ, count, value, at, mm):
    """The four bytes of an entry's value field; `at` is where bytes after the IFD go."""
    e = order(mm)
    if isinstance(value, _Field):
        return bytes(value)
    if isinstance(value, bytes):
        return struct.pack(e + "I", at)
    if typ == SHORT and count == 1:
        return struct.pack(e + "HH", value, 0)
    return struct.pack(e + "I", value)


def _outside(value):
    """The bytes a resolved value stores after the IFD (none for a value field)."""
    return value if isinstance(value, bytes) and not isinstance(value, _Field) else b""


def data_start(entries, data_first=False, data_at=None):
    """Where tiff() puts the data for these entries and options."""
    if data_first:
        return HEADER_BYTES
    if data_at is not None:
        return data_at
    outside = sum(len(_outside(_resolved(v, typ, 0, False))) for _, typ, _, v in entries)
    return HEADER_BYTES + 2 + 12 * len(entries) + 4 + outside


def tiff(entries, data=b"", mm=False, data_first=False, data_at=None, ifd_at=None, next_ifd=0,
         magic=42):
    """The bytes of a file: the header, the IFD with `entries` in the order given, the bytes
    they store after it, then `data`.

    data_first puts the data between the header and the IFD instead; data_at puts it at that
    offset, zeros before it. ifd_at is the IFD offset the header gives (default: where the IFD
    is); next_ifd the offset after the entries; magic the number after the byte-order mark."""
    e = order(mm)
    start = data_start(entries, data_first, data_at)
    resolved = [(t, y, c, _resolved(v, y, start, mm)) for t, y, c, v in entries]
    ifd_here = HEADER_BYTES + (len(data) if data_first else 0)
    outside_at = ifd_here + 2 + 12 * len(entries) + 4
    ifd = bytearray(struct.pack(e + "H", len(entries)))
    outside = bytearray()
    for tag, typ, count, value in resolved:
        ifd += struct.pack(e + "HHI", tag, typ, count)
        ifd += _field(typ, count, value, outside_at + len(outside), mm)
        outside += _outside(value)
    ifd += struct.pack(e + "I", next_ifd)
    head = (b"MM" if mm else b"II") + struct.pack(e + "HI", magic,
                                                  ifd_here if ifd_at is None else ifd_at)
    if data_first:
        return bytes(head + data + ifd + outside)
    body = head + ifd + outside
    if data_at is not None:
        if len(body) > data_at:
            raise ValueError("the IFD and its values pass the data's offset %d" % data_at)
        body = body.ljust(data_at, b"\0")
    return bytes(body + data)
