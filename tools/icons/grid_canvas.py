"""A tiny canvas for drawing icon grids from shapes.

Coordinates are pixel edges: pixel (x, y) covers [x, x+1) x [y, y+1) and belongs to a shape when
its centre (x+0.5, y+0.5) does. Shapes are predicates on a point, so they combine freely.
Colours are palette indexes 0-15; None is transparent.
"""

import math

K, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER = range(8)
GREY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE = range(8, 16)


# ----------------------------------------------------------------------------------------------
# Shapes


def ellipse(cx, cy, rx, ry, angle=0.0):
    """An ellipse turned by angle degrees (clockwise on screen)."""
    ca, sa = math.cos(math.radians(angle)), math.sin(math.radians(angle))

    def inside(x, y):
        dx, dy = x - cx, y - cy
        u, v = dx * ca + dy * sa, -dx * sa + dy * ca
        return (u / rx) ** 2 + (v / ry) ** 2 <= 1.0

    return inside


def disc(cx, cy, r):
    return ellipse(cx, cy, r, r)


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x < x1 and y0 <= y < y1


def poly(*points):
    """A polygon (even-odd rule)."""
    def inside(x, y):
        result = False
        n = len(points)
        for i in range(n):
            (xa, ya), (xb, yb) = points[i], points[(i + 1) % n]
            if (ya > y) != (yb > y) and x < xa + (y - ya) * (xb - xa) / (yb - ya):
                result = not result
        return result

    return inside


def seg(x0, y0, x1, y1, width):
    """A thick segment with round ends."""
    def inside(x, y):
        dx, dy = x1 - x0, y1 - y0
        length2 = dx * dx + dy * dy
        t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / length2))
        px, py = x0 + t * dx, y0 + t * dy
        return (x - px) ** 2 + (y - py) ** 2 <= (width / 2) ** 2

    return inside


def path(points, width):
    """A thick polyline."""
    return union(*(seg(*points[i], *points[i + 1], width) for i in range(len(points) - 1)))


def ring(cx, cy, r_in, r_out):
    return minus(disc(cx, cy, r_out), disc(cx, cy, r_in))


def star(cx, cy, r_out, r_in, points=5, angle=-90.0):
    vertices = []
    for i in range(2 * points):
        a = math.radians(angle + 180.0 * i / points)
        r = r_out if i % 2 == 0 else r_in
        vertices.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return poly(*vertices)


def union(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


def intersect(*shapes):
    return lambda x, y: all(s(x, y) for s in shapes)


def minus(shape, *holes):
    return lambda x, y: shape(x, y) and not any(h(x, y) for h in holes)


def above(y_line):
    return lambda x, y: y < y_line


def below(y_line):
    return lambda x, y: y >= y_line


def left_of(x_line):
    return lambda x, y: x < x_line


def right_of(x_line):
    return lambda x, y: x >= x_line


def side(x0, y0, x1, y1):
    """The half plane to the right of the directed line (x0, y0) -> (x1, y1), on screen."""
    return lambda x, y: (x1 - x0) * (y - y0) - (y1 - y0) * (x - x0) > 0


# ----------------------------------------------------------------------------------------------
# The canvas


class Canvas:
    def __init__(self, size=32):
        self.size = size
        self.px = [[None] * size for _ in range(size)]

    def cells(self):
        for y in range(self.size):
            for x in range(self.size):
                yield x, y

    def mask(self, shape):
        return {(x, y) for x, y in self.cells() if shape(x + 0.5, y + 0.5)}

    def fill(self, shape, colour, on=None):
        """Paints the shape; with on (a set of colours, or 'opaque') only over such pixels."""
        for x, y in self.mask(shape):
            self._paint(x, y, colour, on)
        return self

    def draw(self, shape, colour, ink=K):
        """Paints a piece with its own outline: the ring of pixels just outside it gets ink."""
        cells = self.mask(shape)
        if ink is not None:
            for x, y in cells:
                for nx, ny in ((x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)):
                    if (nx, ny) not in cells and 0 <= nx < self.size and 0 <= ny < self.size:
                        self.px[ny][nx] = ink
        for x, y in cells:
            self.px[y][x] = colour
        return self

    def dots(self, colour, *points, on=None):
        for x, y in points:
            self._paint(x, y, colour, on)
        return self

    def sprite(self, left, top, rows, palette=None):
        """Paints text art: hex digits are colours (or keys of palette), '.' leaves a pixel alone."""
        for dy, row in enumerate(rows):
            for dx, ch in enumerate(row):
                if ch == ".":
                    continue
                colour = palette[ch] if palette and ch in palette else int(ch, 16)
                self._paint(left + dx, top + dy, colour, None)
        return self

    def recolour(self, old, new, shape=None):
        for x, y in self.cells():
            if self.px[y][x] == old and (shape is None or shape(x + 0.5, y + 0.5)):
                self.px[y][x] = new
        return self

    def outline(self, ink=K):
        """Inks every opaque pixel on the silhouette's edge (next to transparency or the border)."""
        edge = []
        for x, y in self.cells():
            if self.px[y][x] is None:
                continue
            for nx, ny in ((x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)):
                if not (0 <= nx < self.size and 0 <= ny < self.size) or self.px[ny][nx] is None:
                    edge.append((x, y))
                    break
        for x, y in edge:
            self.px[y][x] = ink
        return self

    def erase(self, shape):
        for x, y in self.mask(shape):
            self.px[y][x] = None
        return self

    def _paint(self, x, y, colour, on):
        if not (0 <= x < self.size and 0 <= y < self.size):
            return
        current = self.px[y][x]
        if on == "opaque" and current is None:
            return
        if on not in (None, "opaque") and current not in on:
            return
        self.px[y][x] = colour

    def rows(self):
        return ["".join("." if c is None else "0123456789abcdef"[c] for c in row) for row in self.px]
