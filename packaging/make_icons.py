#!/usr/bin/env python3
"""Makes the menu icons of both games, in the sizes of the icon theme, from
the 32 x 32 program icons the games show in their windows.

    python3 packaging/make_icons.py     (writes packaging/icons/<size>/*.png)

Uses only the standard library: the icons are RGBA PNG files, scaled by
taking each target pixel's share of the source pixels it covers (box filter),
which keeps the hard edges of small drawings readable at 48 pixels."""
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(HERE)
SOURCES = {
    "quorvane": os.path.join(ROOT, "jigsaw", "resources", "images", "icon200.png"),
    "minevaro": os.path.join(ROOT, "minefield", "resources", "mvro.png"),
}
SIZES = (32, 48, 256)


def read_png(path):
    data = open(path, "rb").read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError(path + ": not a PNG file")
    pos, idat, width = 8, b"", 0
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            if depth != 8 or colour != 6 or interlace:
                raise ValueError(path + ": only 8-bit RGBA, not interlaced")
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    raw = zlib.decompress(idat)
    stride = width * 4
    rows, prev = [], bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        kind, line = raw[start], bytearray(raw[start + 1:start + 1 + stride])
        for i in range(stride):
            a = line[i - 4] if i >= 4 else 0
            b = prev[i]
            c = prev[i - 4] if i >= 4 else 0
            if kind == 1:
                line[i] = (line[i] + a) & 255
            elif kind == 2:
                line[i] = (line[i] + b) & 255
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                pred = a if pa <= pb and pa <= pc else (b if pb <= pc else c)
                line[i] = (line[i] + pred) & 255
        rows.append(line)
        prev = line
    return width, height, rows


def scale(width, height, rows, size):
    """Box filter over premultiplied colour, so transparent pixels do not
    darken the edges."""
    out = []
    for ty in range(size):
        y0, y1 = ty * height / size, (ty + 1) * height / size
        line = bytearray()
        for tx in range(size):
            x0, x1 = tx * width / size, (tx + 1) * width / size
            acc = [0.0, 0.0, 0.0, 0.0]
            area = 0.0
            for sy in range(int(y0), min(height, int(-(-y1 // 1)))):
                wy = min(y1, sy + 1) - max(y0, sy)
                for sx in range(int(x0), min(width, int(-(-x1 // 1)))):
                    w = wy * (min(x1, sx + 1) - max(x0, sx))
                    if w <= 0:
                        continue
                    px = rows[sy][sx * 4:sx * 4 + 4]
                    alpha = px[3] / 255.0
                    for k in range(3):
                        acc[k] += px[k] * alpha * w
                    acc[3] += alpha * w
                    area += w
            alpha = acc[3] / area
            colour = [round(acc[k] / acc[3]) if acc[3] > 0 else 0 for k in range(3)]
            line += bytes(colour + [round(alpha * 255)])
        out.append(line)
    return out


def write_png(path, size, rows):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
    raw = b"".join(b"\x00" + bytes(r) for r in rows)
    png = (b"\x89PNG\r\n\x1a\n"
           + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
           + chunk(b"IDAT", zlib.compress(raw, 9))
           + chunk(b"IEND", b""))
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(png)


def main():
    for name, source in SOURCES.items():
        width, height, rows = read_png(source)
        for size in SIZES:
            write_png(os.path.join(HERE, "icons", str(size), name + ".png"), size,
                      scale(width, height, rows, size))


if __name__ == "__main__":
    main()
