#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Tonolog developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the program's scalable icon for the desktop, resources/desktop/org.tonolog.Tonolog.svg.

It is the window icon that make_artwork.py draws as PNG files at fixed sizes, as an SVG picture:
the same heart curve, colours, rim, gloss and heartbeat trace on a 256 x 256 view box, so the
installed icon looks the same at every size.

    python3 resources/tools/make_app_icon.py

Standard library only; the output is deterministic.
"""

import math
import os

# The window icon's own shapes, from the script that draws it as PNG files.
from make_artwork import heart_points, polygon_distance, pulse_trace

HERE = os.path.dirname(os.path.abspath(__file__))
TARGET = os.path.join(os.path.dirname(HERE), "desktop", "org.tonolog.Tonolog.svg")

SIZE = 256.0


def area(points):
    return sum(points[i - 1][0] * p[1] - p[0] * points[i - 1][1] for i, p in enumerate(points)) / 2


def inset(points, d):
    """The polygon shrunk by d: each edge moved inwards, a convex corner cut where its two moved
    edges meet and a concave one rounded with an arc; points closer than d to the edge (where the
    curve bends more sharply than d) are dropped."""
    turn = 1.0 if area(points) > 0 else -1.0
    n = len(points)

    def normal(a, b):
        ex, ey = b[0] - a[0], b[1] - a[1]
        length = math.hypot(ex, ey)
        return (-ey * turn / length, ex * turn / length)

    out = []
    for i in range(n):
        a, p, b = points[i - 1], points[i], points[(i + 1) % n]
        n0, n1 = normal(a, p), normal(p, b)
        cross = (p[0] - a[0]) * (b[1] - p[1]) - (p[1] - a[1]) * (b[0] - p[0])
        if cross * turn >= 0:
            # Convex: the two moved edges meet on the bisector.
            cos_half = math.sqrt(max(1e-9, (1 + n0[0] * n1[0] + n0[1] * n1[1]) / 2))
            bx, by = n0[0] + n1[0], n0[1] + n1[1]
            length = math.hypot(bx, by)
            out.append((p[0] + bx / length * d / cos_half, p[1] + by / length * d / cos_half))
        else:
            a0, a1 = math.atan2(n0[1], n0[0]), math.atan2(n1[1], n1[0])
            while a1 - a0 > math.pi:
                a1 -= 2 * math.pi
            while a0 - a1 > math.pi:
                a1 += 2 * math.pi
            steps = max(1, int(abs(a1 - a0) / 0.1))
            for k in range(steps + 1):
                t = a0 + (a1 - a0) * k / steps
                out.append((p[0] + math.cos(t) * d, p[1] + math.sin(t) * d))
    return [q for q in out if polygon_distance(points, *q) <= -d + 0.01]


def clip(points, keep):
    """The part of a polygon on the inside of each edge of a convex polygon (Sutherland-Hodgman);
    keep runs counter-clockwise in the picture's coordinates (y down)."""
    result = points
    for i in range(len(keep)):
        (ax, ay), (bx, by) = keep[i - 1], keep[i]

        def side(q):
            return (bx - ax) * (q[1] - ay) - (by - ay) * (q[0] - ax)

        def crossing(p, q):
            sp, sq = side(p), side(q)
            t = sp / (sp - sq)
            return (p[0] + (q[0] - p[0]) * t, p[1] + (q[1] - p[1]) * t)

        source, result = result, []
        for j in range(len(source)):
            p, q = source[j - 1], source[j]
            if side(q) >= 0:
                if side(p) < 0:
                    result.append(crossing(p, q))
                result.append(q)
            elif side(p) >= 0:
                result.append(crossing(p, q))
    return result


def oriented(points):
    return points if area(points) > 0 else list(reversed(points))


def number(v):
    text = "%.2f" % v
    text = text.rstrip("0").rstrip(".")
    return "0" if text == "-0" else text


def path(points, closed):
    d = "M" + " L".join("%s %s" % (number(x), number(y)) for x, y in points)
    return d + (" Z" if closed else "")


def capsule(a, b, width):
    """A stroke from a to b with round caps, as a convex polygon."""
    r = width / 2
    angle = math.atan2(b[1] - a[1], b[0] - a[0])
    pts = []
    for centre, start in ((b, angle - math.pi / 2), (a, angle + math.pi / 2)):
        for k in range(17):
            t = start + math.pi * k / 16
            pts.append((centre[0] + math.cos(t) * r, centre[1] + math.sin(t) * r))
    return oriented(pts)


def svg():
    size = SIZE
    heart = heart_points(size)
    rim = max(1.0, size / 32.0)
    stroke = max(1.5, size * 0.06)
    body = inset(heart, rim)
    gloss = clip(oriented(inset(heart, size * 0.1)), oriented([(0, 0), (size, 0), (size, size * 0.38), (0, size * 0.38)]))
    trace = pulse_trace(size * 0.12, size * 0.88, size * 0.48, size * 0.26)
    # The beat stays inside the rim: each straight piece of the stroke is cut to the heart.
    room = oriented(inset(heart, rim * 0.6))
    beat = [clip(room, capsule(trace[i], trace[i + 1], stroke)) for i in range(len(trace) - 1)]
    return f"""<?xml version="1.0" encoding="UTF-8"?>
<!-- Written by resources/tools/make_app_icon.py. -->
<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">
  <defs>
    <linearGradient id="body" gradientUnits="userSpaceOnUse" x1="0" y1="0" x2="0" y2="{number(size)}">
      <stop offset="0" stop-color="#eb4650"/>
      <stop offset="1" stop-color="#960a1e"/>
    </linearGradient>
  </defs>
  <path fill="#6e0014" d="{path(heart, True)}"/>
  <path fill="url(#body)" d="{path(body, True)}"/>
  <path fill="#fff" fill-opacity="0.16" d="{path(gloss, True)}"/>
  <path fill="#fff" d="{" ".join(path(piece, True) for piece in beat if piece)}"/>
</svg>
"""


def main():
    with open(TARGET, "w", encoding="utf-8", newline="\n") as out:
        out.write(svg())
    print("wrote", os.path.relpath(TARGET))


if __name__ == "__main__":
    main()
