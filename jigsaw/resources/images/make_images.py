#!/usr/bin/env python3
"""Draws the game's own small pictures and the credits sound.

Writes, beside this script:
  cursor300.png  the grab cursor (a closed hand)
  cursor301.png  the uncover cursor (an arrow lifting a card)
  marker.png     the marker of marked groups (a red flag)
  icon200.png    the program icon (a jigsaw piece)
  bitmap200.png, bitmap201.png, bitmap202.png  three small pieces in the
                 program's colours
  credits.wav    the tune under the credits roll

Only the standard library is used; run it again after changing it.
"""
import math
import struct
import wave
import zlib
from pathlib import Path

HERE = Path(__file__).resolve().parent


def png(path, pixels):
    """pixels: rows of (r, g, b, a) tuples."""
    h = len(pixels)
    w = len(pixels[0])
    raw = b"".join(b"\x00" + b"".join(bytes(px) for px in row) for row in pixels)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    data = b"\x89PNG\r\n\x1a\n"
    data += chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0))
    data += chunk(b"IDAT", zlib.compress(raw, 9))
    data += chunk(b"IEND", b"")
    (HERE / path).write_bytes(data)


def canvas(w, h):
    return [[(0, 0, 0, 0) for _ in range(w)] for _ in range(h)]


def disc(img, cx, cy, r, colour):
    for y in range(len(img)):
        for x in range(len(img[0])):
            if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= r * r:
                img[y][x] = colour


def rect(img, x0, y0, x1, y1, colour):
    for y in range(max(0, y0), min(len(img), y1)):
        for x in range(max(0, x0), min(len(img[0]), x1)):
            img[y][x] = colour


def outline(img, colour):
    """A one-pixel dark edge around every opaque shape."""
    h, w = len(img), len(img[0])
    out = [row[:] for row in img]
    for y in range(h):
        for x in range(w):
            if img[y][x][3]:
                continue
            for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                u, v = x + dx, y + dy
                if 0 <= u < w and 0 <= v < h and img[v][u][3] and img[v][u] != colour:
                    out[y][x] = colour
                    break
    return out


def piece(size, body, knob_r=None):
    """A jigsaw piece: a square body with a knob on the right and on top."""
    img = canvas(size, size)
    m = size // 5
    rect(img, m, m + m // 2, size - m - m // 2, size - m, body)
    r = knob_r or m * 0.8
    disc(img, size - m - m // 2 + r * 0.6, size / 2 + m / 4, r, body)
    disc(img, size / 2 - m / 4, m + m // 2 - r * 0.6, r, body)
    return outline(img, (40, 30, 20, 255))


def hand():
    img = canvas(32, 32)
    skin = (250, 225, 190, 255)
    rect(img, 8, 12, 24, 26, skin)       # palm with the fingers curled
    for k in range(4):
        disc(img, 10 + k * 4, 12, 2.3, skin)
    disc(img, 7, 18, 2.5, skin)          # thumb
    return outline(img, (30, 30, 30, 255))


def uncover():
    img = canvas(32, 32)
    card = (250, 250, 250, 255)
    rect(img, 12, 14, 28, 28, (160, 200, 240, 255))
    rect(img, 14, 16, 26, 26, card)
    # an arrow pointing up-left, its tip at (8, 2)
    for y in range(2, 14):
        half = (y - 2) // 2
        rect(img, 8 - half, y, 9 + half, y + 1, (20, 20, 20, 255))
    rect(img, 7, 14, 10, 24, (20, 20, 20, 255))
    return outline(img, (255, 255, 255, 255))


def flag():
    img = canvas(16, 20)
    rect(img, 2, 1, 4, 20, (50, 40, 30, 255))
    for y in range(1, 11):
        span = 11 - abs(y - 5.5) * 2
        rect(img, 4, y, 4 + int(span), y + 1, (220, 30, 30, 255))
    return img


def credits_tune(path):
    rate = 22050
    notes = [523.25, 659.25, 783.99, 1046.5, 783.99, 659.25, 587.33, 698.46, 880.0, 1174.66, 880.0, 698.46,
             523.25, 659.25, 783.99, 1046.5]
    frames = bytearray()
    for n, f in enumerate(notes):
        length = int(rate * 0.28)
        for i in range(length):
            t = i / rate
            env = min(1.0, i / 300) * math.exp(-3.2 * t)
            v = env * (0.6 * math.sin(2 * math.pi * f * t) + 0.25 * math.sin(4 * math.pi * f * t))
            frames += struct.pack("<h", int(v * 9000))
    with wave.open(str(HERE / path), "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(rate)
        w.writeframes(bytes(frames))


def main():
    png("cursor300.png", hand())
    png("cursor301.png", uncover())
    png("marker.png", flag())
    png("icon200.png", piece(32, (240, 180, 40, 255)))
    png("bitmap200.png", piece(32, (200, 70, 60, 255)))
    png("bitmap201.png", piece(32, (70, 150, 90, 255)))
    png("bitmap202.png", piece(32, (70, 110, 200, 255)))
    credits_tune("credits.wav")


if __name__ == "__main__":
    main()
