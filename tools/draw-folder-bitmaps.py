#!/usr/bin/env python3
"""Writes the folder list's pictures (res/folder_*.bmp) from the pixel art below.

Each picture is 16 x 15, 16 colours, 4 bits per pixel, uncompressed. The
folder list paints every pixel of the bottom-left pixel's colour in the
item's background, so '.' (magenta, used nowhere else) is what shows through.

    tools/draw-folder-bitmaps.py                rewrite the .bmp files
    tools/draw-folder-bitmaps.py --check        exit 1 when a .bmp differs from the art
    tools/draw-folder-bitmaps.py --preview F    also write an enlarged PNG of all three
"""

import pathlib
import struct
import sys
import zlib

# The standard 16-colour palette, in its usual order.
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]

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


def pixels(art):
    rows = art.strip("\n").split("\n")
    assert len(rows) == HEIGHT, f"{len(rows)} rows"
    for row in rows:
        assert len(row) == WIDTH, f"row {row!r} is {len(row)} wide"
    return [[INK[c] for c in row] for row in rows]


def bmp(art):
    grid = pixels(art)
    stride = (WIDTH * 4 + 31) // 32 * 4
    body = b""
    for row in reversed(grid):  # bottom-up
        line = bytes((row[x] << 4) | row[x + 1] for x in range(0, WIDTH, 2))
        body += line + b"\0" * (stride - len(line))
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(body), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 4, 0, len(body), 2835, 2835, 16, 0)
    return header + info + palette + body


def png(path, scale=12):
    """All pictures side by side, enlarged, for a person to look at."""
    gap = 4
    width = len(PICTURES) * (WIDTH + gap) * scale
    height = HEIGHT * scale
    grids = [pixels(art) for art in PICTURES.values()]
    raw = b""
    for y in range(height):
        line = bytearray(b"\0")
        for grid in grids:
            for x in range(WIDTH):
                line += bytes(PALETTE[grid[y // scale][x]]) * scale
            line += bytes((0xC0, 0xC0, 0xC0)) * gap * scale
        raw += bytes(line)

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    ihdr = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    pathlib.Path(path).write_bytes(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) +
                                   chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


def main(argv):
    res = pathlib.Path(__file__).resolve().parent.parent / "res"
    check = "--check" in argv
    differs = False
    for name, art in PICTURES.items():
        data = bmp(art)
        target = res / name
        if check:
            if not target.exists() or target.read_bytes() != data:
                print(f"{target} differs from its pixel art", file=sys.stderr)
                differs = True
        else:
            target.write_bytes(data)
    if "--preview" in argv:
        png(argv[argv.index("--preview") + 1])
    return 1 if differs else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
