#!/usr/bin/env python3
"""Writes the program's icon (res/wendle.ico) from the pixel art below: a sound
wave that settles into a note, on a dark blue tile.

One 32 x 32 image, 16 colours, 4 bits per pixel. '.' is transparent: it is set
in the AND mask and black in the colour bits, as icons need.

    tools/draw-icon.py                rewrite the .ico file
    tools/draw-icon.py --check        exit 1 when the .ico differs from the art
    tools/draw-icon.py --preview F    also write an enlarged PNG
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


def ico(art):
    rows = art.strip("\n").split("\n")
    pixels = bitmaps16.grid(art, INK, SIZE, SIZE, "wendle.ico")
    colour = b""
    mask = b""
    for y in reversed(range(SIZE)):  # bottom-up
        colour += bytes((pixels[y][x] << 4) | pixels[y][x + 1] for x in range(0, SIZE, 2))
        bits = 0
        for x in range(SIZE):
            bits = (bits << 1) | (rows[y][x] == ".")
        mask += bits.to_bytes(SIZE // 8, "big")  # 32 bits: rows are already DWORD-aligned
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in bitmaps16.PALETTE)
    # The header's height counts the colour bits and the mask together.
    info = struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, 4, 0, len(colour) + len(mask),
                       0, 0, 16, 0)
    image = info + palette + colour + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image, pixels


def main(argv):
    target = pathlib.Path(__file__).resolve().parent.parent / "res" / "wendle.ico"
    data, pixels = ico(ICON)
    if "--check" in argv:
        if not target.exists() or target.read_bytes() != data:
            print(f"{target} differs from its pixel art", file=sys.stderr)
            return 1
    else:
        target.write_bytes(data)
    if "--preview" in argv:
        bitmaps16.png(argv[argv.index("--preview") + 1], [pixels], SIZE, SIZE)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
