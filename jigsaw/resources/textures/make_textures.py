#!/usr/bin/env python3
"""Makes the table textures of the jigsaw game.

Run it from anywhere: it writes into the folder it lives in. Every texture
is drawn here from a fixed seed, so the output is the same on every run, and
wraps around at its edges, so tiles join without a seam. The table tints a
texture by brightness only, so they are grey JPEG pictures (one component,
baseline, written by the small encoder below; the build needs no Python):

  felt.jpg     128 x 128  soft cloth
  wood.jpg     128 x 128  grain running across the table
  marble.jpg   128 x 128  veined stone
  linen.jpg    128 x 128  woven threads
"""
import math
import os
import random
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
SIZE = 128

# ---------------------------------------------------------------- patterns


def smooth(t):
    return t * t * (3 - 2 * t)


def lattice(period, rng):
    return [[rng.random() for _ in range(period)] for _ in range(period)]


def value_noise(x, y, grid):
    """Noise over a lattice that repeats every SIZE pixels."""
    period = len(grid)
    fx, fy = x * period / SIZE, y * period / SIZE
    x0, y0 = int(fx), int(fy)
    tx, ty = smooth(fx - x0), smooth(fy - y0)
    x1, y1 = (x0 + 1) % period, (y0 + 1) % period
    x0 %= period
    y0 %= period
    a = grid[y0][x0] + (grid[y0][x1] - grid[y0][x0]) * tx
    b = grid[y1][x0] + (grid[y1][x1] - grid[y1][x0]) * tx
    return a + (b - a) * ty


def fractal(periods, seed):
    rng = random.Random(seed)
    grids = [(lattice(p, rng), 1.0 / (i + 1)) for i, p in enumerate(periods)]
    total = sum(w for _, w in grids)
    return [[sum(value_noise(x, y, g) * w for g, w in grids) / total for x in range(SIZE)] for y in range(SIZE)]


def stretch(field, low, high):
    """Maps the field's own range onto grey levels low..high."""
    lo = min(min(r) for r in field)
    hi = max(max(r) for r in field)
    span = hi - lo or 1.0
    return [[int(round(low + (v - lo) / span * (high - low))) for v in r] for r in field]


def felt():
    return stretch(fractal([8, 16, 32, 64], 11), 150, 255)


def wood():
    n = fractal([4, 8], 23)
    rows = []
    for y in range(SIZE):
        row = []
        for x in range(SIZE):
            # Rings across the tile: a whole number of waves per period.
            v = math.sin(2 * math.pi * (y * 6 / SIZE + n[y][x] * 1.5))
            row.append(0.6 + 0.4 * v * v + 0.1 * n[y][(x * 3) % SIZE])
        rows.append(row)
    return stretch(rows, 110, 250)


def marble():
    n = fractal([4, 8, 16, 32], 37)
    rows = []
    for y in range(SIZE):
        row = []
        for x in range(SIZE):
            v = math.sin(2 * math.pi * ((x + y) * 2 / SIZE + n[y][x] * 2.0))
            row.append(1.0 - abs(v) ** 0.3 * 0.5 + 0.2 * n[y][x])
        rows.append(row)
    return stretch(rows, 120, 255)


def linen():
    n = fractal([16, 32, 64], 41)
    rows = []
    for y in range(SIZE):
        row = []
        for x in range(SIZE):
            warp = 0.5 + 0.5 * math.cos(2 * math.pi * x * 32 / SIZE)
            weft = 0.5 + 0.5 * math.cos(2 * math.pi * y * 32 / SIZE)
            over = warp if ((x // 4 + y // 4) % 2) else weft
            row.append(0.7 + 0.2 * over + 0.25 * n[y][x])
        rows.append(row)
    return stretch(rows, 140, 250)


# ---------------------------------------------------------------- a grey baseline JPEG encoder

ZIGZAG = [0, 1, 8, 16, 9, 2, 3, 10, 17, 24, 32, 25, 18, 11, 4, 5, 12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6, 7,
          14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46,
          53, 60, 61, 54, 47, 55, 62, 63]

LUMA_QUANT = [16, 11, 10, 16, 24, 40, 51, 61, 12, 12, 14, 19, 26, 58, 60, 55, 14, 13, 16, 24, 40, 57, 69, 56, 14, 17,
              22, 29, 51, 87, 80, 62, 18, 22, 37, 56, 68, 109, 103, 77, 24, 35, 55, 64, 81, 104, 113, 92, 49, 64, 78,
              87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99]

DC_BITS = [0, 1, 5, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0]
DC_VALUES = list(range(12))
AC_BITS = [0, 2, 1, 3, 3, 2, 4, 3, 5, 5, 4, 4, 0, 0, 1, 0x7D]
AC_VALUES = [
    0x01, 0x02, 0x03, 0x00, 0x04, 0x11, 0x05, 0x12, 0x21, 0x31, 0x41, 0x06, 0x13, 0x51, 0x61, 0x07, 0x22, 0x71, 0x14,
    0x32, 0x81, 0x91, 0xA1, 0x08, 0x23, 0x42, 0xB1, 0xC1, 0x15, 0x52, 0xD1, 0xF0, 0x24, 0x33, 0x62, 0x72, 0x82, 0x09,
    0x0A, 0x16, 0x17, 0x18, 0x19, 0x1A, 0x25, 0x26, 0x27, 0x28, 0x29, 0x2A, 0x34, 0x35, 0x36, 0x37, 0x38, 0x39, 0x3A,
    0x43, 0x44, 0x45, 0x46, 0x47, 0x48, 0x49, 0x4A, 0x53, 0x54, 0x55, 0x56, 0x57, 0x58, 0x59, 0x5A, 0x63, 0x64, 0x65,
    0x66, 0x67, 0x68, 0x69, 0x6A, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7A, 0x83, 0x84, 0x85, 0x86, 0x87, 0x88,
    0x89, 0x8A, 0x92, 0x93, 0x94, 0x95, 0x96, 0x97, 0x98, 0x99, 0x9A, 0xA2, 0xA3, 0xA4, 0xA5, 0xA6, 0xA7, 0xA8, 0xA9,
    0xAA, 0xB2, 0xB3, 0xB4, 0xB5, 0xB6, 0xB7, 0xB8, 0xB9, 0xBA, 0xC2, 0xC3, 0xC4, 0xC5, 0xC6, 0xC7, 0xC8, 0xC9, 0xCA,
    0xD2, 0xD3, 0xD4, 0xD5, 0xD6, 0xD7, 0xD8, 0xD9, 0xDA, 0xE1, 0xE2, 0xE3, 0xE4, 0xE5, 0xE6, 0xE7, 0xE8, 0xE9, 0xEA,
    0xF1, 0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7, 0xF8, 0xF9, 0xFA]


def huffman_codes(bits, values):
    """Canonical codes: value -> (code, length)."""
    codes, code, k = {}, 0, 0
    for length in range(1, 17):
        for _ in range(bits[length - 1]):
            codes[values[k]] = (code, length)
            code += 1
            k += 1
        code <<= 1
    return codes


class BitWriter:
    def __init__(self):
        self.out = bytearray()
        self.acc = 0
        self.count = 0

    def put(self, value, length):
        for i in range(length - 1, -1, -1):
            self.acc = (self.acc << 1) | ((value >> i) & 1)
            self.count += 1
            if self.count == 8:
                self.out.append(self.acc)
                if self.acc == 0xFF:
                    self.out.append(0)  # stuffed so it reads as data, not a marker
                self.acc = 0
                self.count = 0

    def flush(self):
        while self.count:
            self.put(1, 1)


def category(v):
    v = abs(v)
    n = 0
    while v:
        n += 1
        v >>= 1
    return n


def magnitude_bits(v, n):
    return v if v >= 0 else v + (1 << n) - 1


COS = [[math.cos((2 * x + 1) * u * math.pi / 16) for x in range(8)] for u in range(8)]


def fdct(block):
    """8 x 8 forward DCT of level-shifted samples, row-major in and out."""
    tmp = [[sum(block[y * 8 + x] * COS[u][x] for x in range(8)) for u in range(8)] for y in range(8)]
    out = [0.0] * 64
    for v in range(8):
        cv = math.sqrt(0.5) if v == 0 else 1.0
        for u in range(8):
            cu = math.sqrt(0.5) if u == 0 else 1.0
            out[v * 8 + u] = 0.25 * cu * cv * sum(tmp[y][u] * COS[v][y] for y in range(8))
    return out


def jpeg_grey(pixels, quality=90):
    h, w = len(pixels), len(pixels[0])
    scale = 5000 // quality if quality < 50 else 200 - 2 * quality
    quant = [max(1, min(255, (q * scale + 50) // 100)) for q in LUMA_QUANT]
    dc, ac = huffman_codes(DC_BITS, DC_VALUES), huffman_codes(AC_BITS, AC_VALUES)
    bits = BitWriter()
    previous = 0
    for by in range(0, h, 8):
        for bx in range(0, w, 8):
            block = [pixels[min(by + y, h - 1)][min(bx + x, w - 1)] - 128 for y in range(8) for x in range(8)]
            coeffs = fdct(block)
            q = [int(round(coeffs[ZIGZAG[i]] / quant[ZIGZAG[i]])) for i in range(64)]
            diff = q[0] - previous
            previous = q[0]
            n = category(diff)
            bits.put(*dc[n])
            bits.put(magnitude_bits(diff, n), n)
            run = 0
            for i in range(1, 64):
                if q[i] == 0:
                    run += 1
                    continue
                while run > 15:
                    bits.put(*ac[0xF0])
                    run -= 16
                n = category(q[i])
                bits.put(*ac[(run << 4) | n])
                bits.put(magnitude_bits(q[i], n), n)
                run = 0
            if run:
                bits.put(*ac[0x00])
    bits.flush()

    def segment(marker, payload):
        return struct.pack(">HH", marker, len(payload) + 2) + payload

    out = bytearray(b"\xFF\xD8")
    out += segment(0xFFE0, b"JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00")
    out += segment(0xFFDB, bytes([0]) + bytes(quant[ZIGZAG[i]] for i in range(64)))
    out += segment(0xFFC0, struct.pack(">BHHB", 8, h, w, 1) + bytes([1, 0x11, 0]))
    out += segment(0xFFC4, bytes([0x00]) + bytes(DC_BITS) + bytes(DC_VALUES))
    out += segment(0xFFC4, bytes([0x10]) + bytes(AC_BITS) + bytes(AC_VALUES))
    out += segment(0xFFDA, bytes([1, 1, 0x00, 0, 63, 0]))
    out += bits.out
    out += b"\xFF\xD9"
    return bytes(out)


def main():
    for name, make in (("felt", felt), ("wood", wood), ("marble", marble), ("linen", linen)):
        with open(os.path.join(HERE, name + ".jpg"), "wb") as f:
            f.write(jpeg_grey(make()))


if __name__ == "__main__":
    main()
