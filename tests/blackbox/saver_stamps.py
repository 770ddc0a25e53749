#!/usr/bin/env python3
"""Pictures on the screen: with only the third picture of set 2 enabled, a black background and
a pace of a tenth of a second, the screen fills with copies of "ICON_28", each drawn whole
through its mask at a place that keeps off the leftmost and topmost 10 pixels. At 192 dpi each
copy is the picture with every pixel doubled."""
import os
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
RES = os.path.join(HERE, "..", "..", "res")
sys.path.insert(0, os.path.join(HERE, "..", "harness"))
sys.path.insert(0, os.path.join(HERE, "..", "..", "tools", "icons"))
import make_icons  # noqa: E402
import tavrin_harness as h  # noqa: E402

SIZE = 32
MARGIN = 10
BLACK = (0, 0, 0)


def load_picture(number, scale=1):
    """Picture `number` as its grid draws it, each pixel a scale x scale block: {(dx, dy): (r, g,
    b)} for the opaque pixels; transparent pixels are left out."""
    grid, _ = make_icons.load_pictures(RES)[number]
    return {(x * scale + i, y * scale + j): make_icons.PALETTE[colour] for y, row in enumerate(grid)
            for x, colour in enumerate(row) if colour is not make_icons.TRANSPARENT
            for i in range(scale) for j in range(scale)}


def read_rgb(path):
    """(width, height, bytes) of a screenshot as packed 8-bit RGB."""
    raw = subprocess.run([h.CONVERT, path, "-depth", "8", "rgb:-"], capture_output=True, check=True).stdout
    width, height = h.SCREEN
    if len(raw) != width * height * 3:
        raise h.HarnessError(f"{path}: {len(raw)} bytes, not a {width}x{height} RGB picture")
    return width, height, raw


class Screen:
    def __init__(self, path):
        self.width, self.height, self.raw = read_rgb(path)

    def at(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.raw[i:i + 3])

    def non_black(self):
        found = []
        raw, width = self.raw, self.width
        for i in range(0, len(raw), 3):
            if raw[i] or raw[i + 1] or raw[i + 2]:
                p = i // 3
                found.append((p % width, p // width))
        return found


def find_stamps(screen, picture, pixels):
    """Explains the non-black pixels as stamps of `picture`. First the stamps drawn whole (every
    opaque pixel in place); then, for what is left, stamps partly covered by ones already found.
    Returns (whole stamps, partly covered stamps, pixels left unexplained)."""
    opaque = list(picture.items())
    # Opaque black pixels cannot be told from the background: anchor on a coloured one.
    anchor, anchor_colour = next((p, c) for p, c in opaque if c != BLACK)

    def fits(x0, y0, covered):
        for (dx, dy), colour in opaque:
            x, y = x0 + dx, y0 + dy
            if x >= screen.width or y >= screen.height:
                continue  # a stamp may run past the right or bottom edge
            if screen.at(x, y) != colour and (x, y) not in covered:
                return False
        return True

    whole = set()
    for x, y in pixels:
        if screen.at(x, y) == anchor_colour:
            x0, y0 = x - anchor[0], y - anchor[1]
            if x0 >= 0 and y0 >= 0 and fits(x0, y0, ()):
                whole.add((x0, y0))
    covered = set()
    for x0, y0 in whole:
        covered.update((x0 + dx, y0 + dy) for (dx, dy) in picture)

    def origin_of(x, y):
        """Where a stamp would have to be for (x, y) to be one of its pixels, given what is
        already explained; None if nowhere."""
        colour = screen.at(x, y)
        for (dx, dy), c in opaque:
            if c == colour and x - dx >= 0 and y - dy >= 0 and fits(x - dx, y - dy, covered):
                return x - dx, y - dy
        return None

    # A stamp under another one is explained only once the one on top is: every unexplained pixel
    # is tried, round after round, while a round explains something (and the rest is not plainly
    # something else, such as the desktop before the saver's first paint).
    partial = set()
    progress = True
    while progress:
        progress = False
        left = [p for p in pixels if p not in covered]
        if len(left) > 20 * len(picture):
            break
        for x, y in left:
            if (x, y) in covered:
                continue
            origin = origin_of(x, y)
            if origin:
                partial.add(origin)
                covered.update((origin[0] + ex, origin[1] + ey) for (ex, ey) in picture)
                progress = True
    return whole, partial, [p for p in pixels if p not in covered]


class SaverStamps(h.Scenario):
    def test_only_icon_28_at_allowed_places(self):
        for dpi in (96, 192):
            with self.case(dpi=dpi), h.display_density(dpi):
                self.stamps_of_icon_28(dpi // 96)

    def stamps_of_icon_28(self, scale):
        picture = load_picture(28, scale)
        size = SIZE * scale
        self.assertGreater(len(picture), 100, "ICON_28 is nearly empty: nothing to recognise")

        pictures = {f"Pic_{n:02d}": int(n == 3) for n in range(1, 26)}
        # Keys only: the pointer Wine moves for a new window must not end the saver.
        h.reg_load(h.product_key(**h.valid_settings(PictureSet=2, Speed=1, Background=0, Sensitivity=1,
                                                    **pictures)))
        process = self.start("/s")
        window = h.wait_window(cls=h.SAVER_CLASS, exe=h.SCR_NAME, timeout=5)

        # Poll until the saver's black covers the screen (its corner, which no stamp reaches, is
        # black: before the first paint the desktop shows) and several stamps are there (one
        # every 100 ms).
        deadline = time.monotonic() + 5.0
        while True:
            shot = self.shot(f"stamps-x{scale}")
            screen = Screen(shot)
            pixels = screen.non_black()
            covered = screen.at(0, 0) == BLACK and screen.at(screen.width - 1, 0) == BLACK
            if (covered and len(pixels) >= 6 * len(picture)) or time.monotonic() > deadline:
                break
            time.sleep(0.3)
        self.assertGreater(len(pixels), 0, "no picture appeared")

        whole, partial, unexplained = find_stamps(screen, picture, pixels)
        sys.stderr.write(f"  {len(whole)} whole stamps, {len(partial)} partly covered, "
                         f"{len(pixels)} picture pixels\n")
        self.assertGreaterEqual(len(whole), 1, f"no exact copy of ICON_28 on the screen (see {shot})")
        self.assertEqual(unexplained[:10], [], f"{len(unexplained)} pixels are not part of an ICON_28 "
                         f"stamp (see {shot})")
        width, height = h.SCREEN
        for x0, y0 in whole:
            self.assertTrue(MARGIN <= x0 <= width - size + MARGIN - 1 and
                            MARGIN <= y0 <= height - size + MARGIN - 1,
                            f"a stamp at {x0},{y0} lies outside the allowed area")
        in_margin = [(x, y) for x, y in pixels if x < MARGIN or y < MARGIN]
        self.assertEqual(in_margin[:10], [], "a stamp touched the leftmost or topmost 10 pixels")

        # Two keys end the saver and give the desktop back.
        h.focus(window)
        h.key("a")
        h.key("b")
        h.wait_exit(process, timeout=5)
        self.assert_desktop_back()


if __name__ == "__main__":
    h.main()
