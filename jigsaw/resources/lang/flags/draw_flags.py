#!/usr/bin/env python3
"""Draws the small language flags stored in the translation files.

Run it in this folder after changing a flag; the BMP files it writes are
kept in the repository so that the build needs no Python.
"""
import struct

W, H = 24, 16

RED = (200, 16, 46)
YELLOW = (255, 196, 0)
WHITE = (255, 255, 255)
BLUE = (0, 36, 125)
BLACK = (0, 0, 0)
GOLD = (255, 206, 0)
GREEN = (0, 140, 69)
FR_BLUE = (0, 85, 164)
IT_RED = (206, 43, 55)


def horizontal(bands):
    """Bands of (colour, weight) from top to bottom."""
    total = sum(w for _, w in bands)
    rows = []
    for y in range(H):
        at = y * total / H
        acc = 0
        for colour, weight in bands:
            acc += weight
            if at < acc:
                rows.append([colour] * W)
                break
    return rows


def vertical(colours):
    step = W / len(colours)
    return [[colours[min(int(x / step), len(colours) - 1)] for x in range(W)] for _ in range(H)]


def english():
    # Blue field with a white saltire under a white-edged red cross.
    rows = [[BLUE] * W for _ in range(H)]
    for y in range(H):
        for x in range(W):
            d1 = abs(x * H - y * W) / W
            d2 = abs((W - 1 - x) * H - y * W) / W
            if d1 < 1.6 or d2 < 1.6:
                rows[y][x] = WHITE
            if abs(x - W // 2 + 0.5) < 3.5 or abs(y - H // 2 + 0.5) < 3.5:
                rows[y][x] = WHITE
            if abs(x - W // 2 + 0.5) < 2 or abs(y - H // 2 + 0.5) < 2:
                rows[y][x] = RED
    return rows


FLAGS = {
    "eng": english(),
    "cas": horizontal([(RED, 1), (YELLOW, 2), (RED, 1)]),
    "cat": horizontal([(YELLOW, 1), (RED, 1)] * 4 + [(YELLOW, 1)]),
    "deu": horizontal([(BLACK, 1), (RED, 1), (GOLD, 1)]),
    "fra": vertical([FR_BLUE, WHITE, RED]),
    "ita": vertical([GREEN, WHITE, IT_RED]),
}


def write_bmp(path, rows):
    stride = (W * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):  # bottom-up
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += bytes(stride - len(line))
        pixels += line
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, W, H, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + pixels)


if __name__ == "__main__":
    for code, rows in FLAGS.items():
        write_bmp(f"{code}.bmp", rows)
