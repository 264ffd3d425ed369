#!/usr/bin/env python3
"""Check a folder of skin images against what the launcher's windows need.

    python3 res/check_art.py [--complete] FOLDER

Every file in FOLDER named like one of ours (res/images/) must have the
format, size and pixel layout the window that shows it is built for; with
--complete, every one of ours must be there. Problems go to stderr, one a
line, naming the file; the exit code is 1 when there is any.

Standard library only: PNG, BMP and ICO headers are read by hand and PNG
pixels decoded with zlib.
"""

import os
import struct
import sys
import zlib

YELLOW = (255, 255, 0)  # the login panel's key colour: these pixels vanish
RED = (255, 0, 0)       # the cache cleaner veil's key colour


class Png:
    def __init__(self, use, width, height, alpha=False, hard_alpha=False, key=None):
        self.use, self.width, self.height = use, width, height
        self.alpha, self.hard_alpha, self.key = alpha, hard_alpha, key


class Bmp:
    def __init__(self, use, width, height, bits, key=None):
        self.use, self.width, self.height, self.bits, self.key = use, width, height, bits, key


class Ico:
    def __init__(self, use, size, bits):
        self.use, self.size, self.bits = use, size, bits


def strip(what, width, frame_height):
    return Png(f"{what} (4 frames of {width} x {frame_height} pixels, one under the other)", width, 4 * frame_height)


def panel_button(what, width, frame_height):
    # Drawn over the colour-keyed login panel: half-transparent pixels would
    # blend with the key colour into a visible fringe.
    p = strip(what, width, frame_height)
    p.alpha, p.hard_alpha, p.key = True, True, YELLOW
    return p


IMAGES = {
    "png155.png": Png("the login window's backdrop, whose alpha is the window's shape", 1120, 693, alpha=True),
    "png160.png": panel_button("the login window's quit button", 36, 35),
    "png162.png": panel_button("the login window's minimise button", 27, 27),
    "png164.png": strip("the boss key button", 106, 30),
    "png166.png": strip("the game window's close button", 30, 30),
    "png167.png": strip("the full screen button", 64, 30),
    "png168.png": strip("the maximise button", 29, 30),
    "png169.png": strip("the minimise button", 29, 30),
    "png170.png": strip("the refresh button", 82, 30),
    "png171.png": strip("the server choice button", 61, 30),
    "png175.png": strip("the confirmation's confirm button", 74, 26),
    "png176.png": strip("the confirmation's decline button", 74, 26),
    "png189.png": strip("the restore button", 29, 30),
    "png1000.png": strip("the clean cache button", 87, 30),
    "bmp136.bmp": Bmp("the game window's title bar (stretched sideways)", 66, 30, 24),
    "bmp141.bmp": Bmp("the game window's logo", 83, 30, 24),
    "bmp177.bmp": Bmp("the confirmation's background", 256, 110, 24),
    "bmp187.bmp": Bmp("the cache cleaner's veil (stretched over the screen)", 57, 40, 8, key=RED),
    "app.ico": Ico("the program's icon", 64, 32),
}


class Bad(Exception):
    pass


def u16(data, at):
    return struct.unpack_from("<H", data, at)[0]


def u32(data, at):
    return struct.unpack_from("<I", data, at)[0]


# --- PNG ---------------------------------------------------------------------

PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"
COLOUR_TYPES = {0: "grey", 2: "RGB", 3: "palette", 4: "grey with alpha", 6: "RGBA"}
ADAM7 = [(0, 0, 8, 8), (4, 0, 8, 8), (0, 4, 4, 8), (2, 0, 4, 4), (0, 2, 2, 4), (1, 0, 2, 2), (0, 1, 1, 2)]


def png_chunks(data):
    if not data.startswith(PNG_SIGNATURE):
        raise Bad("is not a PNG file")
    at = len(PNG_SIGNATURE)
    while at < len(data):
        if at + 12 > len(data):
            raise Bad("is cut short")
        length, kind = struct.unpack_from(">I4s", data, at)
        body = data[at + 8:at + 8 + length]
        if len(body) != length or at + 12 + length > len(data):
            raise Bad("is cut short")
        if zlib.crc32(kind + body) != struct.unpack_from(">I", data, at + 8 + length)[0]:
            raise Bad(f"is damaged (bad checksum of its {kind.decode('latin-1')} chunk)")
        yield kind, body
        at += 12 + length
        if kind == b"IEND":
            return
    raise Bad("has no end chunk")


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def unfilter(raw, width, height, bpp):
    """Rows of bytes of one (sub)image, filters undone."""
    stride = width * bpp
    rows, previous, at = [], bytearray(stride), 0
    for _ in range(height):
        kind, line = raw[at], bytearray(raw[at + 1:at + 1 + stride])
        at += 1 + stride
        for i in range(stride):
            a = line[i - bpp] if i >= bpp else 0
            b, c = previous[i], (previous[i - bpp] if i >= bpp else 0)
            if kind == 1:
                line[i] = (line[i] + a) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + b) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 0xFF
            elif kind == 4:
                line[i] = (line[i] + paeth(a, b, c)) & 0xFF
            elif kind != 0:
                raise Bad("has a row with an unknown filter")
        rows.append(line)
        previous = line
    if at != len(raw):
        raise Bad("has pixel data of the wrong length")
    return rows


def rgba_pixels(raw, width, height, interlaced):
    """Every pixel of an 8-bit RGBA image as (r, g, b, a), in no particular order."""
    passes = ADAM7 if interlaced else [(0, 0, 1, 1)]
    at = 0
    for x0, y0, dx, dy in passes:
        w, h = (width - x0 + dx - 1) // dx, (height - y0 + dy - 1) // dy
        if w <= 0 or h <= 0:
            continue
        size = h * (1 + 4 * w)
        for row in unfilter(raw[at:at + size], w, h, 4):
            for i in range(0, len(row), 4):
                yield tuple(row[i:i + 4])
        at += size


def check_png(data, want):
    header, idat, transparency = None, b"", False
    for kind, body in png_chunks(data):
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        elif kind == b"tRNS":
            transparency = True
    if header is None:
        raise Bad("has no header chunk")
    width, height, depth, colour, _, _, interlace = header
    problems = []
    if (width, height) != (want.width, want.height):
        problems.append(f"is {width} x {height} pixels, not {want.width} x {want.height}")
    wanted_colour = 6 if want.alpha else 2
    if colour != wanted_colour or depth != 8:
        problems.append(f"is {COLOUR_TYPES.get(colour, 'of unknown colour type')} at {depth} bits a channel, "
                        f"not {COLOUR_TYPES[wanted_colour]} at 8 bits a channel")
    if transparency and not want.alpha:
        problems.append("has a transparent colour (tRNS chunk); it must be opaque")
    if problems or not (want.hard_alpha or want.key):
        return problems
    try:
        raw = zlib.decompress(idat)
    except zlib.error:
        raise Bad("has damaged pixel data")
    soft = keyed = 0
    for r, g, b, a in rgba_pixels(raw, width, height, interlace == 1):
        if want.hard_alpha and a not in (0, 255):
            soft += 1
        if want.key and a != 0 and (r, g, b) == want.key:
            keyed += 1
    if soft:
        problems.append(f"has {soft} half-transparent pixels; each pixel must be fully opaque or fully transparent")
    if keyed:
        problems.append(f"has {keyed} visible pixels of the key colour RGB{want.key}, which would show as holes")
    return problems


# --- BMP ---------------------------------------------------------------------

def check_bmp(data, want):
    if len(data) < 54 or data[:2] != b"BM":
        raise Bad("is not a BMP file")
    offset, header_size = u32(data, 10), u32(data, 14)
    if header_size not in (40, 108, 124) or len(data) < 14 + header_size:
        raise Bad("has a bitmap header of an unknown kind")
    width, height, _, bits, compression, _, _, _, used = struct.unpack_from("<iiHHIIiiI", data, 18)
    problems = []
    if (width, abs(height)) != (want.width, want.height):
        problems.append(f"is {width} x {abs(height)} pixels, not {want.width} x {want.height}")
    if bits != want.bits:
        problems.append(f"has {bits} bits a pixel, not {want.bits}")
    if compression != 0:
        problems.append("is compressed; it must be uncompressed (BI_RGB)")
    if problems or not want.key:
        return problems
    colours = used or (1 << bits if bits <= 8 else 0)
    palette = [tuple(data[14 + header_size + 4 * i + j] for j in (2, 1, 0)) for i in range(colours)]
    stride = (width * bits + 31) // 32 * 4
    if offset + stride * abs(height) > len(data) or 14 + header_size + 4 * colours > len(data):
        raise Bad("is cut short")
    keyed = 0
    for y in range(abs(height)):
        row = data[offset + y * stride:offset + y * stride + width * bits // 8]
        if bits == 8:
            pixels = (palette[i] if i < colours else None for i in row)
        else:
            pixels = (tuple(row[i + j] for j in (2, 1, 0)) for i in range(0, len(row), bits // 8))
        keyed += sum(1 for p in pixels if p == want.key)
    if keyed:
        problems.append(f"has {keyed} pixels of the key colour RGB{want.key}, which would show as holes")
    return problems


# --- ICO ---------------------------------------------------------------------

def icon_images(data):
    """(width, height, bits) of each image in an icon file."""
    if len(data) < 6 or u16(data, 0) != 0 or u16(data, 2) != 1 or u16(data, 4) == 0:
        raise Bad("is not an icon file")
    for i in range(u16(data, 4)):
        entry = 6 + 16 * i
        if entry + 16 > len(data):
            raise Bad("is cut short")
        size, offset = u32(data, entry + 8), u32(data, entry + 12)
        image = data[offset:offset + size]
        if len(image) != size or size < 40:
            raise Bad(f"has image {i + 1} outside the file")
        if image.startswith(PNG_SIGNATURE):
            width, height = struct.unpack_from(">II", image, 16)
            depth, colour = image[24], image[25]
            yield width, height, depth * {6: 4, 2: 3}.get(colour, 1)
        else:
            width, height, _, bits = struct.unpack_from("<iiHH", image, 4)
            yield width, height // 2, bits  # the height counts the mask too


def check_ico(data, want):
    images = list(icon_images(data))
    if (want.size, want.size, want.bits) in images:
        return []
    found = ", ".join(f"{w} x {h} at {b} bits" for w, h, b in images)
    return [f"holds no {want.size} x {want.size} image of {want.bits} bits a pixel (it holds {found})"]


CHECKS = {Png: check_png, Bmp: check_bmp, Ico: check_ico}


def check_file(path, want):
    with open(path, "rb") as f:
        data = f.read()
    try:
        problems = CHECKS[type(want)](data, want)
    except (Bad, struct.error) as e:
        problems = [str(e) if isinstance(e, Bad) else "is cut short"]
    return [f"{os.path.basename(path)}: {p}; it is {want.use}" for p in problems]


def check_folder(folder, complete=False):
    problems, found = [], 0
    for name in sorted(os.listdir(folder)):
        path = os.path.join(folder, name)
        if not os.path.isfile(path):
            continue
        if name in IMAGES:
            found += 1
            problems += check_file(path, IMAGES[name])
        elif name.lower().endswith((".png", ".bmp", ".ico")):
            problems.append(f"{name}: is not one of the launcher's images (their names: {', '.join(IMAGES)})")
    if complete:
        problems += [f"{name}: is missing" for name in IMAGES if not os.path.isfile(os.path.join(folder, name))]
    elif found == 0 and not problems:
        problems.append(f"holds none of the launcher's images (their names: {', '.join(IMAGES)})")
    return problems


def main(argv):
    complete = "--complete" in argv
    folders = [a for a in argv if a != "--complete"]
    if len(folders) != 1:
        print("usage: check_art.py [--complete] FOLDER", file=sys.stderr)
        return 2
    problems = check_folder(folders[0], complete)
    for p in problems:
        print(p, file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
