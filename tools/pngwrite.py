"""Writes the game's pictures as PNG files whose byte layout we control.

Every picture is 8-bit RGB, not interlaced, with exactly these chunks in this
order: IHDR, tEXt ("Creation Time"), tIME, pHYs, gAMA, one IDAT, IEND. The
creation time is fixed so that regenerating a picture gives the same bytes.
"""
import struct
import zlib

# One fixed moment for every picture we make: regenerating changes nothing.
CREATION_TIME = (2026, 12, 1, 12, 0, 0)
GAMMA = 45455           # 1/2.2 in units of 1/100000
PIXELS_PER_METRE = 2835  # 72 dots per inch


def _chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def _paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def _filter_row(kind, row, prev):
    """Applies PNG filter `kind` to one row of RGB bytes (3 bytes a pixel)."""
    out = bytearray(len(row))
    for i, x in enumerate(row):
        a = row[i - 3] if i >= 3 else 0
        b = prev[i]
        c = prev[i - 3] if i >= 3 else 0
        if kind == 0:
            p = 0
        elif kind == 1:
            p = a
        elif kind == 2:
            p = b
        elif kind == 3:
            p = (a + b) // 2
        else:
            p = _paeth(a, b, c)
        out[i] = (x - p) & 0xFF
    return out


def _scanlines(width, height, pixels):
    """Filters every row with the filter that leaves the smallest sum of
    absolute values, the usual cheap guess at what compresses best."""
    raw = bytearray()
    prev = bytearray(width * 3)
    for y in range(height):
        row = bytearray()
        for x in range(width):
            row.extend(pixels[y * width + x])
        best = None
        for kind in range(5):
            f = _filter_row(kind, row, prev)
            cost = sum(v if v < 128 else 256 - v for v in f)
            if best is None or cost < best[0]:
                best = (cost, kind, f)
        raw.append(best[1])
        raw.extend(best[2])
        prev = row
    return bytes(raw)


def encode_png(width, height, pixels):
    """pixels: a list of width*height (r, g, b) tuples, rows top first."""
    assert len(pixels) == width * height
    year, month, day, hour, minute, second = CREATION_TIME
    text = b"Creation Time\0" + ("%02d %s %04d %02d:%02d:%02d +0000" % (
        day, ["Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep",
              "Oct", "Nov", "Dec"][month - 1], year, hour, minute, second)).encode("latin-1")
    out = bytearray(b"\x89PNG\r\n\x1a\n")
    out += _chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
    out += _chunk(b"tEXt", text)
    out += _chunk(b"tIME", struct.pack(">HBBBBB", year, month, day, hour, minute, second))
    out += _chunk(b"pHYs", struct.pack(">IIB", PIXELS_PER_METRE, PIXELS_PER_METRE, 1))
    out += _chunk(b"gAMA", struct.pack(">I", GAMMA))
    out += _chunk(b"IDAT", zlib.compress(_scanlines(width, height, pixels), 9))
    out += _chunk(b"IEND", b"")
    return bytes(out)


def write_png(path, width, height, pixels):
    with open(path, "wb") as f:
        f.write(encode_png(width, height, pixels))
