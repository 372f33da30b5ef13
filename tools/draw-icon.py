#!/usr/bin/env python3
"""Writes the program's icon (res/wendle.ico): a sound wave that settles into
a note, on a dark blue tile.

The 32 x 32 image is the pixel art below; the others (16, 20 and 24 for the
title bar at 96 to 144 DPI, 40, 48 and 64 for the taskbar and Alt+Tab at
120 to 192 DPI) are drawn from shapes at their size. 16 colours, 4 bits per
pixel. '.' is transparent: it is set in the AND mask and black in the colour
bits, as icons need.

    tools/draw-icon.py                rewrite the .ico file
    tools/draw-icon.py --check        exit 1 when the .ico differs from its drawing
    tools/draw-icon.py --preview F    also write an enlarged PNG of every size
"""

import pathlib
import struct
import sys

import bitmaps16

INK = {
    ".": 0,   # transparent (black in the colour bits)
    "k": 0,   # black outline
    "n": 4,   # navy: the tile
    "c": 14,  # cyan: the wave
    "Y": 11,  # yellow: the note
    "w": 15,  # white: the note's highlight
}

SIZE = 32

ICON = """
................................
...kkkkkkkkkkkkkkkkkkkkkkkkkk...
..knnnnnnnnnnnnnnnnnnnnnnnnnnk..
.knnnnnnnnnnnnnnnnnnnnnnnnnnnnk.
.knnnnnnnnnnnnnnnnnnnnnnnnnnnnk.
.knnnnnnnnnnnnnnnnnnnnnnnYYYnnk.
.knnnnnnnnnnnnnnnnnnnnnnnYYYYnk.
.knnnnnnnnnnnnnnnnnnnnnnnYYYYnk.
.knnnnnnnnnnnnnnnnnnnnnnnYYnYYk.
.knnnnnnnnnnnnnnnnnnnnnnnYYnYYk.
.knnnnnnnnnnnnnnnnnnnnnnnYYnnYk.
.knnnnnnnnnnnnnnnnnnnnnnnYYnYYk.
.knnnnnnnnnccnnnnnnnnnnnnYYnYnk.
.knnnnnnnnncccnnnnnnnnnnnYYnnnk.
.knnnnccnnncncnnnnnnnnnnnYYnnnk.
.knnncccnnncncnnnnnnnnnnnYYnnnk.
.knnncncnnncncnnnnnnnnnnnYYnnnk.
.kccccnccnccnccccnnnnnnnnYYnnnk.
.knnnnnncncnnnccccnnnnnnnYYnnnk.
.knnnnnncncnnnnnncnnnnnnnYYnnnk.
.knnnnnncncnnnnnnccnYYYYnYYnnnk.
.knnnnnncncnnnnnnnYwwYYYYYYnnnk.
.knnnnnncncnnnnnnnYwYYYYYYYnnnk.
.knnnnnncccnnnnnnYYYYYYYYYYnnnk.
.knnnnnnnnnnnnnnnnYYYYYYYYnnnnk.
.knnnnnnnnnnnnnnnnnYYYYYYnnnnnk.
.knnnnnnnnnnnnnnnnnnnnnnnnnnnnk.
.knnnnnnnnnnnnnnnnnnnnnnnnnnnnk.
.knnnnnnnnnnnnnnnnnnnnnnnnnnnnk.
..knnnnnnnnnnnnnnnnnnnnnnnnnnk..
...kkkkkkkkkkkkkkkkkkkkkkkkkk...
................................
"""


SIZES = (16, 20, 24, 32, 40, 48, 64)
TRANSPARENT = -1


def draw(size):
    """The icon in the art's units: the tile, the wave, the note."""
    c = bitmaps16.Canvas(SIZE, SIZE, size, TRANSPARENT)
    c.polygon([(3, 1), (29, 1), (31, 3), (31, 29), (29, 31), (3, 31), (1, 29), (1, 3)],
              INK["n"], INK["k"])
    c.stroke([(2, 17.5), (5.5, 17.5), (6.5, 14.5), (7.5, 17.5), (8.5, 23.5), (9.5, 17.5),
              (12, 12.5), (13.5, 17.5), (16, 17.5), (17.5, 20.5)], INK["c"], 1.2)
    c.rect(25, 5, 27, 23.5, INK["Y"])
    c.polygon([(25, 5), (28, 5), (30, 8), (30, 12), (29, 12), (28, 9), (27, 8)], INK["Y"])
    c.ellipse(22, 22.5, 4.3, 2.8, INK["Y"])
    c.ellipse(20, 21.5, 1.3, 0.8, INK["w"])
    return c.pixels


def image(pixels):
    """One image of the icon: its header, palette, colour bits and AND mask."""
    size = len(pixels)
    colour = b""
    mask = b""
    colour_stride = (size * 4 + 31) // 32 * 4
    mask_stride = (size + 31) // 32 * 4
    for row in reversed(pixels):  # bottom-up
        inks = [0 if p == TRANSPARENT else p for p in row] + [0] * (size % 2)
        line = bytes((inks[x] << 4) | inks[x + 1] for x in range(0, len(inks), 2))
        colour += line + b"\0" * (colour_stride - len(line))
        bits = 0
        for p in row:
            bits = (bits << 1) | (p == TRANSPARENT)
        bits <<= mask_stride * 8 - size
        mask += bits.to_bytes(mask_stride, "big")
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in bitmaps16.PALETTE)
    # The header's height counts the colour bits and the mask together.
    info = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 4, 0, len(colour) + len(mask),
                       0, 0, 16, 0)
    return info + palette + colour + mask


def art_pixels(art):
    rows = art.strip("\n").split("\n")
    pixels = bitmaps16.grid(art, INK, SIZE, SIZE, "wendle.ico")
    return [[TRANSPARENT if rows[y][x] == "." else pixels[y][x] for x in range(SIZE)]
            for y in range(SIZE)]


def ico():
    every = [art_pixels(ICON) if size == SIZE else draw(size) for size in SIZES]
    images = [image(pixels) for pixels in every]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip(SIZES, images):
        directory += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    return directory + b"".join(images), every


def main(argv):
    target = pathlib.Path(__file__).resolve().parent.parent / "res" / "wendle.ico"
    data, every = ico()
    if "--check" in argv:
        if not target.exists() or target.read_bytes() != data:
            print(f"{target} differs from its drawing", file=sys.stderr)
            return 1
    else:
        target.write_bytes(data)
    if "--preview" in argv:
        shown = [[[13 if p == TRANSPARENT else p for p in row] for row in pixels]
                 for pixels in every]
        bitmaps16.png(argv[argv.index("--preview") + 1], shown)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
