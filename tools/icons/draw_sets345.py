#!/usr/bin/env python3
"""Draws the garden, toy and kitchen pictures (sets 3, 4 and 5).

Each picture is built from simple filled shapes on a 32x32 grid of palette
indices.  Every shape is painted with its own one-pixel outline, so parts
that overlap keep a visible edge.  The result is written as the plain text
grids under res/pictures/, which are what the icon build reads.

    draw_sets345.py            rewrite the grids
    draw_sets345.py --check    exit 1 if any committed grid differs from what
                               the script draws, or a picture is malformed,
                               too small, too plain or a duplicate
"""

import math
import os
import sys

SIZE = 32
N4 = ((1, 0), (-1, 0), (0, 1), (0, -1))

# Palette digits, named for readability.
BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER = '01234567'
GREY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE = '89abcdef'
CLEAR = '.'

ALL = [(x, y) for y in range(SIZE) for x in range(SIZE)]


# ---------------------------------------------------------------- masks
# A mask is a set of (x, y) pixels.  Coordinates name pixel centres, so an
# ellipse centred on 15.5 with radius 15 spans the whole grid evenly.

def E(cx, cy, rx, ry=None, ang=0.0):
    """Filled ellipse, optionally turned by ang degrees."""
    if ry is None:
        ry = rx
    c, s = math.cos(math.radians(ang)), math.sin(math.radians(ang))
    out = set()
    for x, y in ALL:
        dx, dy = x - cx, y - cy
        u, v = dx * c + dy * s, -dx * s + dy * c
        if (u / rx) ** 2 + (v / ry) ** 2 <= 1.0:
            out.add((x, y))
    return out


def R(x0, y0, x1, y1):
    """Filled rectangle, corners inclusive."""
    return {(x, y) for x in range(x0, x1 + 1) for y in range(y0, y1 + 1)
            if 0 <= x < SIZE and 0 <= y < SIZE}


def RR(x0, y0, x1, y1, r):
    """Rectangle with rounded corners of radius r."""
    out = set()
    for x, y in R(x0, y0, x1, y1):
        qx = min(max(x, x0 + r), x1 - r)
        qy = min(max(y, y0 + r), y1 - r)
        if (x - qx) ** 2 + (y - qy) ** 2 <= r * r + 0.5:
            out.add((x, y))
    return out


def P(pts):
    """Filled polygon (even-odd rule, sampled at pixel centres)."""
    out = set()
    n = len(pts)
    for x, y in ALL:
        px, py = x + 0.001, y + 0.002
        inside = False
        for i in range(n):
            ax, ay = pts[i]
            bx, by = pts[(i + 1) % n]
            if (ay > py) != (by > py):
                t = (py - ay) / (by - ay)
                if px < ax + t * (bx - ax):
                    inside = not inside
        if inside:
            out.add((x, y))
    return out


def L(x0, y0, x1, y1, w=1.0):
    """Thick segment with round ends; w is the full width."""
    out = set()
    dx, dy = x1 - x0, y1 - y0
    ll = dx * dx + dy * dy
    r2 = (w / 2.0) ** 2
    for x, y in ALL:
        t = 0.0 if ll == 0 else max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / ll))
        qx, qy = x0 + t * dx - x, y0 + t * dy - y
        if qx * qx + qy * qy <= r2 + 0.01:
            out.add((x, y))
    return out


def PL(pts, w=1.0):
    """Thick polyline."""
    out = set()
    for a, b in zip(pts, pts[1:]):
        out |= L(a[0], a[1], b[0], b[1], w)
    return out


def ring(cx, cy, rx, ry, t, ang=0.0):
    """Elliptic ring of thickness t."""
    return E(cx, cy, rx, ry, ang) - E(cx, cy, rx - t, ry - t, ang)


def rot(pts, cx, cy, ang):
    """Turns points about (cx, cy) by ang degrees."""
    c, s = math.cos(math.radians(ang)), math.sin(math.radians(ang))
    return [(cx + (x - cx) * c - (y - cy) * s, cy + (x - cx) * s + (y - cy) * c)
            for x, y in pts]


def arc_pts(cx, cy, rx, ry, a0, a1, n=40):
    """Points along an elliptic arc from a0 to a1 degrees (0 = right, 90 = down)."""
    return [(cx + rx * math.cos(math.radians(a0 + (a1 - a0) * i / n)),
             cy + ry * math.sin(math.radians(a0 + (a1 - a0) * i / n)))
            for i in range(n + 1)]


# --------------------------------------------------------------- canvas

class Pic:
    def __init__(self):
        self.g = [[CLEAR] * SIZE for _ in range(SIZE)]

    def paint(self, mask, fill, ol=BLACK):
        """Fills a mask; its edge pixels get the outline colour ol."""
        for x, y in mask:
            if not (0 <= x < SIZE and 0 <= y < SIZE):
                continue
            edge = ol is not None and any(
                (x + dx, y + dy) not in mask for dx, dy in N4)
            self.g[y][x] = ol if edge else fill
        return self

    def fill(self, mask, c):
        """Fills a mask without an outline."""
        return self.paint(mask, c, None)

    def edge(self, mask, c=BLACK):
        """Colours only the edge pixels of a mask."""
        for x, y in mask:
            if 0 <= x < SIZE and 0 <= y < SIZE and any(
                    (x + dx, y + dy) not in mask for dx, dy in N4):
                self.g[y][x] = c
        return self

    def px(self, x, y, c):
        if 0 <= x < SIZE and 0 <= y < SIZE:
            self.g[y][x] = c
        return self

    def pxs(self, pts, c):
        for x, y in pts:
            self.px(x, y, c)
        return self

    def line(self, x0, y0, x1, y1, c):
        """One-pixel line."""
        n = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(int(round(n)) + 1):
            t = i / max(round(n), 1)
            self.px(int(round(x0 + (x1 - x0) * t)), int(round(y0 + (y1 - y0) * t)), c)
        return self

    def path(self, pts, c):
        for a, b in zip(pts, pts[1:]):
            self.line(a[0], a[1], b[0], b[1], c)
        return self

    def recolor(self, mask, old, new):
        """Replaces one colour by another inside a mask."""
        for x, y in mask:
            if 0 <= x < SIZE and 0 <= y < SIZE and self.g[y][x] == old:
                self.g[y][x] = new
        return self

    def shade(self, mask, old, new, side):
        """Recolours old->new on the part of mask where side(x, y) holds."""
        return self.recolor({p for p in mask if side(*p)}, old, new)

    def outline(self, c=BLACK):
        """Outlines every coloured pixel that touches the background.

        Pixels that are already black count as outline themselves, so
        shapes painted with their own edge do not grow any thicker."""
        solid = {(x, y) for x, y in ALL if self.g[y][x] not in (CLEAR, BLACK)}
        for x, y in ALL:
            if self.g[y][x] == CLEAR and any(
                    (x + dx, y + dy) in solid for dx, dy in N4):
                self.g[y][x] = c
        return self

    def rows(self):
        return [''.join(r) for r in self.g]


# ------------------------------------------------------------- registry

PICTURES = []   # (folder, index, name, function)


def picture(folder, index, name):
    def reg(fn):
        PICTURES.append((folder, index, name, fn))
        return fn
    return reg


def render(fn):
    p = Pic()
    fn(p)
    return p.rows()


# ================================================================ garden
G = 'set3-garden'


@picture(G, 1, 'tulip')
def tulip(p):
    p.paint(L(15.5, 16, 15.5, 31, 3), GREEN)
    p.paint(E(9.5, 24, 3.5, 8.5, -28), LIME)
    p.line(13, 30, 8, 19, GREEN)
    p.paint(E(21.5, 25, 3.2, 7, 30), LIME)
    p.line(18, 30, 23, 21, GREEN)
    head = E(15.5, 11, 8.5, 8) & R(0, 8, 31, 31)
    head |= P([(7, 11), (7.2, 1), (12, 6), (15.5, 0), (19, 6), (23.8, 1), (24, 11)])
    p.paint(head, RED)
    p.paint(P([(12, 6), (15.5, 0), (19, 6), (19.5, 12), (15.5, 17), (11.5, 12)]), RED)
    p.shade(head, RED, MAROON, lambda x, y: x >= 21 or y >= 16)
    p.line(10, 8, 10, 12, WHITE).px(11, 13, WHITE)
    p.outline()


@picture(G, 2, 'sunflower')
def sunflower(p):
    p.paint(L(15.5, 20, 15.5, 31, 3), GREEN)
    p.paint(E(22, 26, 5.5, 2.8, -25), LIME)
    p.paint(E(9, 27, 5.5, 2.8, 25), LIME)
    for i in range(14):
        a = math.radians(i * 360 / 14)
        p.paint(E(15.5 + 9.5 * math.cos(a), 12 + 9.5 * math.sin(a), 4.8, 2.4,
                  i * 360 / 14), YELLOW, OLIVE)
    p.paint(E(15.5, 12, 6.5), OLIVE)
    p.fill(E(15.5, 12, 4.5), MAROON)
    for x, y in E(15.5, 12, 5.5):
        if (x + 2 * y) % 3 == 0:
            p.px(x, y, BLACK)
    p.outline()


@picture(G, 3, 'rose')
def rose(p):
    p.paint(L(15.5, 17, 16, 31, 3), GREEN)
    p.pxs([(13, 24), (18, 21), (13, 29)], GREEN)
    p.paint(E(8.5, 23, 5, 2.8, 30), LIME)
    p.line(6, 22, 12, 25, GREEN)
    p.paint(E(23, 26, 5, 2.8, -30), LIME)
    p.line(19, 28, 26, 24, GREEN)
    p.paint(P([(9, 14), (22, 14), (18, 20), (13, 20)]), GREEN)
    p.paint(E(15.5, 10, 10, 8.5), RED)
    p.paint(E(15.5, 8.5, 7, 5.5) & R(0, 0, 31, 11), RED, MAROON)
    p.paint(E(15.5, 7.5, 4, 3), RED, MAROON)
    p.fill(E(15.5, 7, 1.6, 1.2), MAROON)
    p.path(arc_pts(15.5, 11, 8, 5, 20, 160, 16), MAROON)
    p.shade(E(15.5, 10, 10, 8.5), RED, MAROON, lambda x, y: y >= 15 and x >= 17)
    p.pxs([(9, 5), (10, 4), (8, 7)], WHITE)
    p.outline()


@picture(G, 4, 'daisy')
def daisy(p):
    p.paint(PL([(15.5, 18), (15, 25), (16, 31)], 3), GREEN)
    p.paint(E(22, 25, 5.5, 2.6, -30), LIME)
    p.line(18, 27, 25, 23, GREEN)
    p.paint(E(9, 27, 5, 2.5, 20), LIME)
    for i in range(16):
        a = i * 360 / 16
        r = math.radians(a)
        p.paint(E(15.5 + 8 * math.cos(r), 11 + 8 * math.sin(r), 6.2, 1.9, a), WHITE)
    p.recolor(E(15.5, 11, 15, 11) & R(0, 13, 31, 31), WHITE, SILVER)
    p.recolor(E(15.5, 11, 15, 11), BLACK, GREY)
    p.paint(E(15.5, 11, 4.2), YELLOW)
    p.shade(E(15.5, 11, 4.2), YELLOW, OLIVE, lambda x, y: x + y >= 29)
    p.outline()


@picture(G, 5, 'mushroom')
def mushroom(p):
    p.paint(P([(10, 16), (21, 16), (22.5, 30), (8.5, 30)]) | E(15.5, 29, 7, 2.5), WHITE)
    p.shade(R(0, 0, 31, 31), WHITE, SILVER, lambda x, y: x >= 19)
    p.paint(E(15.5, 16, 13.5, 3), OLIVE)
    cap = E(15.5, 16, 15.5, 15) & R(0, 0, 31, 16)
    p.paint(cap, RED)
    p.shade(cap, RED, MAROON, lambda x, y: y >= 14 or x >= 28)
    for cx, cy, r in ((9, 8, 2.6), (17.5, 4.5, 2.2), (22.5, 10, 2.8), (14, 12.5, 1.8), (4.5, 13, 1.3), (27, 13.5, 1.2)):
        p.fill(E(cx, cy, r, r * 0.85), WHITE)
    p.line(12, 20, 12, 27, SILVER)


@picture(G, 6, 'watering-can')
def watering_can(p):
    p.paint(ring(12, 12, 9, 8.5, 4) & R(0, 0, 31, 14), GREEN)
    p.fill(ring(12, 12, 7.5, 7, 1.2) & R(0, 0, 31, 10), LIME)
    p.paint(P([(18, 27), (27, 10), (30, 11.5), (22, 29)]), GREEN)
    p.fill(L(20, 26, 27.5, 12, 1), LIME)
    p.paint(E(28, 8.5, 3.8, 2.6, -60), GREY)
    p.fill(E(28, 8.5, 1.8, 1.0, -60), SILVER)
    body = RR(2, 12, 22, 30, 3)
    p.paint(body, GREEN)
    p.fill(R(5, 15, 7, 27), LIME).fill(R(4, 17, 4, 25), LIME)
    p.paint(RR(1, 11, 23, 14, 1), LIME)
    p.fill(R(3, 12, 21, 12), WHITE)
    p.paint(R(2, 26, 22, 28), GREEN)
    p.fill(R(3, 27, 21, 27), OLIVE)
    p.pxs([(25, 12), (23, 14), (26, 15), (24, 17), (23, 20)], AQUA)


@picture(G, 7, 'snail')
def snail(p):
    body = PL([(2, 27), (22, 27), (26, 22), (27, 14)], 5) | L(26, 15, 30, 17, 4)
    p.paint(body, SILVER)
    p.paint(L(25, 14, 23, 4, 1.6) | L(28, 15, 29, 5, 1.6), GREY)
    p.paint(E(23, 4, 1.6) | E(29, 4.5, 1.6), BLACK)
    p.paint(E(12.5, 15.5, 11, 10.5), YELLOW)
    p.shade(E(12.5, 15.5, 11, 10.5), YELLOW, OLIVE, lambda x, y: y >= 22)
    pts = [(12.5 + 0.95 * t * math.cos(t), 15.5 + 0.9 * t * math.sin(t))
           for t in [i * 0.05 for i in range(0, 210)]]
    p.path([(int(round(x)), int(round(y))) for x, y in pts], MAROON)
    p.pxs([(8, 7), (7, 8), (6, 9)], WHITE)
    p.px(29, 17, BLACK).px(31, 18, BLACK)


@picture(G, 8, 'ladybug')
def ladybug(p):
    for y0 in (12, 18, 24):
        p.paint(L(3, y0 + 1, 28, y0 - 1, 1.5), BLACK)
    p.paint(L(13, 3, 10, 0, 1.2) | L(18, 3, 21, 0, 1.2), BLACK)
    p.paint(E(15.5, 5.5, 7, 4.5), BLACK)
    p.pxs([(12, 4), (19, 4)], WHITE)
    body = E(15.5, 18.5, 13, 12.5)
    p.paint(body, RED)
    p.shade(body, RED, MAROON, lambda x, y: x + y >= 40)
    p.line(15, 7, 15, 30, BLACK).line(16, 7, 16, 30, BLACK)
    for cx, cy, r in ((9, 13, 2.4), (22, 13, 2.4), (7.5, 21, 2.2), (23.5, 21, 2.2), (11, 27, 1.8), (20, 27, 1.8)):
        p.fill(E(cx, cy, r), BLACK)
    p.pxs([(7, 10), (8, 9), (6, 12)], WHITE)
    p.fill(E(15.5, 7, 4.5, 2) & R(0, 6, 31, 9), BLACK)
    p.outline()


@picture(G, 9, 'butterfly')
def butterfly(p):
    p.paint(E(9, 10, 8.5, 7.5, -35), FUCHSIA, PURPLE)
    p.paint(E(22, 10, 8.5, 7.5, 35), FUCHSIA, PURPLE)
    p.paint(E(10, 22, 6, 5.5, 30), PURPLE)
    p.paint(E(21, 22, 6, 5.5, -30), PURPLE)
    p.edge(E(9, 10, 8.5, 7.5, -35) | E(22, 10, 8.5, 7.5, 35), BLACK)
    for cx, cy, r in ((7, 8, 2.5), (24, 8, 2.5), (9.5, 22, 2), (21.5, 22, 2), (4, 12, 1.2), (27, 12, 1.2)):
        p.fill(E(cx, cy, r), YELLOW)
    p.paint(RR(14, 6, 17, 28, 1.5), BLACK)
    p.fill(R(15, 8, 16, 26), GREY)
    p.paint(E(15.5, 5, 2.5), BLACK)
    p.path([(14, 3), (12, 1), (10, 1)], BLACK).path([(17, 3), (19, 1), (21, 1)], BLACK)
    p.outline()


@picture(G, 10, 'bee')
def bee(p):
    p.paint(E(14, 7, 6, 5.5, -20), WHITE)
    p.paint(E(21.5, 7.5, 5, 4.5, 25), WHITE)
    p.recolor(E(14, 7, 6, 5.5, -20) | E(21.5, 7.5, 5, 4.5, 25), WHITE, AQUA)
    p.fill(E(13, 6, 3.5, 2.5, -20) | E(21, 6.5, 2.5, 2, 25), WHITE)
    p.paint(P([(28, 17), (31, 19), (28, 21)]), BLACK)
    body = E(17.5, 19, 11.5, 8.5)
    p.paint(body, YELLOW)
    for x0 in (14, 20, 25):
        p.fill({(x, y) for x, y in body if x0 <= x <= x0 + 2}, BLACK)
    p.shade(body, YELLOW, OLIVE, lambda x, y: y >= 24)
    p.paint(E(6, 18, 5.5, 5.5), BLACK)
    p.fill(E(4.5, 16.5, 1.6), WHITE).px(4, 17, BLACK)
    p.path([(5, 13), (4, 10), (2, 8)], BLACK).path([(8, 13), (9, 10), (8, 8)], BLACK)
    p.pxs([(14, 27), (13, 28), (20, 27), (20, 28), (19, 29)], BLACK)
    p.px(16, 13, WHITE).px(17, 13, WHITE)


@picture(G, 11, 'tree')
def tree(p):
    p.paint(P([(13, 18), (19, 18), (20, 28), (24, 31), (7, 31), (11, 28)]), MAROON)
    p.line(16, 22, 16, 29, BLACK)
    crown = E(15.5, 11, 13.5, 9.5) | E(7, 14, 6.5, 5.5) | E(24, 14, 6.5, 5.5) | E(15.5, 5.5, 8.5, 5.5)
    p.paint(crown, GREEN)
    for cx, cy in ((10, 7), (17, 4), (7, 13), (14, 11), (21, 9)):
        p.fill(E(cx, cy, 2.3, 1.7), LIME)
    for cx, cy in ((20, 16), (12, 17), (26, 13), (4, 16)):
        p.path(arc_pts(cx, cy, 2.5, 1.8, 0, 180, 6), BLACK)


@picture(G, 12, 'apple')
def apple(p):
    p.paint(L(16, 9, 18, 2, 2), OLIVE)
    p.paint(E(23, 5, 6, 3, -25), LIME)
    p.line(19, 7, 26, 4, GREEN)
    body = E(10.5, 19, 9.5, 11) | E(20.5, 19, 9.5, 11)
    body -= E(15.5, 7.5, 3, 2.5)
    body -= {(x, y) for x, y in E(15.5, 31, 2.5, 2)}
    p.paint(body, RED)
    p.shade(body, RED, MAROON, lambda x, y: x + 0.6 * y >= 36)
    p.fill(E(8, 14, 1.8, 3.2, 25), WHITE)


@picture(G, 13, 'pear')
def pear(p):
    p.paint(L(15, 7, 14, 1, 2), OLIVE)
    p.paint(E(20.5, 4, 5, 2.5, -20), GREEN)
    p.line(16, 5, 24, 3, BLACK)
    body = E(15.5, 22, 11, 9) | E(15.5, 11, 6.5, 6.5) | P([(9, 12), (22, 12), (26.5, 21), (4.5, 21)])
    p.paint(body, YELLOW)
    p.shade(body, YELLOW, LIME, lambda x, y: x >= 19 and y >= 9)
    p.shade(body, LIME, GREEN, lambda x, y: x + y >= 45)
    p.fill(E(10, 21, 1.8, 3), WHITE)
    p.pxs([(13, 26), (19, 17), (20, 26), (12, 15)], OLIVE)


@picture(G, 14, 'carrot')
def carrot(p):
    for ang in (-70, -40, -10):
        r = math.radians(ang - 45)
        p.paint(E(22 + 5 * math.cos(r), 9 + 5 * math.sin(r), 5.5, 2.2, ang - 45), LIME)
    p.path([(24, 7), (29, 2)], GREEN).path([(23, 6), (24, 1)], GREEN).path([(25, 8), (30, 7)], GREEN)
    body = P([(1, 31), (16.5, 8), (24, 15.5)]) | E(20.5, 12, 5.2)
    p.paint(body, RED)
    for x, y in body:
        if p.g[y][x] == RED and (x + y) % 2 == 0:
            p.g[y][x] = YELLOW
    for a, b in (((10, 20), (14, 24)), ((14, 14), (18, 17)), ((6, 26), (8, 28)), ((18, 10), (21, 12))):
        p.line(a[0], a[1], b[0], b[1], MAROON)
    p.pxs([(17, 9), (16, 10), (15, 11)], YELLOW)
    p.outline()


@picture(G, 15, 'spade')
def spade(p):
    p.paint(RR(9, 0, 22, 7, 2) - R(12, 3, 19, 4), BLACK)
    p.fill((RR(10, 1, 21, 6, 1) - R(11, 2, 20, 5)), OLIVE)
    p.fill(R(11, 1, 20, 1), YELLOW)
    p.paint(R(13, 6, 18, 20), OLIVE)
    p.fill(R(14, 7, 14, 19), YELLOW)
    blade = P([(6, 19), (25, 19), (25, 26), (15.5, 31.8), (6, 26)])
    p.paint(blade, SILVER)
    p.shade(blade, SILVER, GREY, lambda x, y: x >= 20)
    p.fill(R(8, 21, 9, 25), WHITE)
    p.paint(R(5, 18, 26, 21), GREY)
    p.paint(R(12, 16, 19, 21), GREY)
    p.fill(R(13, 17, 18, 17), SILVER)


@picture(G, 16, 'rake')
def rake(p):
    p.paint(L(15.5, 0, 15.5, 21, 4), OLIVE)
    p.line(15, 1, 15, 20, YELLOW)
    for x0 in range(3, 30, 4):
        p.fill(R(x0, 23, x0 + 1, 30), SILVER)
        p.fill(R(x0 + 1, 24, x0 + 1, 30), GREY)
    p.outline()
    p.paint(R(1, 19, 30, 24), GREY)
    p.fill(R(2, 20, 29, 21), SILVER)
    p.fill(R(2, 20, 29, 20), WHITE)
    p.paint(P([(10, 20), (15.5, 15), (21, 20)]), GREY)


@picture(G, 17, 'wheelbarrow')
def wheelbarrow(p):
    p.paint(L(20, 18, 26, 28, 2.5) | L(12, 20, 8, 28, 2.5), MAROON)
    p.paint(PL([(10, 13), (30, 13)], 3), OLIVE)
    p.paint(L(26, 14, 31, 14, 3), OLIVE)
    tub = P([(1, 7), (26, 7), (22, 19), (6, 19)])
    p.paint(tub, RED)
    p.paint(R(0, 6, 27, 8), MAROON)
    p.fill(R(1, 7, 26, 7), RED)
    p.shade(tub, RED, MAROON, lambda x, y: y >= 17)
    p.pxs([(5, 10), (6, 11), (6, 12)], WHITE)
    p.paint(E(10, 24.5, 6.5), BLACK)
    p.fill(E(10, 24.5, 4.5), GREY)
    p.fill(E(10, 24.5, 2.5), SILVER)
    p.fill(E(10, 24.5, 1), BLACK)


@picture(G, 18, 'bird-house')
def bird_house(p):
    p.paint(R(14, 24, 17, 31), GREY)
    p.paint(R(6, 11, 25, 26), YELLOW)
    p.shade(R(6, 11, 25, 26), YELLOW, OLIVE, lambda x, y: x >= 21)
    for y in (15, 19, 23):
        p.line(7, y, 24, y, OLIVE)
    p.paint(P([(15.5, 0), (31, 13), (28, 15), (15.5, 4.5), (3, 15), (0, 13)]), RED)
    p.paint(P([(15.5, 5), (24, 12), (7, 12)]), YELLOW)
    p.paint(E(15.5, 16, 3.2), BLACK)
    p.paint(R(14, 20, 17, 21), MAROON)
    p.paint(L(15.5, 21, 15.5, 24, 2), MAROON)


@picture(G, 19, 'flower-pot')
def flower_pot(p):
    for ang, ln in ((-60, 11), (-20, 10), (20, 10), (60, 11), (0, 13), (-40, 9), (40, 9)):
        r = math.radians(ang - 90)
        p.paint(E(15.5 + ln / 2 * math.cos(r), 16 + ln / 2 * math.sin(r) - 1, ln / 2 + 1, 2.6, ang - 90), LIME)
        p.line(15.5, 16, 15.5 + (ln - 1) * math.cos(r), 16 + (ln - 1) * math.sin(r) - 1, GREEN)
    pot = P([(6, 18), (25, 18), (23, 31), (8, 31)])
    p.paint(pot, RED)
    p.shade(pot, RED, MAROON, lambda x, y: x >= 20)
    p.paint(R(4, 16, 27, 20), RED)
    p.shade(R(4, 16, 27, 20), RED, MAROON, lambda x, y: x >= 23)
    p.pxs([(9, 22), (9, 23), (10, 24), (10, 25)], YELLOW)
    p.line(6, 17, 20, 17, YELLOW)


@picture(G, 20, 'cactus')
def cactus(p):
    p.paint(E(15.5, 30, 15, 4) & R(0, 0, 31, 31), YELLOW)
    p.shade(E(15.5, 30, 15, 4), YELLOW, OLIVE, lambda x, y: y >= 29)
    arms = PL([(4.5, 9), (4.5, 17), (9, 19.5), (13, 19.5)], 5) | PL([(26.5, 6), (26.5, 13), (22, 15.5), (18, 15.5)], 5)
    p.paint(arms, GREEN)
    trunk = L(15.5, 5, 15.5, 29, 9)
    p.paint(trunk, GREEN)
    p.fill(R(13, 5, 13, 27) | R(4, 10, 4, 16) | R(26, 7, 26, 12), LIME)
    p.edge(trunk, BLACK)
    p.line(17, 5, 17, 27, BLACK)
    for x, y in ((12, 9), (19, 12), (11, 17), (19, 20), (12, 24), (3, 13), (6, 11), (25, 9), (28, 11), (19, 26), (20, 7)):
        p.px(x, y, WHITE)
    p.paint(E(15.5, 2, 3, 2), FUCHSIA)
    p.px(15, 2, YELLOW).px(16, 2, YELLOW)
    p.outline()


@picture(G, 21, 'strawberry')
def strawberry(p):
    body = E(15.5, 13, 13, 8.5) | P([(3, 14), (28, 14), (20, 28), (15.5, 31), (11, 28)]) | E(15.5, 24, 7, 7)
    p.paint(body, RED)
    p.shade(body, RED, MAROON, lambda x, y: x - 0.4 * y >= 17)
    for x, y in body:
        if (x % 4 == 1 and y % 4 == 1) or (x % 4 == 3 and y % 4 == 3):
            if p.g[y][x] in (RED, MAROON) and y > 8:
                p.g[y][x] = YELLOW
    for ang in (-150, -110, -70, -30, 10, 50):
        r = math.radians(ang)
        p.paint(E(15.5 + 5.5 * math.cos(r), 7 + 3.5 * math.sin(r), 4.5, 1.9, ang), LIME)
    p.paint(P([(10, 5), (21, 5), (19, 9), (12, 9)]), GREEN)
    p.paint(L(15.5, 6, 17, 0, 2), GREEN)
    p.pxs([(7, 12), (6, 13), (6, 14)], WHITE)


@picture(G, 22, 'worm')
def worm(p):
    pts = [(2 + i * 0.5, 19 + 6 * math.sin((i * 0.5 - 2) / 24 * 2 * math.pi * 1.1)) for i in range(47)]
    body = set()
    for x, y in pts:
        body |= E(x, y, 3.2)
    head = E(27, 10, 4.5, 4.8)
    p.paint(body, FUCHSIA)
    for x, y in pts[6:42:5]:
        p.fill(L(x - 0.5, y - 2, x + 0.5, y + 2, 1) & body, PURPLE)
    p.edge(body, BLACK)
    p.paint(head, FUCHSIA)
    p.fill(E(27.5, 8.5, 1.8, 2.2), WHITE)
    p.px(28, 9, BLACK).px(28, 8, BLACK)
    p.path([(24, 12), (25, 13), (27, 13), (29, 12)], BLACK)
    p.pxs([(24, 8), (24, 9)], WHITE)


@picture(G, 23, 'frog')
def frog(p):
    p.paint(E(5.5, 27, 5, 3.5) | E(25.5, 27, 5, 3.5), GREEN)
    body = E(15.5, 19, 13, 10.5)
    p.paint(body, LIME)
    p.shade(body, LIME, GREEN, lambda x, y: y >= 25)
    p.paint(E(8.5, 7, 5.5) | E(22.5, 7, 5.5), LIME)
    p.paint(E(8.5, 7, 3.5), WHITE).paint(E(22.5, 7, 3.5), WHITE)
    p.fill(R(8, 6, 10, 8) | R(22, 6, 24, 8), BLACK)
    p.px(7, 5, WHITE).px(21, 5, WHITE)
    p.path(arc_pts(15.5, 15, 9, 5, 15, 165, 24), BLACK)
    p.path(arc_pts(15.5, 15, 9, 5, 30, 150, 24), BLACK)
    p.pxs([(14, 13), (17, 13)], BLACK)
    p.paint(E(10, 27, 3.5, 3) | E(21, 27, 3.5, 3), LIME)
    p.line(10, 25, 10, 29, BLACK).line(21, 25, 21, 29, BLACK)
    p.pxs([(9, 19), (10, 20)], WHITE)


@picture(G, 24, 'maple-leaf')
def maple_leaf(p):
    pts = [(15.5, 0), (18, 6), (21, 5), (20, 13), (25, 8), (26, 10), (31, 9), (29, 15),
           (31, 17), (23, 23), (24, 26), (17, 25), (16.5, 31), (14.5, 31), (14, 25), (7, 26),
           (8, 23), (0, 17), (2, 15), (0, 9), (5, 10), (6, 8), (11, 13), (10, 5), (13, 6)]
    leaf = P(pts)
    p.paint(leaf, RED)
    p.shade(leaf, RED, MAROON, lambda x, y: x >= 17 and y >= 14)
    p.shade(leaf, RED, YELLOW, lambda x, y: (x - 9) ** 2 + (y - 10) ** 2 <= 9)
    p.line(15, 3, 15, 30, MAROON)
    p.line(15, 22, 5, 13, MAROON).line(16, 22, 26, 13, MAROON)
    p.line(15, 15, 10, 8, MAROON).line(16, 15, 21, 8, MAROON)
    p.line(15, 23, 9, 24, MAROON).line(16, 23, 22, 24, MAROON)
    p.edge(leaf, BLACK)
    p.outline()


@picture(G, 25, 'garden-gate')
def garden_gate(p):
    p.paint(R(1, 8, 30, 12), SILVER).paint(R(1, 21, 30, 25), SILVER)
    p.fill(R(2, 9, 29, 9) | R(2, 22, 29, 22), WHITE)
    p.paint(L(4, 22, 27, 11, 3.4), SILVER)
    for x0 in range(2, 27, 6):
        picket = P([(x0 - 0.5, 31), (x0 - 0.5, 4), (x0 + 1.5, 1), (x0 + 3.5, 4), (x0 + 3.5, 31)])
        p.paint(picket, WHITE)
        p.fill(R(x0 + 2, 4, x0 + 2, 30), SILVER)
    for y in (9, 22):
        p.paint(R(0, y, 4, y + 2), BLACK)
        p.px(3, y + 1, GREY)
    p.paint(R(26, 15, 31, 18), BLACK)
    p.fill(R(27, 16, 30, 17), YELLOW)


# ================================================================== toys
T = 'set4-toys'

GLYPHS = {
    'A': ['.###.', '#...#', '#####', '#...#', '#...#'],
    'B': ['####.', '#...#', '####.', '#...#', '####.'],
    'C': ['.####', '#....', '#....', '#....', '.####'],
    '1': ['.##', '###', '.##', '.##', '###'],
    '7': ['#####', '...##', '..##.', '.##..', '.##..'],
}


def glyph(p, ch, x0, y0, c):
    for j, row in enumerate(GLYPHS[ch]):
        for i, v in enumerate(row):
            if v == '#':
                p.px(x0 + i, y0 + j, c)


@picture(T, 1, 'teddy-bear')
def teddy_bear(p):
    p.paint(E(7.5, 4.5, 4), OLIVE).paint(E(23.5, 4.5, 4), OLIVE)
    p.fill(E(7.5, 4.5, 1.8) | E(23.5, 4.5, 1.8), YELLOW)
    p.paint(E(5, 19, 3.5, 6, 35), OLIVE).paint(E(26, 19, 3.5, 6, -35), OLIVE)
    p.paint(E(9.5, 27.5, 5, 4), OLIVE).paint(E(21.5, 27.5, 5, 4), OLIVE)
    p.fill(E(9.5, 28, 2.8, 2.2) | E(21.5, 28, 2.8, 2.2), YELLOW)
    p.paint(E(15.5, 21, 8, 8), OLIVE)
    p.fill(E(15.5, 22, 4.5, 5), YELLOW)
    p.paint(E(15.5, 10, 9, 8), OLIVE)
    p.paint(E(15.5, 13, 4.5, 3.5), YELLOW)
    p.fill(E(15.5, 11.5, 1.8, 1.2), BLACK)
    p.line(15, 13, 15, 14, BLACK).pxs([(14, 15), (16, 15), (17, 14), (13, 14)], BLACK)
    p.fill(E(11, 8, 1.3, 1.5) | E(20, 8, 1.3, 1.5), BLACK)
    p.px(11, 7, WHITE).px(20, 7, WHITE)
    p.paint(P([(10, 16), (15.5, 18.5), (10, 21)]) | P([(21, 16), (15.5, 18.5), (21, 21)]), RED)
    p.paint(E(15.5, 18.5, 1.8), RED)


@picture(T, 2, 'beach-ball')
def beach_ball(p):
    cx, cy, r = 15.5, 15.5, 15.2
    ax, ay, az = -0.4, -0.75, 0.5
    n = math.sqrt(ax * ax + ay * ay + az * az)
    ax, ay, az = ax / n, ay / n, az / n
    b1 = (1.0, 0.0, 0.0)
    d = b1[0] * ax
    b1 = (1 - d * ax, -d * ay, -d * az)
    n = math.sqrt(sum(v * v for v in b1))
    b1 = tuple(v / n for v in b1)
    b2 = (ay * b1[2] - az * b1[1], az * b1[0] - ax * b1[2], ax * b1[1] - ay * b1[0])
    w = (WHITE, SILVER)
    panels = [(RED, MAROON), w, (BLUE, NAVY), w, (YELLOW, OLIVE), w, (LIME, GREEN), w]
    ball = E(cx, cy, r)
    for x, y in ball:
        nx, ny = (x - cx) / r, (y - cy) / r
        nz = math.sqrt(max(0.0, 1 - nx * nx - ny * ny))
        if nx * ax + ny * ay + nz * az > 0.96:
            p.px(x, y, WHITE)
            continue
        lon = math.atan2(nx * b2[0] + ny * b2[1] + nz * b2[2], nx * b1[0] + ny * b1[1] + nz * b1[2])
        k = int(((math.degrees(lon) + 380) % 360) // 45)
        lit, dark = panels[k]
        p.px(x, y, dark if nx + ny > 0.75 else lit)
    p.edge(ball, BLACK)
    p.fill(E(20.5, 6.5, 2.2, 1.2, 25), WHITE)


@picture(T, 3, 'kite')
def kite(p):
    p.path([(20, 24), (17, 26), (12, 27), (8, 28), (4, 28), (1, 31)], WHITE)
    for cx, cy, a in ((15, 26.5, 20), (7, 28, -20)):
        p.paint(P(rot([(cx - 3, cy - 2), (cx, cy), (cx - 3, cy + 2)], cx, cy, a)), RED)
        p.paint(P(rot([(cx + 3, cy - 2), (cx, cy), (cx + 3, cy + 2)], cx, cy, a)), YELLOW)
    top, right, bot, left = (21, 0), (31, 8), (19.5, 25), (7, 10)
    mid = (20.5, 8.5)
    p.fill(P([top, right, mid]), RED)
    p.fill(P([right, bot, mid]), YELLOW)
    p.fill(P([bot, left, mid]), BLUE)
    p.fill(P([left, top, mid]), LIME)
    kite = P([top, right, bot, left])
    p.edge(kite, BLACK)
    p.line(21, 1, 20, 24, MAROON).line(8, 10, 30, 8, MAROON)
    p.outline()


@picture(T, 4, 'yo-yo')
def yo_yo(p):
    p.path([(16, 18), (16, 2)], BLACK)
    p.paint(ring(16, 3, 3, 2.5, 1.5), BLACK)
    body = E(15.5, 19, 12.5, 12.5)
    p.paint(body, RED)
    p.shade(body, RED, MAROON, lambda x, y: (x - 10) ** 2 + (y - 13) ** 2 >= 240)
    p.paint(E(15.5, 19, 7.5), RED)
    p.paint(E(15.5, 19, 3), SILVER)
    p.fill(E(15.5, 19, 1.2), GREY)
    p.path(arc_pts(15.5, 19, 10.5, 10.5, 200, 250, 10), WHITE)
    p.path(arc_pts(15.5, 19, 5.5, 5.5, 200, 250, 6), WHITE)
    p.paint(L(16, 0, 16, 17, 1), WHITE)
    p.paint(ring(16, 3, 3, 2.5, 1.5), WHITE)
    p.outline()


@picture(T, 5, 'spinning-top')
def spinning_top(p):
    p.paint(R(13, 0, 18, 7), SILVER)
    p.fill(R(14, 1, 14, 6), WHITE)
    body = (E(15.5, 11.5, 15, 5) & R(0, 0, 31, 11)) | P([(0.5, 11), (30.5, 11), (16.5, 31.5), (14.5, 31.5)])
    p.paint(body, RED)
    for y0, y1, c in ((9, 12, YELLOW), (14, 17, BLUE), (20, 22, YELLOW), (25, 26, BLUE)):
        p.fill({(x, y) for x, y in body if y0 <= y <= y1}, c)
    p.edge(body, BLACK)
    p.shade(body, RED, MAROON, lambda x, y: x >= 22 - (y - 11) * 0.3)
    p.shade(body, BLUE, NAVY, lambda x, y: x >= 22 - (y - 11) * 0.3)
    p.shade(body, YELLOW, OLIVE, lambda x, y: x >= 22 - (y - 11) * 0.3)
    p.edge(body, BLACK)
    p.paint(E(15.5, 7, 6, 2), RED)
    p.pxs([(4, 10), (5, 12), (6, 13)], WHITE)


@picture(T, 6, 'rocking-horse')
def rocking_horse(p):
    p.paint(PL([(8, 16), (6, 25)], 3) | PL([(12, 16), (11, 27)], 3) | PL([(20, 16), (21, 27)], 3) | PL([(24, 15), (26, 25)], 3), WHITE)
    p.recolor(R(0, 18, 31, 31), WHITE, SILVER)
    p.paint(PL(arc_pts(15.5, 10, 16, 19, 28, 152, 24), 3.2), RED)
    p.paint(P([(25, 10), (30, 14), (31, 21), (28, 19), (24, 14)]), YELLOW)
    p.paint(E(16.5, 13.5, 9.5, 4.5), WHITE)
    p.paint(P([(7, 14), (4, 5), (9, 2), (14, 11), (12, 15)]), WHITE)
    p.paint(E(4.5, 7, 4.5, 2.6, 40), WHITE)
    p.paint(P([(7, 2), (8, -1), (10, 2)]), WHITE)
    p.paint(PL([(9, 1), (12, 5), (14, 10), (16, 10)], 2.6), YELLOW)
    p.px(6, 5, BLACK).px(2, 10, BLACK)
    p.paint(RR(14, 8, 21, 11, 1), RED)
    p.paint(L(4, 9, 13, 12, 1), MAROON)
    p.shade(E(16.5, 13.5, 9.5, 4.5), WHITE, SILVER, lambda x, y: y >= 17)


@picture(T, 7, 'toy-car')
def toy_car(p):
    p.paint(P([(8, 13), (11, 5), (22, 5), (26, 13)]), RED)
    p.paint(P([(10, 12), (12.5, 7), (16, 7), (16, 12)]), AQUA)
    p.paint(P([(18, 12), (18, 7), (21, 7), (23.5, 12)]), AQUA)
    p.px(13, 9, WHITE).px(14, 8, WHITE).px(19, 9, WHITE).px(20, 8, WHITE)
    body = RR(1, 12, 30, 23, 3)
    p.paint(body, RED)
    p.fill(R(3, 14, 28, 14), WHITE)
    p.shade(body, RED, MAROON, lambda x, y: y >= 21)
    p.line(16, 13, 16, 21, MAROON)
    p.pxs([(18, 16), (19, 16)], BLACK)
    p.paint(R(27, 15, 30, 17), YELLOW)
    p.paint(R(1, 15, 3, 17), MAROON)
    for cx in (8, 23.5):
        p.paint(E(cx, 24, 5.5), BLACK)
        p.fill(E(cx, 24, 2.5), SILVER)
        p.fill(E(cx, 24, 1), GREY)


@picture(T, 8, 'train-engine')
def train_engine(p):
    p.paint(P([(4, 9), (10, 9), (9, 3), (5, 3)]), BLACK)
    p.paint(R(3, 1, 11, 3), GREY)
    p.paint(R(12, 5, 15, 10), YELLOW)
    p.paint(RR(1, 9, 22, 21, 3), BLUE)
    p.fill(R(3, 11, 20, 11), AQUA)
    p.shade(R(1, 9, 22, 21), BLUE, NAVY, lambda x, y: y >= 18)
    for x in (7, 14):
        p.line(x, 10, x, 20, NAVY)
    p.paint(R(20, 3, 31, 22), RED)
    p.paint(R(19, 1, 31, 4), MAROON)
    p.paint(R(23, 7, 28, 12), AQUA)
    p.px(24, 8, WHITE).px(25, 8, WHITE)
    p.paint(R(0, 21, 31, 24), GREY)
    p.paint(P([(0, 18), (3, 18), (3, 27), (-3, 27)]), RED)
    for cx, r in ((7, 4.0), (16, 4.0), (25.5, 5.0)):
        p.paint(E(cx, 26.5 if r == 4 else 26, r), BLACK)
        p.fill(E(cx, 26.5 if r == 4 else 26, r - 1.5), RED)
        p.fill(E(cx, 26.5 if r == 4 else 26, 0.8), YELLOW)
    p.paint(L(7, 26, 25, 26, 2), SILVER)
    p.paint(E(1.5, 14, 1.8), YELLOW)


@picture(T, 9, 'robot')
def robot(p):
    p.paint(L(15.5, 0.5, 15.5, 4, 1), GREY)
    p.paint(E(15.5, 1.5, 1.6), RED)
    p.paint(E(8, 8.5, 2, 2.5) | E(23, 8.5, 2, 2.5), GREY)
    head = RR(9, 3, 22, 13, 2)
    p.paint(head, SILVER)
    p.paint(R(11, 6, 14, 9), YELLOW).paint(R(17, 6, 20, 9), YELLOW)
    p.fill(R(12, 7, 13, 8) | R(18, 7, 19, 8), BLACK)
    p.paint(R(12, 10, 19, 12), GREY)
    p.pxs([(13, 11), (15, 11), (17, 11)], WHITE)
    p.paint(R(13, 13, 18, 15), GREY)
    p.paint(R(3, 15, 6, 24) | R(25, 15, 28, 24), SILVER)
    p.paint(R(1, 23, 7, 26) - R(3, 25, 5, 26), GREY).paint(R(24, 23, 30, 26) - R(26, 25, 28, 26), GREY)
    body = R(6, 14, 25, 25)
    p.paint(body, SILVER)
    p.fill(R(7, 15, 24, 15), WHITE)
    p.shade(body, SILVER, GREY, lambda x, y: x >= 23)
    p.paint(R(9, 17, 19, 22), NAVY)
    p.pxs([(11, 19), (13, 19), (15, 19)], LIME).px(17, 20, RED).px(11, 21, YELLOW).px(13, 21, YELLOW)
    p.paint(E(22, 19, 1.6), RED)
    p.paint(R(9, 25, 13, 29) | R(18, 25, 22, 29), GREY)
    p.paint(R(7, 28, 14, 31) | R(17, 28, 24, 31), SILVER)


@picture(T, 10, 'drum')
def drum(p):
    p.paint(L(4, 1, 17, 10, 2.2), OLIVE).paint(L(27, 1, 14, 10, 2.2), OLIVE)
    p.paint(E(4, 1.5, 2) | E(27, 1.5, 2), YELLOW)
    shell = (R(2, 11, 29, 26)) | E(15.5, 26, 14, 4.5)
    p.paint(shell, RED)
    p.fill(R(3, 13, 28, 13), WHITE)
    zig = [(3, 13), (8, 24), (13, 13), (18, 24), (23, 13), (28, 24)]
    p.path(zig, YELLOW)
    p.shade(shell, RED, MAROON, lambda x, y: x >= 25)
    p.paint(L(2, 25, 29, 25, 2.6) | (E(15.5, 26, 14, 4.5) - E(15.5, 24.5, 13, 4.5)), BLUE)
    p.paint(ring(15.5, 11, 14.5, 5, 2), BLUE)
    p.paint(E(15.5, 11, 12.5, 3.5), WHITE)
    p.shade(E(15.5, 11, 12.5, 3.5), WHITE, SILVER, lambda x, y: y >= 12)
    p.paint(E(17, 10, 1.5, 1) | E(14, 10, 1.5, 1), YELLOW)


@picture(T, 11, 'trumpet')
def trumpet(p):
    p.paint(RR(8, 18, 23, 24, 3) - RR(10, 20, 21, 22, 1), YELLOW)
    p.paint(R(0, 13, 4, 17), GREY)
    p.paint(R(2, 14, 24, 17), YELLOW)
    p.fill(R(3, 15, 23, 15), WHITE)
    bell = P([(20, 13), (26, 11), (29, 7), (31, 6), (31, 26), (29, 24), (26, 20), (20, 18)])
    p.paint(bell, YELLOW)
    p.shade(bell, YELLOW, OLIVE, lambda x, y: y >= 19)
    p.paint(E(30.5, 16, 1.5, 9.5), OLIVE)
    p.fill(R(23, 12, 28, 12) | R(27, 10, 29, 9), WHITE)
    for x0 in (9, 13, 17):
        p.paint(R(x0, 8, x0 + 2, 14), SILVER)
        p.paint(R(x0 - 1, 6, x0 + 3, 8), YELLOW)
        p.paint(R(x0, 17, x0 + 2, 20), OLIVE)
    p.paint(R(6, 14, 7, 17), OLIVE)


@picture(T, 12, 'blocks')
def blocks(p):
    def cube(x0, y0, s, d, front, top, side, ch, ink):
        p.paint(P([(x0, y0), (x0 + d, y0 - d), (x0 + s + d, y0 - d), (x0 + s, y0)]) | R(x0, y0 - 1, x0 + s, y0), top)
        p.paint(P([(x0 + s, y0), (x0 + s + d, y0 - d), (x0 + s + d, y0 + s - d), (x0 + s, y0 + s)]) | R(x0 + s - 1, y0, x0 + s, y0 + s), side)
        p.paint(R(x0, y0, x0 + s, y0 + s), front)
        glyph(p, ch, x0 + (s - 4) // 2, y0 + (s - 4) // 2, ink)
    cube(0, 18, 13, 3, RED, YELLOW, MAROON, 'A', WHITE)
    cube(14, 18, 13, 3, BLUE, AQUA, NAVY, 'B', WHITE)
    cube(7, 4, 13, 3, LIME, YELLOW, GREEN, 'C', BLACK)


@picture(T, 13, 'doll')
def doll(p):
    p.paint(R(11, 26, 13, 30) | R(18, 26, 20, 30), WHITE)
    p.paint(R(10, 29, 14, 31) | R(17, 29, 21, 31), RED)
    p.paint(L(9, 16, 4, 24, 2.6) | L(22, 16, 27, 24, 2.6), WHITE)
    dress = P([(11, 14), (20, 14), (27, 27), (4, 27)])
    p.paint(dress, RED)
    p.shade(dress, RED, MAROON, lambda x, y: x >= 20)
    p.fill(R(6, 25, 25, 25), WHITE)
    p.paint(P([(11, 14), (15.5, 18), (20, 14)]), WHITE)
    p.pxs([(15, 20), (15, 23)], YELLOW)
    p.paint(E(15.5, 8, 9, 8.5) | E(6.5, 13, 3, 4.5) | E(24.5, 13, 3, 4.5), YELLOW)
    p.shade(E(15.5, 8, 9, 8.5), YELLOW, OLIVE, lambda x, y: x >= 22)
    face = E(15.5, 9.5, 6, 6)
    p.paint(face, WHITE)
    p.fill(E(15.5, 4, 6, 2.5) & face, YELLOW)
    p.pxs([(13, 9), (18, 9)], BLACK).pxs([(13, 8), (18, 8)], BLUE)
    p.pxs([(12, 11), (19, 11)], FUCHSIA).pxs([(14, 13), (15, 13), (16, 13), (17, 13)], RED)
    p.paint(E(25, 4, 2.5, 2.5), BLUE).paint(E(6, 4, 2.5, 2.5), BLUE)
    p.outline()


@picture(T, 14, 'rubber-duck')
def rubber_duck(p):
    body = E(16, 21, 14, 8.5) | P([(24, 13), (31, 9), (29, 19)])
    p.paint(body, YELLOW)
    p.shade(body, YELLOW, OLIVE, lambda x, y: y >= 26)
    p.path(arc_pts(18, 19, 7, 5, 20, 150, 12), OLIVE)
    head = E(10.5, 9, 7.5, 7)
    p.paint(head, YELLOW)
    p.paint(P([(0, 10), (4, 8), (5, 13), (1, 13)]), RED)
    p.line(1, 11, 4, 11, MAROON)
    p.fill(E(9, 7, 1.5, 2), BLACK)
    p.px(9, 6, WHITE)
    p.pxs([(12, 4), (13, 4), (14, 5)], WHITE)
    p.outline()


@picture(T, 15, 'sailboat')
def sailboat(p):
    p.fill(R(15, 1, 16, 23), MAROON)
    p.paint(P([(17, 3), (17, 21), (29, 21)]), WHITE)
    p.shade(P([(17, 3), (17, 21), (29, 21)]), WHITE, SILVER, lambda x, y: x >= 22)
    p.paint(P([(14, 5), (14, 21), (3, 21)]), WHITE)
    p.fill(R(8, 17, 13, 17) & P([(14, 5), (14, 21), (3, 21)]), RED)
    p.paint(P([(16, 0), (22, 2), (16, 4)]), RED)
    hull = P([(1, 21), (31, 21), (26, 28), (6, 28)])
    p.paint(hull, RED)
    p.fill(R(3, 23, 28, 23), WHITE)
    p.shade(hull, RED, MAROON, lambda x, y: y >= 26)
    waves = set()
    for x in range(0, 32):
        y = 29 + round(math.sin(x * 0.8))
        waves |= {(x, y), (x, y + 1)}
    p.paint(waves | R(0, 30, 31, 31), BLUE)
    p.pxs([(x, 29 + round(math.sin(x * 0.8))) for x in range(1, 31, 2)], AQUA)
    p.outline()


@picture(T, 16, 'dice')
def dice(p):
    top = P([(2, 11), (11, 2), (30, 2), (21, 11)])
    side = P([(21, 11), (30, 2), (30, 21), (21, 30)])
    front = R(2, 11, 21, 30)
    p.paint(top | R(2, 11, 21, 11), SILVER)
    p.paint(side | R(21, 11, 21, 30), GREY)
    p.paint(front, WHITE)
    for cx, cy in ((6.5, 15.5), (16.5, 15.5), (11.5, 20.5), (6.5, 25.5), (16.5, 25.5)):
        p.fill(E(cx, cy, 1.6), BLACK)
    p.fill(E(16, 6.5, 2.6, 1.3), RED)
    for x, y in ((23, 22), (27, 12)):
        p.fill(P([(x - 0.6, y - 0.6), (x + 1.4, y - 2.6), (x + 1.4, y + 1.4), (x - 0.6, y + 3.4)]), BLACK)


@picture(T, 17, 'jack-in-the-box')
def jack_in_the_box(p):
    p.paint(P([(3, 19), (0, 11), (3, 11), (6, 19)]), BLUE)
    p.path([(15, 19), (12, 17), (19, 15), (12, 13), (19, 11)], GREY)
    box = R(4, 18, 27, 31)
    p.paint(box, BLUE)
    p.shade(box, BLUE, NAVY, lambda x, y: x >= 23)
    p.paint(P([(15.5, 20), (17, 23.5), (21, 24), (18, 26.5), (19, 30), (15.5, 28), (12, 30), (13, 26.5), (10, 24), (14, 23.5)]), YELLOW)
    p.paint(R(3, 17, 28, 19), RED)
    p.paint(E(8.5, 13, 2.5, 2) | E(23, 13, 2.5, 2), RED)
    p.paint(E(15.5, 12, 6.5, 6), WHITE)
    p.paint(P([(9, 8), (22, 8), (15.5, 0)]), RED)
    p.paint(E(15.5, 1, 1.8), YELLOW)
    p.pxs([(13, 11), (18, 11)], BLACK)
    p.paint(E(15.5, 13, 1.6), RED)
    p.path([(12, 15), (14, 16), (17, 16), (19, 15)], RED)
    p.pxs([(14, 6), (17, 4)], YELLOW)


@picture(T, 18, 'balloon')
def balloon(p):
    string = [(16, 25), (17, 27), (15, 29), (16, 31)]
    p.path(string, GREY)
    p.paint(P([(14, 26), (15.5, 23), (17, 26)]), RED)
    body = E(15.5, 12, 11, 12.5) | P([(8, 20), (23, 20), (15.5, 25)])
    p.paint(body, RED)
    p.shade(body, RED, MAROON, lambda x, y: (x - 11) ** 2 + (y - 7) ** 2 >= 260)
    p.fill(E(10, 7, 2, 3.5, 30), WHITE)
    p.px(13, 4, WHITE)
    p.outline()


@picture(T, 19, 'whistle')
def whistle(p):
    p.path([(26, 4), (28, 2), (31, 1)], RED)
    p.paint(ring(25, 5.5, 5, 5, 3.2), GREY)
    p.fill(ring(25, 5.5, 4, 4, 1.2), SILVER)
    body = E(19, 19.5, 11.5, 11) | R(0, 9, 19, 17)
    p.paint(body, SILVER)
    p.shade(body, SILVER, GREY, lambda x, y: (x - 17) ** 2 + (y - 16) ** 2 >= 150 and y > 17)
    p.fill(R(1, 10, 18, 10) | R(1, 10, 1, 15), WHITE)
    p.paint(R(0, 9, 3, 17), GREY)
    p.fill(R(1, 10, 2, 10), SILVER)
    p.paint(R(13, 8, 18, 11), BLACK)
    p.fill(E(24, 14, 1.6, 2.6, -30), WHITE)
    p.path([(26, 4), (28, 2), (31, 1)], RED)
    p.outline()


@picture(T, 20, 'paper-plane')
def paper_plane(p):
    nose = (31, 2)
    p.paint(P([nose, (0, 13), (11, 17)]), WHITE)
    p.paint(P([nose, (11, 17), (13, 28)]), SILVER)
    p.paint(P([nose, (13, 21), (20, 26)]), GREY)
    p.paint(P([nose, (11, 17), (13, 21)]), WHITE)
    p.pxs([(2, 22), (3, 22), (5, 22), (6, 22), (1, 26), (2, 26), (4, 26), (6, 28), (7, 28), (9, 28)], GREY)
    p.outline()


@picture(T, 21, 'puzzle-piece')
def puzzle_piece(p):
    piece = R(2, 7, 24, 29) | E(13, 4, 3.8, 3.5) | R(11, 5, 15, 7) | E(27.5, 18, 3.5, 3.8) | R(23, 16, 26, 20)
    piece -= E(6, 18, 2.8, 3.2) | R(2, 17, 4, 19) | E(13, 25.5, 3.2, 2.8) | R(12, 27, 14, 29)
    p.paint(piece, LIME)
    p.shade(piece, LIME, GREEN, lambda x, y: x >= 22 or y >= 27)
    p.fill(R(3, 8, 9, 8) | R(17, 8, 21, 8) | R(3, 8, 3, 13) | R(3, 23, 3, 26) | R(11, 2, 12, 2), WHITE)


@picture(T, 22, 'marbles')
def marbles(p):
    for cx, cy, r, c, dark, eye, ang in ((15.5, 8.5, 8.3, BLUE, NAVY, YELLOW, -30),
                                         (8.5, 22.5, 8.3, RED, MAROON, WHITE, 40),
                                         (23, 22.5, 8.3, LIME, GREEN, BLUE, -60)):
        m = E(cx, cy, r)
        p.paint(m, c)
        p.shade(m, c, dark, lambda x, y: (x - cx + 3) ** 2 + (y - cy + 3) ** 2 >= (r + 1) ** 2)
        p.fill(E(cx, cy, r - 2.2, 1.6, ang), eye)
        p.fill(E(cx - 3, cy - 3.5, 1.8, 1.2, -40), WHITE)


@picture(T, 23, 'race-car')
def race_car(p):
    p.paint(R(2, 9, 4, 17), GREY)
    p.paint(R(0, 6, 8, 9), RED)
    body = P([(1, 16), (9, 14), (12, 11), (20, 11), (22, 15), (31, 19), (31, 23), (1, 23)])
    p.paint(body, YELLOW)
    p.fill(R(2, 19, 30, 20), RED)
    p.shade(body, YELLOW, OLIVE, lambda x, y: y >= 22)
    p.paint(P([(13, 14), (14, 11), (19, 11), (21, 14)]), BLACK)
    p.paint(E(16.5, 10, 3, 3), BLUE)
    p.fill(R(17, 9, 19, 10), AQUA)
    p.px(15, 8, WHITE)
    p.paint(E(11, 17.5, 3.8, 3.5), WHITE)
    glyph(p, '7', 9, 15, BLACK)
    for cx, cy, r in ((7, 25, 6), (25.5, 25.5, 5.5)):
        p.paint(E(cx, cy, r), BLACK)
        p.fill(E(cx, cy, 2.3), SILVER)
        p.fill(E(cx, cy, 0.8), GREY)
    p.outline()


@picture(T, 24, 'xylophone')
def xylophone(p):
    p.paint(L(3, 3.5, 28, 1.5, 3) | L(6, 8, 30, 6.5, 3), OLIVE)
    p.fill(L(4, 3, 27, 1, 1) | L(7, 7.5, 29, 6, 1), YELLOW)
    p.paint(E(3, 3.5, 3), RED).paint(E(5.5, 8, 3), BLUE)
    p.px(2, 2, WHITE).px(4, 7, WHITE)
    p.paint(L(1, 14, 30, 17, 2.6) | L(1, 28, 30, 25, 2.6), MAROON)
    cols = [RED, YELLOW, LIME, AQUA, BLUE, PURPLE, FUCHSIA]
    for i, c in enumerate(cols):
        x0 = 2 + i * 4
        y0 = 12 + i * 0.5
        y1 = 30 - i * 0.6
        bar = R(x0, int(round(y0)), x0 + 3, int(round(y1)))
        p.paint(bar, c)
        p.px(x0 + 1, int(round(y0)) + 1, WHITE)
    for i in range(7):
        x0 = 2 + i * 4
        p.px(x0 + 1, int(round(14 + i * 0.43)), GREY).px(x0 + 2, int(round(28 - i * 0.43)), GREY)
    p.outline()


@picture(T, 25, 'pinwheel')
def pinwheel(p):
    p.paint(L(15.5, 15, 15.5, 31, 2.6), OLIVE)
    c0 = (15.5, 12)
    for k, (col, dark) in enumerate(((RED, MAROON), (YELLOW, OLIVE), (BLUE, NAVY), (LIME, GREEN))):
        blade = rot([(15.5, 12), (15.5, 0), (27, 0.5), (19, 9)], 15.5, 12, 90 * k)
        fold = rot([(15.5, 12), (15.5, 0), (19, 9)], 15.5, 12, 90 * k)
        p.paint(P(blade), col)
        p.paint(P(fold), dark)
    p.paint(E(15.5, 12, 1.8), WHITE)

# =============================================================== kitchen
K = 'set5-kitchen'


@picture(K, 1, 'teapot')
def teapot(p):
    p.paint(ring(26, 18, 5, 6, 2.6), BLUE)
    p.paint(P([(7, 19), (1, 11), (-1, 9), (3, 8), (6, 13), (10, 16)]), WHITE)
    body = E(15.5, 20, 11.5, 10) & R(0, 0, 31, 29) | RR(6, 27, 25, 30, 1)
    p.paint(body, WHITE)
    p.shade(body, WHITE, SILVER, lambda x, y: (x - 11) ** 2 + (y - 15) ** 2 >= 150)
    p.fill(R(5, 19, 26, 21) & body, BLUE)
    p.edge(body, BLACK)
    p.paint(E(15.5, 10, 8, 2.5), BLUE)
    p.paint(E(15.5, 8, 6, 3) & R(0, 0, 31, 9), WHITE)
    p.paint(E(15.5, 4, 2), BLUE)
    p.pxs([(8, 15), (9, 14), (10, 13)], WHITE)
    p.px(14, 3, WHITE)
    p.outline()


@picture(K, 2, 'cup')
def cup(p):
    for x0 in (11, 17):
        p.path([(x0, 9), (x0 - 1, 7), (x0, 5), (x0 + 1, 3), (x0, 1)], WHITE)
    p.paint(E(15.5, 27.5, 15, 4), WHITE)
    p.shade(E(15.5, 27.5, 15, 4), WHITE, SILVER, lambda x, y: y >= 29)
    p.paint(E(15.5, 26.5, 9, 2), SILVER)
    p.paint(ring(24, 17, 5.5, 5, 2.6), RED)
    body = P([(3, 11), (26, 11), (24, 22), (20, 27), (11, 27), (7, 22)])
    p.paint(body, RED)
    p.shade(body, RED, MAROON, lambda x, y: x >= 20)
    p.fill(R(6, 14, 7, 20) & body, WHITE)
    p.paint(E(14.5, 11, 11.5, 2.8), WHITE)
    p.paint(E(14.5, 11.3, 9.5, 1.6), MAROON)
    p.outline()


@picture(K, 3, 'kettle')
def kettle(p):
    p.paint(PL(arc_pts(15.5, 12, 10, 9, 180, 360, 20), 3.2), BLACK)
    p.fill(PL(arc_pts(15.5, 12, 10, 9, 190, 350, 20), 1), GREY)
    p.paint(P([(7, 20), (0, 10), (2, 9), (9, 15)]), SILVER)
    body = (E(15.5, 22, 13.5, 11) & R(0, 0, 31, 28)) | R(3, 24, 28, 28)
    body &= R(0, 9, 31, 31)
    p.paint(body, SILVER)
    p.shade(body, SILVER, GREY, lambda x, y: x >= 22)
    p.fill(R(6, 15, 7, 25) | R(5, 18, 5, 25), WHITE)
    p.paint(R(1, 27, 30, 30), GREY)
    p.fill(R(2, 28, 29, 28), SILVER)
    p.paint(E(15.5, 10.5, 5, 1.8), GREY)
    p.paint(E(15.5, 8.5, 2.2, 1.6), BLACK)


@picture(K, 4, 'frying-pan')
def frying_pan(p):
    p.paint(L(22, 21, 30, 29, 3.5), BLACK)
    p.fill(L(25, 24, 29, 28, 1), GREY)
    pan = E(12.5, 12.5, 12.5)
    p.paint(pan, GREY)
    p.paint(E(12.5, 12.5, 10.5), BLACK)
    egg = E(12, 12, 7.5, 6.5, -20) | E(8, 15, 4.5) | E(16, 9, 4)
    p.paint(egg, WHITE)
    p.shade(egg, WHITE, SILVER, lambda x, y: x + y >= 31)
    p.paint(E(11.5, 12, 3.2), YELLOW)
    p.fill(E(12, 12.5, 2, 2), YELLOW).px(10, 11, WHITE).px(11, 10, WHITE)
    p.px(12, 14, OLIVE).px(13, 14, OLIVE)
    p.pxs([(4, 6), (5, 5), (6, 4)], SILVER)


@picture(K, 5, 'fork')
def fork(p):
    p.fill(R(13, 9, 17, 18), SILVER)
    p.fill(R(7, 4, 23, 9) | (E(15, 9, 8, 4.5) & R(0, 9, 31, 31)), SILVER)
    for x0 in (7, 11, 15, 19):
        p.fill(R(x0, 1, x0 + 4, 4) - R(x0 + 4, 0, x0 + 4, 4) if x0 < 19 else R(x0, 1, x0 + 4, 4), SILVER)
    for x in (11, 15, 19):
        p.fill(R(x, 0, x, 5), CLEAR)
    p.shade(R(0, 0, 31, 31), SILVER, GREY, lambda x, y: x in (10, 14, 18, 23) or (y >= 10 and x >= 19) or (y >= 11 and x == 17))
    p.fill(R(8, 2, 8, 9) | R(9, 10, 10, 11), WHITE)
    p.fill(RR(11, 17, 19, 30, 3), MAROON)
    p.fill(R(13, 19, 13, 28), RED)
    p.px(15, 21, YELLOW).px(15, 27, YELLOW)
    p.outline()
    p.line(12, 17, 18, 17, BLACK)


@picture(K, 6, 'spoon')
def spoon(p):
    p.paint(L(28.5, 29.5, 15, 16, 3.6), SILVER)
    p.fill(L(28, 28, 16, 16, 1), WHITE)
    bowl = E(10.5, 10.5, 11, 7, 45)
    p.paint(bowl, SILVER)
    p.paint(E(10, 10, 8.5, 4.8, 45), GREY)
    p.shade(E(10, 10, 8.5, 4.8, 45), GREY, SILVER, lambda x, y: x + y >= 22)
    p.fill(E(7, 7, 3, 1.3, 45), WHITE)
    p.shade(bowl, SILVER, WHITE, lambda x, y: x - y >= 6)


@picture(K, 7, 'knife')
def knife(p):
    def at(pts):
        return P([(15.5 + (u - v) * 0.7071, 15.5 - (u + v) * 0.7071) for u, v in pts])
    blade = at([(0, -3.2), (21.5, -3.2), (23.5, -2.5), (18, 1.5), (12, 3.4), (0, 3.4)])
    p.paint(blade, SILVER)
    p.shade(blade, SILVER, WHITE, lambda x, y: x + y <= 30)
    p.paint(at([(-3, -4.2), (0.5, -4.2), (0.5, 4.2), (-3, 4.2)]), GREY)
    handle = at([(-20, -3), (-3, -3), (-3, 3), (-20, 3)])
    p.paint(handle, MAROON)
    p.shade(handle, MAROON, RED, lambda x, y: x + y <= 31)
    for u in (-16, -8):
        cx, cy = 15.5 + u * 0.7071, 15.5 - u * 0.7071
        p.fill(E(cx, cy, 1.1), SILVER)
    p.outline()


@picture(K, 8, 'saucepan')
def saucepan(p):
    p.paint(R(0, 14, 9, 18) | L(0.5, 16, 9, 16, 5), BLACK)
    p.fill(R(1, 16, 6, 16), GREY)
    body = RR(7, 11, 30, 30, 2)
    p.paint(body, RED)
    p.shade(body, RED, MAROON, lambda x, y: x >= 26)
    p.fill(R(9, 13, 10, 28), WHITE)
    p.paint(R(6, 10, 31, 13), SILVER)
    p.fill(R(7, 11, 30, 11), WHITE)
    p.paint(E(18.5, 9, 12, 2.8) & R(0, 0, 31, 10), SILVER)
    p.paint(E(18.5, 6, 3, 2), BLACK)
    p.fill(R(17, 5, 19, 5), GREY)
    for x0 in (14, 19, 24):
        p.path([(x0, 4), (x0 - 1, 2), (x0, 0)], WHITE)
    p.outline()


@picture(K, 9, 'bread-loaf')
def bread_loaf(p):
    loaf = RR(1, 9, 30, 28, 6) | (E(15.5, 13, 15, 9) & R(0, 0, 31, 20))
    p.paint(loaf, YELLOW)
    p.shade(loaf, YELLOW, OLIVE, lambda x, y: y >= 23 or (x - 10) ** 2 + (y - 10) ** 2 >= 330)
    for x0 in (5, 11, 17, 23):
        p.line(x0, 12, x0 + 4, 6, OLIVE)
        p.line(x0 + 1, 12, x0 + 5, 6, WHITE)
    p.fill(R(3, 15, 3, 21) | R(4, 14, 4, 14), WHITE)
    p.fill(R(4, 26, 27, 26), OLIVE)
    p.outline()


@picture(K, 10, 'cheese')
def cheese(p):
    top = P([(1, 13), (30, 4), (30, 13)])
    p.paint(top | R(1, 13, 30, 13), YELLOW)
    front = R(1, 13, 30, 28)
    p.paint(front, YELLOW)
    p.shade(front, YELLOW, OLIVE, lambda x, y: y >= 26)
    for cx, cy, r in ((7, 18, 2.5), (16, 22, 3.2), (24, 17, 2.2), (26, 25, 1.8), (11, 25, 1.6)):
        p.paint(E(cx, cy, r), OLIVE)
    p.fill(E(22, 9.5, 1.8, 1), OLIVE).fill(E(14, 11.5, 1.5, 0.8), OLIVE)
    p.fill(E(30, 20, 1.6, 2) & front, CLEAR)
    p.edge(front - E(31.5, 20, 1.6, 2), BLACK)
    p.line(2, 13, 29, 13, BLACK)
    p.outline()


@picture(K, 11, 'egg-cup')
def egg_cup(p):
    egg = E(15.5, 11, 9.5, 11)
    p.paint(egg, WHITE)
    p.shade(egg, WHITE, SILVER, lambda x, y: (x - 12) ** 2 + (y - 7) ** 2 >= 110)
    p.fill(E(12, 6, 1.6, 2.8, 20), WHITE)
    p.paint(P([(8, 31), (23, 31), (20, 27), (11, 27)]), RED)
    p.paint(L(15.5, 22, 15.5, 28, 5), RED)
    cup = E(15.5, 16, 11, 8) & R(0, 16, 31, 31)
    p.paint(cup | R(4, 15, 27, 17), RED)
    p.shade(cup | R(4, 15, 27, 17) | R(0, 22, 31, 31), RED, MAROON, lambda x, y: x >= 21)
    p.fill(R(7, 18, 8, 20), WHITE)
    p.paint(R(4, 15, 27, 17) , RED)
    p.fill(R(5, 16, 26, 16), YELLOW)


@picture(K, 12, 'cake')
def cake(p):
    for x0, c in ((8, BLUE), (15, YELLOW), (22, LIME)):
        p.paint(R(x0, 5, x0 + 2, 11), c)
        p.paint(E(x0 + 1, 2.5, 1.5, 2.4), YELLOW)
        p.px(x0 + 1, 3, RED).px(x0 + 1, 2, RED)
    base = R(1, 15, 30, 28) | E(15.5, 28, 14.5, 3)
    p.paint(base, YELLOW)
    p.fill(R(2, 21, 29, 22), RED)
    p.shade(base, YELLOW, OLIVE, lambda x, y: x >= 26)
    icing = E(15.5, 14, 14.5, 4) | R(1, 14, 30, 17)
    for x0 in (4, 9, 14, 20, 26):
        icing |= E(x0, 18, 1.6, 2.5)
    p.paint(icing, WHITE)
    p.paint(E(15.5, 13, 12.5, 2.5), WHITE)
    p.shade(icing, WHITE, SILVER, lambda x, y: x >= 26)
    for x, y, c in ((6, 13, RED), (12, 12, BLUE), (18, 14, LIME), (24, 13, FUCHSIA), (10, 15, FUCHSIA), (21, 12, YELLOW)):
        p.px(x, y, c)
    p.edge(base | icing, BLACK)


@picture(K, 13, 'cherries')
def cherries(p):
    p.paint(PL([(8, 19), (12, 9), (19, 2)], 2) | PL([(23, 22), (21, 10), (19, 2)], 2), GREEN)
    p.paint(E(25, 5, 6, 3, -20), LIME)
    p.line(20, 4, 29, 3, GREEN)
    for cx, cy in ((8, 23), (22.5, 24)):
        c = E(cx, cy, 7.5, 7)
        p.paint(c, RED)
        p.shade(c, RED, MAROON, lambda x, y: (x - cx + 2.5) ** 2 + (y - cy + 2.5) ** 2 >= 60)
        p.fill(E(cx - 3, cy - 2.5, 1.2, 1.9, 30), WHITE)
        p.px(int(cx), int(cy) - 6, BLACK)
    p.outline()


@picture(K, 14, 'banana')
def banana(p):
    ban = E(10, 10, 21) - E(-6, -6, 35.7)
    ban &= R(0, 0, 31, 31)
    p.paint(L(26, 3, 30, 0, 3), OLIVE)
    p.paint(ban, YELLOW)
    p.shade(ban, YELLOW, OLIVE, lambda x, y: (x + 6) ** 2 + (y + 6) ** 2 <= 38 ** 2)
    p.path(arc_pts(10, 10, 18, 18, 0, 90, 20), OLIVE)
    p.path(arc_pts(10, 10, 19, 19, 25, 65, 10), WHITE)
    p.fill(R(0, 28, 2, 30) & ban, BLACK)
    p.fill(R(27, 0, 29, 2) & ban, OLIVE)
    p.outline()


@picture(K, 15, 'lemon')
def lemon(p):
    p.paint(E(22, 6, 7, 3, -30), LIME)
    p.line(17, 9, 27, 3, GREEN)
    body = E(15.5, 17, 14, 11.5, -20) | E(3, 22, 2.8, 2.2, -20) | E(28, 12, 2.8, 2.2, -20)
    p.paint(body, YELLOW)
    p.shade(body, YELLOW, OLIVE, lambda x, y: (x - 11) ** 2 + (y - 13) ** 2 >= 190)
    p.fill(E(11, 12, 3.5, 1.6, -25), WHITE)
    p.pxs([(8, 18), (17, 22), (20, 14), (13, 25), (24, 20)], OLIVE)
    p.outline()


@picture(K, 16, 'pizza-slice')
def pizza_slice(p):
    slice_ = P([(0.5, 4), (31, 4), (16.5, 31.5), (14.5, 31.5)])
    p.paint(slice_, YELLOW)
    for cx, cy in ((8.5, 11), (21, 11), (14, 18.5), (16, 26)):
        p.paint(E(cx, cy, 3, 2.8), RED)
    for x, y in ((13, 10), (24, 16), (11, 14), (19, 21)):
        p.pxs([(x, y), (x + 1, y - 1)], GREEN)
    p.paint(E(15.5, 4, 16, 4.2) & R(0, 0, 31, 31), OLIVE)
    p.fill(E(15.5, 3.2, 14, 2) , YELLOW)
    p.pxs([(9, 20), (10, 21), (10, 22), (21, 23), (22, 22)], YELLOW)
    p.outline()


@picture(K, 17, 'ice-cream')
def ice_cream(p):
    cone = P([(6.5, 16), (24.5, 16), (16.3, 31.5), (14.7, 31.5)])
    p.paint(cone, YELLOW)
    for k in range(-30, 40, 4):
        p.fill({(x, y) for x, y in cone if x - y == k or x + y == k + 40}, OLIVE)
    p.edge(cone, BLACK)
    van = E(15.5, 15, 10, 5) | E(8, 18, 2.5, 2.5) | E(15, 19, 2.5, 2.2) | E(22.5, 18.5, 2.2, 2.2)
    p.paint(van, WHITE)
    p.shade(van, WHITE, SILVER, lambda x, y: x >= 21)
    top = E(15.5, 9, 8, 6) | E(10, 12.5, 2.2) | E(20, 13, 2.2)
    p.paint(top, FUCHSIA)
    p.shade(top, FUCHSIA, PURPLE, lambda x, y: x >= 21 and y >= 7)
    p.pxs([(11, 6), (12, 5), (10, 7)], WHITE)
    p.paint(E(15.5, 2.5, 2.5), RED)
    p.px(15, 1, WHITE)
    p.path([(17, 0), (18, 0)], GREEN)
    p.pxs([(19, 7), (13, 10), (16, 6)], YELLOW)
    p.pxs([(10, 15), (18, 14), (22, 16)], FUCHSIA)
    p.outline()


@picture(K, 18, 'cookie')
def cookie(p):
    c = E(15.5, 15.5, 15, 14.5) - E(29, 6, 5) - E(24.5, 2, 3.5) - E(31, 12, 3)
    p.paint(c, YELLOW)
    p.shade(c, YELLOW, OLIVE, lambda x, y: (x - 12) ** 2 + (y - 12) ** 2 >= 190)
    for cx, cy in ((8, 8), (16, 5), (7, 17), (14, 13), (21, 11), (12, 22), (20, 20), (26, 17), (4, 12), (18, 27)):
        p.fill(R(cx, cy, cx + 2, cy + 1) | R(cx + 1, cy + 2, cx + 1, cy + 2), MAROON)
        p.px(cx, cy, BLACK)
    p.pxs([(11, 4), (4, 22), (24, 26), (10, 27)], OLIVE)
    p.outline()


@picture(K, 19, 'jam-jar')
def jam_jar(p):
    jar = RR(3, 7, 28, 31, 4)
    p.paint(jar, RED)
    p.shade(jar, RED, MAROON, lambda x, y: x >= 24)
    p.fill(R(5, 10, 6, 28), WHITE)
    p.paint(R(6, 15, 25, 24), WHITE)
    p.shade(R(6, 15, 25, 24), WHITE, SILVER, lambda x, y: x >= 23)
    p.fill(E(15.5, 19.5, 4.5, 2.5), RED)
    p.paint(R(4, 4, 27, 8), SILVER)
    lid = P([(1, 7), (30, 7), (28, 1), (3, 1)])
    p.paint(lid, RED)
    for x, y in lid:
        if p.g[y][x] == RED and ((x // 2) + (y // 2)) % 2:
            p.g[y][x] = WHITE
    p.paint(R(2, 7, 29, 9), RED)
    p.fill(R(3, 8, 28, 8), MAROON)


@picture(K, 20, 'bottle')
def bottle(p):
    body = RR(8, 13, 23, 31, 3) | P([(8, 15), (13, 6), (18, 6), (23, 15)]) | R(13, 2, 18, 8)
    p.paint(body, GREEN)
    p.shade(body, GREEN, LIME, lambda x, y: x <= 10)
    p.fill(R(10, 14, 10, 29) | R(14, 4, 14, 8), LIME)
    p.paint(R(12, 0, 19, 3), OLIVE)
    p.fill(R(13, 1, 13, 2), YELLOW)
    p.paint(R(7, 18, 24, 26), WHITE)
    p.fill(R(8, 19, 23, 20), RED)
    p.fill(R(11, 22, 20, 22) | R(12, 24, 19, 24), GREY)
    p.paint(R(12, 8, 19, 10), RED)


@picture(K, 21, 'whisk')
def whisk(p):
    p.paint(L(4, 28, 12, 20, 4), RED)
    p.fill(L(4, 27, 11, 20, 1), WHITE)
    p.paint(L(11, 21, 13, 19, 4.5), SILVER)
    for k, w in ((0, 10), (1, 6.5), (2, 3)):
        pts = [(13 + 10.5 * (1 - math.cos(t)) * 0.72 + w * math.sin(t) * 0.72 * 0.9,
                19 - 10.5 * (1 - math.cos(t)) * 0.72 + w * math.sin(t) * 0.72 * 0.9) for t in [i * math.pi / 30 for i in range(31)]]
        pts2 = [(13 + 10.5 * (1 - math.cos(t)) * 0.72 - w * math.sin(t) * 0.72 * 0.9,
                 19 - 10.5 * (1 - math.cos(t)) * 0.72 - w * math.sin(t) * 0.72 * 0.9) for t in [i * math.pi / 30 for i in range(31)]]
        p.path([(int(round(x)), int(round(y))) for x, y in pts], SILVER)
        p.path([(int(round(x)), int(round(y))) for x, y in pts2], SILVER)
    p.outline()
    p.paint(L(11, 21, 14, 18, 4.5), SILVER)
    p.pxs([(12, 19), (13, 18)], WHITE)
    p.outline()


@picture(K, 22, 'rolling-pin')
def rolling_pin(p):
    p.paint(L(1.5, 29.5, 7, 24, 3.8) | L(24.5, 7, 30, 1.5, 3.8), OLIVE)
    p.fill(L(2, 28, 6, 24, 1), YELLOW)
    p.fill(L(25, 6, 29, 2, 1), YELLOW)
    body = L(8, 23, 23, 8, 10)
    p.paint(body, YELLOW)
    p.shade(body, YELLOW, OLIVE, lambda x, y: x + y >= 35)
    p.fill(L(6, 20, 20, 6, 1.2) & body, WHITE)


@picture(K, 23, 'toaster')
def toaster(p):
    for x0 in (7, 17):
        p.paint(RR(x0, 1, x0 + 8, 12, 2), YELLOW)
        p.edge(RR(x0 + 1, 2, x0 + 7, 12, 1), OLIVE)
        p.edge(RR(x0, 1, x0 + 8, 12, 2), BLACK)
    body = RR(2, 9, 29, 28, 4)
    p.paint(body, SILVER)
    p.shade(body, SILVER, GREY, lambda x, y: x >= 26 or y >= 26)
    p.fill(R(5, 12, 26, 12) | R(5, 12, 5, 24), WHITE)
    p.paint(R(6, 8, 16, 10), BLACK).paint(R(16, 8, 26, 10), BLACK)
    p.paint(R(26, 14, 31, 16), BLACK)
    p.paint(E(22, 22, 2.2), BLACK)
    p.paint(R(4, 28, 8, 30) | R(23, 28, 27, 30), BLACK)
    p.px(22, 21, RED)


@picture(K, 24, 'donut')
def donut(p):
    ringm = E(15.5, 16, 15, 13) - E(15.5, 15, 4.5, 3.2)
    p.paint(ringm, YELLOW)
    p.shade(ringm, YELLOW, OLIVE, lambda x, y: y >= 24)
    ice = E(15.5, 14.5, 13.5, 11) - E(15.5, 15, 6, 4.5)
    for cx, cy in ((4, 17), (9, 22), (15, 24.5), (22, 22), (27, 18)):
        ice |= E(cx, cy, 2.5, 2.8)
    ice -= E(15.5, 15, 6, 4.5)
    p.paint(ice & ringm, FUCHSIA)
    p.paint(E(15.5, 15, 6, 4.5) - E(15.5, 15, 4.5, 3.2), OLIVE)
    p.edge(ringm, BLACK)
    for (x, y), c in zip(((6, 9), (11, 6), (20, 6), (25, 10), (26, 15), (5, 14), (9, 18), (21, 19), (15, 21), (18, 7)),
                         (YELLOW, AQUA, WHITE, LIME, YELLOW, WHITE, AQUA, LIME, WHITE, YELLOW)):
        p.px(x, y, c).px(x + 1, y, c)
    p.pxs([(8, 5), (7, 6)], WHITE)
    p.outline()


@picture(K, 25, 'tomato')
def tomato(p):
    body = E(10.5, 17.5, 9.5, 12) | E(20.5, 17.5, 10, 12) | E(15.5, 18, 15, 12)
    p.paint(body, RED)
    p.shade(body, RED, MAROON, lambda x, y: (x - 10) ** 2 + (y - 12) ** 2 >= 300)
    p.fill(E(7, 13, 1.8, 3.2, 25), WHITE)
    leaves = P([(15.5, 4), (18, 7), (26, 6), (20, 10), (23, 13), (15.5, 10.5), (8, 13), (11, 10), (5, 6), (13, 7)])
    p.paint(leaves, LIME)
    p.paint(L(15.5, 7, 16.5, 0.5, 2.4), GREEN)

# ------------------------------------------------------------------ main

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..')


def grid_text(name, rows):
    return '# ' + name.replace('-', ' ') + '\n' + '\n'.join(rows) + '\n'


def problems(name, rows):
    """Returns what is wrong with one grid, as a list of messages."""
    out = []
    if len(rows) != SIZE or any(len(r) != SIZE for r in rows):
        return ['%s: not %dx%d' % (name, SIZE, SIZE)]
    if any(c not in '0123456789abcdef.' for r in rows for c in r):
        out.append('%s: unknown colour character' % name)
    solid = [(x, y) for y in range(SIZE) for x in range(SIZE) if rows[y][x] != CLEAR]
    if len(solid) == SIZE * SIZE or len(solid) < SIZE * SIZE // 5:
        out.append('%s: no proper silhouette (%d solid pixels)' % (name, len(solid)))
    elif max(max(x for x, _ in solid) - min(x for x, _ in solid),
             max(y for _, y in solid) - min(y for _, y in solid)) + 1 < 22:
        out.append('%s: too small' % name)
    if len({rows[y][x] for x, y in solid}) < 3:
        out.append('%s: fewer than three colours' % name)
    return out


def main(argv):
    check = '--check' in argv
    stale, faults, seen = [], [], {}
    expected = {}
    for folder, index, name, fn in PICTURES:
        rows = render(fn)
        key = '\n'.join(rows)
        label = '%s/%02d-%s' % (folder, index, name)
        faults += problems(label, rows)
        if key in seen:
            faults.append('%s: same picture as %s' % (label, seen[key]))
        seen[key] = label
        expected.setdefault(folder, set()).add('%02d-%s.txt' % (index, name))
        path = os.path.join(ROOT, 'res', 'pictures', folder, '%02d-%s.txt' % (index, name))
        text = grid_text(name, rows)
        old = None
        if os.path.exists(path):
            with open(path) as f:
                old = f.read()
        if old == text:
            continue
        if check:
            stale.append(path)
        else:
            os.makedirs(os.path.dirname(path), exist_ok=True)
            with open(path, 'w', newline='\n') as f:
                f.write(text)
    for folder, names in sorted(expected.items()):
        if sorted(n[:3] for n in names) != ['%02d-' % i for i in range(1, 26)]:
            faults.append('%s: pictures are not numbered 01..25' % folder)
        here = os.path.join(ROOT, 'res', 'pictures', folder)
        extra = set(os.listdir(here)) - names if os.path.isdir(here) else set()
        for n in sorted(extra):
            faults.append('%s/%s: not drawn by this script' % (folder, n))
    for s in stale:
        print('out of date:', os.path.normpath(s))
    for m in faults:
        print('bad picture:', m)
    return 1 if stale or faults else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
