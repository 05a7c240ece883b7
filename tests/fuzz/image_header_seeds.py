#!/usr/bin/env python3
"""Writes the seed corpus of the image header fuzz target: small, complete images of every
format and kind the probe tells apart (GIF, BMP, PNG of each colour type, JPEG of each frame
kind). The native tests hold what each seed measures. Run from anywhere; rewrites the seeds."""
import os
import struct
import zlib

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus", "image_header")


def gif(version, width, height, bits):
    colours = 1 << bits
    table = bytes(range(colours * 3)) if colours * 3 <= 256 else bytes(i % 256 for i in range(colours * 3))
    screen = struct.pack("<HHBBB", width, height, 0x80 | 0x70 | (bits - 1), 0, 0)
    image = struct.pack("<BHHHHB", 0x2C, 0, 0, width, height, 0)
    # LZW data of a tiny image: clear code, one index, end code (min code size 2).
    data = bytes([2, 2, 0x44, 0x01, 0])
    return b"GIF8" + version + screen + table + image + data + b";"


def bmp(width, height, bits):
    row = ((width * bits + 31) // 32) * 4
    palette = b"\x00\x00\x00\x00\xff\xff\xff\x00" if bits <= 8 else b""
    pixels = bytes(row * abs(height))
    offset = 14 + 40 + len(palette)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(pixels), 2835, 2835,
                       2 if palette else 0, 0)
    return b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset) + info + palette + pixels


def png(width, height, depth, colour_type):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
    samples = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}[colour_type]
    row = 1 + (width * samples * depth + 7) // 8
    ihdr = struct.pack(">IIBBBBB", width, height, depth, colour_type, 0, 0, 0)
    extra = chunk(b"PLTE", b"\x00\x00\x00\xff\xff\xff") if colour_type == 3 else b""
    idat = zlib.compress(bytes(row * height))
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + extra + chunk(b"IDAT", idat) + chunk(b"IEND", b"")


def segment(marker, body):
    return bytes([0xFF, marker]) + struct.pack(">H", len(body) + 2) + body


def jpeg(frame_marker, width, height, components, lead=b""):
    app0 = segment(0xE0, b"JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00")
    dqt = segment(0xDB, b"\x00" + bytes([16] * 64))
    comps = b"".join(bytes([i + 1, 0x11, 0]) for i in range(components))
    frame = segment(frame_marker, struct.pack(">BHHB", 8, height, width, components) + comps)
    if frame_marker == 0xC9:  # arithmetic coding: conditioning table instead of Huffman tables
        tables = segment(0xCC, b"\x00\x10")
    else:
        tables = segment(0xC4, b"\x00" + bytes([0, 1] + [0] * 14) + b"\x00")
    scan = segment(0xDA, bytes([components]) + b"".join(bytes([i + 1, 0]) for i in range(components))
                   + (b"\x00\x3f\x00" if frame_marker != 0xC2 else b"\x00\x00\x00"))
    return lead + b"\xff\xd8" + app0 + dqt + frame + tables + scan + b"\x12\x34\x56" + b"\xff\xd9"


SEEDS = {
    "gif87a_3x2_2.gif": gif(b"7a", 3, 2, 1),
    "gif89a_5x4_8.gif": gif(b"9a", 5, 4, 3),
    "bmp8_2x2.bmp": bmp(2, 2, 8),
    "bmp24_3x2.bmp": bmp(3, 2, 24),
    "bmp32_2x3_topdown.bmp": bmp(2, -3, 32),
    "png_grey8_3x2.png": png(3, 2, 8, 0),
    "png_rgb8_3x2.png": png(3, 2, 8, 2),
    "png_indexed1_3x2.png": png(3, 2, 1, 3),
    "png_greyalpha8_3x2.png": png(3, 2, 8, 4),
    "png_rgba8_3x2.png": png(3, 2, 8, 6),
    "png_grey16_3x2.png": png(3, 2, 16, 0),
    "jpeg_baseline_rgb_16x8.jpg": jpeg(0xC0, 16, 8, 3),
    "jpeg_baseline_grey_8x8.jpg": jpeg(0xC0, 8, 8, 1),
    "jpeg_progressive_rgb_24x16.jpg": jpeg(0xC2, 24, 16, 3),
    "jpeg_arithmetic_rgb_8x8.jpg": jpeg(0xC9, 8, 8, 3),
    "jpeg_after_text_16x8.jpg": jpeg(0xC0, 16, 8, 3, lead=b"leading data "),
    "text.txt": b"Nothing but text here, without any image marker.\r\n",
}

if __name__ == "__main__":
    os.makedirs(OUT, exist_ok=True)
    for name, data in SEEDS.items():
        with open(os.path.join(OUT, name), "wb") as f:
            f.write(data)
