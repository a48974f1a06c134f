#!/usr/bin/env python3
"""Draws the status window's button strip (bitmap 103) and the soft keyboard's key caps
(bitmap 113) as 24-bit BMP files.

    make_ui_bitmaps.py OUTPUT_FOLDER

writes OUTPUT_FOLDER/status103.bmp (132 x 224) and OUTPUT_FOLDER/keys113.bmp (420 x 60), and
the same pictures drawn for 120, 144 and 192 DPI as status103_DPI.bmp and keys113_DPI.bmp
(8-bit, with the few colours they use). Every coordinate below is a pixel at 96 DPI; a canvas for
another DPI scales both edges of each shape as the windows do (windows/ui/dpi_scale.h), so the
cells and caps land where the windows copy them from, and discs and rings are drawn at their
scaled radius rather than enlarged.
Only the standard library is used, so the build needs nothing beyond python3.
"""

import os
import struct
import sys

NAVY = (34, 23, 101)
FRAME = (145, 194, 255)
LIGHT_BLUE = (145, 194, 255)
ORANGE = (255, 140, 0)
YELLOW = (255, 220, 40)
PAGE = (232, 240, 255)
PAGE_BACK = (120, 150, 215)
DIVIDER = (70, 62, 150)

CELL = 28
STRIP_WIDTH = 132
STRIP_ROWS = 9

# Layout badges, by badge row.
BADGES = ["Wy", "Wf", "Hi", "Dz", "S1", "S2", "Mo", "Bz", "Ew"]

# A 5 x 7 pixel font for the badge texts.
FONT = {
    "W": ["#...#", "#...#", "#...#", "#.#.#", "#.#.#", "##.##", "#...#"],
    "y": [".....", ".....", "#...#", "#...#", ".####", "....#", ".###."],
    "f": ["..##.", ".#...", "####.", ".#...", ".#...", ".#...", ".#..."],
    "H": ["#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "i": ["..#..", ".....", ".##..", "..#..", "..#..", "..#..", ".###."],
    "D": ["####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."],
    "z": [".....", ".....", "#####", "...#.", "..#..", ".#...", "#####"],
    "S": [".####", "#....", "#....", ".###.", "....#", "....#", "####."],
    "1": ["..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."],
    "2": [".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"],
    "M": ["#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"],
    "o": [".....", ".....", ".###.", "#...#", "#...#", "#...#", ".###."],
    "B": ["####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."],
    "E": ["#####", "#....", "#....", "####.", "#....", "#....", "#####"],
    "w": [".....", ".....", "#...#", "#...#", "#.#.#", "#.#.#", ".#.#."],
}

# The Tibetan letter A (U+0F68), as the mode button shows it in Tibetan mode.
LETTER_A_TIBETAN = [
    "###..#######...##",
    "###..#######..###",
    "##...######...###",
    ".#....#####....##",
    "#.....#.###....##",
    "#....#...###...##",
    "#...####..##...##",
    "#...####..###...#",
    "##.....##..##...#",
    "##......#...##..#",
    "###.....#...##..#",
    ".####..#.....##.#",
    "..######......#.#",
    "...###........###",
    "...............##",
    "................#",
]

# A bold Latin "a", as the mode button shows it in English mode.
LETTER_A_LATIN = [
    "..######..",
    ".########.",
    ".##....###",
    "........##",
    "..########",
    ".#########",
    "###.....##",
    "##......##",
    "###....###",
    ".#########",
    "..#####.##",
]


SCALED_DPIS = (120, 144, 192)


def scale(value, dpi):
    """A 96-DPI coordinate at dpi, to the nearest pixel, halves up (as scaleToDpi does)."""
    return (value * dpi + 48) // 96


class Canvas:
    def __init__(self, width, height, colour, dpi=96):
        self.dpi = dpi
        self.width = scale(width, dpi)
        self.height = scale(height, dpi)
        self.pixels = [[colour] * self.width for _ in range(self.height)]

    def _put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def put(self, x, y, colour):
        self.fill(x, y, 1, 1, colour)

    def fill(self, x, y, w, h, colour):
        for yy in range(scale(y, self.dpi), scale(y + h, self.dpi)):
            for xx in range(scale(x, self.dpi), scale(x + w, self.dpi)):
                self._put(xx, yy, colour)

    def frame(self, x, y, w, h, colour, thickness=1):
        for t in range(thickness):
            self.fill(x + t, y + t, w - 2 * t, 1, colour)
            self.fill(x + t, y + h - 1 - t, w - 2 * t, 1, colour)
            self.fill(x + t, y + t, 1, h - 2 * t, colour)
            self.fill(x + w - 1 - t, y + t, 1, h - 2 * t, colour)

    def pattern(self, x, y, rows, colour):
        for dy, row in enumerate(rows):
            for dx, ch in enumerate(row):
                if ch == "#":
                    self.put(x + dx, y + dy, colour)

    def text(self, x, y, text, colour):
        for ch in text:
            self.pattern(x, y, FONT[ch], colour)
            x += 6

    def _device(self, *values):
        if self.dpi == 96:
            return values
        return tuple(v * self.dpi / 96 for v in values)

    def disc(self, cx, cy, r, colour):
        """Fills the pixels whose centres lie within r of (cx, cy)."""
        cx, cy, r = self._device(cx, cy, r)
        for yy in range(int(cy - r) - 1, int(cy + r) + 2):
            for xx in range(int(cx - r) - 1, int(cx + r) + 2):
                if (xx + 0.5 - cx) ** 2 + (yy + 0.5 - cy) ** 2 <= r * r:
                    self._put(xx, yy, colour)

    def ring(self, cx, cy, r_outer, r_inner, colour):
        cx, cy, r_outer, r_inner = self._device(cx, cy, r_outer, r_inner)
        for yy in range(int(cy - r_outer) - 1, int(cy + r_outer) + 2):
            for xx in range(int(cx - r_outer) - 1, int(cx + r_outer) + 2):
                d = (xx + 0.5 - cx) ** 2 + (yy + 0.5 - cy) ** 2
                if r_inner * r_inner < d <= r_outer * r_outer:
                    self._put(xx, yy, colour)

    def save_indexed_bmp(self, path):
        """An 8-bit BMP: the scaled pictures use a handful of colours."""
        palette = sorted({p for row in self.pixels for p in row})
        index = {colour: i for i, colour in enumerate(palette)}
        row_size = (self.width + 3) & ~3
        image_size = row_size * self.height
        offset = 54 + 4 * len(palette)
        header = struct.pack("<2sIHHI", b"BM", offset + image_size, 0, 0, offset)
        info = struct.pack("<IiiHHIIiiII", 40, self.width, self.height, 1, 8, 0, image_size,
                           2835, 2835, len(palette), 0)
        colours = b"".join(bytes((b, g, r, 0)) for (r, g, b) in palette)
        data = bytearray()
        for y in range(self.height - 1, -1, -1):  # bottom-up
            data += bytes(index[p] for p in self.pixels[y])
            data += b"\0" * (row_size - self.width)
        with open(path, "wb") as out:
            out.write(header + info + colours + data)

    def save_bmp(self, path):
        row_size = (self.width * 3 + 3) & ~3
        image_size = row_size * self.height
        header = struct.pack("<2sIHHI", b"BM", 54 + image_size, 0, 0, 54)
        info = struct.pack("<IiiHHIIiiII", 40, self.width, self.height, 1, 24, 0, image_size,
                           2835, 2835, 0, 0)
        data = bytearray()
        for y in range(self.height - 1, -1, -1):  # bottom-up
            for (r, g, b) in self.pixels[y]:
                data += bytes((b, g, r))
            data += b"\0" * (row_size - self.width * 3)
        with open(path, "wb") as out:
            out.write(header + info + data)


# --- bitmap 103: the status window's buttons ------------------------------------------------
#
# Every row is a complete 132 x 28 picture of the bar, and the window copies each button's cell
# from the same x, so any mix of rows gives a seamless bar. The cells overlap (0, 28, 53, 79,
# 106, each 28 wide) and are drawn in that order with the badge last, so each picture sits in
# the part of its cell that stays visible: 0..27, 28..52, 53..78, 79..106, 107..131.

def draw_logo(c, top, colour):
    # A lotus seen from above inside a ring.
    c.ring(13.5, top + 14, 10.5, 8.5, colour)
    c.disc(13.5, top + 14, 3, colour)
    for dx, dy in ((0, -5.5), (0, 5.5), (-5.5, 0), (5.5, 0)):
        c.disc(13.5 + dx, top + 14 + dy, 1.8, colour)


def draw_mode(c, top, english):
    if english:
        c.pattern(35, top + 9, LETTER_A_LATIN, YELLOW)
    else:
        c.pattern(32, top + 6, LETTER_A_TIBETAN, LIGHT_BLUE)


def draw_keyboard(c, top, colour):
    x, y, w, h = 56, top + 8, 21, 13
    c.frame(x, y, w, h, colour)
    c.put(x, y, NAVY)
    c.put(x + w - 1, y, NAVY)
    c.put(x, y + h - 1, NAVY)
    c.put(x + w - 1, y + h - 1, NAVY)
    for row, (start, count) in enumerate(((2, 6), (3, 5))):
        for k in range(count):
            c.fill(x + start + k * 3, y + 2 + row * 3, 2, 2, colour)
    c.fill(x + 5, y + 9, 11, 2, colour)  # space bar


def draw_badge(c, top, text):
    # A small stack of pages with the layout's short name on the front one.
    c.frame(87, top + 5, 17, 16, PAGE_BACK)
    c.fill(82, top + 8, 18, 15, PAGE)
    c.frame(82, top + 8, 18, 15, LIGHT_BLUE)
    c.text(85, top + 12, text, NAVY)


def draw_crescent(c, top):
    cx, cy = 119.5, top + 14
    c.ring(cx, cy, 10.5, 8.7, LIGHT_BLUE)
    c.disc(cx - 1, cy, 6, YELLOW)
    c.disc(cx + 1.5, cy - 1.5, 5.2, NAVY)


def make_status_strip(dpi=96):
    c = Canvas(STRIP_WIDTH, CELL * STRIP_ROWS, NAVY, dpi)
    for row in range(STRIP_ROWS):
        top = row * CELL
        pressed = row == 1
        draw_logo(c, top, LIGHT_BLUE if row >= 1 else ORANGE)
        draw_mode(c, top, english=pressed)
        draw_keyboard(c, top, YELLOW if pressed else LIGHT_BLUE)
        draw_badge(c, top, BADGES[row])
        draw_crescent(c, top)
        for x in (26, 53, 79, 106):
            c.fill(x, top + 5, 1, CELL - 10, DIVIDER)
        c.frame(0, top, STRIP_WIDTH, CELL, FRAME, thickness=2)
    return c


# --- bitmap 113: the soft keyboard's key caps ------------------------------------------------

FACE = (185, 185, 185)
BEVEL_OUTER = (236, 236, 236)
BEVEL_INNER = (218, 218, 218)
SHADE_INNER = (160, 160, 160)
SHADE_OUTER = (128, 128, 128)
EDGE = (105, 105, 105)
CAPS = ((0, 30), (30, 35), (65, 40), (105, 50), (155, 65), (220, 200))
KEYS_WIDTH = 420
KEY_HEIGHT = 30


def draw_cap(c, x, top, w, pressed):
    h = KEY_HEIGHT
    c.fill(x, top, w, h, FACE)
    c.frame(x, top, w, h, EDGE)
    light = (BEVEL_OUTER, BEVEL_INNER)
    dark = (SHADE_OUTER, SHADE_INNER)
    # Raised: light from the top left. Pressed: the bevel is turned round.
    top_left, bottom_right = (dark, light) if pressed else (light, dark)
    for i in range(2):
        c.fill(x + 1 + i, top + 1 + i, w - 2 - 2 * i, 1, top_left[i])
        c.fill(x + 1 + i, top + 1 + i, 1, h - 2 - 2 * i, top_left[i])
        c.fill(x + 1 + i, top + h - 2 - i, w - 2 - 2 * i, 1, bottom_right[i])
        c.fill(x + w - 2 - i, top + 1 + i, 1, h - 2 - 2 * i, bottom_right[i])


def make_key_caps(dpi=96):
    c = Canvas(KEYS_WIDTH, 2 * KEY_HEIGHT, (192, 192, 192), dpi)
    for x, w in CAPS:
        draw_cap(c, x, 0, w, pressed=False)
        draw_cap(c, x, KEY_HEIGHT, w, pressed=True)
    return c


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: make_ui_bitmaps.py OUTPUT_FOLDER\n")
        return 2
    folder = argv[1]
    os.makedirs(folder, exist_ok=True)
    make_status_strip().save_bmp(os.path.join(folder, "status103.bmp"))
    make_key_caps().save_bmp(os.path.join(folder, "keys113.bmp"))
    for dpi in SCALED_DPIS:
        make_status_strip(dpi).save_indexed_bmp(os.path.join(folder, "status103_%d.bmp" % dpi))
        make_key_caps(dpi).save_indexed_bmp(os.path.join(folder, "keys113_%d.bmp" % dpi))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
