#!/usr/bin/env python3
"""Small PNG, BMP and ICO files written from pixels, for the art tests.

    python3 images.py png OUT WIDTH HEIGHT R,G,B   one opaque colour (RGB)
"""

import os
import struct
import sys
import zlib

ADAM7 = [(0, 0, 8, 8), (4, 0, 8, 8), (0, 4, 4, 8), (2, 0, 4, 4), (0, 2, 2, 4), (1, 0, 2, 2), (0, 1, 1, 2)]


def solid(width, height, colour):
    return [[colour] * width for _ in range(height)]


def _paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    return a if pa <= pb and pa <= pc else (b if pb <= pc else c)


def _filtered(rows, bpp, filters):
    """Scanlines, row i filtered with filters[i % len(filters)]."""
    out, previous = bytearray(), bytearray(len(rows[0]) if rows else 0)
    for i, row in enumerate(rows):
        kind = filters[i % len(filters)]
        line = bytearray()
        for x, v in enumerate(row):
            a = row[x - bpp] if x >= bpp else 0
            b, c = previous[x], (previous[x - bpp] if x >= bpp else 0)
            predictor = (0, a, b, (a + b) // 2, _paeth(a, b, c))[kind]
            line.append((v - predictor) & 0xFF)
        out += bytes([kind]) + line
        previous = row
    return bytes(out)


def _chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))


def png(pixels, colour_type=None, depth=8, interlace=False, filters=(0,), chunks=()):
    """pixels: rows of (r, g, b) or (r, g, b, a) tuples; 16-bit depth repeats each byte."""
    height, width = len(pixels), len(pixels[0])
    channels = len(pixels[0][0])
    colour_type = colour_type if colour_type is not None else (6 if channels == 4 else 2)
    repeat = depth // 8
    bpp = channels * repeat

    def scan(rows):
        return [bytearray(b for p in row for v in p for b in [v] * repeat) for row in rows]

    if interlace:
        data = b""
        for x0, y0, dx, dy in ADAM7:
            sub = [row[x0::dx] for row in pixels[y0::dy]]
            if sub and sub[0]:
                data += _filtered(scan(sub), bpp, filters)
    else:
        data = _filtered(scan(pixels), bpp, filters)
    header = struct.pack(">IIBBBBB", width, height, depth, colour_type, 0, 0, 1 if interlace else 0)
    body = _chunk(b"IHDR", header) + b"".join(_chunk(k, v) for k, v in chunks)
    return b"\x89PNG\r\n\x1a\n" + body + _chunk(b"IDAT", zlib.compress(data)) + _chunk(b"IEND", b"")


def bmp(width, height, bits, pixels=None, palette=((0, 0, 0),), compression=0):
    """Bottom-up BI_RGB bitmap; pixels are (r, g, b) for 24/32 bits, palette indexes for 8."""
    pixels = pixels or [[0 if bits == 8 else (0, 0, 0)] * width for _ in range(height)]
    stride = (width * bits + 31) // 32 * 4
    rows = b""
    for row in reversed(pixels):
        if bits == 8:
            line = bytes(row)
        else:
            line = b"".join(bytes((b, g, r)) + (b"\xff" if bits == 32 else b"") for r, g, b in row)
        rows += line + bytes(stride - len(line))
    colours = b"".join(bytes((b, g, r, 0)) for r, g, b in palette) if bits == 8 else b""
    used = len(palette) if bits == 8 else 0
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, compression, len(rows), 0, 0, used, 0)
    offset = 14 + len(info) + len(colours)
    return b"BM" + struct.pack("<IHHI", offset + len(rows), 0, 0, offset) + info + colours + rows


def ico(images):
    """images: (size, bits) for DIB images, or (size, "png") for PNG-compressed ones."""
    blobs = []
    for size, bits in images:
        if bits == "png":
            blobs.append((size, 32, png(solid(size, size, (0, 0, 0, 255)))))
            continue
        xor = bytes(size * size * bits // 8)
        mask = bytes((size + 31) // 32 * 4 * size)
        header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, len(xor) + len(mask), 0, 0, 0, 0)
        blobs.append((size, bits, header + xor + mask))
    out, offset = struct.pack("<HHH", 0, 1, len(blobs)), 6 + 16 * len(blobs)
    for size, bits, blob in blobs:
        out += struct.pack("<BBBBHHII", size & 0xFF, size & 0xFF, 0, 0, 1, bits, len(blob), offset)
        offset += len(blob)
    return out + b"".join(blob for _, _, blob in blobs)


if __name__ == "__main__":
    if len(sys.argv) != 6 or sys.argv[1] != "png":
        sys.exit(__doc__.strip())
    _, _, out, width, height, colour = sys.argv
    os.makedirs(os.path.dirname(os.path.abspath(out)), exist_ok=True)
    with open(out, "wb") as f:
        f.write(png(solid(int(width), int(height), tuple(int(c) for c in colour.split(",")))))
