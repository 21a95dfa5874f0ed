#!/usr/bin/env python3
"""Draws Res/NULL.ico, the placeholder of the OLE icon registry: a blank 16x16 page
with a folded corner, stored as a standard icon file (32 bits with alpha)."""
import struct
import sys

SIZE = 16


def pixel(x, y):
    """BGRA of the pixel at x, y (y from the top)."""
    left, right, top, bottom, fold = 2, 13, 0, 15, 4
    if x < left or x > right or y < top or y > bottom:
        return (0, 0, 0, 0)
    # the folded corner at the top right
    if x > right - fold and y < top + fold:
        dx, dy = x - (right - fold), (top + fold) - y
        if dx > dy:
            return (0, 0, 0, 0)
        if dx == dy or x == right - fold or y == top + fold:
            return (96, 96, 96, 255)
        return (200, 200, 200, 255)
    if x in (left, right) or y in (top, bottom):
        return (96, 96, 96, 255)
    return (255, 255, 255, 255)


def main(out):
    rows = bytearray()
    for y in range(SIZE - 1, -1, -1):
        for x in range(SIZE):
            rows += bytes(pixel(x, y))
    and_mask = bytes(4 * SIZE)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, len(rows) + len(and_mask), 0, 0, 0, 0)
    image = header + bytes(rows) + and_mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 22)
    with open(out, "wb") as f:
        f.write(directory + entry + image)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "Res/NULL.ico")
