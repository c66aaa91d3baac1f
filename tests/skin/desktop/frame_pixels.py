#!/usr/bin/env python3
"""Compares the frame of a window on a screen grab with the same frame in a
reference picture of the window alone (both 8-bit RGB or RGBA PNG files).

  frame_pixels.py GRAB X,Y REFERENCE BLOCKS...

Each block is L,T,W,H in window coordinates; a negative L or T counts from
the window's right or bottom edge (the reference's for the reference, the
grab's window size given as WxH in the first block "size=WxH").
"""
import struct
import sys
import zlib


def read_png(path):
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        sys.exit(f"{path}: not a PNG file")
    pos, idat, header = 8, b"", None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    width, height, depth, colour, _, _, interlace = header
    channels = {2: 3, 6: 4}.get(colour)
    if depth != 8 or channels is None or interlace:
        sys.exit(f"{path}: only 8-bit RGB or RGBA without interlacing")
    raw, stride = zlib.decompress(idat), width * channels
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        row = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            left = row[i - channels] if i >= channels else 0
            up = previous[i]
            corner = previous[i - channels] if i >= channels else 0
            if kind == 1:
                row[i] = (row[i] + left) & 255
            elif kind == 2:
                row[i] = (row[i] + up) & 255
            elif kind == 3:
                row[i] = (row[i] + (left + up) // 2) & 255
            elif kind == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                row[i] = (row[i] + (left if pa <= pb and pa <= pc else up if pb <= pc else corner)) & 255
        rows.append(row)
        previous = row
    return width, height, channels, rows


def pixel(image, x, y):
    _, _, channels, rows = image
    return tuple(rows[y][x * channels:x * channels + 3])


def main():
    grab, at, reference = read_png(sys.argv[1]), sys.argv[2], read_png(sys.argv[3])
    wx, wy = (int(v) for v in at.split(","))
    size = sys.argv[4].removeprefix("size=")
    ww, wh = (int(v) for v in size.split("x"))
    rw, rh = reference[0], reference[1]
    mismatches = 0
    for block in sys.argv[5:]:
        left, top, width, height = (int(v) for v in block.split(","))
        for y in range(height):
            for x in range(width):
                gx = left + x if left >= 0 else ww + left + x
                gy = top + y if top >= 0 else wh + top + y
                rx = left + x if left >= 0 else rw + left + x
                ry = top + y if top >= 0 else rh + top + y
                want, got = pixel(reference, rx, ry), pixel(grab, wx + gx, wy + gy)
                if want != got:
                    if mismatches < 5:
                        print(f"({gx},{gy}) of the window: {got} on the screen, {want} expected", file=sys.stderr)
                    mismatches += 1
    if mismatches:
        sys.exit(f"{mismatches} frame pixels differ from the reference")


main()
