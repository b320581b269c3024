#!/usr/bin/env python3
"""Draws the installer's media: the animation of its last page and its
welcome picture, in the look of the program's own bitmaps.

Standard library only; the build runs it (installer/CMakeLists.txt):

    python3 tools/make_anim_avi.py <anim.avi> <welcome.bmp>

anim.avi is a video-only AVI of 8-bit frames compressed with RLE8, every
frame a key frame: the one kind of clip that the Windows animation control
plays without a codec. The frames show the program's mark written as one
gesture, the pen tip leading, then the name fading in. welcome.bmp is an
8-bit bitmap of the welcome page.
"""
import math
import struct
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
from make_bitmaps import (INK, NIGHT_DEEP, NIGHT_TOP, SKY, TEAL, Image, bezier, clamp8, disc,  # noqa: E402
                          draw_word, mark_path, mix, smooth, stroke)

ANIM_W, ANIM_H = 400, 240
FRAMES = 40
FPS = 10
WELCOME_W, WELCOME_H = 450, 292


# --- palette -----------------------------------------------------------------
def palette_of(images, size=256):
    """A palette for the images by median cut over their colours."""
    counts = {}
    for image in images:
        for p in image.px:
            key = (clamp8(p[0]), clamp8(p[1]), clamp8(p[2]))
            counts[key] = counts.get(key, 0) + 1
    boxes = [list(counts.items())]
    while len(boxes) < size:
        splittable = [b for b in boxes if len(b) > 1]
        if not splittable:
            break
        box = max(splittable, key=lambda b: sum(n for _, n in b))
        spans = [max(c[i] for c, _ in box) - min(c[i] for c, _ in box) for i in range(3)]
        axis = spans.index(max(spans))
        box.sort(key=lambda item: item[0][axis])
        total = sum(n for _, n in box)
        running, cut = 0, 1
        for cut, (_, n) in enumerate(box, 1):
            running += n
            if running * 2 >= total:
                break
        cut = min(max(cut, 1), len(box) - 1)
        boxes.remove(box)
        boxes += [box[:cut], box[cut:]]
    palette = []
    for box in boxes:
        total = sum(n for _, n in box)
        palette.append(tuple(round(sum(c[i] * n for c, n in box) / total) for i in range(3)))
    return palette + [(0, 0, 0)] * (size - len(palette))


def indexed(image, palette):
    """The image's pixels as palette indices, rows top first."""
    cache = {}
    out = bytearray()
    for p in image.px:
        key = (clamp8(p[0]), clamp8(p[1]), clamp8(p[2]))
        index = cache.get(key)
        if index is None:
            index = min(range(len(palette)), key=lambda i: sum((palette[i][k] - key[k]) ** 2 for k in range(3)))
            cache[key] = index
        out.append(index)
    return out


def rgbquads(palette):
    return b"".join(bytes((b, g, r, 0)) for r, g, b in palette)


# --- RLE8 --------------------------------------------------------------------
def rle8_row(row):
    out = bytearray()
    i, n = 0, len(row)
    while i < n:
        run = 1
        while i + run < n and run < 255 and row[i + run] == row[i]:
            run += 1
        if run >= 2:
            out += bytes((run, row[i]))
            i += run
            continue
        # Literal bytes up to the next run of two, at most 255 of them.
        j = i
        while j < n and j - i < 255 and not (j + 1 < n and row[j + 1] == row[j]):
            j += 1
        literal = row[i:j] if j > i else row[i:i + 1]
        if len(literal) >= 3:
            out += bytes((0, len(literal))) + bytes(literal)
            if len(literal) % 2:
                out.append(0)
        else:
            for value in literal:
                out += bytes((1, value))
        i += len(literal)
    return out


def rle8(indices, width, height):
    """Bottom-up rows, each ended by an end-of-line code, then end of bitmap."""
    out = bytearray()
    for y in range(height - 1, -1, -1):
        out += rle8_row(indices[y * width:(y + 1) * width])
        out += b"\0\0"
    out[-2:] = b"\0\1"
    return bytes(out)


# --- pictures ----------------------------------------------------------------
def background(width, height):
    img = Image(width, height)
    # Vertical only, so that every row is one colour and packs into one run.
    img.fill(lambda x, y: mix(NIGHT_TOP, NIGHT_DEEP, y / height))
    return img


def partial(path, fraction):
    """The leading part of a polyline, by length."""
    lengths = [math.dist(a, b) for a, b in zip(path, path[1:])]
    goal = sum(lengths) * fraction
    out = [path[0]]
    for (a, b), length in zip(zip(path, path[1:]), lengths):
        if goal <= length:
            t = goal / length if length else 0
            out.append((a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t))
            return out
        goal -= length
        out.append(b)
    return out


def anim_frame(number):
    img = background(ANIM_W, ANIM_H)
    writing = FRAMES * 0.55
    fraction = smooth(min(1.0, number / writing))
    path = mark_path(16, 36, 140)
    drawn = partial(path, fraction)
    span = max(1.0, path[-1][0] - path[0][0])
    img.cover(stroke(drawn, 11.0), lambda x, y: mix(TEAL, SKY, (x - path[0][0]) / span))
    tip = drawn[-1]
    img.cover(disc(tip[0], tip[1], 11.0 * 1.3), (235, 255, 250), 0.35)
    img.cover(disc(tip[0], tip[1], 11.0 * 0.75), (235, 255, 250))
    name = max(0.0, (number - writing) / (FRAMES - 1 - writing))
    if name > 0:
        draw_word(img, 170, 128, 36, "zavotra", 5.0, mix(NIGHT_TOP, INK, smooth(name)))
    underline = bezier((170, 150), (240, 146), (310, 156), (372, 148), 30)
    if name > 0:
        img.cover(stroke(partial(underline, smooth(name)), 1.6), TEAL, 0.8)
    return img


def welcome():
    img = Image(WELCOME_W, WELCOME_H)

    def shade(x, y):
        colour = mix(NIGHT_TOP, NIGHT_DEEP, y / WELCOME_H)
        return mix(colour, (52, 70, 98), 0.45 * smooth(1 - math.hypot(x - 120, y - 70) / 320))

    img.fill(shade)
    path = mark_path(40, 50, 150)
    span = max(1.0, path[-1][0] - path[0][0])
    img.cover(stroke(path, 11.0), lambda x, y: mix(TEAL, SKY, (x - path[0][0]) / span))
    end = path[-1]
    img.cover(disc(end[0], end[1], 14.0), (235, 255, 250), 0.35)
    img.cover(disc(end[0], end[1], 8.0), (235, 255, 250))
    draw_word(img, 196, 146, 38, "zavotra", 5.2, INK)
    img.cover(stroke([(198, 170), (408, 170)], 1.4), lambda x, y: mix(TEAL, SKY, (x - 198) / 210), 0.8)
    trail = bezier((24, 262), (150, 236), (300, 280), (430, 248), 60)
    img.cover(stroke(trail, 2.2), TEAL, 0.3)
    return img


# --- files -------------------------------------------------------------------
def chunk(fourcc, data):
    pad = b"\0" if len(data) % 2 else b""
    return fourcc + struct.pack("<I", len(data)) + data + pad


def riff_list(kind, fourcc, data):
    return kind + struct.pack("<I", len(data) + 4) + fourcc + data


def avi(frames, palette):
    encoded = [rle8(indexed(frame, palette), ANIM_W, ANIM_H) for frame in frames]
    largest = max(len(data) for data in encoded)
    avih = struct.pack("<IIIIIIIIII4I", 1000000 // FPS, largest * FPS, 0, 0x10, len(frames), 0, 1, largest,
                       ANIM_W, ANIM_H, 0, 0, 0, 0)
    strh = struct.pack("<4s4sIHHIIIIIIIIhhhh", b"vids", b"RLE ", 0, 0, 0, 0, 1, FPS, 0, len(frames), largest,
                       0xFFFFFFFF, 0, 0, 0, ANIM_W, ANIM_H)
    bih = struct.pack("<IiiHHIIiiII", 40, ANIM_W, ANIM_H, 1, 8, 1, largest, 2835, 2835, 256, 256)
    strl = riff_list(b"LIST", b"strl", chunk(b"strh", strh) + chunk(b"strf", bih + rgbquads(palette)))
    hdrl = riff_list(b"LIST", b"hdrl", chunk(b"avih", avih) + strl)
    movi_data = b""
    index = b""
    for data in encoded:
        # Offsets in the index count from the "movi" identifier.
        index += struct.pack("<4sIII", b"00dc", 0x10, 4 + len(movi_data), len(data))
        movi_data += chunk(b"00dc", data)
    movi = riff_list(b"LIST", b"movi", movi_data)
    return riff_list(b"RIFF", b"AVI ", hdrl + movi + chunk(b"idx1", index))


def bmp8(image, palette):
    indices = indexed(image, palette)
    stride = (image.width + 3) & ~3
    rows = bytearray()
    for y in range(image.height - 1, -1, -1):
        rows += indices[y * image.width:(y + 1) * image.width] + b"\0" * (stride - image.width)
    info = struct.pack("<IiiHHIIiiII", 40, image.width, image.height, 1, 8, 0, len(rows), 2835, 2835, 256, 256)
    offset = 14 + 40 + 1024
    header = struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset)
    return header + info + rgbquads(palette) + bytes(rows)


def write_if_changed(path, data):
    path.parent.mkdir(parents=True, exist_ok=True)
    if not path.exists() or path.read_bytes() != data:
        path.write_bytes(data)


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: make_anim_avi.py <anim.avi> <welcome.bmp>")
    frames = [anim_frame(n) for n in range(FRAMES)]
    write_if_changed(Path(sys.argv[1]), avi(frames, palette_of([frames[FRAMES // 3], frames[-1]])))
    picture = welcome()
    write_if_changed(Path(sys.argv[2]), bmp8(picture, palette_of([picture])))


if __name__ == "__main__":
    main()
