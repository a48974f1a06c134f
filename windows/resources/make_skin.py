#!/usr/bin/env python3
"""Writes the composition window's skin, bitmap "SKIN1", as skin1.bmp into the given folder.

The skin is one pixel wide and 175 high, 24-bit, and is used as a pattern brush, so the window
shows a vertical grey gradient: a light band at the top (grey 180 rising to 234 and back to 180 by
row 25), flat grey 180 down to row 55, then a long swell up to about 235 near row 105 and back
down to about 181 at the bottom row. skin1_120.bmp, skin1_144.bmp and skin1_192.bmp hold the same
gradient drawn for those DPIs (each row the grey of the 96-DPI row its centre falls on, between
rows by the same ramps).
"""

import struct
import sys
from pathlib import Path

WIDTH = 1
HEIGHT = 175


def ramp(row, start_row, end_row, start_value, end_value):
    t = (row - start_row) / (end_row - start_row)
    return round(start_value + (end_value - start_value) * t)


def grey(row):
    """Grey level of a row, counted from the top."""
    if row <= 12:
        return ramp(row, 0, 12, 180, 234)
    if row <= 25:
        return ramp(row, 12, 25, 234, 180)
    if row <= 55:
        return 180
    if row <= 105:
        return ramp(row, 55, 105, 180, 235)
    return ramp(row, 105, HEIGHT - 1, 235, 181)


SCALED_DPIS = (120, 144, 192)


def skin_bitmap(dpi=96):
    row_bytes = (WIDTH * 3 + 3) & ~3  # rows are padded to four bytes
    height = (HEIGHT * dpi + 48) // 96
    pixels = bytearray()
    for row in reversed(range(height)):  # a BMP stores the bottom row first
        level = grey(row if dpi == 96 else min(HEIGHT - 1, max(0, (row + 0.5) * 96 / dpi - 0.5)))
        line = bytes([level, level, level]) * WIDTH
        pixels += line + b"\0" * (row_bytes - len(line))
    header_size = 14 + 40
    file_header = struct.pack("<2sIHHI", b"BM", header_size + len(pixels), 0, 0, header_size)
    info_header = struct.pack("<IiiHHIIiiII", 40, WIDTH, height, 1, 24, 0, len(pixels),
                              2835, 2835, 0, 0)
    return file_header + info_header + bytes(pixels)


def main(argv):
    if len(argv) != 2:
        print("usage: make_skin.py OUTPUT_FOLDER", file=sys.stderr)
        return 2
    folder = Path(argv[1])
    folder.mkdir(parents=True, exist_ok=True)
    (folder / "skin1.bmp").write_bytes(skin_bitmap())
    for dpi in SCALED_DPIS:
        (folder / ("skin1_%d.bmp" % dpi)).write_bytes(skin_bitmap(dpi))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
