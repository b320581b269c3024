#!/usr/bin/env python3
"""Draws the shell's bitmaps (splash screen 271) as 8-bit palette BMP files.

Standard library only. The output is committed under resources/bitmaps/ so
that the resource compiler needs no generator at build time; run this again
after changing the drawing:  python3 tools/make_bitmaps.py resources/bitmaps
"""
import math
import struct
import sys
from pathlib import Path

# 5x7 capitals, enough for the words drawn here.
FONT = {
    "Z": ["11111", "00001", "00010", "00100", "01000", "10000", "11111"],
    "A": ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    "V": ["10001", "10001", "10001", "10001", "10001", "01010", "00100"],
    "O": ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
    "T": ["11111", "00100", "00100", "00100", "00100", "00100", "00100"],
    "R": ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    "G": ["01110", "10001", "10000", "10111", "10001", "10001", "01111"],
    "E": ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    "S": ["01111", "10000", "10000", "01110", "00001", "00001", "11110"],
    "U": ["10001", "10001", "10001", "10001", "10001", "10001", "01110"],
    " ": ["00000"] * 7,
}


class Canvas:
    def __init__(self, width, height):
        self.width, self.height = width, height
        self.pixels = bytearray(width * height)
        # Palette: 0..127 background gradient, 128 white, 129 ink, 130 frame, 131 shadow.
        self.palette = []
        for i in range(128):
            t = i / 127
            self.palette.append((int(20 + 30 * t), int(40 + 70 * t), int(90 + 120 * t)))
        self.palette += [(255, 255, 255), (255, 200, 40), (230, 230, 240), (10, 20, 45)]
        self.palette += [(0, 0, 0)] * (256 - len(self.palette))

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y * self.width + x] = colour

    def disc(self, cx, cy, radius, colour):
        r = int(math.ceil(radius))
        for y in range(-r, r + 1):
            for x in range(-r, r + 1):
                if x * x + y * y <= radius * radius:
                    self.put(int(cx) + x, int(cy) + y, colour)

    def text(self, left, top, scale, words, colour):
        x = left
        for ch in words:
            for row, bits in enumerate(FONT[ch]):
                for col, bit in enumerate(bits):
                    if bit == "1":
                        for dy in range(scale):
                            for dx in range(scale):
                                self.put(x + col * scale + dx, top + row * scale + dy, colour)
            x += 6 * scale

    def bmp(self):
        stride = (self.width + 3) & ~3
        rows = b""
        for y in range(self.height - 1, -1, -1):
            row = bytes(self.pixels[y * self.width:(y + 1) * self.width])
            rows += row + b"\0" * (stride - self.width)
        palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in self.palette)
        info = struct.pack("<IiiHHIIiiII", 40, self.width, self.height, 1, 8, 0, len(rows), 2835, 2835, 256, 0)
        offset = 14 + len(info) + len(palette)
        header = struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset)
        return header + info + palette + rows


def splash():
    c = Canvas(360, 200)
    for y in range(c.height):
        for x in range(c.width):
            c.put(x, y, min(127, (x + 2 * y) * 127 // (c.width + 2 * c.height)))
    for x in range(c.width):
        c.put(x, 0, 130); c.put(x, c.height - 1, 130)
    for y in range(c.height):
        c.put(0, y, 130); c.put(c.width - 1, y, 130)
    # A drawn gesture: a loop trail with a dot at its end.
    for i in range(400):
        t = i / 399
        x = 40 + 280 * t
        y = 150 - 30 * math.sin(t * 2 * math.pi * 1.5) * (1 - 0.4 * t)
        c.disc(x, y, 2.5, 129)
    c.disc(320, 150 - 30 * math.sin(3 * math.pi) * 0.6, 6, 129)
    c.text(52, 38, 7, "ZAVOTRA", 131)
    c.text(48, 34, 7, "ZAVOTRA", 128)
    c.text(95, 100, 3, "GESTURES", 130)
    return c


def main():
    out = Path(sys.argv[1] if len(sys.argv) > 1 else "resources/bitmaps")
    out.mkdir(parents=True, exist_ok=True)
    (out / "splash.bmp").write_bytes(splash().bmp())


if __name__ == "__main__":
    main()
