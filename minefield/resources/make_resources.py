#!/usr/bin/env python3
"""Makes the pictures and sounds of the mine-field game.

Run it from anywhere: it writes into the folder it lives in. Everything is
drawn or synthesised here from fixed seeds, so the output is the same on
every run:

  texture1.bmp .. texture4.bmp  64 x 64 tiles, 8 bits a pixel, 256-colour table
  mine.png       tool-bar picture of the New button (20 x 20)
  door.png       tool-bar picture of the Exit button (20 x 20)
  shields.png    status-bar strip, 32 x 16: a shield, then an empty image
  mvro.png       program icon (32 x 32)
  click.wav      8-bit mono, 22050 Hz, 314 samples
  explosion.wav  8-bit mono, 11025 Hz, 7306 samples
  win.wav        8-bit mono, 22050 Hz, a rising chord
"""
import math
import os
import random
import struct
import wave
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))


# ---------------------------------------------------------------- textures

def lattice(period, rng):
    return [[rng.random() for _ in range(period)] for _ in range(period)]


def smooth(t):
    return t * t * (3 - 2 * t)


def value_noise(x, y, grid, size):
    """Noise that wraps around at `size` pixels, so the tile repeats."""
    period = len(grid)
    fx = x * period / size
    fy = y * period / size
    x0, y0 = int(fx), int(fy)
    tx, ty = smooth(fx - x0), smooth(fy - y0)
    x1, y1 = (x0 + 1) % period, (y0 + 1) % period
    x0 %= period
    y0 %= period
    a = grid[y0][x0] + (grid[y0][x1] - grid[y0][x0]) * tx
    b = grid[y1][x0] + (grid[y1][x1] - grid[y1][x0]) * tx
    return a + (b - a) * ty


def fractal(size, periods, seed):
    rng = random.Random(seed)
    grids = [(lattice(p, rng), 1.0 / (i + 1)) for i, p in enumerate(periods)]
    total = sum(w for _, w in grids)
    return [[sum(value_noise(x, y, g, size) * w for g, w in grids) / total
             for x in range(size)] for y in range(size)]


def gradient(stops):
    """A 256-entry palette through the (position, (r, g, b)) stops."""
    palette = []
    for i in range(256):
        t = i / 255
        for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
            if p0 <= t <= p1:
                u = (t - p0) / (p1 - p0) if p1 > p0 else 0
                palette.append(tuple(round(a + (b - a) * u) for a, b in zip(c0, c1)))
                break
    return palette


def normalise(field):
    lo = min(min(r) for r in field)
    hi = max(max(r) for r in field)
    return [[(v - lo) / (hi - lo) for v in r] for r in field]


def texture_stone(size):
    # Grey-blue marble: noise folded into veins.
    n = fractal(size, [4, 8, 16, 32], 11)
    return normalise([[abs(math.sin(6 * v + 2 * math.pi * x / size)) for x, v in enumerate(r)]
                      for r in n]), gradient([(0, (142, 150, 164)), (0.6, (192, 198, 208)),
                                              (1, (232, 234, 238))])


def texture_wood(size):
    # Wood: rings bent by noise; the ring count divides the tile.
    n = fractal(size, [2, 4, 8], 23)
    field = []
    for y in range(size):
        row = []
        for x in range(size):
            v = math.sin(2 * math.pi * (4 * y / size + 0.35 * n[y][x]) + 0.5 * math.sin(2 * math.pi * x / size))
            row.append(0.5 + 0.5 * v)
        field.append(row)
    return normalise(field), gradient([(0, (158, 114, 70)), (0.5, (196, 150, 100)), (1, (226, 190, 140))])


def texture_felt(size):
    # Green cloth: fine fibres over soft patches.
    rng = random.Random(37)
    n = fractal(size, [4, 8], 31)
    field = [[0.7 * n[y][x] + 0.3 * rng.random() for x in range(size)] for y in range(size)]
    return normalise(field), gradient([(0, (92, 146, 100)), (1, (146, 196, 150))])


def texture_sand(size):
    # Sand ripples with grain.
    rng = random.Random(41)
    n = fractal(size, [4, 8, 16], 43)
    field = []
    for y in range(size):
        row = []
        for x in range(size):
            ripple = 0.5 + 0.5 * math.sin(2 * math.pi * (3 * (x + y) / size) + 3 * n[y][x])
            row.append(0.65 * ripple + 0.2 * n[y][x] + 0.15 * rng.random())
        field.append(row)
    return normalise(field), gradient([(0, (150, 118, 72)), (0.5, (206, 176, 124)), (1, (240, 222, 182))])


def write_bmp8(path, field, palette):
    size_y, size_x = len(field), len(field[0])
    stride = (size_x + 3) & ~3
    pixels = bytearray()
    for y in range(size_y - 1, -1, -1):  # bottom-up rows
        row = bytes(min(255, int(v * 255 + 0.5)) for v in field[y])
        pixels += row + bytes(stride - size_x)
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    offset = 14 + 40 + len(table)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, size_x, size_y, 1, 8, 0, len(pixels), 2835, 2835, 256, 256)
    with open(path, "wb") as f:
        f.write(header + info + table + pixels)


# ---------------------------------------------------------------- pictures

class Canvas:
    def __init__(self, w, h):
        self.w, self.h = w, h
        self.px = [[(0, 0, 0, 0)] * w for _ in range(h)]

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c if len(c) == 4 else c + (255,)

    def line(self, x0, y0, x1, y1, c):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while True:
            self.set(x0, y0, c)
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def disc(self, cx, cy, r, c):
        for y in range(self.h):
            for x in range(self.w):
                if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= r * r:
                    self.set(x, y, c)

    def polygon(self, pts, c):
        for y in range(self.h):
            for x in range(self.w):
                if inside(pts, x + 0.5, y + 0.5):
                    self.set(x, y, c)

    def rect(self, x0, y0, x1, y1, c):
        for y in range(y0, y1):
            for x in range(x0, x1):
                self.set(x, y, c)


def inside(pts, x, y):
    hit = False
    for (ax, ay), (bx, by) in zip(pts, pts[1:] + pts[:1]):
        if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
            hit = not hit
    return hit


def write_png(path, canvas):
    raw = b"".join(b"\x00" + b"".join(struct.pack("BBBB", *p) for p in row) for row in canvas.px)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    ihdr = struct.pack(">IIBBBBB", canvas.w, canvas.h, 8, 6, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + chunk(b"IDAT", zlib.compress(raw, 9))
                + chunk(b"IEND", b""))


def draw_mine(c, cx, cy, r):
    black = (0, 0, 0)
    c.disc(cx, cy, r, black)
    s = int(r + 3)
    ix, iy = int(cx), int(cy)
    c.line(ix - s, iy, ix + s - 1, iy, black)
    c.line(ix, iy - s, ix, iy + s - 1, black)
    d = int(s * 0.72)
    c.line(ix - d, iy - d, ix + d - 1, iy + d - 1, black)
    c.line(ix - d, iy + d - 1, ix + d - 1, iy - d, black)
    c.disc(cx - r * 0.38, cy - r * 0.38, max(1.2, r * 0.28), (255, 255, 255))


def make_pictures():
    mine = Canvas(20, 20)
    draw_mine(mine, 10, 10, 5.5)
    write_png(os.path.join(HERE, "mine.png"), mine)

    door = Canvas(20, 20)
    door.rect(4, 1, 16, 19, (70, 40, 16))      # frame
    door.rect(5, 2, 15, 19, (150, 92, 44))     # leaf
    for x0, y0 in ((6, 3), (10, 3), (6, 11), (10, 11)):
        door.rect(x0, y0, x0 + 4, y0 + 6, (126, 74, 34))  # panels
    door.rect(12, 10, 14, 12, (236, 200, 60))  # knob
    door.rect(2, 18, 18, 19, (90, 90, 90))     # sill
    write_png(os.path.join(HERE, "door.png"), door)

    # The shield of the status bar, drawn like the shield mark on the board.
    shields = Canvas(32, 16)
    xa, ya = 3, 2
    xb, yb = xa + 10, ya + 12
    outline = [(xa, ya), (xb, ya), (xb, yb - 4), (xa + (xb - xa) / 2, yb), (xa, yb - 4)]
    shields.polygon(outline, (0, 0, 0))
    inner = [(xa + 1, ya + 1), (xb - 1, ya + 1), (xb - 1, yb - 4.5), (xa + (xb - xa) / 2, yb - 1.5),
             (xa + 1, yb - 4.5)]
    shields.polygon(inner, (255, 255, 0))
    shields.rect(xa + 2, ya + 3, xb - 1, ya + 5, (255, 0, 0))
    write_png(os.path.join(HERE, "shields.png"), shields)

    icon = Canvas(32, 32)
    icon.rect(0, 0, 32, 32, (192, 192, 192))
    icon.line(0, 31, 0, 0, (255, 255, 255))
    icon.line(0, 0, 31, 0, (255, 255, 255))
    icon.line(31, 0, 31, 31, (64, 64, 64))
    icon.line(31, 31, 0, 31, (64, 64, 64))
    draw_mine(icon, 16, 16, 8)
    write_png(os.path.join(HERE, "mvro.png"), icon)


# ---------------------------------------------------------------- sounds

def write_wav(path, rate, samples):
    data = bytes(max(0, min(255, int(round(128 + 127 * s)))) for s in samples)
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(1)
        w.setframerate(rate)
        w.writeframes(data)


def make_sounds():
    rng = random.Random(5)
    # Click: a short knock, a falling tone under a little noise.
    click = []
    for i in range(314):
        t = i / 22050
        env = math.exp(-i / 60)
        click.append(env * (0.7 * math.sin(2 * math.pi * 1800 * t * (1 - i / 800)) + 0.3 * (rng.random() * 2 - 1)))
    write_wav(os.path.join(HERE, "click.wav"), 22050, click)

    # Explosion: noise through a low-pass filter that closes as it decays.
    boom, low, low2 = [], 0.0, 0.0
    for i in range(7306):
        env = min(1.0, i / 40) * math.exp(-i / 1900)
        cutoff = 0.5 * math.exp(-i / 2500) + 0.05
        low += cutoff * ((rng.random() * 2 - 1) - low)
        low2 += cutoff * (low - low2)
        boom.append(max(-1.0, min(1.0, 2.6 * env * low2)))
    write_wav(os.path.join(HERE, "explosion.wav"), 11025, boom)

    # Win: a rising major chord, one note after the other.
    rate, notes, win = 22050, (523.25, 659.25, 783.99, 1046.5), []
    for n, freq in enumerate(notes):
        length = int(rate * (0.11 if n < 3 else 0.32))
        for i in range(length):
            t = i / rate
            env = min(1.0, i / 200) * math.exp(-i / (length * 0.6))
            win.append(0.55 * env * (math.sin(2 * math.pi * freq * t) + 0.3 * math.sin(4 * math.pi * freq * t)))
    write_wav(os.path.join(HERE, "win.wav"), rate, win)


def main():
    for n, make in enumerate((texture_stone, texture_wood, texture_felt, texture_sand), start=1):
        field, palette = make(64)
        write_bmp8(os.path.join(HERE, "texture%d.bmp" % n), field, palette)
    make_pictures()
    make_sounds()


if __name__ == "__main__":
    main()
