#!/usr/bin/env python3
"""Prints "X Y" of the top-left pixel of the first block of SIZE x SIZE pixels of colour RRGGBB
in an XWD screen dump (xwd -root), scanning rows from the top: the canvas's first clear cell.
Exit status 1 when there is none."""
import struct
import sys


def load(path):
    data = open(path, "rb").read()
    fields = struct.unpack(">25I", data[:100])
    header_size, _, _, depth, width, height = fields[:6]
    byte_order, bits_per_pixel, bytes_per_line = fields[7], fields[11], fields[12]
    ncolors = fields[19]
    if bits_per_pixel not in (24, 32) or depth < 24:
        sys.exit(f"{path}: {bits_per_pixel} bits a pixel, depth {depth}: run Xvfb with depth 24")
    start = header_size + ncolors * 12
    return width, height, bytes_per_line, bits_per_pixel // 8, data[start:], "little" if byte_order == 0 else "big"


def main():
    path, colour, size = sys.argv[1], int(sys.argv[2], 16), int(sys.argv[3])
    width, height, stride, size_of_pixel, pixels, order = load(path)

    def rgb(x, y):
        at = y * stride + x * size_of_pixel
        return int.from_bytes(pixels[at:at + size_of_pixel], order) & 0xFFFFFF

    for y in range(height - size):
        for x in range(width - size):
            if rgb(x, y) != colour:
                continue
            if all(rgb(x + i, y + j) == colour for j in range(size) for i in range(size)):
                print(x, y)
                return 0
    return 1


sys.exit(main())
