#!/usr/bin/env python3
"""Draws Orbiquell's pointing-hand cursor, the pointer over its links.

A white hand with a black outline, the index finger pointing up; its active
point (the hotspot) is the top of the index finger, (13, 5). The drawing below
is the cursor's 32 x 32 pixels: '#' black, '.' white, ' ' transparent.

Usage:
    make_cursor.py cursor FILE.cur   the cursor file the resources include
    make_cursor.py preview FILE.png  the cursor enlarged 8 times on a light
                                     ground, its active point marked in red
"""

import os
import struct
import sys

# make_ico lives beside this script. The build runs it from the build tree and
# must leave the source tree as it was: no compiled copy beside it.
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import make_ico  # noqa: E402

HOTSPOT = (13, 5)

HAND = [
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "                                ",
    "            ###                 ",
    "           #...#                ",
    "           #...#                ",
    "           #...#                ",
    "           #...#                ",
    "           #...#                ",
    "           #...####             ",
    "           #...#...####         ",
    "           #...#...#...##       ",
    "           #...#...#...#.#      ",
    "           #...#...#...#..#     ",
    "      ##   #...#...#...#..#     ",
    "     #..#  #..............#     ",
    "     #...# #..............#     ",
    "      #...##..............#     ",
    "       #..................#     ",
    "        #.................#     ",
    "         #...............#      ",
    "          #..............#      ",
    "           #.............#      ",
    "           #............#       ",
    "            #...........#       ",
    "            #...........#       ",
    "            #...........#       ",
    "            #############       ",
    "                                ",
    "                                ",
]

COLOURS = {"#": (0, 0, 0, 255), ".": (255, 255, 255, 255), " ": (0, 0, 0, 0)}

CURSOR_DIR = struct.Struct("<HHH")
CURSOR_DIR_ENTRY = struct.Struct("<BBBBHHII")


def pixels():
    if len(HAND) != 32 or any(len(row) != 32 for row in HAND):
        raise SystemExit("make_cursor: the drawing must be 32 x 32")
    x, y = HOTSPOT
    if HAND[y][x] != "#":
        raise SystemExit("make_cursor: the active point is not on the fingertip's outline")
    return [[COLOURS[key] for key in row] for row in HAND]


def build_cur(rows):
    """A .cur file: an icon file whose type is 2 and whose entries give the
    active point where an icon's give planes and bits a pixel."""
    data, colour_count, _ = make_ico.encode_bitmap(rows)
    size = len(rows)
    offset = CURSOR_DIR.size + CURSOR_DIR_ENTRY.size
    return (CURSOR_DIR.pack(0, 2, 1) +
            CURSOR_DIR_ENTRY.pack(size, size, colour_count, 0, HOTSPOT[0], HOTSPOT[1],
                                  len(data), offset) +
            data)


def preview(rows, factor=8):
    ground, mark = (0xF0, 0xF0, 0xF0, 255), (0xFF, 0x00, 0x00, 255)
    out = [[pixel if pixel[3] else ground for pixel in row for _ in range(factor)]
           for row in rows for _ in range(factor)]
    # A red frame around the active point's enlarged pixel.
    left, top = HOTSPOT[0] * factor, HOTSPOT[1] * factor
    for i in range(factor):
        for x, y in ((left + i, top), (left + i, top + factor - 1),
                     (left, top + i), (left + factor - 1, top + i)):
            out[y][x] = mark
    return out


def main(argv):
    if len(argv) != 3 or argv[1] not in ("cursor", "preview"):
        sys.stderr.write(__doc__)
        return 2
    rows = pixels()
    data = build_cur(rows) if argv[1] == "cursor" else make_ico.encode_png(preview(rows))
    os.makedirs(os.path.dirname(os.path.abspath(argv[2])), exist_ok=True)
    with open(argv[2], "wb") as output:
        output.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
