#!/usr/bin/env python3
"""Writes assets/cursor.png: our pointer, a white arrow with a black outline on pure red,
12 x 21 pixels, 8-bit RGB, not interlaced. Red (255, 0, 0) is the transparent background."""
import struct
import sys
import zlib

ARROW = [
    "B...........",
    "BB..........",
    "BWB.........",
    "BWWB........",
    "BWWWB.......",
    "BWWWWB......",
    "BWWWWWB.....",
    "BWWWWWWB....",
    "BWWWWWWWB...",
    "BWWWWWWWWB..",
    "BWWWWWWWWWB.",
    "BWWWWWWWWWWB",
    "BWWWWWWBBBBB",
    "BWWWBWWB....",
    "BWWBBWWB....",
    "BWB..BWWB...",
    "BB...BWWB...",
    "B.....BWWB..",
    "......BWWB..",
    ".......BWWB.",
    ".......BBB..",
]
COLOURS = {".": (255, 0, 0), "B": (0, 0, 0), "W": (255, 255, 255)}


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def main(path):
    width, height = len(ARROW[0]), len(ARROW)
    rows = b"".join(b"\0" + bytes(c for p in row for c in COLOURS[p]) for row in ARROW)
    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(rows, 9))
    png += chunk(b"IEND", b"")
    with open(path, "wb") as out:
        out.write(png)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "assets/cursor.png")
