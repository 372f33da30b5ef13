#!/usr/bin/env python3
"""Writes the drive chooser's pictures (res/drive_*.bmp): the 16 x 11 pixel
art below, and each picture drawn from shapes at 20, 24 and 32 pixels wide
(res/drive_*_20.bmp and so on), for 120, 144 and 192 DPI.

16 colours, 4 bits per pixel, uncompressed. The chooser paints every pixel
of the bottom-left pixel's colour in the item's background, so '.' (purple,
used nowhere else) marks what shows through.

    tools/draw-drive-bitmaps.py          rewrite the .bmp files
    tools/draw-drive-bitmaps.py --check  exit 1 when a .bmp differs from its drawing
    tools/draw-drive-bitmaps.py --preview F    also write an enlarged PNG
"""

import sys

import bitmaps16


# One character per pixel: its palette index.
INK = {
    "k": 0,   # black
    "r": 1,   # dark red
    "g": 2,   # dark green
    "o": 3,   # olive
    ".": 5,   # purple: transparent
    "t": 6,   # teal
    "s": 7,   # silver
    "d": 8,   # grey
    "R": 9,   # red
    "G": 10,  # green
    "Y": 11,  # yellow
    "B": 12,  # blue
    "M": 13,  # magenta
    "C": 14,  # cyan
    "w": 15,  # white
}

WIDTH, HEIGHT = 16, 11

# A flat drive box seen from above the front: top face, front with a disk slot.
FLOPPY = """
................
...wwwwwwwwwwwwk
..wssssssssssdk.
.wwwwwwwwwwwwdk.
.wsssssssssssdk.
.wskkkkkkkkksdk.
.wssdddddddssdk.
.wsssssssssssdk.
.wsssssssssddk..
.kkkkkkkkkkkkk..
................
"""

# The same box without a slot: a ridge on the front and a green light.
HARD = """
................
................
...wwwwwwwwwwwwk
..wssssssssssdk.
.wwwwwwwwwwwwdk.
.wsssssssssssdk.
.wsddddddddddsk.
.wsGGssssssssk..
.kkkkkkkkkkkkk..
................
................
"""

# A drive box on the network: a cable from the box down to a pipe.
NETWORK = """
...wwwwwwwwwwwwk
..wssssssssssdk.
.wwwwwwwwwwwwdk.
.wsssssssssssdk.
.wsddddddddddsk.
.wsGGssssssssk..
.kkkkkkkkkkkkk..
.......kg.......
.......kg.......
.kkkkkkkgkkkkkk.
.GGGGGGGGGGGGGG.
"""

# A compact disc above the front of its drive.
CDROM = """
....kkkkkkkk....
..kkwwCCwwMwkk..
.kwwwwwkkwMMwwk.
..kkwwwwwwwwkk..
....kkkkkkkk....
.wwwwwwwwwwwwwdk
.wssssssssssssdk
.wskkkkkkkkkBsdk
.wssssssssssssdk
.kkkkkkkkkkkkkkk
................
"""

# A memory module: chips on a green board with gold contacts.
RAM = """
................
.gggggggggggggg.
.gkkkgkkkgkkkgg.
.gkkkgkkkgkkkgg.
.gkkkgkkkgkkkgg.
.gggggggggggggg.
.gggggggggggggg.
.gYgYgYgYgYgYgg.
.gYgYgYgYgYgYgg.
.kkkkkkkkkkkkkk.
................
"""

# The same pictures in the art's units, drawn at any size.
def canvas(size):
    return bitmaps16.Canvas(WIDTH, HEIGHT, size, INK["."])


def box(c, top, bottom):
    """A drive's box: its lit top face leaning back, its silver front."""
    c.polygon([(3, top - 2), (16, top - 2), (14, top), (1, top)], INK["w"], INK["k"])
    c.rect(1, top, 15, bottom, INK["s"], INK["k"], INK["w"], INK["d"])


def draw_floppy(size):
    c = canvas(size)
    box(c, 3, 10)
    c.rect(3, 5, 12, 6, INK["k"])
    c.rect(4, 6.6, 11, 7.4, INK["d"])
    return c


def draw_hard(size):
    c = canvas(size)
    box(c, 4, 9)
    c.rect(3, 5.6, 13, 6.4, INK["d"])
    c.rect(3, 7, 5, 8, INK["G"])
    return c


def draw_network(size):
    c = canvas(size)
    box(c, 2, 7)
    c.rect(3, 4.6, 13, 5.4, INK["d"])
    c.rect(7, 7, 9, 10, INK["g"], INK["k"])
    c.rect(1, 9, 15, 11, INK["G"], INK["k"])
    return c


def draw_cdrom(size):
    c = canvas(size)
    c.rect(1, 5, 16, 10, INK["s"], INK["k"], INK["w"], INK["d"])
    c.rect(3, 7, 12, 8, INK["k"])
    c.rect(12.5, 7, 14, 8, INK["B"])
    c.ellipse(8, 2.6, 6.5, 2.4, INK["w"], INK["k"])
    c.ellipse(6, 2, 1.4, 0.8, INK["C"])
    c.ellipse(10.5, 2.6, 1.4, 0.8, INK["M"])
    c.ellipse(8, 2.6, 1.3, 0.6, INK["k"])
    return c


def draw_ram(size):
    c = canvas(size)
    c.rect(1, 1, 15, 10, INK["g"], INK["k"])
    for left in (2, 6, 10):
        c.rect(left, 2, left + 3, 5, INK["k"])
    for left in range(2, 14, 2):
        c.rect(left, 7, left + 1, 9, INK["Y"])
    return c


PICTURES = {
    "drive_floppy": (FLOPPY, draw_floppy),
    "drive_hard": (HARD, draw_hard),
    "drive_network": (NETWORK, draw_network),
    "drive_cdrom": (CDROM, draw_cdrom),
    "drive_ram": (RAM, draw_ram),
}


if __name__ == "__main__":
    sys.exit(bitmaps16.run(PICTURES, INK, WIDTH, HEIGHT, sys.argv[1:]))
