#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Tonolog developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Draws Tonolog's pictures: the button bitmaps, the three page logos, the window icon and the
hand pointer, as PNG files in resources/images/, and writes resources/tonolog.qrc listing them.

Standard library only. Shapes are signed distance functions (negative inside, in pixels) and are
anti-aliased by their distance to the pixel centre, so every picture is drawn at its exact size.
The button pictures, the logos and the hand pointer are also drawn at twice their size
("name@2x.png"), from the same shapes, for screens of twice the pixel density.

    python3 resources/tools/make_artwork.py            # rewrite the images and the .qrc
    python3 resources/tools/make_artwork.py --sheet x.png   # also an enlarged overview picture

The output is deterministic: running the script again gives the same bytes.
"""

import argparse
import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
RESOURCES = os.path.dirname(HERE)
IMAGES = os.path.join(RESOURCES, "images")

# The page palettes: page colour, tab colour, accent colour.
DIARY = ((218, 237, 229), (201, 228, 216), (75, 156, 122))
LIST = ((230, 230, 255), (210, 210, 255), (0, 0, 234))
TREND = ((255, 223, 223), (255, 206, 206), (159, 0, 0))

WHITE = (255, 255, 255)
BLACK = (0, 0, 0)

# The hand pointer's hot spot; src/shell/resources.cpp uses the same point.
HAND_HOT_SPOT = (12, 1)


# ---------------------------------------------------------------------------------------------
# Colours


def mix(a, b, t):
    """The colour t of the way from a to b."""
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def shade(c, f):
    """c darkened (f < 1) or lightened towards white (f > 1)."""
    if f <= 1:
        return tuple(v * f for v in c)
    return mix(c, WHITE, f - 1)


def vertical_gradient(top_colour, bottom_colour, y0, y1):
    def paint(_x, y):
        t = min(1.0, max(0.0, (y - y0) / (y1 - y0)))
        return mix(top_colour, bottom_colour, t)

    return paint


# ---------------------------------------------------------------------------------------------
# Shapes: functions (x, y) -> signed distance in pixels


def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def ellipse(cx, cy, rx, ry):
    def d(x, y):
        px, py = (x - cx), (y - cy)
        k0 = math.hypot(px / rx, py / ry)
        k1 = math.hypot(px / (rx * rx), py / (ry * ry))
        if k1 == 0:
            return -min(rx, ry)
        return k0 * (k0 - 1) / k1

    return d


def rounded_rect(x0, y0, x1, y1, r):
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2 - r, (y1 - y0) / 2 - r

    def d(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - r

    return d


def polygon_distance(points, x, y):
    """The signed distance of (x, y) to the polygon: negative inside, in pixels."""
    vx, vy = points[0]
    best = (x - vx) ** 2 + (y - vy) ** 2
    sign = 1.0
    j = len(points) - 1
    for i in range(len(points)):
        ix, iy = points[i]
        jx, jy = points[j]
        ex, ey = jx - ix, jy - iy
        wx, wy = x - ix, y - iy
        t = max(0.0, min(1.0, (wx * ex + wy * ey) / (ex * ex + ey * ey)))
        bx, by = wx - ex * t, wy - ey * t
        best = min(best, bx * bx + by * by)
        c1, c2, c3 = y >= iy, y < jy, ex * wy > ey * wx
        if (c1 and c2 and c3) or not (c1 or c2 or c3):
            sign = -sign
        j = i
    return sign * math.sqrt(best)


def polygon(points):
    pts = list(points)
    return lambda x, y: polygon_distance(pts, x, y)


def segment(ax, ay, bx, by, width):
    """A stroke with round caps."""
    ex, ey = bx - ax, by - ay
    ll = ex * ex + ey * ey

    def d(x, y):
        wx, wy = x - ax, y - ay
        t = 0.0 if ll == 0 else max(0.0, min(1.0, (wx * ex + wy * ey) / ll))
        return math.hypot(wx - ex * t, wy - ey * t) - width / 2

    return d


def polyline(points, width):
    return union(*[segment(*points[i], *points[i + 1], width) for i in range(len(points) - 1)])


def ring(cx, cy, rx, ry, width):
    """An elliptic stroke whose centre line has the radii rx, ry."""
    e = ellipse(cx, cy, rx, ry)
    return lambda x, y: abs(e(x, y)) - width / 2


def half_plane(nx, ny, c):
    """Inside where nx*x + ny*y < c."""
    n = math.hypot(nx, ny)
    return lambda x, y: (nx * x + ny * y - c) / n


def union(*shapes):
    return lambda x, y: min(s(x, y) for s in shapes)


def intersect(*shapes):
    return lambda x, y: max(s(x, y) for s in shapes)


def subtract(a, b):
    return lambda x, y: max(a(x, y), -b(x, y))


def moved(shape, dx, dy):
    return lambda x, y: shape(x - dx, y - dy)


def grown(shape, by):
    return lambda x, y: shape(x, y) - by


def band(shape, width):
    """The inner rim of a shape, width pixels wide."""
    return lambda x, y: max(shape(x, y), -(shape(x, y) + width))


def mirrored_x(shape, w):
    return lambda x, y: shape(w - x, y)


def mirrored_y(shape, h):
    return lambda x, y: shape(x, h - y)


# ---------------------------------------------------------------------------------------------
# Canvas and PNG output


# How many pixels of the picture being drawn make one pixel of its design (1, or 2 for "@2x").
SCALE = 1


class Canvas:
    """A picture designed as w x h pixels, drawn at SCALE times that size. Shapes and paints
    take design coordinates."""

    def __init__(self, w, h, background=None):
        self.scale = SCALE
        self.w, self.h = w * SCALE, h * SCALE
        if background is None:
            self.px = [[0.0, 0.0, 0.0, 0.0] for _ in range(self.w * self.h)]
        else:
            self.px = [[*map(float, background), 1.0] for _ in range(self.w * self.h)]

    def fill(self, shape, paint, opacity=1.0):
        k = self.scale
        for y in range(self.h):
            for x in range(self.w):
                cx, cy = (x + 0.5) / k, (y + 0.5) / k
                cover = 0.5 - shape(cx, cy) * k
                if cover <= 0:
                    continue
                colour = paint(cx, cy) if callable(paint) else paint
                a = min(1.0, cover) * opacity
                dst = self.px[y * self.w + x]
                da = dst[3]
                oa = a + da * (1 - a)
                for i in range(3):
                    dst[i] = (colour[i] * a + dst[i] * da * (1 - a)) / oa
                dst[3] = oa

    def rgba_rows(self):
        rows = []
        for y in range(self.h):
            row = bytearray()
            for x in range(self.w):
                r, g, b, a = self.px[y * self.w + x]
                alpha = int(round(a * 255))
                if alpha == 0:
                    row += b"\0\0\0\0"
                else:
                    row += bytes(max(0, min(255, int(round(v)))) for v in (r, g, b)) + bytes([alpha])
            rows.append(bytes(row))
        return rows


def write_png(path, w, h, rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    raw = b"".join(b"\0" + row for row in rows)
    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(raw, 9))
    png += chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


# ---------------------------------------------------------------------------------------------
# Push buttons


def push_button(w, h, body, symbol, palette, pressed):
    """A raised button: a body shape with a gradient, a rim, a gloss and a white symbol.
    Pressed, it sinks by one pixel, loses its drop shadow and gloss, turns darker and shows a
    shadow along its inner top edge. Light comes from straight above, so a design that is
    symmetric left to right stays symmetric."""
    accent = palette[2]
    c = Canvas(w, h)
    dy = 1 if pressed else 0
    body_shape = moved(body, 0, dy)
    top, bottom = (shade(accent, 1.5), shade(accent, 0.8)) if not pressed else (
        shade(accent, 0.6), shade(accent, 0.85))
    if not pressed:
        c.fill(moved(body, 0, 1.2), BLACK, 0.28)
    c.fill(body_shape, vertical_gradient(top, bottom, dy, h - 2 + dy))
    if pressed:
        c.fill(subtract(body_shape, moved(body_shape, 0, 2.2)), BLACK, 0.35)
    else:
        gloss = intersect(grown(body_shape, -2), half_plane(0, 1, h * 0.42))
        c.fill(gloss, WHITE, 0.28)
    c.fill(band(body_shape, 1.2), shade(accent, 0.5))
    sym = moved(symbol, 0, dy)
    c.fill(moved(sym, 0, 1), shade(accent, 0.4), 0.7)
    c.fill(sym, (236, 236, 236) if pressed else WHITE)
    return c


def triangle_up(cx, cy, half_width, height):
    return polygon([(cx, cy - height / 2), (cx + half_width, cy + height / 2),
                    (cx - half_width, cy + height / 2)])


def rounded_triangle_up(cx, cy, half_width, height, r=1.2):
    return grown(triangle_up(cx, cy, half_width - 1.8 * r, height - 2.6 * r), r)


def day_button(down, pressed):
    """Previous day / next day, 55 x 65: an oval with a triangle."""
    w, h = 55, 65
    body = ellipse(w / 2, (h - 2) / 2, w / 2 - 0.6, (h - 2) / 2 - 0.6)
    symbol = rounded_triangle_up(w / 2, 31.5, 14, 21)
    if down:
        symbol = mirrored_y(symbol, 63)
    return push_button(w, h, body, symbol, DIARY, pressed)


def return_arrow_button(pressed):
    """The small 50 x 30 "enter" button beside the date and time boxes."""
    w, h = 50, 30
    body = rounded_rect(0.6, 0.6, w - 0.6, h - 2.0, 7)
    stem = polyline([(34.5, 7.5), (34.5, 16.5), (20.0, 16.5)], 3.2)
    head = grown(polygon([(13.0, 16.5), (21.5, 10.5), (21.5, 22.5)]), 0.6)
    return push_button(w, h, body, union(stem, head), DIARY, pressed)


def list_button(down, pressed):
    """Previous data / next data on the List page, 55 x 65: a rounded block with a double
    chevron."""
    w, h = 55, 65
    body = rounded_rect(0.6, 0.6, w - 0.6, h - 2.0, 11)
    first = rounded_triangle_up(w / 2, 24.5, 14, 15)
    second = rounded_triangle_up(w / 2, 38.5, 14, 15)
    symbol = union(first, second)
    if down:
        symbol = mirrored_y(symbol, 63)
    return push_button(w, h, body, symbol, LIST, pressed)


def trend_button(right, pressed):
    """Previous data / next data on the Trend page, 65 x 55: a rounded block with a fat arrow."""
    w, h = 65, 55
    body = rounded_rect(0.6, 0.6, w - 0.6, h - 2.0, 11)
    shaft = rounded_rect(27.0, 21.5, 51.0, 31.5, 1.5)
    head = grown(polygon([(15.0, 26.5), (31.0, 13.5), (31.0, 39.5)]), 1.0)
    symbol = union(shaft, head)
    if right:
        symbol = mirrored_x(symbol, w)
    return push_button(w, h, body, symbol, TREND, pressed)


def print_button(palette, pressed):
    """The Print button, 50 x 30, drawn as a printer. The page's "Print" caption lies over rows
    8 to 25, so the printer's body there is kept plain and light."""
    page, tab, accent = palette
    w, h = 50, 30
    c = Canvas(w, h)
    dy = 1 if pressed else 0
    sheet_in = moved(rounded_rect(12.5, 0.6, 37.5, 12.0, 1.2), 0, dy)
    body = moved(rounded_rect(0.6, 6.5, w - 0.6, 24.0, 5), 0, dy)
    slot = moved(rounded_rect(9.0, 20.5, 41.0, 23.0, 1.2), 0, dy)
    sheet_out = moved(rounded_rect(11.5, 21.5, 38.5, h - 1.6, 1.0), 0, dy)
    lamp = moved(circle(44.5, 11.5, 1.8), 0, dy)

    c.fill(sheet_in, (250, 250, 250))
    c.fill(band(sheet_in, 1.0), (120, 120, 120))
    if not pressed:
        c.fill(moved(body, 0, 1.2), BLACK, 0.28)
    top, bottom = (mix(page, WHITE, 0.6), tab) if not pressed else (shade(tab, 0.85), shade(tab, 0.95))
    c.fill(body, vertical_gradient(top, bottom, 6.5 + dy, 24 + dy))
    if pressed:
        c.fill(subtract(body, moved(body, 0, 2.0)), BLACK, 0.3)
    c.fill(band(body, 1.2), accent)
    c.fill(slot, shade(accent, 0.45))
    c.fill(lamp, mix(accent, WHITE, 0.25) if pressed else accent)
    c.fill(sheet_out, WHITE)
    c.fill(band(sheet_out, 1.0), (120, 120, 120))
    for line_y, x1 in ((24.8, 35.0), (27.0, 30.0)):
        c.fill(moved(segment(15.0, line_y, x1, line_y, 1.0), 0, dy), shade(accent, 0.8), 0.8)
    return c


# ---------------------------------------------------------------------------------------------
# Lettering: a small round stroke alphabet, enough for "Tonolog"


def glyph(letter, x0, baseline, cap, xh, desc, sw):
    """Returns (shape, advance) for one letter whose left edge is x0."""
    h = sw / 2
    top_x = baseline - xh
    if letter == "T":
        wd = xh * 1.05
        bar = segment(x0 + h, baseline - cap + h, x0 + wd - h, baseline - cap + h, sw)
        stem = segment(x0 + wd / 2, baseline - cap + h, x0 + wd / 2, baseline - h, sw)
        return union(bar, stem), wd
    if letter == "o":
        wd = xh * 0.98
        return ring(x0 + wd / 2, baseline - xh / 2, (wd - sw) / 2, (xh - sw) / 2, sw), wd
    if letter == "n":
        wd = xh * 0.86
        ry = xh * 0.42
        cy = top_x + h + ry
        stem = segment(x0 + h, top_x + h, x0 + h, baseline - h, sw)
        arch = intersect(ring(x0 + wd / 2, cy, (wd - sw) / 2, ry, sw), half_plane(0, 1, cy))
        right = segment(x0 + wd - h, cy, x0 + wd - h, baseline - h, sw)
        return union(stem, arch, right), wd
    if letter == "l":
        return segment(x0 + h, baseline - cap - 0.6 + h, x0 + h, baseline - h, sw), sw
    if letter == "g":
        wd = xh * 0.98
        bowl = ring(x0 + wd / 2, baseline - xh / 2, (wd - sw) / 2, (xh - sw) / 2, sw)
        ry = desc * 0.55
        cy = baseline + desc - h - ry
        stem = segment(x0 + wd - h, top_x + h, x0 + wd - h, cy, sw)
        hook = intersect(ring(x0 + wd / 2, cy, (wd - sw) / 2, ry, sw), half_plane(0, -1, -cy),
                         half_plane(-1, 0, -(x0 + sw * 0.6)))
        return union(bowl, stem, hook), wd
    raise ValueError(letter)


def lettering(text, x0, baseline, cap, xh, desc, sw, spacing):
    shapes, x = [], x0
    for letter in text:
        shape, advance = glyph(letter, x, baseline, cap, xh, desc, sw)
        shapes.append(shape)
        x += advance + spacing
    return union(*shapes), x - spacing - x0


# ---------------------------------------------------------------------------------------------
# Logos


def pulse_trace(x0, x1, y, amplitude):
    """A heartbeat trace: flat, a small wave, the sharp beat, a small wave, flat."""
    u = (x1 - x0)
    pts = [(0.0, 0.0), (0.30, 0.0), (0.35, -0.22), (0.40, 0.0), (0.45, 0.0), (0.49, 0.30),
           (0.54, -1.0), (0.59, 0.55), (0.63, 0.0), (0.70, 0.0), (0.76, -0.28), (0.82, 0.0),
           (1.0, 0.0)]
    return [(x0 + px * u, y + py * amplitude) for px, py in pts]


def logo(palette):
    page, tab, accent = palette
    w, h = 81, 41
    c = Canvas(w, h, page)
    c.fill(band(rounded_rect(0, 0, w, h, 6), 1.0), mix(accent, page, 0.35))
    _shape, text_width = lettering("Tonolog", 0, 0, 14, 10, 5, 2.1, 1.6)
    x0 = (w - text_width) / 2
    text, _ = lettering("Tonolog", x0, 20.5, 14, 10, 5, 2.1, 1.6)
    c.fill(moved(text, 0.6, 0.8), tab)
    c.fill(text, accent)
    trace = polyline(pulse_trace(5.5, w - 5.5, 32.5, 6.0), 1.6)
    c.fill(trace, mix(accent, page, 0.3))
    return c


# ---------------------------------------------------------------------------------------------
# Window icon: a heart with a heartbeat across it


def heart_points(size):
    """The heart's outline: the classic parametric curve, fitted to the picture."""
    pts = []
    for i in range(160):
        t = 2 * math.pi * i / 160
        x = 16 * math.sin(t) ** 3
        y = 13 * math.cos(t) - 5 * math.cos(2 * t) - 2 * math.cos(3 * t) - math.cos(4 * t)
        pts.append((x, -y))
    # Fit the curve's box (x -16..16, y -12..17) into the picture with a small margin.
    margin = max(0.5, size * 0.03)
    scale = (size - 2 * margin) / 32.0
    off_y = (size - 29.0 * scale) / 2 + 12 * scale
    return [(size / 2 + x * scale, off_y + y * scale) for x, y in pts]


def heart(size):
    return polygon(heart_points(size))


def window_icon(size):
    c = Canvas(size, size)
    shape = heart(size)
    line = max(1.0, size / 32.0)
    c.fill(shape, vertical_gradient((235, 70, 80), (150, 10, 30), 0, size))
    if size >= 32:
        gloss = intersect(grown(shape, -size * 0.1), half_plane(0, 1, size * 0.38))
        c.fill(gloss, WHITE, 0.16)
    c.fill(band(shape, line), (110, 0, 20))
    stroke = max(1.5, size * 0.06)
    trace = pulse_trace(size * 0.12, size * 0.88, size * 0.48, size * 0.26)
    beat = intersect(polyline(trace, stroke), grown(shape, -line * 0.6))
    c.fill(beat, WHITE)
    return c


ICON_SIZES = (16, 24, 32, 48, 64, 128, 256)


# ---------------------------------------------------------------------------------------------
# Hand pointer, 32 x 32, pointing up with the index finger


def hand_pointer():
    """White with a black one-pixel outline; the edges lie on whole pixels so that the outline
    stays crisp. Each curled finger is drawn over the palm with its own outline, which leaves
    the lines between the fingers."""
    c = Canvas(32, 32)
    hx, hy = HAND_HOT_SPOT

    def outlined(shape, outline_clip=None):
        c.fill(shape, WHITE)
        rim = band(shape, 1.0)
        c.fill(rim if outline_clip is None else intersect(rim, outline_clip), BLACK)

    index_finger = rounded_rect(hx - 2, hy, hx + 3, 20, 2.5)
    palm = rounded_rect(hx - 2, 14, hx + 15, 27, 3)
    thumb = segment(hx - 1.0, 22.0, hx - 6.0, 16.0, 5.0)
    outlined(union(index_finger, palm, thumb))
    # Neighbouring fingers overlap by one pixel, so that the line between them is one pixel wide.
    for i in (2, 1, 0):
        left = hx + 2 + 4 * i
        finger = rounded_rect(left, 10 + i, left + 5, 20, 2)
        outlined(finger, half_plane(0, 1, 17))
    outlined(rounded_rect(hx, 25, hx + 14, 31, 1))
    return c


# ---------------------------------------------------------------------------------------------
# The whole set


def artwork():
    """(file name, resource alias, canvas) for every picture."""
    items = []

    def add(name, alias, canvas):
        items.append((name, alias, canvas))

    def add_both(name, alias, draw):
        """The picture at its design size and at twice that size."""
        global SCALE
        add(name, alias, draw())
        SCALE = 2
        stem, ext = os.path.splitext(name)
        add(stem + "@2x" + ext, alias + "@2x", draw())
        SCALE = 1

    add_both("bitmap_1001.png", "bitmaps/1001", lambda: day_button(False, False))
    add_both("bitmap_1002.png", "bitmaps/1002", lambda: day_button(False, True))
    add_both("bitmap_1003.png", "bitmaps/1003", lambda: day_button(True, False))
    add_both("bitmap_1004.png", "bitmaps/1004", lambda: day_button(True, True))
    add_both("bitmap_1005.png", "bitmaps/1005", lambda: return_arrow_button(False))
    add_both("bitmap_1006.png", "bitmaps/1006", lambda: return_arrow_button(True))
    add_both("bitmap_1007.png", "bitmaps/1007", lambda: list_button(False, False))
    add_both("bitmap_1008.png", "bitmaps/1008", lambda: list_button(False, True))
    add_both("bitmap_1009.png", "bitmaps/1009", lambda: list_button(True, False))
    add_both("bitmap_1010.png", "bitmaps/1010", lambda: list_button(True, True))
    add_both("bitmap_1011.png", "bitmaps/1011", lambda: print_button(LIST, False))
    add_both("bitmap_1012.png", "bitmaps/1012", lambda: print_button(LIST, True))
    add_both("bitmap_1013.png", "bitmaps/1013", lambda: trend_button(False, False))
    add_both("bitmap_1014.png", "bitmaps/1014", lambda: trend_button(False, True))
    add_both("bitmap_1015.png", "bitmaps/1015", lambda: trend_button(True, False))
    add_both("bitmap_1016.png", "bitmaps/1016", lambda: trend_button(True, True))
    add_both("bitmap_1017.png", "bitmaps/1017", lambda: print_button(TREND, False))
    add_both("bitmap_1018.png", "bitmaps/1018", lambda: print_button(TREND, True))
    add_both("logo_1101.png", "bitmaps/1101", lambda: logo(DIARY))
    add_both("logo_1102.png", "bitmaps/1102", lambda: logo(LIST))
    add_both("logo_1103.png", "bitmaps/1103", lambda: logo(TREND))
    for size in ICON_SIZES:
        add("icon_101_%d.png" % size, "icons/101/%d" % size, window_icon(size))
    add_both("cursor_101.png", "cursors/101", hand_pointer)
    return items


def write_qrc(items):
    lines = ["<!DOCTYPE RCC>", "<!-- Written by tools/make_artwork.py. -->", "<RCC version=\"1.0\">",
             "  <qresource prefix=\"/\">"]
    for name, alias, _canvas in items:
        lines.append("    <file alias=\"%s\">images/%s</file>" % (alias, name))
    lines += ["  </qresource>", "</RCC>", ""]
    with open(os.path.join(RESOURCES, "tonolog.qrc"), "w", encoding="utf-8") as f:
        f.write("\n".join(lines))


def write_sheet(path, items, zoom=4):
    """All pictures side by side, enlarged, on a chequered ground, for looking them over."""
    gap = 8
    shown = [c for _n, _a, c in items if c.w <= 128]
    rows, row, row_w = [], [], 0
    for c in shown:
        if row and row_w + c.w * zoom + gap > 1400:
            rows.append(row)
            row, row_w = [], 0
        row.append(c)
        row_w += c.w * zoom + gap
    rows.append(row)
    sheet_w = max(sum(c.w * zoom + gap for c in r) for r in rows) + gap
    sheet_h = sum(max(c.h for c in r) * zoom + gap for r in rows) + gap
    pix = [[(200, 200, 200) if ((x // 8 + y // 8) % 2) else (235, 235, 235) for x in range(sheet_w)]
           for y in range(sheet_h)]
    oy = gap
    for r in rows:
        ox = gap
        for c in r:
            for y in range(c.h * zoom):
                for x in range(c.w * zoom):
                    sr, sg, sb, sa = c.px[(y // zoom) * c.w + x // zoom]
                    dr, dg, db = pix[oy + y][ox + x]
                    pix[oy + y][ox + x] = (sr * sa + dr * (1 - sa), sg * sa + dg * (1 - sa),
                                           sb * sa + db * (1 - sa))
            ox += c.w * zoom + gap
        oy += max(c.h for c in r) * zoom + gap
    raw_rows = []
    for line in pix:
        row_bytes = bytearray()
        for p in line:
            row_bytes += bytes(int(round(v)) for v in p) + b"\xff"
        raw_rows.append(bytes(row_bytes))
    write_png(path, sheet_w, sheet_h, raw_rows)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--sheet", help="also write an enlarged overview of all pictures here")
    args = parser.parse_args()
    os.makedirs(IMAGES, exist_ok=True)
    items = artwork()
    for name, _alias, c in items:
        write_png(os.path.join(IMAGES, name), c.w, c.h, c.rgba_rows())
    write_qrc(items)
    if args.sheet:
        write_sheet(args.sheet, items)


if __name__ == "__main__":
    main()
