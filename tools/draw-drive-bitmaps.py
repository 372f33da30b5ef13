#!/usr/bin/env python3
"""Writes the drive chooser's pictures (res/drive_*.bmp) from the pixel art below.

Each picture is 16 x 11, 16 colours, 4 bits per pixel, uncompressed. The
chooser paints every pixel of the bottom-left pixel's colour in the item's
background, so '.' (purple, used nowhere else) marks what shows through.

    tools/draw-drive-bitmaps.py          rewrite the .bmp files
    tools/draw-drive-bitmaps.py --check  exit 1 when a .bmp differs from the art
"""

import pathlib
import struct
import sys

# The standard 16-colour palette, in its usual order.
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]

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


def rows_of(art, name):
    rows = art.strip("\n").split("\n")
    if len(rows) != HEIGHT or any(len(row) != WIDTH for row in rows):
        sys.exit(f"{name}: the art must be {WIDTH} x {HEIGHT}")
    unknown = {c for row in rows for c in row} - INK.keys()
    if unknown:
        sys.exit(f"{name}: unknown ink {sorted(unknown)}")
    return rows


def bmp_of(rows):
    row_bytes = WIDTH // 2  # 4 bits per pixel; 16 pixels fill 8 bytes, already aligned
    pixels = bytearray()
    for row in reversed(rows):  # bottom-up
        for x in range(0, WIDTH, 2):
            pixels.append(INK[row[x]] << 4 | INK[row[x + 1]])
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    offset = 14 + 40 + len(palette)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 4, 0, row_bytes * HEIGHT, 0, 0,
                       16, 0)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + palette + bytes(pixels)


def main():
    check = "--check" in sys.argv[1:]
    res = pathlib.Path(__file__).resolve().parent.parent / "res"
    stale = []
    for name, art in PICTURES.items():
        data = bmp_of(rows_of(art, name))
        path = res / name
        if check:
            if not path.exists() or path.read_bytes() != data:
                stale.append(name)
        else:
            path.write_bytes(data)
    if stale:
        sys.exit("out of date: " + ", ".join(stale))


if __name__ == "__main__":
    main()
