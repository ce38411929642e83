#!/usr/bin/env python3
"""Draws the sample company logo logo.bmp: a ladle pouring metal into a mould, and the name.

Plain 24-bit BMP written by hand, so nothing beyond Python is needed. Run: python3 make_logo.py
"""
import math
import struct

W, H = 240, 120
INK = (40, 40, 60)
METAL = (235, 120, 20)
GLOW = (250, 200, 60)
SAND = (190, 160, 110)
WHITE = (255, 255, 255)

pixels = [[WHITE for _ in range(W)] for _ in range(H)]


def put(x, y, c):
    if 0 <= x < W and 0 <= y < H:
        pixels[y][x] = c


def rect(x0, y0, x1, y1, c):
    for y in range(y0, y1):
        for x in range(x0, x1):
            put(x, y, c)


def disc(cx, cy, r, c):
    for y in range(cy - r, cy + r + 1):
        for x in range(cx - r, cx + r + 1):
            if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
                put(x, y, c)


# The ladle: a tilted bucket with a handle.
for y in range(14, 52):
    half = 22 - (y - 14) // 4
    for x in range(40 - half, 40 + half):
        put(x, y, INK)
rect(20, 18, 60, 24, METAL)
rect(58, 26, 100, 30, INK)  # handle
disc(100, 28, 4, INK)
# The stream of metal falling into the mould.
for y in range(24, 74):
    wobble = int(2 * math.sin(y / 5.0))
    for x in range(18 + wobble, 24 + wobble):
        put(x, y, METAL if (x + y) % 5 else GLOW)
# The mould: a sand box with the pouring cup glowing.
rect(4, 74, 64, 104, SAND)
rect(4, 74, 64, 76, INK)
rect(4, 102, 64, 104, INK)
rect(4, 74, 6, 104, INK)
rect(62, 74, 64, 104, INK)
disc(21, 80, 6, GLOW)

# The name in a 5x7 block font.
FONT = {
    "Z": ["11111", "00001", "00010", "00100", "01000", "10000", "11111"],
    "L": ["10000", "10000", "10000", "10000", "10000", "10000", "11111"],
    "I": ["11111", "00100", "00100", "00100", "00100", "00100", "11111"],
    "E": ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    "V": ["10001", "10001", "10001", "10001", "10001", "01010", "00100"],
    "A": ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    "R": ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    "N": ["10001", "11001", "10101", "10011", "10001", "10001", "10001"],
}


def text(s, x, y, scale, c):
    for ch in s:
        rows = FONT[ch]
        for r, row in enumerate(rows):
            for k, bit in enumerate(row):
                if bit == "1":
                    rect(x + k * scale, y + r * scale, x + (k + 1) * scale, y + (r + 1) * scale, c)
        x += 6 * scale


text("ZLIEVAREN", 76, 52, 3, INK)
rect(76, 80, 234, 83, METAL)

row_size = (W * 3 + 3) & ~3
data = bytearray()
for y in range(H - 1, -1, -1):  # bottom row first
    row = bytearray()
    for (r, g, b) in pixels[y]:
        row += bytes((b, g, r))
    row += b"\0" * (row_size - len(row))
    data += row
header = b"BM" + struct.pack("<IHHI", 14 + 40 + len(data), 0, 0, 54)
info = struct.pack("<IiiHHIIiiII", 40, W, H, 1, 24, 0, len(data), 2835, 2835, 0, 0)
with open("logo.bmp", "wb") as f:
    f.write(header + info + data)
