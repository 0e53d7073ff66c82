#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets (<module>/fuzz/corpus/<target>/): small inputs of
each format, made here from nothing but our own bytes and our own cursor picture. The Ogg seed
is the framework's own encoder output and is not made here."""
import struct, os, subprocess
R = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
def put(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    open(path,'wb').write(data)

# --- WAV ---
def wav(channels, bits, frames, extra_chunk=b''):
    bps = bits//8
    data = bytes((i*37) & 0xFF for i in range(frames*channels*bps))
    fmt = struct.pack('<HHIIHH', 1, channels, 8000, 8000*channels*bps, channels*bps, bits)
    body = b'WAVE' + b'fmt ' + struct.pack('<I', len(fmt)) + fmt + extra_chunk + b'data' + struct.pack('<I', len(data)) + data
    return b'RIFF' + struct.pack('<I', len(body)) + body
c = R+'/audio/fuzz/corpus/wav/'
put(c+'mono8.wav', wav(1, 8, 16))
put(c+'stereo16.wav', wav(2, 16, 12))
put(c+'list-chunk.wav', wav(1, 16, 8, b'LIST' + struct.pack('<I', 6) + b'INFOab'))

# --- text ---
c = R+'/stream/fuzz/corpus/text/'
put(c+'latin1-lines', b'\x00\x00' + b'caf\xe9 au lait\r\nsecond line\n42\n-7\n2.5\n')
put(c+'utf8-numbers', b'\x01\x06' + 'Preis 3\u20ac\n123\n4.75e2\n\u00fcber\n'.encode('utf-8'))
put(c+'utf16be-text', b'\x02\x11' + 'Zeile eins\r\n99\nzwei'.encode('utf-16-be'))
put(c+'utf16le-hex', b'\x03\xff' + '0011AAFF\r\n7\nend'.encode('utf-16-le'))
put(c+'hex-block', b'\x01\xff' + b'00FF10' * 12 + b'\r\n' + b'ABCDEF0123\r\nline\n')
put(c+'bom-utf16le', b'\xff\xfe' + 'mark \u20ac\n'.encode('utf-16-le'))
put(c+'bom-utf8', b'\xef\xbb\xbf' + 'mark \u20ac\n'.encode('utf-8'))

# --- data streams (object graphs) ---
def i32(v): return struct.pack('<i', v)
def f32(v): return struct.pack('<f', v)
bank = b'\x01' + b'KVT.Bank.TBank\r\n' + i32(5) + b'hello'
put(R+'/plex2d/fuzz/corpus/data/bank', bank)
pix = b'\x02' + b'KVT.Pixmap.TPixmap\r\n' + i32(2) + i32(2) + i32(4) + bytes(range(16))
lst = b'\x01' + b'KVT.LinkedList.TList\r\n' + i32(4) + b'\x00' + (b'\x02' + b'KVT.Bank.TBank\r\n' + i32(2) + b'ab') + b'\xff' + i32(2) + (b'\x03' + b'KVT.Pixmap.TPixmap\r\n' + i32(1) + i32(1) + i32(3) + b'\x10\x20\x30')
put(R+'/plex2d/fuzz/corpus/data/list-with-back-reference', lst)
img = (b'\x01' + b'kvt.plex2d.TImage\r\n' + i32(2) + i32(2) + i32(1) + i32(255) + i32(0) + i32(255) + f32(0.5) + f32(1.0) + i32(2)
       + pix + b'\x00')
put(R+'/plex2d/fuzz/corpus/data/image-two-frames', img)

# --- HTTP response heads ---
c = R+'/net/fuzz/corpus/http_head/'
put(c+'ok-length', b'HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\nContent-Length: 11\r\n\r\nhello world')
put(c+'no-length', b'HTTP/1.1 404 Not Found\r\nServer: x\r\n\r\n')
put(c+'lf-only', b'HTTP/1.1 301 Moved\nLocation: /a\ncontent-length:  0 \n\n')

# --- Gamepad mapping files (gamecontrollerdb.txt form), our own made-up pads ---
c = R+'/system/fuzz/corpus/gamepad_mappings/'
put(c+'two-pads', b'# Corvax test pads\n'
    b'0300000000c0000001000000000a0000,Corvax Pad,a:b0,b:b1,x:b2,y:b3,leftx:a0,lefty:a1,'
    b'lefttrigger:a2,righttrigger:+a5,dpup:h0.1,dpleft:h0.8,platform:Linux,\r\n'
    b'\n'
    b'0300000000c0000002000000000a0000,Other Pad,a:b1,-leftx:b4,+leftx:b5,righty:a3~,platform:Windows,\n')
put(c+'bad-binding', b'0300000000c0000001000000000a0000,Corvax Pad,a:q0,platform:Linux,\n')
put(c+'no-platform', b'xinput,Corvax Xinput Pad,a:b0,start:b7,guide:b8,crc:1234\n')

# --- GNet packets: [length][flags][type<<4 | id>>8][id & 255][records] ---
def rec_int(slot, v): return bytes([1<<5 | slot]) + struct.pack('<i', v)
def rec_float(slot, h): return bytes([2<<5 | slot]) + struct.pack('<H', h)
def rec_str(slot, s): return bytes([3<<5 | slot]) + struct.pack('<H', len(s)) + s
def rec_byte(slot, v): return bytes([4<<5 | slot, v])
def rec_short(slot, v): return bytes([5<<5 | slot]) + struct.pack('<H', v)
def packet(sender, sync, typ, wid, records):
    body = bytes([typ<<4 | wid>>8, wid & 255]) + records
    return bytes([len(body), sender | (2 if sync else 0)]) + body
c = R+'/net/fuzz/corpus/gnet/'
put(c+'create-modify-close',
    packet(0, False, 1, 7, rec_int(0, 1234) + rec_str(1, b'name') + rec_float(2, 0x3C00))
    + packet(0, True, 2, 7, rec_byte(3, 9) + rec_short(4, 500))
    + packet(0, True, 3, 7, b''))
put(c+'message-to-object',
    packet(0, True, 1, 3, rec_int(0, 1))
    + packet(1, False, 5, 1, rec_str(0, b'hi'))
    + packet(1, True, 2, 3, rec_int(0, 2)))

# --- fonts ---
c = R+'/freetype/fuzz/corpus/font/'
bdf = open(R+'/freetype/tests/test_fonts.h').read()
bdf = bdf[bdf.index('R"(')+3:bdf.index(')";')]
put(c+'bitmap.bdf', b'\x0c' + bdf.encode())

def ttf():
    # Two glyphs: .notdef (empty) and "A" drawn as a square with a triangular notch.
    pts = [(100,0),(600,0),(600,700),(350,400),(100,700)]
    flags = bytes([1]*len(pts))
    xs = b''; ys = b''; px = py = 0
    for x,y in pts:
        xs += struct.pack('>h', x-px); ys += struct.pack('>h', y-py); px, py = x, y
    g1 = struct.pack('>hhhhh', 1, 100, 0, 600, 700) + struct.pack('>H', len(pts)-1) + struct.pack('>H', 0) + flags + xs + ys
    if len(g1) % 2: g1 += b'\0'
    glyf = g1
    loca = struct.pack('>HHH', 0, 0, len(g1)//2)
    head = struct.pack('>IIIIHHqqhhhhHHhhh', 0x00010000, 0x00010000, 0, 0x5F0F3CF5, 0x000B, 1000, 0, 0, 100, 0, 600, 700, 0, 8, 2, 0, 0)
    hhea = struct.pack('>IhhhHhhhhhhhhhhhH', 0x00010000, 800, -200, 0, 700, 0, 100, 600, 1, 0, 0, 0,0,0,0, 0, 2)
    maxp = struct.pack('>IHHHHHHHHHHHHHH', 0x00010000, 2, len(pts), 1, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0)
    hmtx = struct.pack('>HhHh', 500, 0, 700, 100)
    seg = 2
    sub = struct.pack('>HHHHHHH', 4, 16 + seg*8, 0, seg*2, 4, 1, 0)
    sub += struct.pack('>HH', 0x41, 0xFFFF) + b'\0\0' + struct.pack('>HH', 0x41, 0xFFFF)
    sub += struct.pack('>hh', 1-0x41, 1) + struct.pack('>HH', 0, 0)
    cmap = struct.pack('>HHHHI', 0, 1, 3, 1, 12) + sub
    tables = {b'cmap': cmap, b'glyf': glyf, b'head': head, b'hhea': hhea, b'hmtx': hmtx, b'loca': loca, b'maxp': maxp}
    n = len(tables)
    out = struct.pack('>IHHHH', 0x00010000, n, 64, 2, n*16-64)
    offset = 12 + 16*n
    data = b''
    for tag in sorted(tables):
        t = tables[tag]
        padded = t + b'\0'*((4 - len(t) % 4) % 4)
        s = sum(struct.unpack('>%dI' % (len(padded)//4), padded)) & 0xFFFFFFFF
        out += tag + struct.pack('>III', s, offset + len(data), len(t))
        data += padded
    return out + data
put(c+'square.ttf', b'\x10' + ttf())


# --- run recordings: [magic][version][seed][count][length][crc32][records] ---
import zlib
def run_file(seed, records):
    payload = b''.join(records)
    head = b'CVXRUN\x1a\n' + struct.pack('<HiII', 1, seed, len(records), len(payload))
    return head + struct.pack('<I', zlib.crc32(head + payload)) + payload
POINT, FRAME = b'\x01', b'\x05'
def event(id, source_kind, source, data, mods, x, y):
    return b'\x02' + struct.pack('<iBIiiii', id, source_kind, source, data, mods, x, y)
def tick(timer): return b'\x03' + struct.pack('<I', timer)
def clock(which, reading): return b'\x04' + struct.pack('<Bq', which, reading)
c = R+'/system/fuzz/corpus/run/'
put(c+'empty', run_file(4660, []))
put(c+'keys-and-frames', run_file(4660, [POINT, event(0x201, 1, 0, 65, 1, 0, 0), clock(1, 10**9), FRAME,
                                        POINT, event(0x403, 1, 0, 0, 0, 40, 30), clock(2, 1765000000), FRAME]))
put(c+'ticks', run_file(77, [POINT, tick(0), POINT, tick(0), tick(1), clock(1, -5), FRAME]))


# --- pixmaps: our own cursor picture in each format ---
for fmt, ext in (('png','png'),('bmp','bmp'),('tga','tga'),('jpeg','jpg')):
    d = R+'/pixmap/fuzz/corpus/'+fmt+'/'
    os.makedirs(d, exist_ok=True)
    if fmt == 'png':
        put(d+'cursor.png', open(R+'/assets/cursor.png','rb').read())
    else:
        subprocess.check_call(['convert', R+'/assets/cursor.png', d+'cursor.'+ext])
subprocess.check_call(['convert', R+'/assets/cursor.png', '-alpha', 'on', '-compress', 'RLE', R+'/pixmap/fuzz/corpus/tga/cursor-rle.tga'])
