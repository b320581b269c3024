#!/usr/bin/env python3
"""Draws every bitmap and icon of Zavotra.exe in one style.

Standard library only; the build runs it (resources/CMakeLists.txt) and the
resource compiler reads its output:

    python3 tools/make_bitmaps.py <output folder>

The look: a night-blue header and footer around light page bands and dark
panes, one teal accent, and the program's mark, a "Z" drawn as one stroke of
ink with a bright pen tip. Edges are anti-aliased by coverage (distance to
the shape), never against the pure red that marks the outside of the skin.
"""
import math
import struct
import sys
from pathlib import Path

# --- palette -----------------------------------------------------------------
NIGHT_TOP = (33, 44, 63)
NIGHT = (22, 30, 44)
NIGHT_DEEP = (14, 20, 30)
EDGE = (6, 9, 14)
RIM = (54, 68, 90)
BAND_LEFT = (233, 237, 242)
BAND_RIGHT = (214, 221, 230)
# The panes sit between the white item texts and the dark blue symbol icons
# (colour 4 of the icon palette): a middle tone that keeps both readable.
PANE_CENTRE = (104, 134, 166)
PANE_EDGE = (76, 102, 132)
TEAL = (45, 212, 191)
SKY = (96, 165, 250)
INK = (236, 241, 246)
MUTED = (150, 163, 181)
BUTTON = (38, 50, 71)
BUTTON_HOVER = (49, 64, 90)
BUTTON_DOWN = (24, 33, 48)
BUTTON_RING = (62, 78, 104)
WARN = (248, 113, 113)
GREEN = (52, 211, 153)
AMBER = (251, 191, 36)
OUTSIDE = (255, 0, 0)  # the skin's outside, cut away by the window region

SKIN_W, SKIN_H = 573, 511
HEADER_H = 81
CONTAINER = (1, 81, 571, 473)  # left, top, right, bottom
BUTTONS = {  # name: (left, top, width, height)
    "menu": (427, 35, 40, 40),
    "sound": (472, 35, 45, 40),
    "hide": (522, 35, 40, 40),
}


def mix(a, b, t):
    t = 0.0 if t < 0 else 1.0 if t > 1 else t
    return (a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t, a[2] + (b[2] - a[2]) * t)


def smooth(t):
    t = 0.0 if t < 0 else 1.0 if t > 1 else t
    return t * t * (3 - 2 * t)


# --- raster ------------------------------------------------------------------
class Image:
    def __init__(self, width, height, colour=(0, 0, 0)):
        self.width, self.height = width, height
        self.px = [list(colour) for _ in range(width * height)]

    def fill(self, shade):
        """shade(x, y) -> colour, for every pixel."""
        for y in range(self.height):
            row = y * self.width
            for x in range(self.width):
                self.px[row + x] = list(shade(x, y))

    def blend(self, x, y, colour, alpha):
        if alpha <= 0 or not (0 <= x < self.width and 0 <= y < self.height):
            return
        p = self.px[y * self.width + x]
        a = 1.0 if alpha > 1 else alpha
        p[0] += (colour[0] - p[0]) * a
        p[1] += (colour[1] - p[1]) * a
        p[2] += (colour[2] - p[2]) * a

    def get(self, x, y):
        return tuple(self.px[y * self.width + x])

    def crop(self, left, top, width, height):
        out = Image(width, height)
        for y in range(height):
            for x in range(width):
                out.px[y * width + x] = list(self.px[(top + y) * self.width + left + x])
        return out

    def cover(self, coverage, colour, alpha=1.0):
        """Composites a coverage map {(x, y): 0..1} in one colour."""
        for (x, y), c in coverage.items():
            self.blend(x, y, colour(x, y) if callable(colour) else colour, c * alpha)

    def bmp(self):
        stride = (self.width * 3 + 3) & ~3
        rows = bytearray()
        for y in range(self.height - 1, -1, -1):
            for x in range(self.width):
                r, g, b = self.px[y * self.width + x]
                rows += bytes((clamp8(b), clamp8(g), clamp8(r)))
            rows += b"\0" * (stride - self.width * 3)
        info = struct.pack("<IiiHHIIiiII", 40, self.width, self.height, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
        header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(rows), 0, 0, 14 + 40)
        return header + info + bytes(rows)


def clamp8(v):
    v = int(round(v))
    return 0 if v < 0 else 255 if v > 255 else v


def add_coverage(coverage, x, y, c):
    if c > 0.0:
        key = (x, y)
        if c > coverage.get(key, 0.0):
            coverage[key] = c if c < 1 else 1.0


def segment_coverage(coverage, a, b, width):
    """Anti-aliased capsule from a to b: coverage by distance to the segment."""
    half = width / 2
    x0 = int(math.floor(min(a[0], b[0]) - half - 1))
    x1 = int(math.ceil(max(a[0], b[0]) + half + 1))
    y0 = int(math.floor(min(a[1], b[1]) - half - 1))
    y1 = int(math.ceil(max(a[1], b[1]) + half + 1))
    dx, dy = b[0] - a[0], b[1] - a[1]
    length2 = dx * dx + dy * dy or 1e-9
    for y in range(y0, y1 + 1):
        py = y + 0.5
        for x in range(x0, x1 + 1):
            px = x + 0.5
            t = ((px - a[0]) * dx + (py - a[1]) * dy) / length2
            t = 0.0 if t < 0 else 1.0 if t > 1 else t
            ex, ey = a[0] + dx * t - px, a[1] + dy * t - py
            add_coverage(coverage, x, y, half + 0.5 - math.sqrt(ex * ex + ey * ey))


def stroke(points, width):
    """Coverage of a polyline drawn with a round pen; joints never double up."""
    coverage = {}
    if len(points) == 1:
        points = points * 2
    for a, b in zip(points, points[1:]):
        segment_coverage(coverage, a, b, width)
    return coverage


def disc(cx, cy, radius):
    coverage = {}
    for y in range(int(cy - radius - 2), int(cy + radius + 2)):
        for x in range(int(cx - radius - 2), int(cx + radius + 2)):
            d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
            add_coverage(coverage, x, y, radius + 0.5 - d)
    return coverage


def ring(cx, cy, radius, width):
    coverage = {}
    for y in range(int(cy - radius - width - 2), int(cy + radius + width + 2)):
        for x in range(int(cx - radius - width - 2), int(cx + radius + width + 2)):
            d = abs(math.hypot(x + 0.5 - cx, y + 0.5 - cy) - radius)
            add_coverage(coverage, x, y, width / 2 + 0.5 - d)
    return coverage


def polygon(points):
    """Filled polygon, anti-aliased by 4x4 supersampling."""
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    coverage = {}
    for y in range(int(min(ys)) - 1, int(max(ys)) + 2):
        for x in range(int(min(xs)) - 1, int(max(xs)) + 2):
            hits = 0
            for sy in range(4):
                for sx in range(4):
                    if inside_polygon(points, x + (sx + 0.5) / 4, y + (sy + 0.5) / 4):
                        hits += 1
            add_coverage(coverage, x, y, hits / 16)
    return coverage


def inside_polygon(points, x, y):
    inside = False
    j = len(points) - 1
    for i in range(len(points)):
        xi, yi = points[i]
        xj, yj = points[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            inside = not inside
        j = i
    return inside


def rounded_rect_distance(x, y, left, top, right, bottom, radius):
    """Signed distance to a rounded rectangle (negative inside)."""
    cx, cy = (left + right) / 2, (top + bottom) / 2
    hx, hy = (right - left) / 2 - radius, (bottom - top) / 2 - radius
    qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
    outside = math.hypot(max(qx, 0), max(qy, 0))
    return outside + min(max(qx, qy), 0) - radius


def bezier(p0, p1, p2, p3, steps=24):
    out = []
    for i in range(steps + 1):
        t = i / steps
        u = 1 - t
        out.append((u * u * u * p0[0] + 3 * u * u * t * p1[0] + 3 * u * t * t * p2[0] + t * t * t * p3[0],
                    u * u * u * p0[1] + 3 * u * u * t * p1[1] + 3 * u * t * t * p2[1] + t * t * t * p3[1]))
    return out


def arc(cx, cy, rx, ry, start, end, steps=32):
    return [(cx + rx * math.cos(start + (end - start) * i / steps), cy + ry * math.sin(start + (end - start) * i / steps))
            for i in range(steps + 1)]


def rounded_path(corners, radius, steps=10):
    """A polyline through `corners` whose inner corners are rounded."""
    out = [corners[0]]
    for prev, corner, nxt in zip(corners, corners[1:], corners[2:]):
        a = towards(corner, prev, radius)
        b = towards(corner, nxt, radius)
        for i in range(steps + 1):
            t = i / steps
            u = 1 - t
            out.append((u * u * a[0] + 2 * u * t * corner[0] + t * t * b[0],
                        u * u * a[1] + 2 * u * t * corner[1] + t * t * b[1]))
    out.append(corners[-1])
    return out


def towards(p, q, distance):
    dx, dy = q[0] - p[0], q[1] - p[1]
    length = math.hypot(dx, dy) or 1
    d = min(distance, length / 2)
    return (p[0] + dx / length * d, p[1] + dy / length * d)


# --- the mark and the word ---------------------------------------------------
def mark_path(left, top, size):
    """The program's mark: a "Z" written in one stroke, corners rounded."""
    s = size
    corners = [(left + 0.20 * s, top + 0.27 * s), (left + 0.80 * s, top + 0.27 * s),
               (left + 0.22 * s, top + 0.73 * s), (left + 0.82 * s, top + 0.73 * s)]
    return rounded_path(corners, 0.16 * s)


def draw_mark(image, left, top, size, width, tip=True, colours=(TEAL, SKY)):
    path = mark_path(left, top, size)
    span = max(1.0, path[-1][0] - path[0][0])
    image.cover(stroke(path, width), lambda x, y: mix(colours[0], colours[1], (x - path[0][0]) / span))
    if tip:
        end = path[-1]
        image.cover(disc(end[0], end[1], width * 1.2), (235, 255, 250), 0.35)
        image.cover(disc(end[0], end[1], width * 0.72), (235, 255, 250))


LETTERS = {
    # Strokes of a monoline lowercase in x-height units, y down, baseline 1.
    "z": (0.60, [[(0.02, 0.0), (0.58, 0.0), (0.02, 1.0), (0.60, 1.0)]]),
    "a": (0.70, [arc(0.32, 0.5, 0.32, 0.5, 0, 2 * math.pi, 40), [(0.66, 0.0), (0.66, 1.0)]]),
    "v": (0.66, [[(0.0, 0.0), (0.33, 1.0), (0.66, 0.0)]]),
    "o": (0.70, [arc(0.35, 0.5, 0.35, 0.5, 0, 2 * math.pi, 40)]),
    "t": (0.50, [[(0.20, -0.36), (0.20, 0.72)] + arc(0.46, 0.72, 0.26, 0.28, math.pi, math.pi / 2, 10)[1:],
                 [(0.0, 0.02), (0.48, 0.02)]]),
    "r": (0.44, [[(0.02, 0.0), (0.02, 1.0)], bezier((0.02, 0.52), (0.02, 0.12), (0.22, 0.0), (0.46, 0.02), 16)]),
}


def word(left, baseline, height, text, tracking=0.22):
    """The polylines of `text` set in LETTERS, and the advance width."""
    lines = []
    x = left
    for ch in text:
        advance, strokes = LETTERS[ch]
        for polyline in strokes:
            lines.append([(x + px * height, baseline - height + py * height) for px, py in polyline])
        x += (advance + tracking) * height
    return lines, x - left - tracking * height


def draw_word(image, left, baseline, height, text, width, colour):
    coverage = {}
    lines, _ = word(left, baseline, height, text)
    for polyline in lines:
        for key, c in stroke(polyline, width).items():
            add_coverage(coverage, key[0], key[1], c)
    image.cover(coverage, colour)


# --- skin 224 ----------------------------------------------------------------
def skin():
    img = Image(SKIN_W, SKIN_H)
    c_left, c_top, c_right, c_bottom = CONTAINER

    def shade(x, y):
        if y < HEADER_H:
            colour = mix(NIGHT_TOP, NIGHT, y / HEADER_H)
            # a soft sheen over the left of the header
            return mix(colour, (46, 60, 84), 0.35 * smooth(1 - math.hypot(x - 90, y - 10) / 220))
        if y >= c_bottom:
            return mix(NIGHT, NIGHT_DEEP, (y - c_bottom) / (SKIN_H - c_bottom))
        return mix(BAND_LEFT, BAND_RIGHT, x / SKIN_W)

    img.fill(shade)
    # Header and footer meet the pages with a thin accent and a shadow.
    for x in range(SKIN_W):
        img.blend(x, HEADER_H - 1, TEAL, 0.55 * smooth(1 - abs(x - 286) / 330))
        img.blend(x, c_bottom, EDGE, 0.55)
        img.blend(x, c_bottom + 1, RIM, 0.35)

    draw_mark(img, 16, 33, 44, 4.2)
    draw_word(img, 70, 66, 21, "zavotra", 3.3, INK)
    footer(img)
    outline(img)
    return img


def footer(img):
    top = CONTAINER[3]
    mid = top + (SKIN_H - top) // 2
    # A faint trail runs along the footer; the pen tip rests at its end.
    trail = bezier((24, mid + 4), (140, mid - 10), (260, mid + 12), (380, mid - 2), 60)
    img.cover(stroke(trail, 2.0), lambda x, y: mix(TEAL, SKY, (x - 24) / 360), 0.28)
    img.cover(disc(380, mid - 2, 2.6), TEAL, 0.5)
    # grip dots in the corner
    for i in range(3):
        for j in range(i + 1):
            img.cover(disc(549 - 5 * j, mid + 6 - 5 * (2 - i) + 0, 1.1), MUTED, 0.45)


def outline(img):
    """Rounded corners: outside pure red, a dark edge and a lit rim inside."""
    radius = 16
    for y in range(SKIN_H):
        for x in range(SKIN_W):
            near_corner = (x < radius + 3 or x > SKIN_W - radius - 4) and (y < radius + 3 or y > SKIN_H - radius - 4)
            near_side = x < 3 or y < 3 or x > SKIN_W - 4 or y > SKIN_H - 4
            if not (near_corner or near_side):
                continue
            d = rounded_rect_distance(x + 0.5, y + 0.5, 0, 0, SKIN_W, SKIN_H, radius)
            if d > -0.5:
                img.px[y * SKIN_W + x] = list(OUTSIDE)
            elif d > -2.5:
                # Two pixels of edge: the region drops the last right and bottom one.
                img.px[y * SKIN_W + x] = list(EDGE)
            elif d > -3.5:
                img.blend(x, y, RIM if y < HEADER_H else NIGHT_DEEP, 0.8)


# --- panes 252 ---------------------------------------------------------------
def panes():
    width = CONTAINER[2] - CONTAINER[0]
    height = CONTAINER[3] - CONTAINER[1]
    img = Image(width, height)
    cx, cy = width * 0.5, height * 0.42
    reach = math.hypot(width / 2, height / 2)

    def shade(x, y):
        colour = mix(PANE_CENTRE, PANE_EDGE, smooth(math.hypot(x - cx, (y - cy) * 1.3) / reach))
        if x % 14 == 7 and y % 14 == 7:
            colour = mix(colour, (150, 176, 204), 0.25)
        return colour

    img.fill(shade)
    # A large, quiet mark in the lower right.
    mark = {}
    for key, c in stroke(mark_path(width - 210, height - 200, 200), 13).items():
        add_coverage(mark, key[0], key[1], c)
    img.cover(mark, (150, 178, 208), 0.10)
    return img


# --- buttons -----------------------------------------------------------------
def button(base, name, state, sound_on=True):
    left, top, width, height = BUTTONS[name]
    img = base.crop(left, top, width, height)
    cx, cy = width / 2, height / 2
    shift = 1 if state == "pressed" else 0
    fill = {"normal": BUTTON, "hover": BUTTON_HOVER, "pressed": BUTTON_DOWN}[state]
    glyph = {"normal": (207, 216, 227), "hover": (255, 255, 255), "pressed": TEAL}[state]
    if state != "normal":
        img.cover(disc(cx, cy + shift, 18.5), TEAL, 0.18)  # glow
    img.cover(disc(cx, cy + shift, 16.5), fill)
    img.cover(ring(cx, cy + shift, 16.0, 1.0), TEAL if state != "normal" else BUTTON_RING, 0.9)
    y = cy + shift
    if name == "menu":
        for dy in (-5, 0, 5):
            img.cover(stroke([(cx - 7, y + dy), (cx + 7, y + dy)], 2.2), glyph)
    elif name == "hide":
        img.cover(stroke([(cx - 6.5, y - 4), (cx, y + 2.5), (cx + 6.5, y - 4)], 2.2), glyph)
        img.cover(stroke([(cx - 7, y + 7), (cx + 7, y + 7)], 2.2), glyph)
    else:
        sx = cx - 4
        img.cover(polygon([(sx - 6, y - 3), (sx - 2, y - 3), (sx + 3, y - 7.5), (sx + 3, y + 7.5),
                           (sx - 2, y + 3), (sx - 6, y + 3)]), glyph)
        if sound_on:
            img.cover(stroke(arc(sx + 3, y, 5.5, 5.5, -0.9, 0.9, 12), 1.8), glyph)
            img.cover(stroke(arc(sx + 3, y, 9.5, 9.5, -0.85, 0.85, 16), 1.8), glyph, 0.8)
        else:
            cross = WARN if state != "pressed" else (252, 165, 165)
            img.cover(stroke([(sx + 7, y - 4), (sx + 14, y + 3)], 2.0), cross)
            img.cover(stroke([(sx + 14, y - 4), (sx + 7, y + 3)], 2.0), cross)
    return img


# --- splash 271 --------------------------------------------------------------
def splash():
    img = Image(360, 200)

    def shade(x, y):
        colour = mix(NIGHT_TOP, NIGHT_DEEP, y / 200)
        return mix(colour, (52, 70, 98), 0.4 * smooth(1 - math.hypot(x - 110, y - 40) / 260))

    img.fill(shade)
    draw_mark(img, 34, 48, 92, 8.0)
    draw_word(img, 142, 118, 36, "zavotra", 5.0, INK)
    img.cover(stroke([(144, 140), (332, 140)], 1.2), lambda x, y: mix(TEAL, SKY, (x - 144) / 190), 0.8)
    trail = bezier((20, 178), (120, 160), (230, 192), (340, 170), 60)
    img.cover(stroke(trail, 2.0), TEAL, 0.25)
    for x in range(360):
        img.px[x] = list(RIM)
        img.px[199 * 360 + x] = list(EDGE)
    for y in range(200):
        img.px[y * 360] = list(RIM)
        img.px[y * 360 + 359] = list(EDGE)
    return img


# --- icons -------------------------------------------------------------------
def icon_image(size, kind):
    """RGBA rows, top first, for one icon size."""
    img = Image(size, size)
    alpha = [0.0] * (size * size)
    s = size
    radius = s * 0.22
    background = (58, 63, 72) if kind == "off" else NIGHT
    for y in range(s):
        for x in range(s):
            d = rounded_rect_distance(x + 0.5, y + 0.5, 0, 0, s, s, radius)
            a = 0.5 - d if d > -0.5 else 1.0
            if a > 0:
                alpha[y * s + x] = min(1.0, a)
                img.px[y * s + x] = list(mix(background, NIGHT_TOP if kind != "off" else (74, 80, 90), 1 - y / s))
    width = max(1.6, s * 0.12)
    if kind in ("app", "on"):
        draw_mark(img, 0, 0, s, width, tip=s >= 32)
    elif kind == "off":
        draw_mark(img, 0, 0, s, width, tip=False, colours=((150, 158, 168), (170, 176, 186)))
        img.cover(stroke([(s * 0.18, s * 0.86), (s * 0.86, s * 0.14)], width * 0.9), WARN)
    elif kind == "done":
        img.cover(stroke([(s * 0.22, s * 0.52), (s * 0.43, s * 0.72), (s * 0.80, s * 0.30)], width * 1.15), GREEN)
    elif kind == "unknown":
        hook = arc(s * 0.5, s * 0.36, s * 0.18, s * 0.16, math.pi * 1.05, math.pi * 2.35, 20)
        hook += [(s * 0.5, s * 0.60)]
        img.cover(stroke(hook, width * 1.05), AMBER)
        img.cover(disc(s * 0.5, s * 0.78, width * 0.75), AMBER)
    return img, alpha


def ico(kind, sizes=(16, 24, 32, 48)):
    images = []
    for size in sizes:
        img, alpha = icon_image(size, kind)
        pixels = bytearray()
        for y in range(size - 1, -1, -1):
            for x in range(size):
                r, g, b = img.px[y * size + x]
                pixels += bytes((clamp8(b), clamp8(g), clamp8(r), clamp8(alpha[y * size + x] * 255)))
        mask_stride = ((size + 31) // 32) * 4
        mask = bytearray()
        for y in range(size - 1, -1, -1):
            row = bytearray(mask_stride)
            for x in range(size):
                if alpha[y * size + x] < 0.5:
                    row[x // 8] |= 0x80 >> (x % 8)
            mask += row
        header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
        images.append((size, header + bytes(pixels) + bytes(mask)))
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries, blobs = b"", b""
    for size, blob in images:
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(blob), offset + len(blobs))
        blobs += blob
    return directory + entries + blobs


def main():
    out = Path(sys.argv[1] if len(sys.argv) > 1 else "build/bitmaps")
    out.mkdir(parents=True, exist_ok=True)
    base = skin()
    files = {"skin.bmp": base.bmp(), "panes.bmp": panes().bmp(), "splash.bmp": splash().bmp()}
    for state in ("normal", "hover", "pressed"):
        files["menu_%s.bmp" % state] = button(base, "menu", state).bmp()
        files["hide_%s.bmp" % state] = button(base, "hide", state).bmp()
        files["sound_on_%s.bmp" % state] = button(base, "sound", state, True).bmp()
        files["sound_off_%s.bmp" % state] = button(base, "sound", state, False).bmp()
    for name, kind in (("zavotra.ico", "app"), ("capture_on.ico", "on"), ("capture_off.ico", "off"),
                       ("executed.ico", "done"), ("not_recognized.ico", "unknown")):
        files[name] = ico(kind)
    for name, data in files.items():
        path = out / name
        # Unchanged files keep their time, so the resource script is not rebuilt.
        if not path.exists() or path.read_bytes() != data:
            path.write_bytes(data)


if __name__ == "__main__":
    main()
