#!/usr/bin/env python3
"""Draws Orbiquell's tray icon images and its application icon.

Every image is the same drawing: a grey panel in a black frame, a small zig-zag
line graph along its top and the letters IN above OUT, each word with an
indicator square at the right edge that lights green while bytes flow that way.
The families differ only in the colours of graph and letters:

    imgIcon             bright red graph and letters   hot corners on
    imgSleeperDisabled  dark red graph, bright red     hot corners off
                        letters
    imgSleepNever       dark red graph and letters     bottom-right (sleep-never)
                                                       hot corner armed or fired
    imgSleepNow         green graph and letters,       bottom-left (sleep-now)
                        no indicators                  hot corner armed or fired

The three design samples imgIcon, imgSleeperDisabled and imgSleepNever show
the word UP in place of IN and OUT; the application icon is the imgIcon sample.

Nothing is scaled: each size the tray asks for at 100, 125, 150 and 200 %
(16, 20, 24 and 32 pixels) has its own layout and hand-made pixel font below,
so that every stroke lands on whole pixels. Only the application icon's
larger sizes for Explorer (40, 48, 64, 256) are whole multiples of the 20, 24
and 32 pixel drawings. All colours come from the 16-colour Windows palette,
which lets make_ico store the bitmaps at 4 bits a pixel.

Usage:
    make_tray_icons.py icons DIR     one multi-size .ico per tray image, named
                                     after it, and orbiquell.ico (the app icon)
    make_tray_icons.py previews DIR  sheet_16.png and sheet_32.png (all sixteen
                                     images enlarged) and 16/<image>.png (each
                                     tray image's exact 16 x 16 pixels)
"""

import os
import sys

# make_ico lives beside this script. The build runs it from the build tree and
# must leave the source tree as it was: no compiled copy beside it.
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import make_ico  # noqa: E402

# The 16-colour Windows palette, as far as it is used.
BLACK = (0x00, 0x00, 0x00, 255)
WHITE = (0xFF, 0xFF, 0xFF, 255)
GREY = (0xC0, 0xC0, 0xC0, 255)
DARK_GREY = (0x80, 0x80, 0x80, 255)
RED = (0xFF, 0x00, 0x00, 255)
DARK_RED = (0x80, 0x00, 0x00, 255)
GREEN = (0x00, 0x80, 0x00, 255)
LIME = (0x00, 0xFF, 0x00, 255)

FRAME = BLACK
PANEL = GREY
BEVEL_LIT = WHITE
BEVEL_SHADED = DARK_GREY
# A lit indicator is the brightest green there is; an unlit one stays a dark
# socket, so the eye finds the two places even when nothing flows.
INDICATOR_ON = LIME
INDICATOR_OFF = DARK_GREY

# name: (graph colour, letter colour)
FAMILIES = {
    "imgIcon": (RED, RED),
    "imgSleeperDisabled": (DARK_RED, RED),
    "imgSleepNever": (DARK_RED, DARK_RED),
    "imgSleepNow": (GREEN, GREEN),
}
ACTIVITIES = {"none": (False, False), "rx": (True, False),
              "tx": (False, True), "rxtx": (True, True)}


class Image:
    """The thirteen images the tray shows and the three design samples."""

    def __init__(self, name, family, words, lit=None):
        self.name = name
        self.graph, self.letters = FAMILIES[family]
        self.words = words          # ("IN", "OUT") or ("UP",)
        self.lit = lit              # (rx, tx), or None: no indicators at all


TRAY_IMAGES = [Image(f"{family}_{activity}", family, ("IN", "OUT"), lit)
               for family in ("imgIcon", "imgSleeperDisabled", "imgSleepNever")
               for activity, lit in ACTIVITIES.items()]
TRAY_IMAGES.append(Image("imgSleepNow", "imgSleepNow", ("IN", "OUT")))
SAMPLES = [Image(family, family, ("UP",))
           for family in ("imgIcon", "imgSleepNever", "imgSleeperDisabled")]
APP_ICON = SAMPLES[0]
# Explorer's larger views of the application icon, (drawn size, factor):
# 40 and 48 pixels for large icons at 125 and 150 %, 64 and 256 for its
# bigger views.
APP_ENLARGED = [(20, 2), (24, 2), (32, 2), (32, 8)]


def glyphs(text):
    """A font from a block of glyphs side by side, each headed by its letter:
    every glyph's columns are those under its letter and the blanks after it;
    '#' is ink, '.' the panel."""
    lines = text.strip("\n").splitlines()
    heads, rows = lines[0], lines[1:]
    starts = [i for i, ch in enumerate(heads) if ch != " "]
    font = {}
    for n, start in enumerate(starts):
        end = starts[n + 1] if n + 1 < len(starts) else max(len(r) for r in rows)
        cells = [row.ljust(end)[start:end] for row in rows]
        width = max(len(cell.rstrip()) for cell in cells)
        font[heads[start]] = [cell[:width].ljust(width).replace(" ", ".") for cell in cells]
    return font


def text_width(font, spacing, word):
    return sum(len(font[letter][0]) for letter in word) + spacing * (len(word) - 1)


class Size:
    """One size's layout. Coordinates count from the top-left pixel, x to the
    right and y down; words are placed by their top-left pixel."""

    def __init__(self, size, bevel, graph, pen, font, spacing, word_x, in_y, out_y,
                 indicator_x, indicator, up_font, up_spacing):
        self.size = size
        self.bevel = bevel            # width of the white/grey bevel inside the frame
        self.graph = graph            # corners of the zig-zag line
        self.pen = pen                # (width, height) of the pen drawing the line
        self.font, self.spacing = font, spacing
        self.word_x, self.in_y, self.out_y = word_x, in_y, out_y
        self.indicator_x, self.indicator = indicator_x, indicator
        self.up_font, self.up_spacing = up_font, up_spacing
        # UP stands in the middle of the panel's width and of the band IN and
        # OUT take.
        inner = size - 2 - 2 * bevel
        self.up_x = 1 + bevel + (inner - text_width(up_font, up_spacing, "UP")) // 2
        band = out_y + len(font["O"]) - in_y
        self.up_y = in_y + (band - len(up_font["U"])) // 2


# 16 pixels, 100 %: one-pixel frame and strokes; four-row letters are the
# tallest that fit two words under a graph, and OUT in three-column letters
# leaves just room for the indicators at the right edge.
SIZE_16 = Size(
    16, bevel=0,
    graph=[(1, 4), (3, 2), (5, 4), (6, 3), (7, 4), (9, 2), (10, 3), (11, 2), (13, 4), (14, 3)],
    pen=(1, 1),
    font=glyphs("""
I   N    O   U   T
### #..# ### #.# ###
.#. ##.# #.# #.# .#.
.#. #.## #.# #.# .#.
### #..# ### ### .#.
"""),
    spacing=1, word_x=2, in_y=6, out_y=11,
    indicator_x=13, indicator=2,
    up_font=glyphs("""
U      P
##.##  ####.
##.##  ##.##
##.##  ##.##
##.##  ####.
##.##  ##...
#####  ##...
.###.  ##...
"""),
    up_spacing=2)

# 20 pixels, 125 %: five-row letters, a four-row graph.
SIZE_20 = Size(
    20, bevel=0,
    graph=[(1, 5), (4, 2), (6, 4), (7, 3), (9, 5), (12, 2), (14, 4), (15, 3), (17, 5), (18, 4)],
    pen=(1, 1),
    font=glyphs("""
I   N     O    U    T
### #...# .##. #..# ###
.#. ##..# #..# #..# .#.
.#. #.#.# #..# #..# .#.
.#. #..## #..# #..# .#.
### #...# .##. .##. .#.
"""),
    spacing=1, word_x=2, in_y=7, out_y=13,
    indicator_x=16, indicator=3,
    up_font=glyphs("""
U       P
##..##  #####.
##..##  ######
##..##  ##..##
##..##  ##..##
##..##  ######
##..##  #####.
##..##  ##....
######  ##....
.####.  ##....
"""),
    up_spacing=2)

# 24 pixels, 150 %: six-row letters, still one pixel thick, which keeps the
# words as light as at 100 %; larger indicators.
SIZE_24 = Size(
    24, bevel=0,
    graph=[(1, 6), (5, 2), (7, 4), (8, 3), (11, 6), (15, 2), (17, 4), (18, 3), (21, 6), (22, 5)],
    pen=(1, 1),
    font=glyphs("""
I   N     O    U    T
### #...# .##. #..# #####
.#. ##..# #..# #..# ..#..
.#. #.#.# #..# #..# ..#..
.#. #.#.# #..# #..# ..#..
.#. #..## #..# #..# ..#..
### #...# .##. .##. ..#..
"""),
    spacing=1, word_x=2, in_y=9, out_y=16,
    indicator_x=18, indicator=4,
    up_font=glyphs("""
U        P
##...##  ######.
##...##  #######
##...##  ##...##
##...##  ##...##
##...##  ##...##
##...##  #######
##...##  ######.
##...##  ##.....
##...##  ##.....
#######  ##.....
.#####.  ##.....
"""),
    up_spacing=2)

# 32 pixels, 200 %: two-pixel strokes and line, a bevelled panel.
SIZE_32 = Size(
    32, bevel=1,
    graph=[(2, 7), (6, 3), (9, 6), (11, 4), (14, 7), (18, 3), (21, 6), (23, 4), (26, 7), (29, 4)],
    pen=(1, 2),
    font=glyphs("""
I       N         O       U       T
######  ##....##  .#####. ##...## ######
######  ###...##  ####### ##...## ######
..##..  ####..##  ##...## ##...## ..##..
..##..  ##.##.##  ##...## ##...## ..##..
..##..  ##..####  ##...## ##...## ..##..
..##..  ##...###  ##...## ##...## ..##..
######  ##....##  ####### ####### ..##..
######  ##....##  .#####. .#####. ..##..
"""),
    spacing=1, word_x=3, in_y=12, out_y=22,
    indicator_x=26, indicator=4,
    up_font=glyphs("""
U           P
###....###  #########.
###....###  ##########
###....###  ##########
###....###  ###....###
###....###  ###....###
###....###  ##########
###....###  ##########
###....###  #########.
###....###  ###.......
###....###  ###.......
###....###  ###.......
##########  ###.......
##########  ###.......
.########.  ###.......
"""),
    up_spacing=2)

SIZES = [SIZE_16, SIZE_20, SIZE_24, SIZE_32]


def blank(size, colour):
    return [[colour] * size for _ in range(size)]


def fill(canvas, x, y, w, h, colour):
    for row in canvas[y:y + h]:
        row[x:x + w] = [colour] * w


def line(canvas, start, end, pen, colour):
    """A straight line by Bresenham's rule, drawn with a pen of (width, height)
    pixels whose top-left pixel follows the line."""
    (x0, y0), (x1, y1) = start, end
    dx, dy = abs(x1 - x0), -abs(y1 - y0)
    sx, sy = (1 if x1 > x0 else -1), (1 if y1 > y0 else -1)
    error = dx + dy
    while True:
        fill(canvas, x0, y0, pen[0], pen[1], colour)
        if (x0, y0) == (x1, y1):
            return
        if 2 * error >= dy:
            error += dy
            x0 += sx
        if 2 * error <= dx:
            error += dx
            y0 += sy


def text(canvas, font, spacing, x, y, word, colour):
    for letter in word:
        for dy, row in enumerate(font[letter]):
            for dx, cell in enumerate(row):
                if cell == "#":
                    canvas[y + dy][x + dx] = colour
        x += len(font[letter][0]) + spacing


def draw(image, layout):
    size, bevel = layout.size, layout.bevel
    canvas = blank(size, FRAME)
    fill(canvas, 1, 1, size - 2, size - 2, BEVEL_SHADED)
    fill(canvas, 1, 1, size - 2 - bevel, size - 2 - bevel, BEVEL_LIT)
    fill(canvas, 1 + bevel, 1 + bevel, size - 2 - 2 * bevel, size - 2 - 2 * bevel, PANEL)
    for start, end in zip(layout.graph, layout.graph[1:]):
        line(canvas, start, end, layout.pen, image.graph)
    if image.words == ("UP",):
        text(canvas, layout.up_font, layout.up_spacing, layout.up_x, layout.up_y, "UP",
             image.letters)
    else:
        font, spacing = layout.font, layout.spacing
        height, side = len(font["I"]), layout.indicator
        for word, y, lit in zip(("IN", "OUT"), (layout.in_y, layout.out_y),
                                image.lit or (None, None)):
            text(canvas, font, spacing, layout.word_x, y, word, image.letters)
            if lit is not None:
                fill(canvas, layout.indicator_x, y + (height - side + 1) // 2, side, side,
                     INDICATOR_ON if lit else INDICATOR_OFF)
    return canvas


def check(layout):
    """Catches a layout whose parts would run into the frame or each other."""
    inner = range(1 + layout.bevel, layout.size - 1 - layout.bevel)
    font = layout.font
    out_right = layout.word_x + text_width(font, layout.spacing, "OUT") - 1
    up_right = layout.up_x + text_width(layout.up_font, layout.up_spacing, "UP") - 1
    graph_bottom = max(y for _, y in layout.graph) + layout.pen[1] - 1
    problems = []
    if not all(x in inner and y in inner and x + layout.pen[0] - 1 in inner
               and y + layout.pen[1] - 1 in inner for x, y in layout.graph):
        problems.append("graph outside the panel")
    if graph_bottom >= min(layout.in_y, layout.up_y) - 1:
        problems.append("graph touches the letters")
    if layout.in_y + len(font["I"]) >= layout.out_y:
        problems.append("IN touches OUT")
    if out_right >= layout.indicator_x or layout.indicator_x + layout.indicator - 1 not in inner:
        problems.append("no room for the indicators right of OUT")
    if (layout.out_y + len(font["O"]) - 1 not in inner or up_right not in inner
            or layout.up_y + len(layout.up_font["U"]) - 1 not in inner):
        problems.append("letters outside the panel")
    if problems:
        raise SystemExit(f"make_tray_icons: {layout.size} px: {', '.join(problems)}")


def enlarge(canvas, factor):
    return [[pixel for pixel in row for _ in range(factor)]
            for row in canvas for _ in range(factor)]


def icon(image, extra=()):
    """The image at every tray size, plus enlargements (size, factor) of them."""
    drawn = {layout.size: draw(image, layout) for layout in SIZES}
    return list(drawn.values()) + [enlarge(drawn[base], factor) for base, factor in extra]


def sheet(images, size, factor, columns):
    """The images enlarged, side by side in rows, on a light ground."""
    gap, ground = 8, (0xF0, 0xF0, 0xF0, 255)
    layout = next(l for l in SIZES if l.size == size)
    cell = size * factor
    rows = (len(images) + columns - 1) // columns
    width, height = columns * (cell + gap) + gap, rows * (cell + gap) + gap
    out = [[ground] * width for _ in range(height)]
    for n, image in enumerate(images):
        top, left = gap + n // columns * (cell + gap), gap + n % columns * (cell + gap)
        for y, row in enumerate(enlarge(draw(image, layout), factor)):
            out[top + y][left:left + cell] = row
    return out


def write(path, data):
    with open(path, "wb") as output:
        output.write(data)


def main(argv):
    if len(argv) != 3 or argv[1] not in ("icons", "previews"):
        sys.stderr.write(__doc__)
        return 2
    for layout in SIZES:
        check(layout)
    out = argv[2]
    os.makedirs(out, exist_ok=True)
    if argv[1] == "icons":
        for image in TRAY_IMAGES:
            write(os.path.join(out, image.name + ".ico"), make_ico.build_ico(icon(image)))
        write(os.path.join(out, "orbiquell.ico"),
              make_ico.build_ico(icon(APP_ICON, extra=APP_ENLARGED)))
    else:
        # Four columns: none, rx, tx, rxtx of each family, then imgSleepNow and
        # the three samples.
        everything = TRAY_IMAGES + SAMPLES
        for size, factor in ((16, 8), (32, 4)):
            write(os.path.join(out, f"sheet_{size}.png"),
                  make_ico.encode_png(sheet(everything, size, factor, 4)))
        os.makedirs(os.path.join(out, "16"), exist_ok=True)
        for image in TRAY_IMAGES:
            write(os.path.join(out, "16", image.name + ".png"),
                  make_ico.encode_png(draw(image, SIZE_16)))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
