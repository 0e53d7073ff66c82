#!/usr/bin/env python3
"""Writes the pictures and sounds the examples load, into examples/assets:
  ball.png    48 x 48 RGB: a shaded orange ball on magenta (255, 0, 255), the mask colour
  runner.png  4 cells of 32 x 32 RGBA in a row: a bar that turns a quarter per cell
  tone.wav    0.5 s of a 440 Hz tone, 22050 Hz, 16-bit mono PCM
chime.ogg is tone.wav encoded once with the framework's own WriteOggVorbis at quality 0.2."""
import math
import os
import struct
import sys
import zlib


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def write_png(path, width, height, rows, colour_type):
    raw = b"".join(b"\0" + bytes(row) for row in rows)
    header = struct.pack(">IIBBBBB", width, height, 8, colour_type, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def ball():
    size, rows = 48, []
    for y in range(size):
        row = []
        for x in range(size):
            dx, dy = x - 23.5, y - 23.5
            if dx * dx + dy * dy > 22 * 22:
                row += [255, 0, 255]
            else:
                light = max(0.0, 1.0 - math.hypot(x - 16, y - 16) / 34)
                row += [min(255, int(200 + 55 * light)), int(90 + 150 * light), int(20 + 120 * light)]
        rows.append(row)
    return size, size, rows


def runner():
    cell, cells, rows = 32, 4, []
    for y in range(cell):
        row = []
        for i in range(cells):
            for x in range(cell):
                dx, dy = x - 15.5, y - 15.5
                # A bar through the centre, turned by i quarter turns of 45 degrees.
                angle = math.radians(45 * i)
                along = dx * math.cos(angle) + dy * math.sin(angle)
                across = -dx * math.sin(angle) + dy * math.cos(angle)
                inside = abs(along) < 14 and abs(across) < 4
                row += [40 + 50 * i, 200, 255 - 50 * i, 255] if inside else [0, 0, 0, 0]
        rows.append(row)
    return cell * cells, cell, rows


def tone(path):
    rate, seconds = 22050, 0.5
    count = int(rate * seconds)
    samples = b"".join(
        struct.pack("<h", int(12000 * math.sin(2 * math.pi * 440 * n / rate) * (1 - n / count)))
        for n in range(count))
    fmt = struct.pack("<HHIIHH", 1, 1, rate, rate * 2, 2, 16)
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt + b"data" + \
        struct.pack("<I", len(samples)) + samples
    with open(path, "wb") as f:
        f.write(b"RIFF" + struct.pack("<I", len(body)) + body)


def main(folder):
    os.makedirs(folder, exist_ok=True)
    w, h, rows = ball()
    write_png(os.path.join(folder, "ball.png"), w, h, rows, 2)
    w, h, rows = runner()
    write_png(os.path.join(folder, "runner.png"), w, h, rows, 6)
    tone(os.path.join(folder, "tone.wav"))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "examples", "assets"))
