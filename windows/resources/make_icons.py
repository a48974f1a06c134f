#!/usr/bin/env python3
"""Draws the text service's icons as .ico files, 32-bit with alpha, at every size Windows asks
for: 16, 20, 24, 32, 40 and 48 pixels.

    make_icons.py OUTPUT_FOLDER

writes OUTPUT_FOLDER/revaze.ico (the Tibetan letter A on a navy tile: the input profile's icon
and the language bar's mode button in Tibetan mode) and OUTPUT_FOLDER/english.ico (a yellow
Latin "a": the mode button in English mode), and for a dark taskbar, where a navy tile is
hardly seen, revaze_dark.ico and english_dark.ico: navy letters on a pale and on a yellow tile.
The letters are those of the status window's mode button. The 32-pixel picture is drawn; the
16-pixel one keeps a pixel wherever a 2 x 2 block of it holds the letter, the other sizes take
each pixel from the part of the 32-pixel picture it covers.
Only the standard library is used.
"""

import os
import struct
import sys

sys.dont_write_bytecode = True  # nothing is written into the source folder
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_ui_bitmaps import (LETTER_A_LATIN, LETTER_A_TIBETAN, LIGHT_BLUE, NAVY, PAGE,  # noqa: E402
                             YELLOW)

SIZE = 32
SIZES = (16, 20, 24, 32, 40, 48)
CLEAR = None  # a transparent pixel


def draw(letter, colour, tile=NAVY):
    """A 32 x 32 picture: the letter on a tile with rounded corners."""
    pixels = [[tile] * SIZE for _ in range(SIZE)]
    for y, x in ((0, 0), (0, 1), (1, 0), (0, SIZE - 1), (0, SIZE - 2), (1, SIZE - 1),
                 (SIZE - 1, 0), (SIZE - 2, 0), (SIZE - 1, 1), (SIZE - 1, SIZE - 1),
                 (SIZE - 2, SIZE - 1), (SIZE - 1, SIZE - 2)):
        pixels[y][x] = CLEAR
    top = (SIZE - len(letter)) // 2
    left = (SIZE - len(letter[0])) // 2
    for dy, row in enumerate(letter):
        for dx, ch in enumerate(row):
            if ch == "#":
                pixels[top + dy][left + dx] = colour
    return pixels


def half(pixels, colour, tile=NAVY):
    """The 16 x 16 picture: a 2 x 2 block is the letter's colour when any of it is."""
    small = []
    for y in range(0, SIZE, 2):
        row = []
        for x in range(0, SIZE, 2):
            block = [pixels[y + j][x + i] for j in (0, 1) for i in (0, 1)]
            if all(p is CLEAR for p in block):
                row.append(CLEAR)
            elif colour in block:
                row.append(colour)
            else:
                row.append(tile)
        small.append(row)
    return small


def resample(pixels, size, colour, tile):
    """The picture at size x size: each pixel is what covers most of its part of the 32-pixel
    picture (the letter wins a tie, and wins from a third when shrinking, so thin strokes stay)."""
    scale = SIZE / size
    letter_share = 0.5 if size > SIZE else 0.34
    out = []
    for y in range(size):
        row = []
        for x in range(size):
            weights = {}
            y0, y1, x0, x1 = y * scale, (y + 1) * scale, x * scale, (x + 1) * scale
            for sy in range(int(y0), min(SIZE, int(y1 + 0.999))):
                for sx in range(int(x0), min(SIZE, int(x1 + 0.999))):
                    share = (min(y1, sy + 1) - max(y0, sy)) * (min(x1, sx + 1) - max(x0, sx))
                    if share > 0:
                        key = pixels[sy][sx]
                        weights[key] = weights.get(key, 0) + share / (scale * scale)
            if weights.get(CLEAR, 0) > 0.5:
                row.append(CLEAR)
            elif weights.get(colour, 0) >= letter_share:
                row.append(colour)
            else:
                row.append(tile)
        out.append(row)
    return out


def all_sizes(letter, colour, tile):
    big = draw(letter, colour, tile)
    return [half(big, colour, tile) if size == 16 else big if size == SIZE else
            resample(big, size, colour, tile) for size in SIZES]


def icon_image(pixels):
    """One image of an .ico: a BITMAPINFOHEADER, BGRA rows bottom-up, then the AND mask."""
    size = len(pixels)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = bytearray()
    for row in reversed(pixels):
        for p in row:
            colour += bytes((0, 0, 0, 0)) if p is CLEAR else bytes((p[2], p[1], p[0], 255))
    mask_row = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(pixels):
        bits = bytearray(mask_row)
        for x, p in enumerate(row):
            if p is CLEAR:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + colour + mask


def save_ico(path, images):
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b""
    data = b""
    for pixels in images:
        image = icon_image(pixels)
        size = len(pixels)
        entries += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), offset + len(data))
        data += image
    with open(path, "wb") as out:
        out.write(directory + entries + data)


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: make_icons.py OUTPUT_FOLDER\n")
        return 2
    folder = argv[1]
    os.makedirs(folder, exist_ok=True)
    for name, letter, colour, tile in (("revaze.ico", LETTER_A_TIBETAN, LIGHT_BLUE, NAVY),
                                       ("english.ico", LETTER_A_LATIN, YELLOW, NAVY),
                                       ("revaze_dark.ico", LETTER_A_TIBETAN, NAVY, PAGE),
                                       ("english_dark.ico", LETTER_A_LATIN, NAVY, YELLOW)):
        save_ico(os.path.join(folder, name), all_sizes(letter, colour, tile))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
