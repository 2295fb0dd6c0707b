#!/usr/bin/env python3
"""Writes the small seed inputs of the bmp-stretch, display and instruments fuzz targets.

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


def instrument_seeds():
    """Inputs in the order CheckInstruments reads them (fuzz/InstrumentCheck.cpp)."""
    def word(v):
        return struct.pack("<I", v & 0xFFFFFFFF)

    def text(s):
        return bytes((len(s),)) + s

    # PickColour / PickStyle: a byte below 0xc0 picks an entry of their lists.
    colours = {"": 0, "rosso": 2, "verde": 3, "grigio": 4, "oro": 5, "pulsanteblu": 10, "#f06040": 12}
    styles = {"": 0, "unito": 1, "vuoto": 2, "cerchio": 3, "ombra": 4, "unito vuoto cerchio": 6}

    def face(width, height, frame, frame_colour, style, back_colour, back_style, picture=False, large=False):
        return (bytes((3 if large else 5,)) + word(width) + word(height) + bytes((frame + 40,)) +
                bytes((colours[frame_colour], styles[style], colours[back_colour], back_style + 8)) +
                word(0x0000FF) + bytes((0 if picture else 1,)) +
                (word(0x406080) + word(0xFFFFFF) if picture else b""))

    def surfaces(on_style, labels, wider=False):
        return (bytes((on_style + 8,)) + text(labels) + bytes((0 if wider else 1,)) +
                (word(2) + word(1) if wider else b"") + word(0x123456))

    def steps(*ops):
        return word(len(ops) - 1) + b"".join(ops)

    def shown(s):
        return b"\0" + text(s)

    def clock(h, m, s):
        return b"\2\0" + word(h) + word(m) + word(s) + word(500) + bytes((48,))

    def meter(pick):
        return b"\3" + bytes((pick,))

    def pixel(x, y):
        return b"\4" + word(x) + word(y) + word(0xABCDEF)

    def pen(width):
        return b"\5\0" + bytes((width + 12,))

    replaced = b"\6"
    toggle = b"\7\0"
    every = [shown(b"12:34"), shown(b"12:34"), shown(b"12:35"), pixel(100, 30), shown(b"12:35"), clock(23, 59, 59),
             clock(23, 59, 59), meter(2), meter(8), meter(8), pen(3), shown(b"12:34"), replaced,
             shown(b"12:34"), toggle, toggle]
    return {
        "demo-207.bin": face(210, 55, 6, "oro", "unito", "#f06040", 1) + surfaces(0, b"SU/GIU") + steps(*every),
        "box-stack.bin": face(80, 80, 0, "grigio", "ombra", "grigio", 3) + surfaces(3, b"OFF/ON") + steps(*every),
        "mirrored-rows-21.bin": face(60, 21, 0, "verde", "cerchio", "rosso", 0) + surfaces(0, b"") +
        steps(shown(b"8"), shown(b"8"), toggle),
        "large-box-stack.bin": face(1024, 256, -30, "", "", "", 3, large=True) + surfaces(5, b"A/B") +
        steps(shown(b"88:88"), pen(12), shown(b"88:88"), clock(3, 15, 0), meter(4), toggle),
        "picture.bin": face(120, 40, 3, "oro", "vuoto", "pulsanteblu", 6, picture=True) + surfaces(6, b"X") +
        steps(shown(b"-1.5"), replaced, shown(b"-1.5"), toggle),
        "wider-surface.bin": face(100, 40, 2, "rosso", "unito vuoto cerchio", "", 2) + surfaces(4, b"", wider=True) +
        steps(meter(2), meter(2), shown(b"A"), shown(b"A")),
        # A negative height: every instrument has an empty face.
        "refused-size.bin": b"\0" + word(10) + word(3),
    }


def painter_seeds():
    """Inputs of the painter check: a size byte and two size words, then operations."""
    def word(v):
        return struct.pack("<I", v & 0xFFFFFFFF)

    def surface(width, height, large=False):
        return bytes((0x80 if large else 0x02,)) + word(width - 1) + word(height - 1)

    class Ops:
        def __init__(self, width, height):
            self.side = max(width, height)
            self.data = b""

        def near(self, v):
            # Kind 0: an integer in -side .. 2 * side.
            return b"\x00" + word(v + self.side)

        def far(self, v):
            # Kind 4: any int / 2.
            return b"\x04" + word(2 * v)

        def odd(self, index):
            # Kind 7: NaN, +inf, -inf, 1e308.
            return b"\x07" + bytes((index,))

        def colour(self, value):
            return b"\x02" + word(value)

        def add(self, op, *parts):
            self.data += bytes((op,)) + b"".join(parts)
            return self

        def pos(self, x, y):
            return self.add(0, x, y)

        def width(self, w):
            # Kind 5: -100 .. 6000.
            return self.add(1, b"\x05" + word(w + 100))

        def box(self, x1, y1, x2, y2, corner, line, fill, style=0):
            return self.add(6, x1, y1, x2, y2, corner, line, fill, bytes((style,)))

        def line(self, x, y, colour, relative=False):
            return self.add(5, x, y, colour, bytes((1 if relative else 0,)))

        def font(self, face, size, style):
            return self.add(4, bytes((face, size, style + 16)))

        def text(self, t):
            return self.add(8, bytes((len(t),)) + t)

        def end(self):
            return self.data + b"\xff"

    ellipse = b"\x00"  # corner kind 0: the inscribed ellipse
    corner40 = b"\x03" + word(40)  # kind 3: 0 .. 100
    seeds = {}
    o = Ops(400, 400)
    o.width(4096).box(o.far(-100000), o.near(100), o.far(100000), o.far(200100), ellipse,
                      o.colour(0xFF0000), o.colour(0x00FF00))
    seeds["wide-ellipse.bin"] = surface(400, 400, True) + o.end()
    o = Ops(40, 30)
    o.width(3).box(o.far(-200000), o.far(-200000), o.near(20), o.near(15), corner40, o.colour(0xFF), o.colour(0xFF00))
    o.box(o.far(-200000), o.far(-200000), o.near(-30), o.near(-20), corner40, o.colour(0xFF), o.colour(0xFF00))
    seeds["huge-round-box.bin"] = surface(40, 30) + o.end()
    o = Ops(48, 40)
    # Small Fonts at 1, 2 and 3 points, MS Sans Serif 8 points bold italic underlined.
    o.pos(o.near(-2), o.near(3)).font(1, 0, 0).text(b"Hg 12:34").font(1, 2, 0).text(b"Wq")
    o.add(9).font(1, 3, 8).text(b"\xc5y\xe7").font(0, 8, 7).pos(o.near(30), o.near(30)).text(b"Mj_|")
    seeds["small-fonts.bin"] = surface(48, 40) + o.end()
    o = Ops(32, 32)
    o.width(7).line(o.near(-5), o.near(40), o.colour(0x123456)).line(o.odd(0), o.odd(1), o.colour(0))
    o.line(o.far(-(1 << 29)), o.far(1 << 29), b"\x00", relative=True).width(1)
    o.box(o.near(3), o.near(3), o.near(20), o.near(25), b"\x01" + word(5 + 30), b"\x00", b"\x02" + word(0xABCDEF), 5)
    seeds["lines-and-hatch.bin"] = surface(32, 32) + o.end()
    o = Ops(24, 20)
    # Copy with SourceInvert from a 30 x 9 pattern; a same-size stretch; a block one byte short.
    o.add(10, b"\x03", word(30), word(9), word(7))
    o.add(11, b"\x00", word(10), word(10), word(3), o.near(1), o.near(1), o.near(8), o.near(6),
          o.near(4), o.near(5), o.near(11), o.near(10), b"\x10")
    o.add(12, bytes((4 << 3,)), word(6), word(5)).add(12, b"\x00", word(6), word(5)).add(13)
    seeds["copy-stretch-bits.bin"] = surface(24, 20) + o.end()
    return seeds


def main():
    for name, data in bmp_seeds().items():
        (HERE / "corpus" / "bmp-stretch" / name).write_bytes(data)
    for name, data in display_seeds().items():
        (HERE / "corpus" / "display" / name).write_bytes(data)
    seeds = painter_seeds()
    # Inputs that once failed: over the time limit, and glyphs painted outside their cell.
    for name, kept in (("wide-ellipse.bin", "wide-ellipse-pen-4096.bin"), ("small-fonts.bin", "glyphs-outside-cell.bin")):
        (HERE / "regressions" / "painter" / kept).write_bytes(seeds.pop(name))
    for name, data in seeds.items():
        (HERE / "corpus" / "painter" / name).write_bytes(data)
    for name, data in instrument_seeds().items():
        (HERE / "corpus" / "instruments" / name).write_bytes(data)


if __name__ == "__main__":
    main()
