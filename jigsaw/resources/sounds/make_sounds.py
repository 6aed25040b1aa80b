#!/usr/bin/env python3
"""Synthesises the jigsaw game's seven sounds (16-bit mono, 22050 Hz).

Run from this folder: python3 make_sounds.py. The .wav files it writes are
kept in the repository so the build needs no Python.
"""
import math
import random
import struct
import wave

RATE = 22050


def write(name, samples):
    with wave.open(name + ".wav", "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        frames = b"".join(struct.pack("<h", max(-32767, min(32767, int(s * 32767)))) for s in samples)
        w.writeframes(frames)


def env(i, n, attack=0.005, decay=8.0):
    t = i / RATE
    a = min(1.0, t / attack) if attack > 0 else 1.0
    return a * math.exp(-decay * i / n)


def tone(freqs, seconds, volume=0.5, decay=6.0, attack=0.004, shape=None):
    n = int(seconds * RATE)
    out = []
    for i in range(n):
        t = i / RATE
        v = sum(math.sin(2 * math.pi * f * t) / (k + 1) for k, f in enumerate(freqs))
        out.append(volume * v * env(i, n, attack, decay))
    return out


def click(seconds, pitch, volume):
    rnd = random.Random(int(pitch))
    n = int(seconds * RATE)
    out = []
    for i in range(n):
        t = i / RATE
        noise = rnd.uniform(-1, 1) * math.exp(-i / (0.004 * RATE))
        body = math.sin(2 * math.pi * pitch * t) * math.exp(-i / (0.012 * RATE))
        out.append(volume * (0.5 * noise + 0.7 * body))
    return out


def mix(*tracks):
    n = max(len(t) for t in tracks)
    return [sum(t[i] for t in tracks if i < len(t)) for i in range(n)]


def delay(track, seconds):
    return [0.0] * int(seconds * RATE) + track


# 1: a held group bumps the window edge: a soft low knock.
write("xoc", tone([110, 220], 0.12, 0.6, decay=9))
# 2: a piece is picked up: a short light click.
write("click1", click(0.05, 1800, 0.5))
# 3: a piece is put down without joining: a slightly lower click.
write("click2", click(0.06, 1100, 0.5))
# 4: pieces join: a wooden snap with a little ring.
write("toca", mix(click(0.05, 700, 0.6), tone([1320, 2640], 0.18, 0.25, decay=10)))
# 5: the puzzle is complete: a rising major arpeggio into a chord.
notes = [523.25, 659.25, 783.99, 1046.5]
fin = mix(*[delay(tone([f, 2 * f], 0.9 - 0.12 * k, 0.22, decay=4), 0.12 * k) for k, f in enumerate(notes)])
write("fin", fin)
# 6: a group turns: a quick upward sweep.
n = int(0.14 * RATE)
phase = 0.0
gira = []
for i in range(n):
    f = 500 + 900 * i / n
    phase += 2 * math.pi * f / RATE
    gira.append(0.35 * math.sin(phase) * math.sin(math.pi * i / n))
write("gira", gira)
# 7: effects: a soft bell.
write("fxr2r", tone([880, 1320, 1760], 0.5, 0.3, decay=5))
