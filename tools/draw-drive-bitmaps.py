#!/usr/bin/env python3
"""Writes the drive chooser's pictures (res/drive_*.bmp) from the pixel art below.

Each picture is 16 x 11, 16 colours, 4 bits per pixel, uncompressed. The
chooser paints every pixel of the bottom-left pixel's colour in the item's
background, so '.' (purple, used nowhere else) marks what shows through.

    tools/draw-drive-bitmaps.py          rewrite the .bmp files
    tools/draw-drive-bitmaps.py --check  exit 1 when a .bmp differs from the art
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

PICTURES = {
    "drive_floppy.bmp": FLOPPY,
    "drive_hard.bmp": HARD,
    "drive_network.bmp": NETWORK,
    "drive_cdrom.bmp": CDROM,
    "drive_ram.bmp": RAM,
}


if __name__ == "__main__":
    sys.exit(bitmaps16.run(PICTURES, INK, WIDTH, HEIGHT, sys.argv[1:]))
