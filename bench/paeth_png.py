#!/usr/bin/env python3
"""Writes raw 8-bit pixels read from standard input as a PNG whose every row is filtered with
Paeth, as many tools save pictures. ImageMagick 6 cannot be asked for that: its single-filter
settings write every row unfiltered.

Usage: convert in.png -depth 8 RGBA:- | paeth_png.py WIDTH HEIGHT 4 out.png   (3 for RGB)
"""
import struct
import sys
import zlib


def paeth_filtered(row, prev, bpp):
    """One row filtered with Paeth; prev is the raw row above (zeros for the first row)."""
    left = bytes(bpp) + row[:-bpp]
    upper_left = bytes(bpp) + prev[:-bpp]
    out = bytearray(len(row))
    for i, (x, a, b, c) in enumerate(zip(row, left, prev, upper_left)):
        p = a + b - c
        pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
        predicted = a if pa <= pb and pa <= pc else b if pb <= pc else c
        out[i] = (x - predicted) & 255
    return out


def chunk(kind, body):
    crc = zlib.crc32(kind + body)
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", crc)


def main():
    if len(sys.argv) != 5 or sys.argv[3] not in ("3", "4"):
        sys.exit(__doc__)
    width, height, channels = (int(v) for v in sys.argv[1:4])
    stride = width * channels
    pixels = sys.stdin.buffer.read()
    if len(pixels) != stride * height:
        sys.exit(f"expected {stride * height} bytes of pixels, read {len(pixels)}")
    data = bytearray()
    prev = bytes(stride)
    for y in range(height):
        row = pixels[y * stride : (y + 1) * stride]
        data += b"\x04" + paeth_filtered(row, prev, channels)
        prev = row
    colour_type = {3: 2, 4: 6}[channels]
    header = struct.pack(">IIBBBBB", width, height, 8, colour_type, 0, 0, 0)
    with open(sys.argv[4], "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(chunk(b"IHDR", header))
        out.write(chunk(b"IDAT", zlib.compress(bytes(data), 6)))
        out.write(chunk(b"IEND", b""))


if __name__ == "__main__":
    main()
