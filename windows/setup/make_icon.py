#!/usr/bin/python3
"""Draws the Revaze icon (the letter ka on a maroon tile) at 16, 32 and 48 pixels and writes it as
a Windows .ico file with 32-bit BMP entries, which every icon reader takes.

    make_icon.py OUTPUT.ico

Uses Debian's Pango and cairo (python3-gi-cairo, gir1.2-pango-1.0) and the Tibetan Machine Uni
font (fonts-tibetan-machine), so that the letter is drawn as the font shapes it."""
import struct
import sys

import cairo
import gi

gi.require_version("Pango", "1.0")
gi.require_version("PangoCairo", "1.0")
from gi.repository import Pango, PangoCairo  # noqa: E402

KA = "\u0F40"
TILE = (0.50, 0.06, 0.10)
LETTER = (1.0, 0.84, 0.30)


def draw(size):
    """One size of the icon as unpremultiplied BGRA rows, bottom row first."""
    surface = cairo.ImageSurface(cairo.FORMAT_ARGB32, size, size)
    cr = cairo.Context(surface)
    r = size * 0.18
    cr.new_sub_path()
    cr.arc(size - r, r, r, -1.5708, 0)
    cr.arc(size - r, size - r, r, 0, 1.5708)
    cr.arc(r, size - r, r, 1.5708, 3.1416)
    cr.arc(r, r, r, 3.1416, 4.7124)
    cr.close_path()
    cr.set_source_rgb(*TILE)
    cr.fill()
    layout = PangoCairo.create_layout(cr)
    font = Pango.FontDescription("Tibetan Machine Uni")
    font.set_absolute_size(size * 0.95 * Pango.SCALE)
    layout.set_font_description(font)
    layout.set_text(KA, -1)
    ink, _ = layout.get_pixel_extents()
    cr.move_to((size - ink.width) / 2 - ink.x, (size - ink.height) / 2 - ink.y)
    cr.set_source_rgb(*LETTER)
    PangoCairo.show_layout(cr, layout)
    surface.flush()
    data = bytes(surface.get_data())
    stride = surface.get_stride()
    rows = []
    for y in range(size - 1, -1, -1):
        row = bytearray()
        for x in range(size):
            b, g, rr, a = data[y * stride + 4 * x: y * stride + 4 * x + 4]
            if a:
                b, g, rr = (min(255, c * 255 // a) for c in (b, g, rr))
            row += bytes((b, g, rr, a))
        rows.append(bytes(row))
    return b"".join(rows)


def bmp_entry(size):
    pixels = draw(size)
    mask_stride = ((size + 31) // 32) * 4
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0,
                         len(pixels) + mask_stride * size, 0, 0, 0, 0)
    return header + pixels + bytes(mask_stride * size)


def main():
    sizes = (16, 32, 48)
    entries = [bmp_entry(s) for s in sizes]
    offset = 6 + 16 * len(sizes)
    out = bytearray(struct.pack("<HHH", 0, 1, len(sizes)))
    for size, entry in zip(sizes, entries):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(entry), offset)
        offset += len(entry)
    for entry in entries:
        out += entry
    with open(sys.argv[1], "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()
