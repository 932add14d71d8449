#!/usr/bin/env python3
"""Builds a Windows .ico file from text pixel maps.

Each map holds one image of the icon. It names its colours first, then draws
the image row by row with one character a pixel:

    # comments and blank lines are ignored
    palette
    . transparent
    K 303030        # RRGGBB, opaque
    s 000000 80     # RRGGBB AA, partly transparent
    pixels
    ..KKKK..
    ...

Images must be square, from 1 to 256 pixels. Each is stored in the smallest
form that keeps it exact:

- 256 pixels: PNG-compressed, the form Windows Vista and later expect for the
  size Explorer shows as "extra large"; as a 32-bit bitmap it alone would
  take over 260 KB;
- opaque or fully transparent pixels only, at most 16 colours: a 4-bit
  palette bitmap with its AND mask, which every Windows draws;
- likewise with at most 256 colours: an 8-bit palette bitmap;
- anything else (partial transparency, more colours): a 32-bit BGRA bitmap
  with its AND mask, the form Windows XP and later draw with alpha.

Other scripts import build_ico() and encode_png() to write icons and PNG
images drawn in memory; an image there is a list of rows of (red, green, blue,
alpha), top row first.

Usage: make_ico.py OUTPUT.ico MAP.txt [MAP.txt ...]
"""

import struct
import sys
import zlib

ICONDIR = struct.Struct("<HHH")
ICONDIRENTRY = struct.Struct("<BBBBHHII")
BITMAPINFOHEADER = struct.Struct("<IiiHHIIiiII")


class MapError(Exception):
    pass


def parse_colour(words, where):
    if words == ["transparent"]:
        return (0, 0, 0, 0)
    if len(words) not in (1, 2) or len(words[0]) != 6:
        raise MapError(f"{where}: expected RRGGBB [AA] or 'transparent'")
    try:
        red, green, blue = (int(words[0][i:i + 2], 16) for i in (0, 2, 4))
        alpha = int(words[1], 16) if len(words) == 2 else 255
    except ValueError:
        raise MapError(f"{where}: not a hexadecimal colour") from None
    if alpha > 255:
        raise MapError(f"{where}: alpha above FF")
    return (red, green, blue, alpha)


def read_map(path):
    """Returns the image as rows of (red, green, blue, alpha), top row first."""
    palette = {}
    rows = []
    section = None
    with open(path, encoding="ascii") as text:
        for number, line in enumerate(text, 1):
            where = f"{path}:{number}"
            content = line.split("#", 1)[0].strip()
            if not content:
                continue
            if content in ("palette", "pixels"):
                section = content
            elif section == "palette":
                key, *words = content.split()
                if len(key) != 1 or key in palette:
                    raise MapError(f"{where}: palette keys are single, distinct characters")
                palette[key] = parse_colour(words, where)
            elif section == "pixels":
                unknown = set(content) - palette.keys()
                if unknown:
                    raise MapError(f"{where}: not in the palette: {''.join(sorted(unknown))}")
                rows.append([palette[key] for key in content])
            else:
                raise MapError(f"{where}: expected 'palette' first")
    size = len(rows)
    if not 1 <= size <= 256 or any(len(row) != size for row in rows):
        raise MapError(f"{path}: the image must be square, 1 to 256 pixels")
    return rows


def and_mask(rows):
    """One bit a pixel, set where the image is fully transparent; bottom row
    first, each row padded to a multiple of 32 bits."""
    size = len(rows)
    row_bytes = (size + 31) // 32 * 4
    mask = bytearray()
    for row in rows[::-1]:
        bits = bytearray(row_bytes)
        for x, (_, _, _, alpha) in enumerate(row):
            if alpha == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return bytes(mask)


def palette_of(rows):
    """The distinct colours of an image without partial transparency, in the
    order they first appear, or None when some pixel is partly transparent.
    Transparent pixels are drawn as black behind their mask bit."""
    colours = {}
    for row in rows:
        for (red, green, blue, alpha) in row:
            if alpha not in (0, 255):
                return None
            colour = (red, green, blue) if alpha else (0, 0, 0)
            colours.setdefault(colour, len(colours))
    return colours


def encode_bitmap(rows):
    """The image as an icon bitmap: header, colour table, pixels, AND mask.
    Returns the data, the entry's colour count and its bits a pixel."""
    size = len(rows)
    palette = palette_of(rows)
    mask = and_mask(rows)
    if palette is not None and len(palette) <= 256:
        bits = 4 if len(palette) <= 16 else 8
        table = [(0, 0, 0)] * (1 << bits)
        for colour, index in palette.items():
            table[index] = colour
        colour_table = b"".join(bytes((b, g, r, 0)) for (r, g, b) in table)
        row_bytes = (size * bits + 31) // 32 * 4
        pixels = bytearray()
        for row in rows[::-1]:
            indices = [palette[(r, g, b) if a else (0, 0, 0)] for (r, g, b, a) in row]
            if bits == 4:
                indices += [0] * (size % 2)
                packed = bytes(indices[i] << 4 | indices[i + 1] for i in range(0, size, 2))
            else:
                packed = bytes(indices)
            pixels += packed + bytes(row_bytes - len(packed))
        colour_count = 16 if bits == 4 else 0
    else:
        bits = 32
        colour_table = b""
        pixels = b"".join(bytes((b, g, r, a)) for row in rows[::-1] for (r, g, b, a) in row)
        colour_count = 0
    # The height counts the colour bitmap and the mask together.
    header = BITMAPINFOHEADER.pack(BITMAPINFOHEADER.size, size, 2 * size, 1, bits, 0,
                                   len(pixels) + len(mask), 0, 0, 0, 0)
    return header + colour_table + bytes(pixels) + mask, colour_count, bits


def png_chunk(kind, data):
    return (struct.pack(">I", len(data)) + kind + data +
            struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))


def encode_png(rows):
    """The image as an 8-bit RGBA PNG file."""
    height, width = len(rows), len(rows[0])
    raw = b"".join(b"\0" + b"".join(bytes(pixel) for pixel in row) for row in rows)
    return (b"\x89PNG\r\n\x1a\n" +
            png_chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)) +
            png_chunk(b"IDAT", zlib.compress(raw, 9)) +
            png_chunk(b"IEND", b""))


def encode_image(rows):
    """The image as an icon resource entry: its data, colour count and bits a pixel."""
    if len(rows) == 256:
        return encode_png(rows), 0, 32
    return encode_bitmap(rows)


def build_ico(images):
    images = sorted(images, key=len)
    sizes = [len(rows) for rows in images]
    if len(set(sizes)) != len(sizes):
        raise MapError("two maps have the same size")
    encoded = [encode_image(rows) for rows in images]
    offset = ICONDIR.size + ICONDIRENTRY.size * len(images)
    directory = ICONDIR.pack(0, 1, len(images))
    for size, (data, colour_count, bits) in zip(sizes, encoded):
        side = size % 256  # 256 is written as 0
        directory += ICONDIRENTRY.pack(side, side, colour_count, 0, 1, bits, len(data), offset)
        offset += len(data)
    return directory + b"".join(data for data, _, _ in encoded)


def main(argv):
    if len(argv) < 3:
        sys.stderr.write(__doc__)
        return 2
    try:
        ico = build_ico([read_map(path) for path in argv[2:]])
    except (MapError, OSError) as error:
        sys.stderr.write(f"make_ico: {error}\n")
        return 1
    with open(argv[1], "wb") as output:
        output.write(ico)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
