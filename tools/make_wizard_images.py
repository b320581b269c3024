#!/usr/bin/env python3
"""Draws the small pictures of the action wizard: one 16x16 icon per command
kind and one for the tree's roots, and the Up and Down arrows (enabled and
greyed). Run once; the results are kept in resources/icons and
resources/bitmaps.

    make_wizard_images.py ROOT
"""
import struct
import sys
from pathlib import Path

SIDE = 16


def ico(pixels):
    """A 32-bit icon from 16 rows of 16 (r, g, b) or None (transparent)."""
    xor = bytearray()
    mask_rows = []
    for row in reversed(pixels):
        bits = 0
        for x, p in enumerate(row):
            if p is None:
                xor += bytes((0, 0, 0, 0))
                bits |= 1 << (31 - x)
            else:
                r, g, b = p
                xor += bytes((b, g, r, 255))
        mask_rows.append(struct.pack(">I", bits))
    mask = b"".join(mask_rows)
    header = struct.pack("<IiiHHIIiiII", 40, SIDE, SIDE * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    image = header + bytes(xor) + mask
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", SIDE, SIDE, 0, 0, 1, 32, len(image), 22)
    return directory + image


def bmp(pixels):
    rows = b""
    for row in reversed(pixels):
        line = b"".join(bytes((b, g, r)) for (r, g, b) in row)
        line += b"\0" * ((4 - len(line) % 4) % 4)
        rows += line
    info = struct.pack("<IiiHHIIiiII", 40, SIDE, SIDE, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    return b"BM" + struct.pack("<IHHI", 14 + len(info) + len(rows), 0, 0, 14 + len(info)) + info + rows


def canvas(fill=None):
    return [[fill] * SIDE for _ in range(SIDE)]


def rect(p, x0, y0, x1, y1, c):
    for y in range(y0, y1):
        for x in range(x0, x1):
            p[y][x] = c


def badge(colour, glyph):
    """A rounded square of the kind's colour with a white glyph drawn from
    strings of '#'."""
    p = canvas()
    rect(p, 1, 1, 15, 15, colour)
    for corner in ((1, 1), (14, 1), (1, 14), (14, 14)):
        p[corner[1]][corner[0]] = None
    for y, line in enumerate(glyph):
        for x, ch in enumerate(line):
            if ch == "#":
                p[y + 3][x + 3] = (255, 255, 255)
    return p


GLYPHS = {
    "hotkey": ["##########", "#........#", "#.#.#.#..#", "#........#", "#.######.#", "##########"],
    "menu": ["##########", "..........", "#####.....", "..........", "#######...", "..........", "#####....."],
    "launch": ["....##....", "...####...", "..######..", "....##....", "....##....", "....##....", "....##...."],
    "sound": ["....#.....", "...##..#..", "####...#.#", "####.#.#.#", "####...#.#", "...##..#..", "....#....."],
    "text": ["##########", "....##....", "....##....", "....##....", "....##....", "....##....", "....##...."],
    "system": ["...####...", "..#....#..", ".#..##..#.", ".#.#..#.#.", ".#..##..#.", "..#....#..", "...####..."],
    "internet": ["...####...", "..#.##.#..", ".#..##..#.", ".########.", ".#..##..#.", "..#.##.#..", "...####..."],
    "root": ["##########", "#........#", "#.######.#", "#........#", "#.####...#", "#........#", "##########"],
}
COLOURS = {
    "hotkey": (200, 120, 30), "menu": (60, 130, 60), "launch": (40, 90, 180), "sound": (150, 60, 160),
    "text": (30, 140, 150), "system": (90, 90, 90), "internet": (20, 110, 200), "root": (60, 80, 120),
}


def arrow(up, colour):
    p = canvas((212, 208, 200))
    for i in range(6):
        y = (5 + i) if up else (10 - i)
        rect(p, 7 - i, y, 9 + i, y + 1, colour)
    return p


def main(root):
    root = Path(root)
    (root / "resources/icons").mkdir(parents=True, exist_ok=True)
    (root / "resources/bitmaps").mkdir(parents=True, exist_ok=True)
    for name, glyph in GLYPHS.items():
        (root / f"resources/icons/command_{name}.ico").write_bytes(ico(badge(COLOURS[name], glyph)))
    for up in (True, False):
        word = "up" if up else "down"
        (root / f"resources/bitmaps/wizard_{word}.bmp").write_bytes(bmp(arrow(up, (0, 0, 0))))
        (root / f"resources/bitmaps/wizard_{word}_greyed.bmp").write_bytes(bmp(arrow(up, (150, 150, 150))))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else ".")
