#!/usr/bin/env python3
"""The saver over the desktop: "/s" covers the screen with a borderless top-most window that
shows the desktop as it was at the start, hides the taskbar and sets the screen-saver-running
flag while it runs, and gives both back when the window is closed."""
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "harness"))
import tavrin_harness as h  # noqa: E402

WS_CAPTION = 0x00C00000
WS_THICKFRAME = 0x00040000
PICTURE_PIXELS = 32 * 32
DEFAULT_PACE = 0.5  # seconds between pictures without a product key


class SaverOverDesktop(h.Scenario):
    def check_saver_window(self, window):
        self.assertEqual(window["title"], h.SAVER_TITLE)
        self.assertEqual(window["rect"], [0, 0, *h.SCREEN], "the window must cover the screen")
        self.assertTrue(window["topmost"], "the window must be top-most")
        self.assertEqual(window["style"] & (WS_CAPTION | WS_THICKFRAME), 0,
                         "the window must have no title bar and no frame")

    def check_running(self):
        now = h.state()
        self.assertTrue(now["taskbar"]["exists"], "the session has no taskbar")
        self.assertFalse(now["taskbar"]["visible"], "the taskbar must be hidden while the saver runs")
        self.assertTrue(now["saver_running"], "the screen-saver-running flag must be set")

    def close_and_check_restored(self, window, process, before):
        h.close(window)
        h.wait_exit(process)
        self.assert_desktop_back()
        # The desktop, taskbar included, is back as it was.
        self.wait_for_screen(before, "after", "the desktop after the saver ended")

    def wait_for_screen(self, expected, name, what, allowed=0, timeout=3.0):
        """Polls screenshots until at most `allowed` pixels differ from `expected`."""
        deadline = time.monotonic() + timeout
        while True:
            shot = self.shot(name)
            differing = h.differing_pixels(expected, shot, os.path.join(self.artifacts, name + "-diff.png"))
            if differing <= allowed or time.monotonic() > deadline:
                break
        self.assertLessEqual(differing, allowed, f"{what}: {differing} pixels differ from the "
                             f"desktop before the start (see {self.artifacts})")
        return shot

    def test_without_product_key(self):
        with h.Pattern() as pattern:
            before = self.shot("before")
            self.assertEqual([c for _, c in pattern.bar_points()],
                             h.pixels(before, [p for p, _ in pattern.bar_points()]),
                             "the pattern window is not on the screen")
            process = self.start("/s")
            window = h.wait_window(cls=h.SAVER_CLASS, exe=h.SCR_NAME)
            sys.stderr.write(f"  launch to visible window: {time.monotonic() - process.started_at:.2f} s\n")
            self.check_saver_window(window)
            # Without a product key pictures are stamped every half second from the start on,
            # so the screen may differ from the desktop by that many 32x32 pictures.
            shot = self.shot("during")
            elapsed = time.monotonic() - process.started_at
            allowed = PICTURE_PIXELS * (int(elapsed / DEFAULT_PACE) + 1)
            differing = h.differing_pixels(before, shot, os.path.join(self.artifacts, "during-diff.png"))
            self.assertLessEqual(differing, allowed, f"the saver does not show the desktop: {differing} "
                                 f"pixels differ after {elapsed:.2f} s (see {self.artifacts})")
            self.check_running()
            self.close_and_check_restored(window, process, before)

    def test_desktop_background_is_exact(self):
        # Pace 0: no pictures, so the screen must equal the captured desktop pixel for pixel.
        h.reg_load(h.product_key(**h.valid_settings(Speed=0, Background=1)))
        with h.Pattern():
            before = self.shot("before")
            process = self.start("/s")
            window = h.wait_window(cls=h.SAVER_CLASS, exe=h.SCR_NAME)
            self.check_saver_window(window)
            self.wait_for_screen(before, "during", "the saver's background")
            self.check_running()
            self.close_and_check_restored(window, process, before)


if __name__ == "__main__":
    h.main()
