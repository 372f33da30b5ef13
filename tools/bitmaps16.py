"""Writes 16-colour, 4-bit, uncompressed BMP files from pixel art, one
character per pixel. Shared by the picture scripts in this folder."""

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


def grid(art, ink, width, height, name):
    rows = art.strip("\n").split("\n")
    if len(rows) != height or any(len(row) != width for row in rows):
        sys.exit(f"{name}: the art must be {width} x {height}")
    unknown = {c for row in rows for c in row} - ink.keys()
    if unknown:
        sys.exit(f"{name}: unknown ink {sorted(unknown)}")
    return [[ink[c] for c in row] for row in rows]


def bmp(pixels, width, height):
    stride = (width * 4 + 31) // 32 * 4
    body = b""
    for row in reversed(pixels):  # bottom-up
        line = bytes((row[x] << 4) | row[x + 1] for x in range(0, width, 2))
        body += line + b"\0" * (stride - len(line))
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(body), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(body), 2835, 2835, 16, 0)
    return header + info + palette + body


def png(path, grids, width, height, scale=12):
    """All pictures side by side, enlarged, for a person to look at."""
    gap = 4
    total = len(grids) * (width + gap) * scale
    raw = b""
    for y in range(height * scale):
        line = bytearray(b"\0")
        for pixels in grids:
            for x in range(width):
                line += bytes(PALETTE[pixels[y // scale][x]]) * scale
            line += bytes((0xC0, 0xC0, 0xC0)) * gap * scale
        raw += bytes(line)

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    ihdr = struct.pack(">IIBBBBB", total, height * scale, 8, 2, 0, 0, 0)
    pathlib.Path(path).write_bytes(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) +
                                   chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


def run(pictures, ink, width, height, argv):
    """Rewrites res/<name> for each picture; --check only compares, --preview F
    also writes an enlarged PNG. Returns the exit code."""
    res = pathlib.Path(__file__).resolve().parent.parent / "res"
    grids = {name: grid(art, ink, width, height, name) for name, art in pictures.items()}
    differs = False
    for name, pixels in grids.items():
        data = bmp(pixels, width, height)
        target = res / name
        if "--check" in argv:
            if not target.exists() or target.read_bytes() != data:
                print(f"{target} differs from its pixel art", file=sys.stderr)
                differs = True
        else:
            target.write_bytes(data)
    if "--preview" in argv:
        png(argv[argv.index("--preview") + 1], list(grids.values()), width, height)
    return 1 if differs else 0
