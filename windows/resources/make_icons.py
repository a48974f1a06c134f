#!/usr/bin/env python3
"""Draws the text service's icons as .ico files (16 x 16 and 32 x 32, 32-bit with alpha).

    make_icons.py OUTPUT_FOLDER

writes OUTPUT_FOLDER/revaze.ico (the Tibetan letter A: the input profile's icon and the
language bar's mode button in Tibetan mode) and OUTPUT_FOLDER/english.ico (a Latin "a": the
mode button in English mode). The letters are those of the status window's mode button.
Only the standard library is used.
"""

import os
import struct
import sys

sys.dont_write_bytecode = True  # nothing is written into the source folder
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_ui_bitmaps import LETTER_A_LATIN, LETTER_A_TIBETAN, LIGHT_BLUE, NAVY, YELLOW  # noqa: E402

SIZE = 32
CLEAR = None  # a transparent pixel


def draw(letter, colour):
    """A 32 x 32 picture: the letter on a navy tile with rounded corners."""
    pixels = [[NAVY] * SIZE for _ in range(SIZE)]
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


def half(pixels, colour):
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
                row.append(NAVY)
        small.append(row)
    return small


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
    for name, letter, colour in (("revaze.ico", LETTER_A_TIBETAN, LIGHT_BLUE),
                                 ("english.ico", LETTER_A_LATIN, YELLOW)):
        big = draw(letter, colour)
        save_ico(os.path.join(folder, name), [half(big, colour), big])
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
