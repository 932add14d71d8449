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

Images must be square, from 1 to 256 pixels. Every image becomes a 32-bit BGRA
bitmap with its AND mask, the form Windows XP and later draw with alpha.

Usage: make_ico.py OUTPUT.ico MAP.txt [MAP.txt ...]
"""

import struct
import sys

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


def encode_image(rows):
    """The image as an icon resource: header, colour bitmap, AND mask."""
    size = len(rows)
    bottom_up = rows[::-1]
    colours = b"".join(bytes((b, g, r, a)) for row in bottom_up for (r, g, b, a) in row)
    # One bit a pixel, set where the image is fully transparent; each row padded
    # to a multiple of 32 bits.
    mask_row_bytes = (size + 31) // 32 * 4
    mask = bytearray()
    for row in bottom_up:
        bits = bytearray(mask_row_bytes)
        for x, (_, _, _, alpha) in enumerate(row):
            if alpha == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    # The height counts the colour bitmap and the mask together.
    header = BITMAPINFOHEADER.pack(BITMAPINFOHEADER.size, size, 2 * size, 1, 32, 0,
                                   len(colours) + len(mask), 0, 0, 0, 0)
    return header + colours + bytes(mask)


def build_ico(images):
    images = sorted(images, key=len)
    sizes = [len(rows) for rows in images]
    if len(set(sizes)) != len(sizes):
        raise MapError("two maps have the same size")
    encoded = [encode_image(rows) for rows in images]
    offset = ICONDIR.size + ICONDIRENTRY.size * len(images)
    directory = ICONDIR.pack(0, 1, len(images))
    for size, data in zip(sizes, encoded):
        side = size % 256  # 256 is written as 0
        directory += ICONDIRENTRY.pack(side, side, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return directory + b"".join(encoded)


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
