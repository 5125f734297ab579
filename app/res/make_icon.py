#!/usr/bin/env python3
"""Draws the application icon, three cubes lettered M, F and C, and writes ZeltGUI.ico:
32x32 and 16x16 images, 4 bits per pixel over the standard 16-colour palette.

Usage: make_icon.py [OUTPUT.ico] [--preview OUTPUT.ppm]
"""
import struct
import sys

# The standard 16-colour palette, in palette order.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, DARK_BLUE, DARK_GREY, LIGHT_GREY, WHITE = 0, 4, 8, 7, 15
YELLOW, CYAN, DARK_CYAN, DARK_YELLOW = 11, 14, 6, 3

# Letters on a 5x5 grid (large) and a 3x3 grid (small); '#' is ink.
GLYPHS_5 = {
    "M": ["#...#", "##.##", "#.#.#", "#...#", "#...#"],
    "F": ["#####", "#....", "####.", "#....", "#...."],
    "C": [".####", "#....", "#....", "#....", ".####"],
}
GLYPHS_3 = {
    "M": ["#.#", "###", "#.#"],
    "F": ["###", "##.", "#.."],
    "C": ["###", "#..", "###"],
}


class Canvas:
    def __init__(self, size):
        self.size = size
        self.pixels = [[None] * size for _ in range(size)]  # None is transparent

    def put(self, x, y, colour):
        if 0 <= x < self.size and 0 <= y < self.size:
            self.pixels[y][x] = colour


def draw_cube(canvas, left, top, side, depth, face, top_face, side_face, letter, glyphs):
    """A cube seen from the front, its top and right faces slanting up to the right."""
    right = left + side - 1
    bottom = top + side - 1
    for row in range(1, depth + 1):
        for x in range(left + row, right + row + 1):
            canvas.put(x, top - row, top_face)
        for y in range(top - row, bottom - row + 1):
            canvas.put(right + row, y, side_face)
    for step in range(0, depth + 1):
        canvas.put(left + step, top - step, BLACK)
        canvas.put(right + step, top - step, BLACK)
        canvas.put(right + step, bottom - step, BLACK)
    for x in range(left + depth, right + depth + 1):
        canvas.put(x, top - depth, BLACK)
    for y in range(top - depth, bottom - depth + 1):
        canvas.put(right + depth, y, BLACK)
    for y in range(top, bottom + 1):
        for x in range(left, right + 1):
            edge = x in (left, right) or y in (top, bottom)
            canvas.put(x, y, BLACK if edge else face)
    glyph = glyphs[letter]
    gx = left + (side - len(glyph[0])) // 2
    gy = top + (side - len(glyph)) // 2
    for r, line in enumerate(glyph):
        for c, ch in enumerate(line):
            if ch == "#":
                canvas.put(gx + c, gy + r, DARK_BLUE)


def draw_icon(size):
    canvas = Canvas(size)
    if size == 32:
        side, depth, glyphs = 11, 4, GLYPHS_5
        cubes = [(9, 5, "M"), (1, 19, "F"), (16, 19, "C")]
    else:
        side, depth, glyphs = 6, 2, GLYPHS_3
        cubes = [(4, 2, "M"), (0, 10, "F"), (8, 10, "C")]
    colours = {"M": (YELLOW, WHITE, DARK_YELLOW), "F": (CYAN, WHITE, DARK_CYAN),
               "C": (LIGHT_GREY, WHITE, DARK_GREY)}
    for left, top, letter in cubes:
        face, top_face, side_face = colours[letter]
        draw_cube(canvas, left, top, side, depth, face, top_face, side_face, letter, glyphs)
    return canvas


def bitmap(canvas):
    """BITMAPINFOHEADER, palette, 4-bit colour rows and the 1-bit mask, rows bottom-up."""
    size = canvas.size
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    colour_row = ((size * 4 + 31) // 32) * 4
    mask_row = ((size + 31) // 32) * 4
    colour = bytearray()
    mask = bytearray()
    for y in reversed(range(size)):
        row = bytearray(colour_row)
        bits = bytearray(mask_row)
        for x in range(size):
            value = canvas.pixels[y][x]
            index = BLACK if value is None else value
            if x % 2 == 0:
                row[x // 2] |= index << 4
            else:
                row[x // 2] |= index
            if value is None:
                bits[x // 8] |= 0x80 >> (x % 8)
        colour += row
        mask += bits
    return header + palette + bytes(colour) + bytes(mask)


def ico(canvases):
    images = [bitmap(c) for c in canvases]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for canvas, image in zip(canvases, images):
        out += struct.pack("<BBBBHHII", canvas.size, canvas.size, 16, 0, 1, 4, len(image), offset)
        offset += len(image)
    return out + b"".join(images)


def preview(canvases, path, scale=8):
    """A PPM of the images side by side, transparent pixels in magenta."""
    width = sum(c.size for c in canvases) * scale + scale * (len(canvases) - 1)
    height = max(c.size for c in canvases) * scale
    rows = [[(255, 0, 255)] * width for _ in range(height)]
    x0 = 0
    for c in canvases:
        for y in range(c.size * scale):
            for x in range(c.size * scale):
                v = c.pixels[y // scale][x // scale]
                rows[y][x0 + x] = (255, 0, 255) if v is None else PALETTE[v]
        x0 += c.size * scale + scale
    with open(path, "wb") as f:
        f.write(b"P6 %d %d 255\n" % (width, height))
        for row in rows:
            f.write(bytes(v for px in row for v in px))


def main(argv):
    output = "ZeltGUI.ico"
    preview_path = None
    args = list(argv[1:])
    while args:
        arg = args.pop(0)
        if arg == "--preview" and args:
            preview_path = args.pop(0)
        else:
            output = arg
    canvases = [draw_icon(32), draw_icon(16)]
    with open(output, "wb") as f:
        f.write(ico(canvases))
    if preview_path:
        preview(canvases, preview_path)


if __name__ == "__main__":
    main(sys.argv)
