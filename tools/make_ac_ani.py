#!/usr/bin/env python3
"""Draws the busy cursor Res/Ac.ani: eight 32x32 frames of a ring of dots whose
bright dot goes round, stored as an animated cursor (RIFF "ACON" with .cur frames)."""
import math
import struct
import sys

SIZE = 32
FRAMES = 8


def frame_pixels(step):
    """BGRA rows, bottom-up, for one frame."""
    rows = []
    for y in range(SIZE - 1, -1, -1):
        row = bytearray()
        for x in range(SIZE):
            b = g = r = a = 0
            for dot in range(FRAMES):
                ang = 2 * math.pi * dot / FRAMES
                cx = 16 + 10 * math.sin(ang)
                cy = 16 - 10 * math.cos(ang)
                if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= 3.2 ** 2:
                    age = (step - dot) % FRAMES
                    shade = 40 + age * 24
                    b, g, r, a = 200 - age * 10, shade, shade // 2, 255
            row += bytes((b, g, r, a))
        rows.append(bytes(row))
    return b"".join(rows)


def cur_file(step):
    xor = frame_pixels(step)
    and_mask = bytes(4 * SIZE)  # all opaque where alpha says so
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, len(xor) + len(and_mask), 0, 0, 0, 0)
    image = header + xor + and_mask
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 16, 16, len(image), 22)
    return directory + entry + image


def chunk(cid, data):
    pad = b"\0" if len(data) % 2 else b""
    return cid + struct.pack("<I", len(data)) + data + pad


def main(out):
    anih = struct.pack("<9I", 36, FRAMES, FRAMES, 0, 0, 0, 0, 6, 1)
    frames = b"".join(chunk(b"icon", cur_file(i)) for i in range(FRAMES))
    body = b"ACON" + chunk(b"anih", anih) + chunk(b"LIST", b"fram" + frames)
    with open(out, "wb") as f:
        f.write(b"RIFF" + struct.pack("<I", len(body)) + body)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "Res/Ac.ani")
