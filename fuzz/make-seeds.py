#!/usr/bin/env python3
"""Writes the small seed inputs of the bmp-stretch and display fuzz targets.

The draw-script seeds are plain scripts kept as they are. Run from fuzz/:
    ./make-seeds.py
"""
import struct
from pathlib import Path

HERE = Path(__file__).resolve().parent


def bmp(width, height, bits, rows, palette=b"", compression=0, info=40, masks=b"", top_down=False):
    """A BMP file; rows are the stored row bytes, already padded."""
    pixels = b"".join(rows)
    if info == 12:
        header = struct.pack("<IHHHH", 12, width, height, 1, bits)
    else:
        header = struct.pack("<IiiHHIIiiII", info, width, -height if top_down else height, 1, bits,
                             compression, len(pixels), 2835, 2835, len(palette) // 4, 0)
        header += masks  # bit fields follow the 40-byte header
    offset = 14 + len(header) + len(palette)
    return b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset) + header + palette + pixels


def pad(row):
    return row + b"\0" * (-len(row) % 4)


def bmp_seeds():
    grey = b"".join(bytes((v, v, v, 0)) for v in (0, 85, 170, 255))
    return {
        # One white pixel, 24 bits.
        "rgb24-1x1.bmp": bmp(1, 1, 24, [pad(b"\xff\xff\xff")]),
        # 3 x 2 with a four-entry palette, 8 bits per index.
        "pal8-3x2.bmp": bmp(3, 2, 8, [pad(b"\0\1\2"), pad(b"\3\2\1")], grey),
        # The same stored top-down.
        "pal8-topdown.bmp": bmp(3, 2, 8, [pad(b"\0\1\2"), pad(b"\3\2\1")], grey, top_down=True),
        # 4 x 2 run-length coded: runs, an absolute run, end of line, end of picture.
        "rle8-4x2.bmp": bmp(4, 2, 8, [b"\x04\x01\x00\x00", b"\x00\x04\x02\x03\x00\x01\x00\x00", b"\x00\x01"],
                            grey, compression=1),
        # 1 bit per pixel with the old 12-byte header and a 3-byte palette.
        "core-pal1-9x2.bmp": bmp(9, 2, 1, [pad(b"\xaa\x80"), pad(b"\x55\x00")], b"\0\0\0\xff\xff\xff", info=12),
        # 16 bits with 5-6-5 bit fields.
        "bitfields565-2x2.bmp": bmp(2, 2, 16, [pad(b"\x00\xf8\xe0\x07"), pad(b"\x1f\x00\xff\xff")],
                                    compression=3, masks=struct.pack("<III", 0xF800, 0x07E0, 0x001F)),
        # 32 bits, 2 x 2.
        "rgb32-2x2.bmp": bmp(2, 2, 32, [b"\x10\x20\x30\x00\x40\x50\x60\x00", b"\x70\x80\x90\x00\xa0\xb0\xc0\x00"]),
    }


def display_seeds():
    def text(s):
        return bytes((len(s),)) + s

    def word(v):
        return struct.pack("<I", v & 0xFFFFFFFF)

    def settings(pick, width, height, frame, ink, back_style, frame_colour, style, back_colour, hours, shown):
        # Byte values below 0xe0 are small numbers: value = byte % (2 * limit + 1) - limit.
        return (bytes((pick,)) + word(10 + 50) + word(10 + 50) + word(width) + word(height) +
                bytes((frame + 40, 100)) + word(ink) + bytes((back_style + 8,)) +
                text(frame_colour) + text(style) + text(back_colour) + word(0x42480000) +
                bytes((hours + 48,)) + word(10) + word(20) + word(30) + shown)

    return {
        "demo-207.bin": settings(0, 210, 55, 6, 0x0000FF, 1, b"oro", b"unito", b"#f06040", 0, b"12:34"),
        "box-stack.bin": settings(0, 80, 80, 0, 0x00FF00, 3, b"grigio", b"ombra tondo", b"grigio", 2, b"-8.5"),
        "switch.bin": settings(8, 120, 40, 3, 0xFFFFFF, 0, b"verde", b"", b"", -1, b"ON"),
        # Ids just inside and just outside the record table (pick 3 and 4).
        "last-id.bin": settings(3, 1, 1, 200, 0, 0, b"", b"", b" ", 0, b"8"),
        "no-id.bin": settings(4, 0, 0, 200, 0, 0, b"", b"", b" ", 0, b""),
    }


def main():
    for name, data in bmp_seeds().items():
        (HERE / "corpus" / "bmp-stretch" / name).write_bytes(data)
    for name, data in display_seeds().items():
        (HERE / "corpus" / "display" / name).write_bytes(data)


if __name__ == "__main__":
    main()
