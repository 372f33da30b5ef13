#!/usr/bin/env python3
"""Writes the folder list's pictures (res/folder_*.bmp): the 16 x 15 pixel art
below, and each picture drawn from shapes at 20, 24 and 32 pixels wide
(res/folder_*_20.bmp and so on), for 120, 144 and 192 DPI.

16 colours, 4 bits per pixel, uncompressed. The folder list paints every
pixel of the bottom-left pixel's colour in the item's background, so '.'
(magenta, used nowhere else) is what shows through.

    tools/draw-folder-bitmaps.py                rewrite the .bmp files
    tools/draw-folder-bitmaps.py --check        exit 1 when a .bmp differs from its drawing
    tools/draw-folder-bitmaps.py --preview F    also write an enlarged PNG of all of them
"""

import sys

import bitmaps16


INK = {
    "k": 0,   # black outline
    "o": 3,   # olive: the folder's shaded edge
    "s": 7,   # silver
    "d": 8,   # grey: lines on the sheet
    "Y": 11,  # yellow: the folder
    ".": 13,  # magenta: transparent
    "w": 15,  # white: lit edges, the sheet
}

WIDTH, HEIGHT = 16, 15

# A closed folder: the tab on the back, the front lit along its top and left.
CLOSED = """
................
................
..kkkkk.........
.kwYYYwk........
kwYYYYYYkkkkkk..
kwwwwwwwwwwwwok.
kwYYYYYYYYYYYok.
kwYYYYYYYYYYYok.
kwYYYYYYYYYYYok.
kwYYYYYYYYYYYok.
kwYYYYYYYYYYYok.
kwYYYYYYYYYYYok.
koooooooooooook.
kkkkkkkkkkkkkkk.
................
"""

# An open folder: the back stands up, the front flap leans away to the right.
OPEN = """
................
................
..kkkkk.........
.kwYYYwk........
kwYYYYYYkkkkkk..
kwYYYYYYYYYYYok.
kwYYkkkkkkkkkkkk
kwYYkwwwwwwwwwwk
kwYkwYYYYYYYYok.
kwYkYYYYYYYYYok.
kwkwYYYYYYYYok..
kwkYYYYYYYYYok..
kkwYYYYYYYYok...
kkkkkkkkkkkk....
................
"""

# The shown folder: open, with a written sheet standing in it.
CURRENT = """
................
.......kkkkkkk..
..kkkkkwwwwwwk..
.kwYYYkwddddwk..
kwYYYYkwwwwwwkk.
kwYYYYkwddddwok.
kwYYkkkkkkkkkkkk
kwYYkwwwwwwwwwwk
kwYkwYYYYYYYYok.
kwYkYYYYYYYYYok.
kwkwYYYYYYYYok..
kwkYYYYYYYYYok..
kkwYYYYYYYYok...
kkkkkkkkkkkk....
................
"""

# The same pictures in the art's units, drawn at any size.
def canvas(size):
    return bitmaps16.Canvas(WIDTH, HEIGHT, size, INK["."])


def back(c, open_folder):
    """The folder's back with its tab; an open one's right edge goes down
    behind the front."""
    c.polygon([(1, 3), (2, 2), (7, 2), (8, 3), (8, 5), (1, 5)], INK["Y"], INK["k"], INK["w"])
    right = [(15, 8), (12, 14)] if open_folder else [(15, 14)]
    c.polygon([(0, 4), (15, 4)] + right + [(0, 14)], INK["Y"], INK["k"], INK["w"], INK["o"])


def front_flap(c):
    """The open folder's front, leaning away to the right."""
    c.polygon([(4, 6), (16, 6), (12, 14), (0, 14)], INK["Y"], INK["k"], INK["w"], INK["o"])


def draw_closed(size):
    c = canvas(size)
    back(c, False)
    return c


def draw_open(size):
    c = canvas(size)
    back(c, True)
    front_flap(c)
    return c


def draw_current(size):
    c = canvas(size)
    back(c, True)
    c.rect(6, 1, 14, 8, INK["w"], INK["k"])
    for line in (3, 5):
        c.rect(8, line, 12, line + 0.7, INK["d"])
    front_flap(c)
    return c


PICTURES = {
    "folder_closed": (CLOSED, draw_closed),
    "folder_open": (OPEN, draw_open),
    "folder_current": (CURRENT, draw_current),
}


if __name__ == "__main__":
    sys.exit(bitmaps16.run(PICTURES, INK, WIDTH, HEIGHT, sys.argv[1:]))
