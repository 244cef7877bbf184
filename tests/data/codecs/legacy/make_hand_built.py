#!/usr/bin/env python3
"""Writes the fixtures of the formats no common tool writes, from their
published layouts: Wavefront RLA, Autodesk Animator PIC/CEL, Dr. Halo CUT
with its palette, 1-bit and 4-plane PCX, 16-bit Targa, 2-channel and 16-bit
run-length SGI. Run it in this folder; the files it writes are committed."""
import struct

# The 5 x 3 picture of every fixture, row by row: no two pixels alike.
COLOURS = [
    (255, 0, 0), (0, 128, 0), (0, 0, 255), (255, 255, 0), (128, 0, 128),
    (0, 255, 255), (255, 128, 0), (64, 64, 64), (200, 150, 100), (10, 20, 30),
    (255, 255, 255), (0, 0, 0), (100, 200, 50), (30, 60, 220), (240, 16, 128)]
W, H = 5, 3
ROWS = [COLOURS[y * W:(y + 1) * W] for y in range(H)]
MONO = [[1, 0, 0, 1, 1, 0, 1, 0, 0, 0, 1],  # 1 = black, as in the PBM fixtures
        [0, 1, 1, 0, 0, 0, 1, 1, 1, 0, 1],
        [1, 1, 0, 1, 0, 0, 0, 0, 1, 0, 0]]


def runs(values):
    """Splits values into ('run', value, count) and ('literal', [values]) pieces."""
    pieces, i = [], 0
    while i < len(values):
        j = i
        while j + 1 < len(values) and values[j + 1] == values[i]:
            j += 1
        if j > i:
            pieces.append(('run', values[i], j - i + 1))
        elif pieces and pieces[-1][0] == 'literal':
            pieces[-1][1].append(values[i])
        else:
            pieces.append(('literal', [values[i]]))
        i = j + 1
    return pieces


def write(name, data):
    with open(name, 'wb') as f:
        f.write(data)


def rla(name, channels):
    header = bytearray(740)
    struct.pack_into('>4h', header, 0, 0, W - 1, 0, H - 1)
    struct.pack_into('>4h', header, 8, 0, W - 1, 0, H - 1)
    struct.pack_into('>6h', header, 16, 0, 0, channels, 1, 0, -2)
    struct.pack_into('>5h', header, 658, 8, 0, 8, 0, 0)

    def encode(values):
        out = bytearray()
        for piece in runs(values):
            if piece[0] == 'run':
                out += bytes([piece[2] - 1, piece[1]])
            else:
                out += bytes([256 - len(piece[1])]) + bytes(piece[1])
        return out

    lines = []
    for row in reversed(ROWS):  # bottom line first
        planes = [[c[k] for c in row] for k in range(3)] if channels == 3 else [[c[1] for c in row]]
        planes.append([255] * W)  # matte
        line = bytearray()
        for plane in planes:
            data = encode(plane)
            line += struct.pack('>h', len(data)) + data
        lines.append(line)
    offset = len(header) + 4 * H
    table = bytearray()
    for line in lines:
        table += struct.pack('>i', offset)
        offset += len(line)
    write(name, bytes(header) + table + b''.join(lines))


def animator(name, width, height, pixels, palette):
    header = struct.pack('<HHHHHBBI16x', 0x9119, width, height, 0, 0, 8, 0, width * height)
    write(name, header + bytes(sum(palette, ())) + bytes(pixels))


def animator_files():
    # 6-bit components; index 7 * i + 2 holds colour i.
    six = [(63, 0, 0), (0, 32, 0), (0, 0, 63), (63, 63, 0), (32, 0, 32), (0, 63, 63), (63, 32, 0),
           (16, 16, 16), (50, 37, 25), (2, 5, 7), (63, 63, 63), (0, 0, 0), (25, 50, 12), (7, 15, 55), (60, 4, 32)]
    palette = [(0, 0, 0)] * 256
    for i, c in enumerate(six):
        palette[7 * i + 2] = c
    animator('animator.cel', W, H, [7 * i + 2 for i in range(W * H)], palette)
    # The PIC file: a 3 x 2 corner of the same picture.
    animator('animator.pic', 3, 2, [7 * (y * W + x) + 2 for y in range(2) for x in range(3)], palette)


def dr_halo():
    # Colour i sits at index 6 * i + 3, so some entries lie past the first 512-byte block of the palette.
    count = 6 * (W * H - 1) + 4
    entries = [(0, 0, 0)] * count
    for i, c in enumerate(COLOURS):
        entries[6 * i + 3] = c
    pal = bytearray(b'AH') + struct.pack('<HHBBHHHHHH', 0x0A, 0x100, 0, 0, 0, 0, count - 1, 255, 255, 255)
    pal += b'Dr. Halo'.ljust(20, b'\0')
    for c in entries:
        if 512 - len(pal) % 512 < 6:
            pal += bytes(512 - len(pal) % 512)
        pal += struct.pack('<3H', *c)
    write('drhalo.pal', bytes(pal))

    def cut(name, rows):
        data = bytearray(struct.pack('<3H', len(rows[0]), len(rows), 0))
        for row in rows:
            line = bytearray()
            for piece in runs(row):
                if piece[0] == 'run':
                    line += bytes([0x80 | piece[2], piece[1]])
                else:
                    line += bytes([len(piece[1])]) + bytes(piece[1])
            line.append(0)
            data += struct.pack('<H', len(line)) + line
        write(name, bytes(data))

    cut('drhalo.cut', [[6 * (y * W + x) + 3 for x in range(W)] for y in range(H)])
    cut('drhalo_grey.cut', [[10, 10, 10, 200, 30], [0, 255, 90, 90, 7]])


def pcx(name, bits, planes, width, height, bytes_per_line, palette16, lines):
    header = bytearray(128)
    struct.pack_into('<BBBBHHHHHH', header, 0, 0x0A, 5, 1, bits, 0, 0, width - 1, height - 1, 72, 72)
    header[16:16 + 48] = bytes(sum(palette16, ()))
    struct.pack_into('<BHH', header, 65, planes, bytes_per_line, 1)
    data = bytearray()
    stream = [b for line in lines for b in line]
    for piece in runs(stream):
        if piece[0] == 'run':
            count = piece[2]
            while count:
                n = min(count, 63)
                data += bytes([0xC0 | n, piece[1]])
                count -= n
        else:
            for b in piece[1]:
                data += bytes([0xC1, b]) if b >= 0xC0 else bytes([b])
    write(name, bytes(header) + data)


def pcx_files():
    lines = []
    for row in MONO:
        value = 0
        for x, black in enumerate(row):
            value |= (1 - black) << (15 - x)
        lines.append([value >> 8, value & 0xFF])
    pcx('pcx_1bit.pcx', 1, 1, 11, 3, 2, [(0, 0, 0)] * 16, lines)

    palette = COLOURS + [(1, 2, 3)]
    lines = []
    for y in range(H):
        line = []
        for p in range(4):
            bits = 0
            for x in range(W):
                if ((y * W + x) >> p) & 1:
                    bits |= 0x80 >> x
            line += [bits, 0]
        lines.append(line)
    pcx('pcx_4planes.pcx', 1, 4, W, H, 2, palette, lines)


FIVE = [(31, 0, 0), (0, 16, 0), (0, 0, 31), (31, 31, 0), (16, 0, 16), (0, 31, 31), (31, 16, 0), (8, 8, 8),
        (25, 18, 12), (1, 2, 3), (31, 31, 31), (0, 0, 0), (12, 25, 6), (3, 7, 27), (30, 2, 16)]


def targa16():
    values = [(r << 10) | (g << 5) | b | 0x8000 for r, g, b in FIVE]
    # Raw, stored from the top-left corner.
    header = struct.pack('<BBBHHBHHHHBB', 0, 0, 2, 0, 0, 0, 0, 0, W, H, 16, 0x21)
    write('tga_16bit.tga', header + b''.join(struct.pack('<H', v) for v in values))
    # Run-length encoded, stored from the bottom-right corner: rows bottom first, pixels right to left.
    header = struct.pack('<BBBHHBHHHHBB', 0, 0, 10, 0, 0, 0, 0, 0, W, H, 16, 0x11)
    order = [values[y * W + x] for y in reversed(range(H)) for x in reversed(range(W))]
    # A run packet of one pixel, then a raw packet of the fourteen others.
    data = bytearray([0x80]) + struct.pack('<H', order[0])
    data += bytes([len(order) - 2]) + b''.join(struct.pack('<H', v) for v in order[1:])
    write('tga_16bit_rle.tga', header + bytes(data))


def sgi_header(storage, bpc, channels):
    header = bytearray(512)
    struct.pack_into('>HBBHHHHII', header, 0, 474, storage, bpc, 3, W, H, channels, 0, 255 if bpc == 1 else 65535)
    return header


def sgi_files():
    greys = [5, 11, 23, 37, 49, 61, 77, 89, 101, 131, 149, 163, 181, 199, 229]
    alphas = [255, 0, 128, 255, 64, 255, 255, 10, 255, 200, 255, 255, 255, 1, 255]
    planes = bytearray()
    for plane in (greys, alphas):
        for y in reversed(range(H)):
            planes += bytes(plane[y * W:(y + 1) * W])
    write('sgi_grey_alpha.sgi', bytes(sgi_header(0, 1, 2)) + bytes(planes))

    rows = []
    for k in range(3):
        for y in reversed(range(H)):
            values = [COLOURS[y * W + x][k] * 257 for x in range(W)]
            row = bytearray()
            for piece in runs(values):
                if piece[0] == 'run':
                    row += struct.pack('>HH', piece[2], piece[1])
                else:
                    row += struct.pack('>H', 0x80 | len(piece[1])) + b''.join(struct.pack('>H', v) for v in piece[1])
            rows.append(row + b'\0\0')
    offset = 512 + 8 * len(rows)
    starts, lengths = bytearray(), bytearray()
    for row in rows:
        starts += struct.pack('>I', offset)
        lengths += struct.pack('>I', len(row))
        offset += len(row)
    write('sgi_rgb16_rle.sgi', bytes(sgi_header(1, 2, 3)) + starts + lengths + b''.join(rows))


rla('rla_rgb.rla', 3)
rla('rla_grey.rpf', 1)
animator_files()
dr_halo()
pcx_files()
targa16()
sgi_files()
