#!/usr/bin/env python3
"""Draws the library's icons and writes them under src/resources/images/.

Standard library only, so any developer machine can regenerate the PNGs.
Shapes are point-in-shape predicates sampled on a sub-pixel grid, which
gives anti-aliased edges without a graphics library. Output is byte-for-byte
reproducible, so re-running the script leaves git clean.

Usage: scripts/draw-images.py [OUTPUT_DIR]
"""

import math
import os
import struct
import sys
import zlib

SUBSAMPLES = 4

GREY = (208, 208, 208, 255)
WHITE = (255, 255, 255, 255)
RED = (230, 60, 50, 255)
ORANGE = (245, 140, 35, 255)
GOLD = (250, 190, 40, 255)
GREEN = (50, 190, 90, 255)


# --- shapes: each is (predicate(x, y) -> bool, bbox (x0, y0, x1, y1)) ---

def rect(x0, y0, x1, y1):
    return (lambda x, y: x0 <= x < x1 and y0 <= y < y1, (x0, y0, x1, y1))


def frame(x0, y0, x1, y1, w=1.0):
    """Outline of a rectangle whose stroke lies inside the given box."""
    return difference(rect(x0, y0, x1, y1), rect(x0 + w, y0 + w, x1 - w, y1 - w))


def rounded_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x < x1 and y0 <= y < y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return (inside, (x0, y0, x1, y1))


def disc(cx, cy, r):
    return (lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r,
            (cx - r, cy - r, cx + r, cy + r))


def ring(cx, cy, r, w, start=None, end=None):
    """Circle stroke; with start/end (degrees, clockwise from 12 o'clock) an arc."""
    def inside(x, y):
        d = math.hypot(x - cx, y - cy)
        if abs(d - r) > w / 2:
            return False
        if start is None:
            return True
        a = math.degrees(math.atan2(x - cx, cy - y)) % 360
        return (a - start) % 360 <= (end - start) % 360
    o = r + w / 2
    return (inside, (cx - o, cy - o, cx + o, cy + o))


def _segment_distance(x, y, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)
    t = min(1.0, max(0.0, t))
    return math.hypot(x - ax - t * dx, y - ay - t * dy)


def line(ax, ay, bx, by, w):
    """Stroke with round caps."""
    h = w / 2
    return (lambda x, y: _segment_distance(x, y, ax, ay, bx, by) <= h,
            (min(ax, bx) - h, min(ay, by) - h, max(ax, bx) + h, max(ay, by) + h))


def polyline(points, w):
    return union(*(line(*points[i], *points[i + 1], w) for i in range(len(points) - 1)))


def polygon(points):
    def inside(x, y):
        hit = False
        j = len(points) - 1
        for i, (xi, yi) in enumerate(points):
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                hit = not hit
            j = i
        return hit
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    return (inside, (min(xs), min(ys), max(xs), max(ys)))


def union(*shapes):
    preds = [s[0] for s in shapes]
    boxes = [s[1] for s in shapes]
    return (lambda x, y: any(p(x, y) for p in preds),
            (min(b[0] for b in boxes), min(b[1] for b in boxes),
             max(b[2] for b in boxes), max(b[3] for b in boxes)))


def difference(a, b):
    return (lambda x, y: a[0](x, y) and not b[0](x, y), a[1])


def chevron(tipx, tipy, direction, size, w):
    """Open arrow head pointing "left", "right" or "down" from its tip."""
    if direction == "down":
        return polyline([(tipx - size, tipy - size), (tipx, tipy), (tipx + size, tipy - size)], w)
    back = size if direction == "left" else -size
    return polyline([(tipx + back, tipy - size), (tipx, tipy), (tipx + back, tipy + size)], w)


# Digits on a 3x5 pixel grid; too small for any font to stay legible.
DIGITS = {
    "2": ["###", "..#", "###", "#..", "###"],
    "4": ["#.#", "#.#", "###", "..#", "..#"],
}


def pixel_text(text, x, y):
    cells = []
    for n, ch in enumerate(text):
        for row, bits in enumerate(DIGITS[ch]):
            for col, bit in enumerate(bits):
                if bit == "#":
                    px = x + n * 4 + col
                    cells.append(rect(px, y + row, px + 1, y + row + 1))
    return union(*cells)


# --- canvas ---

class Canvas:
    def __init__(self, width, height):
        self.width = width
        self.height = height
        self.pixels = [[0.0, 0.0, 0.0, 0.0] for _ in range(width * height)]

    def fill(self, shape, colour):
        inside, (bx0, by0, bx1, by1) = shape
        x0, y0 = max(0, int(math.floor(bx0))), max(0, int(math.floor(by0)))
        x1 = min(self.width, int(math.ceil(bx1)) + 1)
        y1 = min(self.height, int(math.ceil(by1)) + 1)
        step = 1.0 / SUBSAMPLES
        offsets = [(i + 0.5) * step for i in range(SUBSAMPLES)]
        total = SUBSAMPLES * SUBSAMPLES
        r, g, b, a = (c / 255.0 for c in colour)
        for py in range(y0, y1):
            for px in range(x0, x1):
                hits = sum(1 for oy in offsets for ox in offsets if inside(px + ox, py + oy))
                if not hits:
                    continue
                self._blend(px, py, r, g, b, a * hits / total)

    def _blend(self, px, py, r, g, b, a):
        # Premultiplied "source over".
        p = self.pixels[py * self.width + px]
        k = 1.0 - a
        p[0] = r * a + p[0] * k
        p[1] = g * a + p[1] * k
        p[2] = b * a + p[2] * k
        p[3] = a + p[3] * k

    def png(self):
        raw = bytearray()
        for y in range(self.height):
            raw.append(0)
            for x in range(self.width):
                r, g, b, a = self.pixels[y * self.width + x]
                if a <= 0.0:
                    raw += b"\0\0\0\0"
                    continue
                raw += bytes(min(255, int(round(c / a * 255))) for c in (r, g, b))
                raw.append(min(255, int(round(a * 255))))

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

        header = struct.pack(">IIBBBBB", self.width, self.height, 8, 6, 0, 0, 0)
        return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
                + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


# --- icons ---

def candle(x, body_top, body_bottom, wick_top, wick_bottom, colour):
    """Three pixels wide body and a one pixel wick through its middle."""
    return union(rect(x + 1, wick_top, x + 2, wick_bottom), rect(x, body_top, x + 3, body_bottom)), colour


def app_icon(c):
    for shape, colour in (candle(1, 8, 13, 6, 15, GREEN),
                          candle(6, 5, 11, 3, 13, RED),
                          candle(11, 2, 8, 1, 10, RED)):
        c.fill(shape, colour)


def pin(c):
    c.fill(rect(9, 4, 16, 6), GREY)
    c.fill(polygon([(10, 6), (15, 6), (16, 13), (9, 13)]), GREY)
    c.fill(rect(7, 13, 18, 15), GREY)
    c.fill(polygon([(12, 15), (13, 15), (12.5, 22)]), GREY)


def minimise(c):
    c.fill(rect(13, 15, 23, 16), GREY)


def maximise(c):
    c.fill(frame(12, 10, 23, 21), GREY)


def restore(c):
    front = (11, 12, 20, 21)
    c.fill(difference(frame(14, 9, 23, 18), rect(*front)), GREY)
    c.fill(frame(*front), GREY)


def close(c):
    c.fill(union(line(15, 10, 25, 20, 1.3), line(25, 10, 15, 20, 1.3)), GREY)


def flash(c):
    c.fill(polygon([(10, 0.5), (3, 9), (7.5, 9), (5.5, 15.5), (13, 6.5), (8.5, 6.5)]), ORANGE)


def combo_down(c):
    c.fill(polygon([(6.5, 8), (14.5, 8), (10.5, 12.5)]), GREY)


def combo_find(c):
    c.fill(ring(11, 8.5, 4.5, 1.5), GREY)
    c.fill(line(14.5, 12, 18, 15.5, 2.0), GREY)


def badge_24h(c):
    # A round-the-clock arrow: a ring open at the top, closed by an arrow head.
    cx, cy, r = 7.5, 7.5, 6.5
    c.fill(ring(cx, cy, r, 1.3, 30, 330), ORANGE)
    a = math.radians(335)
    px, py = cx + r * math.sin(a), cy - r * math.cos(a)
    ux, uy = math.sin(a), -math.cos(a)
    tx, ty = math.cos(a), math.sin(a)
    c.fill(polygon([(px + 2.4 * ux, py + 2.4 * uy), (px - 2.4 * ux, py - 2.4 * uy),
                    (px + 3.6 * tx, py + 3.6 * ty)]), ORANGE)
    c.fill(pixel_text("24", 4, 5), WHITE)


def star(c):
    pts = []
    for i in range(10):
        r = 7.4 if i % 2 == 0 else 3.0
        a = math.radians(i * 36)
        pts.append((8 + r * math.sin(a), 8.4 - r * math.cos(a)))
    c.fill(polygon(pts), GOLD)


def fold_left(c):
    c.fill(union(chevron(3.5, 7, "left", 4, 1.4), chevron(8.5, 7, "left", 4, 1.4)), GREY)


def fold_right(c):
    c.fill(union(chevron(12.5, 7, "right", 4, 1.4), chevron(7.5, 7, "right", 4, 1.4)), GREY)


def fold_down(c):
    c.fill(union(chevron(8, 6.8, "down", 4, 1.4), chevron(8, 11.3, "down", 4, 1.4)), GREY)


def fold_full(c):
    # Four corners pointing outwards: "make this panel take the whole window".
    w = 1.5
    for cx, cy, sx, sy in ((1, 1, 1, 1), (13, 1, -1, 1), (1, 13, 1, -1), (13, 13, -1, -1)):
        c.fill(polyline([(cx + 4.5 * sx, cy), (cx, cy), (cx, cy + 4.5 * sy)], w), GREY)
    c.fill(rect(5, 5, 9, 9), ORANGE)


def logo(c):
    c.fill(rounded_rect(2, 2, 62, 62, 12), RED)
    for x, top, bottom, wick_top, wick_bottom in ((14, 36, 48, 31, 53),
                                                  (27, 28, 42, 23, 47),
                                                  (40, 18, 32, 13, 37)):
        c.fill(union(rect(x + 3, wick_top, x + 5, wick_bottom), rect(x, top, x + 8, bottom)),
               (255, 255, 255, 110))
    c.fill(polyline([(10, 46), (22, 38), (32, 41), (52, 18)], 3.5), WHITE)
    c.fill(polygon([(45, 15), (55, 14), (54, 24)]), WHITE)


def plus(c):
    c.fill(union(rect(7, 3, 9, 13), rect(3, 7, 13, 9)), GREEN)


def minus(c):
    c.fill(rect(3, 7, 13, 9), RED)


def pencil(c):
    c.fill(polygon([(11, 2), (14, 5), (6, 13), (3, 10)]), ORANGE)
    c.fill(polygon([(3, 10), (6, 13), (2, 14)]), GREY)
    c.fill(line(10, 3, 13, 6, 0.8), (120, 60, 10, 255))


ICONS = [
    ("BaseForm/img_poupicon.png", 16, 16, app_icon),
    ("BaseForm/img_top_none.png", 25, 25, pin),
    ("BaseForm/img_min_none.png", 35, 30, minimise),
    ("BaseForm/img_max_none.png", 35, 30, maximise),
    ("BaseForm/img_back_none.png", 35, 30, restore),
    ("BaseForm/img_close_none.png", 40, 30, close),
    ("MainFrom/btn_dxjl.png", 16, 16, flash),
    ("MainFrom/cbb_jpjldown.png", 21, 20, combo_down),
    ("MainFrom/cbb_jpjlfind.png", 25, 20, combo_find),
    ("MainFrom/img_7x24.png", 16, 16, badge_24h),
    ("SubFrom/dgtl_zxg.png", 16, 16, star),
    ("SubFrom/img_FoldLeft.png", 16, 14, fold_left),
    ("SubFrom/img_FoldRigh.png", 16, 14, fold_right),
    ("SubFrom/img_FoldFull.png", 14, 14, fold_full),
    ("SubFrom/img_FoldLast.png", 16, 14, fold_down),
    ("Login/img_logo.png", 64, 64, logo),
    ("CUD/img_add.png", 16, 16, plus),
    ("CUD/img_update.png", 16, 16, pencil),
    ("CUD/img_delete.png", 16, 16, minus),
]


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "src", "resources", "images")
    for path, width, height, draw in ICONS:
        canvas = Canvas(width, height)
        draw(canvas)
        target = os.path.join(out, path)
        os.makedirs(os.path.dirname(target), exist_ok=True)
        with open(target, "wb") as f:
            f.write(canvas.png())
        print(f"{path} {width}x{height}")


if __name__ == "__main__":
    main()
