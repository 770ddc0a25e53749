#!/usr/bin/env python3
"""The black background: with "Background" 0 (or any value but 1) the saver shows a black
screen instead of the desktop."""
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "harness"))
import tavrin_harness as h  # noqa: E402

BLACK = (0, 0, 0)
SCREEN_PIXELS = h.SCREEN[0] * h.SCREEN[1]


class BlackBackground(h.Scenario):
    def test_black_screen(self):
        for background in (0, 2, 256 + 0):
            with self.case(Background=background):
                h.reg_load(h.product_key(**h.valid_settings(Speed=0, Background=background)))
                with h.Pattern():
                    process = self.start("/s")
                    window = h.wait_window(cls=h.SAVER_CLASS, exe=h.SCR_NAME)
                    deadline = time.monotonic() + 3
                    while True:
                        shot = self.shot(f"background-{background}")
                        colours = h.colour_count(shot)
                        if colours.get(BLACK) == SCREEN_PIXELS or time.monotonic() > deadline:
                            break
                    others = sorted(((n, c) for c, n in colours.items() if c != BLACK), reverse=True)
                    self.assertEqual(colours.get(BLACK, 0), SCREEN_PIXELS,
                                     f"not all black; most frequent other colours: {others[:5]}")
                    h.close(window)
                    h.wait_exit(process)


if __name__ == "__main__":
    h.main()
