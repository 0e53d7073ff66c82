"""PNG pictures (8 bits per channel, grey, RGB or RGBA, not interlaced) decoded to RGB rows,
standard library only: what the browser's screenshots and the committed pictures are. Test
tooling only."""

import itertools
import struct
import zlib

SIGNATURE = b"\x89PNG\r\n\x1a\n"
CHANNELS = {0: 1, 2: 3, 6: 4}  # colour type -> channels


class Picture:
    """width, height and `rgb`: height rows of width (r, g, b) tuples."""

    def __init__(self, width, height, rgb):
        self.width, self.height, self.rgb = width, height, rgb

    def at(self, x, y):
        return self.rgb[y][x]


def _paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def _add(a, b):
    return bytes((x + y) & 0xFF for x, y in zip(a, b))


def _unfilter(data, width, height, channels):
    """The rows as they were before PNG's per-row filters; the common filters (none, sub, up)
    row at a time, the others byte by byte."""
    stride = width * channels
    rows, previous, at = [], bytes(stride), 0
    for _ in range(height):
        kind, line = data[at], data[at + 1:at + 1 + stride]
        at += 1 + stride
        if kind == 0:
            line = bytes(line)
        elif kind == 1:
            out = bytearray(line)
            for c in range(channels):
                out[c::channels] = bytes(itertools.accumulate(line[c::channels],
                                                              lambda a, b: (a + b) & 0xFF))
            line = bytes(out)
        elif kind == 2:
            line = _add(line, previous)
        elif kind in (3, 4):
            out = bytearray(line)
            for i in range(stride):
                left = out[i - channels] if i >= channels else 0
                up = previous[i]
                if kind == 3:
                    out[i] = (out[i] + (left + up) // 2) & 0xFF
                else:
                    corner = previous[i - channels] if i >= channels else 0
                    out[i] = (out[i] + _paeth(left, up, corner)) & 0xFF
            line = bytes(out)
        else:
            raise ValueError(f"unknown PNG row filter {kind}")
        rows.append(line)
        previous = line
    return rows


def decode(data):
    if not data.startswith(SIGNATURE):
        raise ValueError("not a PNG picture")
    at, header, compressed = len(SIGNATURE), None, b""
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        at += 12 + length
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            compressed += body
        elif kind == b"IEND":
            break
    width, height, depth, colour, _, _, interlace = header
    if depth != 8 or colour not in CHANNELS or interlace:
        raise ValueError(f"unsupported PNG (depth {depth}, colour type {colour})")
    channels = CHANNELS[colour]
    rows = _unfilter(zlib.decompress(compressed), width, height, channels)
    rgb = []
    for line in rows:
        if channels == 1:
            rgb.append([(v, v, v) for v in line])
        else:
            rgb.append(list(zip(line[0::channels], line[1::channels], line[2::channels])))
    return Picture(width, height, rgb)


def read(path):
    with open(path, "rb") as file:
        return decode(file.read())
