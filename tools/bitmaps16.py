"""Writes 16-colour, 4-bit, uncompressed BMP files. A picture's 16-pixel
size is pixel art, one character per pixel; its larger sizes are drawn from
shapes at each size (Canvas), so that every size is drawn for its pixels,
never stretched. Shared by the picture scripts in this folder."""

import math
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

# The sizes every picture is made at: 96, 120, 144 and 192 DPI.
SIZES = (16, 20, 24, 32)


def scaled_height(width, height, size):
    """A picture's height at another width, halves rounded up."""
    return (height * size * 2 + width) // (2 * width)


def grid(art, ink, width, height, name):
    rows = art.strip("\n").split("\n")
    if len(rows) != height or any(len(row) != width for row in rows):
        sys.exit(f"{name}: the art must be {width} x {height}")
    unknown = {c for row in rows for c in row} - ink.keys()
    if unknown:
        sys.exit(f"{name}: unknown ink {sorted(unknown)}")
    return [[ink[c] for c in row] for row in rows]


class Canvas:
    """Pixels of palette indices, drawn in the units of the pixel art's
    design (width x height): a shape covers the pixels whose centres it
    holds, and its outline is the ring of its own pixels that touch the
    outside, one pixel wide at every size."""

    def __init__(self, width, height, size, background):
        self.unit = size / width
        self.width = size
        self.height = scaled_height(width, height, size)
        self.pixels = [[background] * self.width for _ in range(self.height)]

    def _covered(self, inside):
        u = self.unit
        return {(x, y) for y in range(self.height) for x in range(self.width)
                if inside((x + 0.5) / u, (y + 0.5) / u)}

    def _paint(self, mask, fill, outline, lit, shade):
        def ring(cells, of):
            return {(x, y) for x, y in cells
                    if any((x + dx, y + dy) not in of
                           for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))}
        edge = ring(mask, mask) if outline is not None else set()
        inner = mask - edge
        bevel = ring(inner, inner) if (lit is not None or shade is not None) else set()
        for x, y in mask:
            ink = fill
            if (x, y) in edge:
                ink = outline
            elif (x, y) in bevel:
                top_left = (x - 1, y) not in inner or (x, y - 1) not in inner
                ink = (lit if top_left else shade)
                if ink is None:
                    ink = fill
            self.pixels[y][x] = ink

    def polygon(self, points, fill, outline=None, lit=None, shade=None):
        def inside(px, py):
            crossings = False
            for (x1, y1), (x2, y2) in zip(points, points[1:] + points[:1]):
                if (y1 > py) != (y2 > py) and px < x1 + (py - y1) * (x2 - x1) / (y2 - y1):
                    crossings = not crossings
            return crossings
        self._paint(self._covered(inside), fill, outline, lit, shade)

    def rect(self, left, top, right, bottom, fill, outline=None, lit=None, shade=None):
        self.polygon([(left, top), (right, top), (right, bottom), (left, bottom)],
                     fill, outline, lit, shade)

    def ellipse(self, cx, cy, rx, ry, fill, outline=None, lit=None, shade=None):
        def inside(px, py):
            return ((px - cx) / rx) ** 2 + ((py - cy) / ry) ** 2 <= 1
        self._paint(self._covered(inside), fill, outline, lit, shade)

    def stroke(self, points, ink, width=1.0):
        """A line through the points, `width` design pixels wide but never
        thinner than one pixel."""
        half = max(width * self.unit, 1.0) / 2

        def near(px, py):
            x, y = px * self.unit, py * self.unit
            for (x1, y1), (x2, y2) in zip(points, points[1:]):
                ax, ay, bx, by = x1 * self.unit, y1 * self.unit, x2 * self.unit, y2 * self.unit
                length = (bx - ax) ** 2 + (by - ay) ** 2
                t = 0 if length == 0 else max(0, min(1, ((x - ax) * (bx - ax) +
                                                         (y - ay) * (by - ay)) / length))
                if math.hypot(x - ax - t * (bx - ax), y - ay - t * (by - ay)) <= half:
                    return True
            return False
        self._paint(self._covered(near), ink, None, None, None)


def bmp(pixels):
    height, width = len(pixels), len(pixels[0])
    stride = (width * 4 + 31) // 32 * 4
    body = b""
    for row in reversed(pixels):  # bottom-up
        padded = row + [0] * (width % 2)
        line = bytes((padded[x] << 4) | padded[x + 1] for x in range(0, len(padded), 2))
        body += line + b"\0" * (stride - len(line))
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(body), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(body), 2835, 2835, 16, 0)
    return header + info + palette + body


def png(path, grids, scale=8):
    """The pictures side by side, enlarged, for a person to look at."""
    gap = 4
    height = max(len(g) for g in grids)
    total = sum(len(g[0]) + gap for g in grids) * scale
    raw = b""
    for y in range(height * scale):
        line = bytearray(b"\0")
        for pixels in grids:
            row = pixels[y // scale] if y // scale < len(pixels) else None
            for x in range(len(pixels[0])):
                colour = PALETTE[row[x]] if row else (0xC0, 0xC0, 0xC0)
                line += bytes(colour) * scale
            line += bytes((0xC0, 0xC0, 0xC0)) * gap * scale
        raw += bytes(line)

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    ihdr = struct.pack(">IIBBBBB", total, height * scale, 8, 2, 0, 0, 0)
    pathlib.Path(path).write_bytes(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) +
                                   chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


def file_name(stem, size):
    """res/<stem>.bmp is the 16-pixel picture, res/<stem>_<size>.bmp the others."""
    return f"{stem}.bmp" if size == SIZES[0] else f"{stem}_{size}.bmp"


def draw_all(pictures, ink, width, height):
    """Each picture at each size: {file name: pixels}. A picture is its
    16-pixel art and a function that draws it on a Canvas of another size."""
    made = {}
    for stem, (art, draw) in pictures.items():
        made[file_name(stem, SIZES[0])] = grid(art, ink, width, height, stem)
        for size in SIZES[1:]:
            canvas = draw(size)
            made[file_name(stem, size)] = canvas.pixels
    return made


def write(files, argv):
    """Rewrites res/<name> for each file; --check only compares, --preview F
    also writes an enlarged PNG. Returns the exit code."""
    res = pathlib.Path(__file__).resolve().parent.parent / "res"
    differs = False
    for name, data in files.items():
        target = res / name
        if "--check" in argv:
            if not target.exists() or target.read_bytes() != data:
                print(f"{target} differs from its drawing", file=sys.stderr)
                differs = True
        else:
            target.write_bytes(data)
    return 1 if differs else 0


def run(pictures, ink, width, height, argv):
    made = draw_all(pictures, ink, width, height)
    if "--preview" in argv:
        png(argv[argv.index("--preview") + 1], list(made.values()))
    return write({name: bmp(pixels) for name, pixels in made.items()}, argv)
