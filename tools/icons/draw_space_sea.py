#!/usr/bin/env python3
"""Draws the pictures of set 1 (space) and set 2 (sea) and the program icons as text grids.

The grids under res/ are the source the build uses; this script is how they were made. Run it
with no arguments to rewrite them, or with --check to confirm they still match the drawings.
Each piece is drawn with its own black outline so the pictures read on black and on a busy
desktop alike.
"""

import argparse
import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from grid_canvas import *  # noqa: E402,F401,F403

SPACE, SEA, ICONS = [], [], []


def picture(collection, name):
    def register(fn):
        collection.append((name, fn))
        return fn

    return register


# ==============================================================================================
# Set 1: space


@picture(SPACE, "rocket")
def rocket(c):
    c.draw(poly((11, 17), (4, 26), (4, 29), (11, 25)), RED)
    c.draw(poly((21, 17), (28, 26), (28, 29), (21, 25)), RED)
    c.draw(poly((12, 24), (20, 24), (19, 28), (13, 28)), GREY)
    c.draw(poly((13, 27), (19, 27), (16, 32)), RED, ink=None)
    c.fill(poly((14.5, 27), (17.5, 27), (16, 30.5)), YELLOW)
    body = union(intersect(ellipse(16, 17, 5.5, 15), above(17)), rect(10.5, 16, 21.5, 25))
    c.draw(body, WHITE)
    c.fill(intersect(body, above(8)), RED)
    c.fill(intersect(body, rect(0, 20, 32, 22)), RED)
    c.fill(intersect(body, right_of(19), below(8)), SILVER, on={WHITE})
    c.draw(disc(16, 13, 3), BLUE)
    c.dots(AQUA, (15, 11), (14, 12), (15, 12))
    c.dots(WHITE, (14, 11))
    c.dots(WHITE, (13, 9), (13, 10), (12, 15), (12, 16), (12, 17))


@picture(SPACE, "ringed-planet")
def ringed_planet(c):
    tilt = -20
    band = minus(ellipse(16, 16, 15.5, 5.5, tilt), ellipse(16, 16, 11, 2.6, tilt))
    back = intersect(band, lambda x, y: -(x - 16) * math.sin(math.radians(tilt)) + (y - 16) * math.cos(math.radians(tilt)) < 0)
    front = minus(band, back)
    c.draw(back, AQUA)
    planet = disc(16, 16, 9.5)
    c.draw(planet, YELLOW)
    c.fill(intersect(planet, union(rect(0, 12, 32, 14), rect(0, 18, 32, 20))), OLIVE)
    c.fill(intersect(planet, rect(0, 15, 32, 16)), WHITE)
    c.fill(minus(planet, disc(14.5, 14.5, 9)), OLIVE)
    c.dots(WHITE, (12, 9), (11, 10), (13, 9), (10, 11))
    c.draw(front, AQUA)
    c.fill(intersect(front, ellipse(16, 16, 14, 4.3, tilt)), WHITE)
    c.fill(intersect(band, ellipse(16, 16, 12.3, 3.5, tilt)), TEAL, on={AQUA, WHITE})


@picture(SPACE, "moon")
def moon(c):
    body = disc(16, 16, 14)
    c.draw(body, SILVER)
    c.fill(minus(body, disc(14, 14, 13.5)), GREY)
    for cx, cy, r in ((11, 11, 3.2), (20, 9, 2.2), (21, 19, 3.7), (10, 21, 2.5), (16, 25, 1.8), (15, 16, 1.6)):
        c.fill(disc(cx, cy, r), GREY)
        c.fill(minus(disc(cx + 0.6, cy + 0.6, r - 0.6), disc(cx - 0.4, cy - 0.4, r - 0.6)), WHITE)
    c.dots(WHITE, (9, 6), (10, 5), (8, 7), (7, 9))


@picture(SPACE, "sun")
def sun(c):
    for i in range(8):
        a = math.radians(i * 45 + 22.5)
        r = 15.5 if i % 2 == 0 else 13
        tip = (16 + r * math.cos(a), 16 + r * math.sin(a))
        b1 = (16 + 8 * math.cos(a - 0.32), 16 + 8 * math.sin(a - 0.32))
        b2 = (16 + 8 * math.cos(a + 0.32), 16 + 8 * math.sin(a + 0.32))
        c.draw(poly(b1, tip, b2), YELLOW if i % 2 == 0 else RED)
    c.draw(disc(16, 16, 9), YELLOW)
    c.fill(minus(disc(16, 16, 9), disc(15, 15, 8.2)), RED)
    c.dots(WHITE, (12, 10), (11, 11), (13, 10), (10, 12))
    c.dots(K, (13, 14), (19, 14), (13, 15), (19, 15))
    c.dots(K, (12, 18), (13, 19), (14, 20), (15, 20), (16, 20), (17, 20), (18, 19), (19, 18))


@picture(SPACE, "comet")
def comet(c):
    tail = poly((5, 20), (12, 27), (31, 14), (31, 8), (22, 1), (18, 1))
    c.draw(tail, TEAL)
    c.fill(poly((6, 22), (11, 25), (31, 11), (21, 2)), AQUA)
    c.fill(poly((7, 22), (10, 24), (28, 9), (24, 6)), WHITE)
    c.draw(disc(8.5, 23.5, 5), AQUA)
    c.fill(disc(8, 23, 3.5), WHITE)
    c.dots(WHITE, (27, 3), (29, 18), (30, 4))


@picture(SPACE, "star")
def star_(c):
    shape = star(16, 17.5, 15.5, 6.5)
    c.draw(shape, YELLOW)
    c.fill(minus(shape, star(16, 17.5, 10, 4)), YELLOW)
    c.fill(intersect(shape, side(16, 2, 16, 30), side(16, 17.5, 31, 13)), OLIVE, on={YELLOW})
    c.fill(star(16, 17.5, 9, 3.5), WHITE)
    c.fill(star(16, 17.5, 5, 2.2), YELLOW)
    c.dots(K, (14, 15), (18, 15), (14, 16), (18, 16))
    c.dots(WHITE, (3, 3), (2, 4), (4, 4), (3, 5), (28, 27), (29, 26), (29, 28), (30, 27))


@picture(SPACE, "ufo")
def ufo(c):
    c.draw(poly((12, 24), (20, 24), (26, 31), (6, 31)), YELLOW)
    c.fill(poly((14, 24), (18, 24), (21, 30), (11, 30)), WHITE)
    c.draw(intersect(ellipse(16, 15, 7.5, 8), above(16)), AQUA)
    c.fill(intersect(ellipse(16, 15, 7.5, 8), above(16), side(16, 15, 22, 7)), TEAL)
    c.dots(WHITE, (12, 11), (13, 10), (12, 12), (14, 9))
    saucer = ellipse(16, 19, 15.5, 5.2)
    c.draw(saucer, SILVER)
    c.fill(intersect(saucer, below(20)), GREY)
    c.fill(intersect(saucer, rect(0, 16, 32, 17)), WHITE)
    for x in (5, 10, 16, 22, 27):
        c.dots(YELLOW if x % 2 else RED, (x - 1 if x > 16 else x, 19), (x, 19) if x > 16 else (x + 1, 19))


@picture(SPACE, "astronaut-helmet")
def helmet(c):
    c.draw(rect(8, 25, 24, 31), GREY)
    c.fill(rect(8, 26, 24, 27), SILVER)
    c.fill(rect(8, 29, 24, 30), SILVER)
    head = disc(16, 14.5, 13)
    c.draw(head, WHITE)
    c.fill(minus(head, disc(14, 13, 12.5)), SILVER)
    visor = ellipse(16, 15, 9.5, 7.5)
    c.draw(visor, BLUE)
    c.fill(intersect(visor, below(18)), NAVY)
    c.fill(intersect(visor, seg(10, 16, 14, 10, 2.2)), AQUA)
    c.dots(WHITE, (11, 13), (12, 12), (17, 10), (18, 10))
    c.draw(disc(26.5, 9, 1.6), RED)


@picture(SPACE, "satellite")
def satellite(c):
    c.draw(rect(1, 11, 11, 21), BLUE)
    c.draw(rect(21, 11, 31, 21), BLUE)
    for x0 in (1, 21):
        c.fill(union(rect(x0 + 3, 11, x0 + 4, 21), rect(x0 + 7, 11, x0 + 8, 21), rect(x0, 15, x0 + 10, 17)), NAVY)
        c.dots(AQUA, (x0, 11), (x0 + 4, 11), (x0 + 8, 11), (x0, 17), (x0 + 4, 17), (x0 + 8, 17))
    c.fill(rect(11, 15, 13, 17), SILVER)
    c.fill(rect(19, 15, 21, 17), SILVER)
    c.draw(rect(12, 10, 20, 22), YELLOW)
    c.fill(rect(12, 18, 20, 22), OLIVE)
    c.fill(rect(13, 11, 15, 13), WHITE)
    c.draw(seg(16, 9, 16, 5, 1), SILVER)
    c.draw(intersect(disc(16, 3, 4.5), below(1.5), above(4)), WHITE)
    c.draw(seg(16, 23, 16, 28, 1), SILVER)
    c.draw(disc(16, 28.5, 1.6), RED)


@picture(SPACE, "telescope")
def telescope(c):
    for x1 in (7, 16, 25):
        c.draw(seg(16, 19, x1, 30, 2), OLIVE)
    c.draw(disc(16, 19, 2.2), GREY)
    c.draw(seg(6, 21, 12, 18, 3), SILVER)
    tube = seg(9, 20, 24, 11, 6)
    c.draw(tube, WHITE)
    c.fill(intersect(tube, side(26, 8, 20, 2), side(12, 22, 18, 32)), WHITE)
    c.fill(intersect(tube, seg(9, 20, 24, 11, 6), lambda x, y: 15 <= x < 17.5), RED)
    c.fill(intersect(tube, side(4, 20, 30, 5)), SILVER, on={WHITE})
    c.draw(ellipse(25.5, 10, 2, 4, -31), AQUA)
    c.dots(WHITE, (24, 8))


@picture(SPACE, "alien")
def alien(c):
    c.draw(seg(11, 6, 7, 1.5, 1), LIME)
    c.draw(seg(21, 6, 25, 1.5, 1), LIME)
    c.draw(disc(7, 2, 1.8), YELLOW)
    c.draw(disc(25, 2, 1.8), YELLOW)
    head = union(ellipse(16, 14, 12, 9.5), poly((6, 17), (26, 17), (19, 29), (13, 29)), ellipse(16, 27, 4, 3))
    c.draw(head, LIME)
    c.fill(minus(head, ellipse(14.5, 14, 11.5, 10), poly((4, 17), (24.5, 17), (17.5, 29), (11, 31))), GREEN)
    c.draw(ellipse(10.5, 16, 4.5, 2.6, 30), K, ink=None)
    c.draw(ellipse(21.5, 16, 4.5, 2.6, -30), K, ink=None)
    c.dots(WHITE, (9, 15), (20, 15), (10, 14), (21, 14))
    c.dots(GREEN, (14, 25), (15, 25), (16, 25), (17, 25))
    c.dots(WHITE, (12, 8), (13, 7), (11, 9))


@picture(SPACE, "shuttle")
def shuttle(c):
    c.draw(poly((16, 7), (3, 26), (3, 29), (29, 29), (29, 26)), SILVER)
    c.fill(poly((16, 10), (6, 26), (26, 26)), WHITE)
    c.draw(poly((12, 26), (20, 26), (19, 31), (13, 31)), GREY)
    body = union(intersect(ellipse(16, 10, 3.5, 9.5), above(10)), rect(12.5, 9, 19.5, 28))
    c.draw(body, WHITE)
    c.fill(intersect(body, above(3)), K)
    c.dots(K, (14, 6), (15, 6), (16, 6), (17, 6))
    c.fill(intersect(body, right_of(18)), SILVER, on={WHITE})
    c.fill(rect(13, 14, 19, 15), BLUE)
    c.fill(rect(13, 16, 19, 17), RED)
    c.dots(RED, (4, 27), (5, 27), (26, 27), (27, 27))


@picture(SPACE, "galaxy")
def galaxy(c):
    def arms(scale):
        pieces = []
        for arm in (0, math.pi):
            steps = 14
            points = []
            for i in range(steps + 1):
                t = 3.5 * i / steps
                r = 3 + 3.2 * t
                points.append((16 + r * math.cos(t + arm), 16 + 0.8 * r * math.sin(t + arm), t))
            for (x0, y0, t), (x1, y1, _) in zip(points, points[1:]):
                pieces.append(seg(x0, y0, x1, y1, scale * (6.6 - 1.3 * t)))
        return union(*pieces)

    c.draw(arms(1.0), PURPLE)
    c.fill(arms(0.65), FUCHSIA)
    c.fill(arms(0.28), WHITE)
    c.draw(ellipse(16, 16, 4.5, 3.8), WHITE)
    c.fill(ellipse(16, 16, 2.5, 2), YELLOW)
    c.dots(WHITE, (3, 3), (29, 4), (28, 28), (5, 29))


@picture(SPACE, "meteor")
def meteor(c):
    fire = poly((16, 14), (25, 24), (9, 2), (4, 1), (1, 4), (2, 9))
    c.draw(fire, RED)
    c.fill(poly((17, 16), (22, 22), (9, 5), (4, 4), (4, 8)), YELLOW)
    c.fill(poly((18, 18), (21, 21), (11, 10), (9, 9)), WHITE)
    rock = poly((16, 17), (20, 14), (26, 15), (30, 19), (30, 25), (26, 30), (20, 30), (16, 26), (15, 21))
    c.draw(rock, GREY)
    c.fill(intersect(rock, side(17, 15, 30, 28)), SILVER)
    for cx, cy, r in ((23, 22, 2.2), (26.5, 26.5, 1.4), (19, 26, 1.3)):
        c.fill(disc(cx, cy, r), OLIVE)
        c.fill(minus(disc(cx, cy, r), disc(cx + 0.7, cy + 0.7, r)), K)


@picture(SPACE, "lander")
def lander(c):
    for x0, x1 in ((9, 3), (23, 29)):
        c.draw(seg(x0, 20, x1, 28, 1.4), SILVER)
    c.draw(rect(1, 28, 6, 30), GREY)
    c.draw(rect(26, 28, 31, 30), GREY)
    c.draw(poly((12, 24), (20, 24), (22, 29), (10, 29)), GREY)
    c.draw(poly((7, 16), (25, 16), (27, 19), (25, 24), (7, 24), (5, 19)), YELLOW)
    c.fill(rect(0, 21, 32, 24), OLIVE, on={YELLOW})
    c.fill(rect(8, 17, 14, 18), WHITE)
    cabin = poly((10, 7), (22, 7), (25, 11), (25, 16), (7, 16), (7, 11))
    c.draw(cabin, SILVER)
    c.fill(poly((10, 7), (22, 7), (24, 10), (8, 10)), WHITE)
    c.draw(poly((12, 10), (15, 10), (15, 13), (12, 13)), NAVY)
    c.dots(AQUA, (12, 10), (13, 10), (12, 11))
    c.draw(seg(21, 6, 23, 2, 1), SILVER)
    c.draw(disc(24, 2, 1.5), WHITE)


@picture(SPACE, "space-station")
def station(c):
    rim = ring(16, 16, 9.5, 14.5)
    for a in (45, 135, 225, 315):
        r = math.radians(a)
        c.draw(seg(16, 16, 16 + 12 * math.cos(r), 16 + 12 * math.sin(r), 2.2), SILVER)
    c.draw(rim, WHITE)
    c.fill(minus(rim, disc(15, 15, 14.3)), SILVER)
    c.fill(intersect(rim, ring(16, 16, 11.5, 12.5)), GREY)
    for i in range(12):
        a = math.radians(i * 30)
        c.dots(BLUE, (int(16 + 12 * math.cos(a)), int(16 + 12 * math.sin(a))))
    c.draw(disc(16, 16, 4), SILVER)
    c.fill(disc(15.5, 15.5, 2.5), WHITE)
    c.dots(RED, (15, 15), (16, 16), (15, 16), (16, 15))


@picture(SPACE, "crescent")
def crescent(c):
    shape = minus(disc(15, 16, 13), disc(21, 12, 11.5))
    c.draw(shape, YELLOW)
    c.fill(minus(shape, disc(16, 16, 12)), WHITE)
    c.fill(intersect(shape, side(0, 14, 30, 31)), OLIVE, on={YELLOW})
    c.dots(K, (8, 17), (9, 18), (10, 18), (11, 17))
    c.dots(RED, (12, 21), (13, 21))
    c.draw(star(25, 24, 5, 2), WHITE)
    c.draw(star(27, 6, 3.5, 1.5), YELLOW)


@picture(SPACE, "constellation")
def constellation(c):
    stars = ((3, 7), (9, 5), (14, 9), (19, 12), (21, 20), (28, 22), (27, 13))
    lines = path([(p[0] + 0.5, p[1] + 0.5) for p in stars] + [(19.5, 12.5)], 1)
    c.fill(lines, TEAL)
    for x, y in stars:
        big = (x, y) in ((3, 7), (21, 20), (27, 13))
        arm = 3 if big else 2
        c.draw(union(rect(x - arm, y, x + arm + 1, y + 1), rect(x, y - arm, x + 1, y + arm + 1),
                     rect(x - 1, y - 1, x + 2, y + 2)), YELLOW)
        c.dots(WHITE, (x, y))
    c.dots(SILVER, (7, 25), (13, 28), (25, 3), (30, 30))


@picture(SPACE, "radar-dish")
def radar(c):
    c.draw(poly((10, 25), (22, 25), (25, 31), (7, 31)), GREY)
    c.fill(rect(10, 26, 22, 27), SILVER)
    c.draw(rect(14, 16, 18, 26), SILVER)
    bowl = ellipse(14, 13, 12.5, 6, -40)
    c.draw(bowl, WHITE)
    c.fill(minus(bowl, ellipse(13, 12.2, 11.3, 4.6, -40)), SILVER)
    c.fill(ellipse(12.3, 11.2, 9, 2.8, -40), SILVER)
    c.draw(seg(13, 12, 21, 5, 1), SILVER)
    c.draw(disc(22, 4, 2), RED)
    c.dots(WHITE, (21, 3))


@picture(SPACE, "rover")
def rover(c):
    c.draw(seg(22, 14, 22, 5, 1), SILVER)
    c.draw(rect(19, 2, 26, 6), WHITE)
    c.dots(NAVY, (23, 3), (24, 3), (23, 4), (24, 4))
    c.draw(intersect(disc(9, 11, 5), below(8), above(11)), WHITE)
    c.draw(seg(9, 11, 9, 15, 1), SILVER)
    c.draw(poly((3, 15), (29, 15), (30, 18), (29, 22), (3, 22), (2, 18)), YELLOW)
    c.fill(rect(0, 19, 32, 22), OLIVE, on={YELLOW})
    c.fill(rect(3, 16, 28, 17), WHITE)
    c.fill(rect(13, 17, 19, 19), BLUE)
    for x in (6.5, 16, 25.5):
        c.draw(disc(x, 26, 4), GREY)
        c.fill(disc(x, 26, 1.7), SILVER)
        c.dots(K, (int(x), 26))


@picture(SPACE, "flag")
def flag(c):
    c.draw(intersect(ellipse(16, 31, 15.5, 7), above(31)), GREY)
    c.fill(intersect(ellipse(14, 30, 14, 5.5), above(31)), SILVER)
    c.fill(disc(10, 27, 1.5), GREY)
    c.fill(disc(22, 28, 1.2), GREY)
    c.draw(rect(8, 3, 10, 28), WHITE)
    c.draw(disc(9, 2.5, 1.5), YELLOW)
    banner = poly((10, 4), (28, 5), (27, 10), (29, 15), (10, 16))
    c.draw(banner, RED)
    c.fill(intersect(banner, rect(0, 13, 32, 16)), MAROON)
    c.draw(star(18.5, 9.5, 3.8, 1.6), YELLOW)


@picture(SPACE, "capsule")
def capsule(c):
    canopy = intersect(ellipse(16, 10, 14, 9), above(10))
    for x in (4, 28):
        c.draw(seg(x, 9.5, 16, 21, 1), SILVER)
    c.draw(seg(16, 9.5, 16, 21, 1), SILVER)
    c.draw(canopy, WHITE)
    for x0 in (2, 12, 22):
        c.fill(intersect(canopy, lambda x, y, x0=x0: x0 + (10 - y) * (x0 - 16) / 30 <= x < x0 + 4 + (10 - y) * (x0 + 4 - 16) / 30 + 0.5), RED)
    c.fill(intersect(canopy, below(9)), SILVER, on={WHITE})
    body = poly((13, 20), (19, 20), (24, 28), (8, 28))
    c.draw(body, SILVER)
    c.fill(intersect(body, side(19, 20, 24, 28), side(24, 20, 16, 28)), GREY)
    c.draw(intersect(ellipse(16, 28, 8.5, 2.5), below(28)), MAROON)
    c.draw(rect(15, 23, 17, 25), NAVY)


@picture(SPACE, "black-hole")
def black_hole(c):
    def flame(x, y):
        a = math.atan2(y - 16, x - 16)
        return math.hypot(x - 16, y - 16) <= 13.2 + 1.8 * math.sin(7 * a)

    c.draw(flame, RED)
    c.fill(disc(16, 16.5, 11), YELLOW)
    c.fill(minus(disc(16, 17.5, 9.5), disc(16, 14, 9)), WHITE)
    c.fill(disc(16, 16, 8.3), WHITE)
    c.fill(disc(16, 16, 7), K)
    c.fill(intersect(ring(16, 16, 11, 14), below(10)), MAROON, on={RED})
    c.dots(PURPLE, (15, 12), (16, 12), (17, 13))
    c.fill(seg(6, 16, 26, 16, 1.4), YELLOW)
    c.fill(seg(9, 16, 23, 16, 1.1), WHITE)
    c.fill(disc(16, 16, 5), K)
    c.fill(ring(16, 16, 5.2, 6.4), K)


@picture(SPACE, "nebula")
def nebula(c):
    cloud = union(disc(10, 18, 7), disc(17, 12, 8), disc(23, 18, 7.5), disc(15, 22, 6.5), disc(25, 10, 4.5),
                  disc(6, 12, 4))
    c.draw(cloud, PURPLE)
    c.fill(union(disc(11, 17, 5), disc(17, 12, 6), disc(22, 18, 5)), FUCHSIA)
    c.fill(union(disc(14, 15, 3.5), disc(19, 16, 3)), AQUA)
    c.fill(disc(16, 15.5, 2), WHITE)
    c.dots(WHITE, (8, 20), (24, 9), (22, 23), (10, 13), (27, 19))
    c.dots(YELLOW, (6, 12), (18, 25), (25, 14))


@picture(SPACE, "shooting-star")
def shooting_star(c):
    for i, colour in enumerate((RED, YELLOW, LIME, AQUA)):
        off = (i - 1.5) * 2.6
        c.fill(seg(2.5 + off * 0.7, 29.5 - off * 0.7 + 1.5 * off, 17 + off * 0.7, 14 - off * 0.7 + 1.5 * off - off, 2.8), colour)
    c.outline()
    c.draw(star(21.5, 10.5, 10, 4.2, angle=-80), YELLOW)
    c.fill(star(21.5, 10.5, 5, 2, angle=-80), WHITE)
    c.dots(WHITE, (8, 9), (28, 25), (29, 24), (28, 23), (27, 24))


# ==============================================================================================
# Set 2: sea


def eye(c, x, y, big=False):
    """A round cartoon eye: white with a black pupil, (x, y) its top-left pixel."""
    if big:
        c.sprite(x, y, ("0000", "0ff0", "0f00", "0000"))
    else:
        c.sprite(x, y, ("f0", "00"))


def waves(c, top, colour=BLUE, crest=WHITE):
    """Water along the bottom: a wavy band from top down to the last row."""
    water = lambda x, y: y >= top + 1.2 * math.sin(x * 0.8)
    c.draw(intersect(water, above(32)), colour)
    c.fill(intersect(water, lambda x, y: y < top + 2.2 + 1.2 * math.sin(x * 0.8)), crest)


@picture(SEA, "fish")
def fish(c):
    c.draw(poly((3, 8), (10, 16), (3, 24), (1, 24), (2, 16), (1, 8)), RED)
    c.draw(poly((11, 9), (15, 3), (22, 4), (23, 9)), RED)
    c.draw(poly((14, 22), (19, 27), (21, 22)), RED)
    body = ellipse(17, 16, 13, 8.5)
    c.draw(body, RED)
    for x0 in (12, 20):
        c.fill(intersect(body, rect(x0 - 1, 0, x0 + 3, 32)), K)
        c.fill(intersect(body, rect(x0, 0, x0 + 2, 32)), WHITE)
    c.fill(intersect(body, below(20), right_of(24)), MAROON, on={RED})
    c.fill(intersect(body, above(12), left_of(28)), YELLOW, on={RED})
    eye(c, 24, 12, big=True)
    c.dots(K, (29, 18), (28, 18))


@picture(SEA, "whale")
def whale(c):
    c.draw(ellipse(15.5, 4.5, 1.3, 3.5, -15), AQUA)
    c.draw(ellipse(21, 4, 1.3, 3.5, 20), AQUA)
    c.draw(seg(18, 4, 18, 10, 2), AQUA)
    c.dots(WHITE, (15, 3), (20, 3), (17, 6))
    c.draw(poly((1, 8), (6, 12), (4, 16), (0.5, 14)), BLUE)
    c.draw(poly((9, 9), (7, 14), (4, 16), (6, 10)), BLUE)
    body = union(ellipse(18, 20, 13, 8.5), poly((4, 15), (12, 14), (12, 24), (7, 21)))
    c.draw(body, BLUE)
    c.fill(intersect(body, below(22), right_of(9)), WHITE)
    for x in range(13, 30, 3):
        c.fill(seg(x, 22, x, 28, 1), SILVER, on={WHITE})
    c.fill(intersect(body, right_of(12), ellipse(21, 13.5, 8, 2)), AQUA, on={BLUE})
    c.draw(ellipse(15, 26, 4, 1.6, 25), BLUE)
    c.dots(K, (25, 18), (24, 18), (25, 17))
    c.dots(WHITE, (24, 17))


@picture(SEA, "crab")
def crab(c):
    for y in (17, 20, 23):
        c.draw(path([(9, y), (4, y + 1), (2, y + 5)], 1.6), RED)
        c.draw(path([(23, y), (28, y + 1), (30, y + 5)], 1.6), RED)
    for x, d in ((7, -1), (25, 1)):
        c.draw(seg(x - 2 * d, 17, x, 11, 2), RED)
        claw = minus(disc(x, 7, 5), poly((x, 7), (x + 4 * d, 0), (x + 0.5 * d, 0)))
        c.draw(claw, RED)
        c.fill(intersect(claw, disc(x - 1.5 * d, 5.5, 2)), WHITE)
    c.draw(seg(13, 14, 13, 9, 1), RED)
    c.draw(seg(19, 14, 19, 9, 1), RED)
    c.draw(disc(13, 8.5, 2), WHITE)
    c.draw(disc(19, 8.5, 2), WHITE)
    c.dots(K, (13, 8), (19, 8))
    body = ellipse(16, 19.5, 10, 6.5)
    c.draw(body, RED)
    c.fill(intersect(body, below(22)), MAROON)
    c.fill(ellipse(13, 17, 4, 2), YELLOW, on={RED})
    c.dots(K, (14, 21), (15, 22), (16, 22), (17, 22), (18, 21))


@picture(SEA, "octopus")
def octopus(c):
    legs = []
    for i, x in enumerate((5, 10, 16, 22, 27)):
        w = 1 if i % 2 else -1
        legs.append(path([(x * 0.6 + 6.4, 17), (x, 24), (x + 2 * w, 28), (x + 4 * w, 28)], 3.2))
    c.draw(union(*legs), PURPLE)
    c.fill(union(*legs), FUCHSIA)
    c.outline()
    for i, x in enumerate((5, 10, 16, 22, 27)):
        c.dots(WHITE, (x, 24))
    head = union(ellipse(16, 11, 11, 10), rect(7, 11, 25, 21))
    c.draw(intersect(head, above(21)), FUCHSIA)
    c.fill(minus(intersect(head, above(21)), ellipse(14, 10, 10.5, 10)), PURPLE)
    c.dots(WHITE, (10, 4), (9, 5), (11, 3), (8, 7), (21, 6), (22, 7), (20, 16), (25, 13))
    eye(c, 10, 12, big=True)
    eye(c, 18, 12, big=True)
    c.dots(K, (14, 18), (15, 19), (16, 19), (17, 18))


@picture(SEA, "starfish")
def starfish(c):
    def arm_shape(scale):
        pieces = [disc(16, 17, 7 * scale)]
        for i in range(5):
            a = math.radians(-90 + 72 * i + 12)
            pieces.append(seg(16, 17, 16 + 12.5 * math.cos(a), 17 + 12.5 * math.sin(a), 6.5 * scale))
        return union(*pieces)

    c.draw(arm_shape(1.0), RED)
    c.fill(arm_shape(0.45), YELLOW)
    for i in range(5):
        a = math.radians(-90 + 72 * i + 12)
        for r in (6, 9.5):
            c.dots(WHITE, (int(16 + r * math.cos(a + 0.35)), int(17 + r * math.sin(a + 0.35))))
    c.dots(MAROON, (15, 16), (16, 17), (17, 16))


@picture(SEA, "shell")
def shell(c):
    fan = intersect(disc(16, 27, 20), poly((16, 27), (-4, 6), (0, -1), (32, -1), (36, 6)), above(27))
    c.draw(union(fan, rect(10, 25, 22, 30)), WHITE)
    for i in range(-3, 4):
        a = math.radians(-90 + i * 13)
        c.fill(intersect(fan, seg(16, 27, 16 + 22 * math.cos(a), 27 + 22 * math.sin(a), 1.1)), FUCHSIA)
    c.fill(intersect(fan, ring(16, 27, 15, 17)), FUCHSIA, on={WHITE})
    c.fill(intersect(fan, ring(16, 27, 10, 11)), SILVER, on={WHITE})
    c.fill(rect(10, 25, 22, 30), FUCHSIA)
    c.fill(rect(11, 27, 21, 28), WHITE)
    c.draw(rect(14, 25, 18, 31), PURPLE)


@picture(SEA, "seahorse")
def seahorse(c):
    c.draw(path([(16, 22), (11, 27), (13, 31), (17, 30), (17, 27)], 3), YELLOW)
    c.draw(poly((18, 11), (22, 12), (21, 17)), LIME)
    body = union(ellipse(15, 17, 5.5, 7.5, 15), seg(16, 9, 13, 13, 5), disc(15, 6, 4.5),
                 seg(15, 5, 25, 7, 3.2))
    c.draw(body, YELLOW)
    c.fill(intersect(body, ellipse(12, 18, 3, 6, 15)), WHITE, on={YELLOW})
    for y in (12, 15, 18, 21):
        c.fill(seg(16, y, 21, y - 1, 1), OLIVE, on={YELLOW})
    c.draw(poly((12, 3), (13, 0), (15, 2), (17, 0), (17, 3)), YELLOW)
    c.dots(K, (15, 5))
    c.dots(WHITE, (14, 4))


@picture(SEA, "jellyfish")
def jellyfish(c):
    for i, x in enumerate((8, 12, 16, 20, 24)):
        wave = [(x + 1.5 * math.sin(y * 0.7 + i), y) for y in range(18, 31, 2)]
        c.draw(path(wave, 1.6), FUCHSIA if i % 2 else AQUA)
    bell = union(intersect(ellipse(16, 15, 12.5, 12), above(15)),
                 poly((3.5, 14), (28.5, 14), (28, 18), (3, 18)))
    scallop = union(*(disc(x, 18, 2.2) for x in range(5, 29, 4)))
    c.draw(minus(bell, intersect(below(17), minus(rect(0, 0, 32, 32), scallop))), PURPLE)
    c.fill(intersect(bell, ellipse(15, 12, 11, 10)), FUCHSIA, on={PURPLE})
    c.fill(intersect(ellipse(12, 8, 4, 2.5, -30)), WHITE, on={FUCHSIA})
    eye(c, 11, 12)
    eye(c, 19, 12)
    c.dots(K, (14, 15), (15, 16), (16, 16), (17, 15))


@picture(SEA, "anchor")
def anchor(c):
    c.draw(ring(16, 5, 1.8, 4), SILVER)
    c.draw(rect(8, 9, 24, 12), GREY)
    c.fill(rect(8, 9, 24, 10), SILVER)
    arc = intersect(ring(16, 17, 10, 13), below(18))
    c.draw(union(rect(14, 8, 18, 28), arc), SILVER)
    c.draw(poly((1, 16), (7, 20), (3, 22)), SILVER)
    c.draw(poly((31, 16), (25, 20), (29, 22)), SILVER)
    c.fill(union(rect(16.5, 8, 18, 28), intersect(arc, ring(16, 17, 11.5, 13))), GREY, on={SILVER})
    c.fill(rect(14, 8, 15, 26), WHITE)
    c.dots(WHITE, (14, 2), (13, 3))


@picture(SEA, "boat")
def boat(c):
    waves(c, 27)
    c.draw(ellipse(23, 5, 4, 2.5), SILVER)
    c.draw(ellipse(26.5, 2.5, 3, 2), WHITE)
    c.draw(rect(20, 8, 25, 16), YELLOW)
    c.fill(rect(20, 8, 25, 10), K)
    c.draw(rect(7, 12, 19, 20), WHITE)
    c.fill(rect(7, 12, 19, 13), RED)
    for x in (9, 13):
        c.draw(rect(x, 15, x + 2, 17), AQUA)
    hull = poly((1, 19), (31, 19), (27, 28), (5, 28))
    c.draw(hull, RED)
    c.fill(intersect(hull, rect(0, 19, 32, 22)), WHITE)
    c.fill(intersect(hull, below(25)), MAROON)
    c.draw(disc(24, 23.5, 1.5), YELLOW)
    waves(c, 28)


@picture(SEA, "lighthouse")
def lighthouse(c):
    c.draw(poly((16, 6), (31, 3), (31, 10)), YELLOW, ink=None)
    c.draw(poly((16, 6), (1, 3), (1, 10)), YELLOW, ink=None)
    c.draw(union(ellipse(16, 31, 14, 5), rect(3, 28, 29, 32)), GREY)
    c.fill(ellipse(12, 29, 5, 2), SILVER)
    tower = poly((12, 11), (20, 11), (22, 28), (10, 28))
    c.draw(tower, WHITE)
    for y in (13, 21):
        c.fill(intersect(tower, rect(0, y, 32, y + 4)), RED)
    c.fill(intersect(tower, right_of(18)), SILVER, on={WHITE})
    c.fill(intersect(tower, right_of(18)), MAROON, on={RED})
    c.draw(rect(13, 24, 16, 28), NAVY)
    c.draw(rect(10, 9, 22, 11), GREY)
    c.draw(rect(12, 4, 20, 9), YELLOW)
    c.fill(rect(14, 5, 16, 8), WHITE)
    c.draw(poly((11, 4), (16, 0.5), (21, 4)), RED)


@picture(SEA, "dolphin")
def dolphin(c):
    cx, cy, r = 16, 26, 13
    spine, widths = [], []
    for i in range(13):
        a = math.radians(200 + 12 * i)
        spine.append((cx + r * math.cos(a), cy + r * math.sin(a)))
        widths.append((2, 3, 4.5, 6, 7, 7.5, 7.5, 7, 7, 6.5, 6, 5.5, 4.5)[i])
    body = union(*(seg(*spine[i], *spine[i + 1], widths[i]) for i in range(12)))
    beak = seg(spine[12][0], spine[12][1], spine[12][0] + 2.5, spine[12][1] + 3.5, 2.6)
    c.draw(poly((13, 10), (9, 4), (17, 9)), TEAL)
    c.draw(poly((spine[0][0] + 1, spine[0][1]), (0.5, 15), (3, 20), (1.5, 27)), TEAL)
    c.draw(union(body, beak), AQUA)
    c.fill(minus(union(body, beak), disc(cx, cy, r + 1.2)), TEAL)
    c.fill(intersect(union(body, beak), disc(cx, cy, r - 0.8)), WHITE)
    head = spine[10]
    c.dots(K, (int(head[0]) + 1, int(head[1]) - 1))


@picture(SEA, "turtle")
def turtle(c):
    for x0, y0, x1, y1 in ((9, 10, 2, 6), (23, 10, 30, 6), (10, 22, 4, 27), (22, 22, 28, 27)):
        c.draw(seg(x0, y0, x1, y1, 4.5), LIME)
        c.dots(GREEN, (x1, y1))
    c.draw(seg(16, 24, 16, 28, 2), LIME)
    c.draw(ellipse(16, 4.5, 3.5, 4), LIME)
    c.dots(K, (14, 3), (17, 3))
    shell = ellipse(16, 16, 9.5, 10.5)
    c.draw(shell, GREEN)
    c.fill(ellipse(16, 16, 8, 9), OLIVE)
    for cx, cy in ((16, 11), (16, 16.5), (16, 22), (11.5, 13.5), (20.5, 13.5), (11.5, 19.5), (20.5, 19.5)):
        c.fill(ellipse(cx, cy, 2, 1.8), YELLOW)
    c.dots(WHITE, (13, 8), (12, 9))


@picture(SEA, "shark-fin")
def shark_fin(c):
    fin = union(minus(poly((6, 25), (20, 3), (28, 25)), ellipse(31, 6, 10, 13)), poly((20, 3), (22, 12), (26, 25), (20, 25)))
    c.draw(fin, SILVER)
    c.fill(intersect(fin, side(20, 3, 12, 25)), WHITE)
    c.fill(intersect(fin, side(26, 25, 20, 3)), GREY)
    waves(c, 24)
    c.fill(rect(0, 28, 32, 29), AQUA, on={BLUE})
    c.dots(WHITE, (2, 20), (30, 21), (31, 20), (3, 21))


@picture(SEA, "submarine")
def submarine(c):
    c.draw(path([(14, 9), (14, 3), (18, 3)], 1.6), GREY)
    c.draw(rect(17, 2, 20, 5), SILVER)
    c.draw(poly((11, 9), (19, 9), (20, 14), (10, 14)), YELLOW)
    c.draw(poly((1, 13), (4, 16), (4, 24), (1, 27)), GREY)
    hull = union(ellipse(17, 19, 13, 6.5), rect(4, 16, 12, 23))
    c.draw(hull, YELLOW)
    c.fill(intersect(hull, below(22)), OLIVE)
    c.fill(intersect(hull, rect(0, 15, 32, 16)), WHITE, on={YELLOW})
    for x in (10, 16, 22):
        c.draw(disc(x + 1, 18.5, 1.8), AQUA)
        c.dots(WHITE, (x, 18))
    c.draw(disc(28, 8, 1.5), AQUA)
    c.draw(disc(25, 4, 1), AQUA)
    c.draw(disc(30, 2.5, 1), AQUA)


@picture(SEA, "coral")
def coral(c):
    branches = [[(16, 29), (16, 18), (12, 12), (12, 4)], [(16, 18), (21, 11), (21, 5)],
                [(12, 12), (7, 9), (5, 3)], [(21, 11), (26, 8), (28, 3)], [(16, 22), (9, 19), (4, 15)],
                [(16, 24), (24, 20), (28, 15)], [(12, 12), (15, 7), (16, 2)]]
    shape = union(*(path(b, 3.4) for b in branches))
    c.draw(shape, FUCHSIA)
    c.fill(union(*(path([(x - 0.6, y) for x, y in b], 1.2) for b in branches)), WHITE, on={FUCHSIA})
    c.draw(union(ellipse(16, 30, 11, 3), rect(5, 30, 27, 32)), YELLOW)
    c.fill(ellipse(18, 31, 7, 1.5), OLIVE, on={YELLOW})
    c.dots(PURPLE, (17, 26), (14, 15), (22, 14), (7, 18), (25, 19))


@picture(SEA, "diver-mask")
def diver_mask(c):
    c.draw(path([(27, 30), (27, 6), (28, 3)], 3), YELLOW)
    c.draw(rect(25.5, 1, 30.5, 4), RED)
    c.draw(rect(0.5, 14, 3, 18), NAVY)
    c.draw(rect(29, 14, 31.5, 18), NAVY)
    frame = union(ellipse(9.5, 16, 7.5, 7), ellipse(22.5, 16, 7.5, 7), rect(9, 10, 23, 21))
    c.draw(minus(frame, poly((13, 23), (16, 18), (19, 23))), BLUE)
    for cx in (9.5, 22.5):
        c.draw(ellipse(cx, 15.5, 5, 4.6), AQUA)
        c.fill(seg(cx - 2.5, 16.5, cx, 12, 1.2), WHITE)
    c.fill(rect(15, 12, 17, 19), NAVY)
    c.dots(AQUA, (5, 11), (6, 10))


@picture(SEA, "pearl-oyster")
def oyster(c):
    lid = intersect(ellipse(16, 10, 14, 7.5), above(14))
    c.draw(lid, GREY)
    c.fill(intersect(ellipse(16, 11, 12, 5)), SILVER)
    c.fill(intersect(ellipse(16, 13, 10, 3.5), below(10)), FUCHSIA)
    bowl = intersect(ellipse(16, 18, 14.5, 11), below(18))
    c.draw(bowl, GREY)
    c.fill(intersect(ellipse(16, 18, 13, 5)), FUCHSIA)
    c.fill(intersect(ellipse(16, 17.5, 11, 3), above(18)), WHITE)
    for x in (7, 12, 17, 22):
        c.fill(seg(x, 24, x + 2, 28, 1), SILVER, on={GREY})
    c.draw(disc(16, 17, 4), WHITE)
    c.fill(minus(disc(16, 17, 4), disc(15.2, 16.2, 3.3)), SILVER)
    c.dots(AQUA, (14, 15), (15, 15), (14, 16))


@picture(SEA, "squid")
def squid(c):
    for x in (11, 14, 18, 21):
        c.draw(path([(x, 18), (x + (x - 16) * 0.2, 24), (x + (x - 16) * 0.1 + 1, 28)], 2), WHITE)
    c.draw(path([(13, 18), (9, 26), (10, 31)], 1.4), WHITE)
    c.draw(path([(19, 18), (23, 26), (22, 31)], 1.4), WHITE)
    c.draw(poly((16, 0.5), (25, 6), (20, 8), (12, 8), (7, 6)), WHITE)
    mantle = union(ellipse(16, 9, 5.5, 9), ellipse(16, 19, 5.5, 2))
    c.draw(mantle, WHITE)
    c.fill(intersect(mantle, right_of(19)), SILVER)
    for x, y in ((14, 6), (17, 9), (15, 12), (18, 4), (13, 9)):
        c.dots(FUCHSIA, (x, y))
    c.dots(FUCHSIA, (10, 28), (22, 28))
    eye(c, 12, 16, big=True)
    eye(c, 17, 16, big=True)


@picture(SEA, "lobster")
def lobster(c):
    c.draw(path([(13, 8), (8, 3), (2, 1)], 1), RED)
    c.draw(path([(19, 8), (24, 3), (30, 1)], 1), RED)
    for x, d in ((6, -1), (26, 1)):
        c.draw(seg(13 - 2 + 3 * (d > 0) * 2, 12, x, 9, 2), RED)
        claw = minus(ellipse(x, 6.5, 3.6, 5), poly((x, 7), (x + 3 * d, -1), (x - 0.5 * d, -1)))
        c.draw(claw, RED)
        c.fill(intersect(claw, ellipse(x - d, 6, 1.3, 2.5)), WHITE)
    for y in (13, 16, 19):
        c.draw(seg(12, y, 7, y + 2, 1.4), RED)
        c.draw(seg(20, y, 25, y + 2, 1.4), RED)
    c.draw(poly((16, 24), (10, 31), (22, 31)), RED)
    body = union(ellipse(16, 13, 4.5, 6.5), rect(12.5, 17, 19.5, 26))
    c.draw(body, RED)
    for y in (19, 22, 25):
        c.fill(intersect(body, rect(0, y, 32, y + 1)), MAROON)
    c.fill(poly((16, 25), (13, 31), (19, 31)), MAROON, on={RED})
    c.fill(intersect(body, left_of(14.5), above(18)), YELLOW, on={RED})
    c.dots(K, (14, 9), (18, 9))


@picture(SEA, "wave")
def wave(c):
    curl = minus(disc(17, 14, 12.5), disc(14.5, 15.5, 6.5), poly((2, 15), (9, 15), (9, 32), (2, 32)))
    base = union(rect(1, 21, 31, 31), curl)
    c.draw(base, BLUE)
    c.fill(intersect(curl, minus(disc(17, 14, 10.5), disc(14.5, 15.5, 8))), AQUA)
    c.fill(intersect(curl, minus(disc(17, 14, 12.5), disc(17, 14.5, 11.3))), WHITE)
    c.fill(minus(ring(14.5, 15.5, 6.5, 7.6), right_of(19), below(18)), WHITE, on={BLUE, AQUA})
    for x in range(2, 31, 7):
        c.fill(seg(x, 26, x + 4, 25, 1), AQUA)
    c.fill(rect(1, 30, 31, 31), NAVY)
    c.dots(WHITE, (7, 9), (4, 12), (9, 6))


@picture(SEA, "buoy")
def buoy(c):
    c.draw(disc(16, 3, 2.5), YELLOW)
    c.dots(WHITE, (15, 2))
    c.draw(rect(13, 5, 19, 8), GREY)
    body = poly((13, 8), (19, 8), (24, 25), (8, 25))
    c.draw(body, RED)
    for y in (11, 18):
        c.fill(intersect(body, rect(0, y, 32, y + 3)), WHITE)
    c.fill(intersect(body, side(19, 8, 24, 25), side(24, 8, 16, 25)), MAROON, on={RED})
    c.draw(rect(5, 24, 27, 27), GREY)
    waves(c, 26)


@picture(SEA, "sailboat")
def sailboat(c):
    waves(c, 27)
    c.draw(seg(15, 3, 15, 23, 1.5), OLIVE)
    c.draw(poly((14, 2), (14, 21), (3, 21)), WHITE)
    c.fill(poly((13, 8), (13, 21), (7, 21)), SILVER)
    c.draw(poly((17, 5), (28, 21), (17, 21)), WHITE)
    c.fill(intersect(poly((17, 5), (28, 21), (17, 21)), rect(0, 14, 32, 17)), RED)
    c.draw(poly((15, 1), (21, 2.5), (15, 4)), RED)
    hull = poly((1, 21), (31, 21), (27, 28), (5, 28))
    c.draw(hull, BLUE)
    c.fill(intersect(hull, rect(0, 23, 32, 24)), WHITE)
    waves(c, 28)


@picture(SEA, "treasure-chest")
def treasure(c):
    c.draw(poly((4, 13), (28, 13), (30, 4), (6, 2)), MAROON)
    c.fill(poly((8, 11), (26, 11), (28, 5), (9, 4)), K)
    for x, y in ((10, 9), (14, 8), (18, 9), (22, 8), (12, 11), (20, 11), (16, 10)):
        c.draw(ellipse(x + 0.5, y + 0.5, 2, 1.5), YELLOW)
    c.dots(RED, (15, 7), (16, 7))
    c.dots(AQUA, (20, 6), (21, 6))
    box = rect(3, 13, 29, 29)
    c.draw(box, MAROON)
    c.fill(rect(3, 16, 29, 17), RED)
    c.fill(rect(3, 22, 29, 23), RED)
    for x in (3, 27):
        c.fill(rect(x, 13, x + 2, 29), YELLOW)
    c.fill(rect(3, 13, 29, 15), YELLOW)
    c.draw(rect(14, 17, 18, 22), YELLOW)
    c.dots(K, (15, 19), (16, 19), (15, 20))
    c.draw(ellipse(27, 27.5, 3, 2), YELLOW)
    c.draw(disc(4.5, 28.5, 2), LIME)


@picture(SEA, "puffer-fish")
def puffer(c):
    for i in range(14):
        a = math.radians(i * 360 / 14 + 8)
        c.draw(poly((15 + 10 * math.cos(a - 0.18), 16 + 10 * math.sin(a - 0.18)),
                    (15 + 14.5 * math.cos(a), 16 + 14.5 * math.sin(a)),
                    (15 + 10 * math.cos(a + 0.18), 16 + 10 * math.sin(a + 0.18))), WHITE)
    body = disc(15, 16, 11)
    c.draw(body, YELLOW)
    c.fill(intersect(body, below(19)), WHITE)
    for x, y in ((9, 10), (13, 7), (17, 9), (8, 15)):
        c.dots(OLIVE, (x, y))
    c.draw(poly((2, 12), (6, 16), (2, 20)), YELLOW)
    eye(c, 18, 11, big=True)
    c.draw(ellipse(25.5, 18, 1.6, 2), RED)
    c.draw(poly((12, 19), (16, 22), (11, 24)), YELLOW)


# ==============================================================================================
# Program icons


def icon(name, size=32):
    def register(fn):
        ICONS.append((name, fn, size))
        return fn

    return register


@icon("mainicon")
def mainicon(c):
    """The Tavrin emblem: a framed night sky with a crescent moon and stars over green hills."""
    frame = union(rect(2, 3, 30, 29), rect(3, 2, 29, 30))
    c.draw(frame, YELLOW)
    c.fill(rect(2, 3, 30, 4), WHITE)
    c.fill(rect(2, 3, 3, 29), WHITE)
    c.fill(rect(29, 4, 30, 29), OLIVE)
    c.fill(rect(3, 28, 30, 29), OLIVE)
    sky = rect(5, 6, 27, 26)
    c.draw(sky, NAVY)
    c.fill(intersect(sky, below(16)), BLUE)
    c.fill(intersect(sky, union(ellipse(9, 28, 11, 8), ellipse(24, 29, 10, 7))), GREEN)
    c.fill(intersect(sky, ellipse(9, 28, 9.5, 6.5)), LIME)
    c.fill(minus(disc(20, 12, 4.5), disc(22.5, 10.5, 4)), YELLOW)
    for x, y in ((8, 8), (13, 11), (10, 14), (16, 7), (24, 19), (7, 18)):
        c.dots(WHITE, (x, y))
    c.dots(YELLOW, (12, 8), (14, 8), (13, 7), (13, 9), (13, 8))


@icon("icon")
def program_icon(c):
    """A monitor whose screen shows a starry picture: the saver at work."""
    c.draw(poly((10, 27), (22, 27), (25, 30), (7, 30)), GREY)
    c.draw(rect(13, 24, 19, 27), SILVER)
    c.draw(rect(2, 3, 30, 24), SILVER)
    c.fill(rect(2, 3, 30, 4), WHITE)
    c.fill(rect(2, 3, 3, 24), WHITE)
    c.fill(rect(2, 23, 30, 24), GREY)
    c.draw(rect(5, 6, 27, 20), K, ink=GREY)
    c.draw(star(11, 12, 4.6, 1.9), YELLOW)
    c.draw(disc(21, 14, 3), AQUA)
    c.fill(minus(disc(21, 14, 3), disc(20, 13, 2.5)), BLUE)
    c.dots(WHITE, (16, 8), (8, 17), (25, 8), (14, 17))
    c.dots(LIME, (26, 22))


@icon("password")
def padlock(c):
    outer = union(intersect(disc(16, 12, 8.5), above(12)), rect(7.5, 12, 24.5, 16))
    inner = union(intersect(disc(16, 12, 5), above(12)), rect(11, 12, 21, 16))
    c.draw(minus(outer, inner), SILVER)
    c.fill(intersect(ring(16, 12, 5, 8.5), left_of(11), above(14)), WHITE)
    body = rect(5, 15, 27, 30)
    c.draw(body, YELLOW)
    c.fill(rect(5, 15, 27, 17), WHITE)
    c.fill(rect(5, 27, 27, 30), OLIVE)
    c.fill(rect(25, 15, 27, 30), OLIVE)
    c.draw(union(disc(16, 20.5, 2.2), poly((15, 21), (17, 21), (18, 26), (14, 26))), K, ink=OLIVE)


def gear(c, size):
    m = size / 32
    centre = size / 2
    teeth = []
    for i in range(8):
        a = math.radians(i * 45)
        teeth.append(seg(centre + 10 * m * math.cos(a), centre + 10 * m * math.sin(a),
                         centre + 13.5 * m * math.cos(a), centre + 13.5 * m * math.sin(a), 6 * m))
    body = minus(union(disc(centre, centre, 11 * m), *teeth), disc(centre, centre, 4.2 * m))
    c.draw(body, SILVER)
    c.fill(intersect(body, side(0, size, size, 0)), GREY, on={SILVER})
    c.fill(intersect(body, side(size, 0, 0, size), minus(disc(centre, centre, 8 * m), disc(centre, centre, 6 * m))), WHITE)
    c.outline()


@icon("configure-32")
def configure_large(c):
    gear(c, 32)


@icon("configure-16", size=16)
def configure_small(c):
    gear(c, 16)


def main(argv=None):
    here = os.path.dirname(os.path.abspath(__file__))
    root = os.path.normpath(os.path.join(here, "..", ".."))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--res", default=os.path.join(root, "res"))
    parser.add_argument("--check", action="store_true", help="fail when a grid differs from its drawing")
    args = parser.parse_args(argv)

    header = "# Drawn by tools/icons/draw_space_sea.py; change the drawing there and rerun it.\n"
    outputs = {}
    for folder, pictures in (("set1-space", SPACE), ("set2-sea", SEA)):
        for index, (name, fn) in enumerate(pictures, 1):
            canvas = Canvas()
            fn(canvas)
            outputs[os.path.join(args.res, "pictures", folder, f"{index:02d}-{name}.txt")] = canvas
    for name, fn, size in ICONS:
        canvas = Canvas(size)
        fn(canvas)
        outputs[os.path.join(args.res, "icons", f"{name}.txt")] = canvas

    stale = []
    for file, canvas in outputs.items():
        text = header + "\n".join(canvas.rows()) + "\n"
        try:
            with open(file, encoding="ascii") as f:
                same = f.read() == text
        except FileNotFoundError:
            same = False
        if same:
            continue
        if args.check:
            stale.append(file)
            continue
        os.makedirs(os.path.dirname(file), exist_ok=True)
        with open(file, "w", encoding="ascii", newline="\n") as f:
            f.write(text)
    if stale:
        print("draw_space_sea: differs from the drawing: " + ", ".join(stale), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
