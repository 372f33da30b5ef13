#!/usr/bin/env python3
"""Writes the folder list's pictures (res/folder_*.bmp) from the pixel art below.

Each picture is 16 x 15, 16 colours, 4 bits per pixel, uncompressed. The
folder list paints every pixel of the bottom-left pixel's colour in the
item's background, so '.' (magenta, used nowhere else) is what shows through.

    tools/draw-folder-bitmaps.py                rewrite the .bmp files
    tools/draw-folder-bitmaps.py --check        exit 1 when a .bmp differs from the art
    tools/draw-folder-bitmaps.py --preview F    also write an enlarged PNG of all three
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

PICTURES = {
    "folder_closed.bmp": CLOSED,
    "folder_open.bmp": OPEN,
    "folder_current.bmp": CURRENT,
}


if __name__ == "__main__":
    sys.exit(bitmaps16.run(PICTURES, INK, WIDTH, HEIGHT, sys.argv[1:]))
