#!/usr/bin/env python3
"""The saver's two long intervals, as a user sees them: the cleaning tick (every minute at the
shortest) wipes every stamp and shows the desktop exactly as it was captured; the password
panel left alone goes away after 30 seconds, like Cancel, and the saver watches again."""
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "harness"))
import tavrin_harness as h  # noqa: E402
import saver_password as panel  # noqa: E402

CLEANING = 60.0      # CLS 1: one minute
PANEL_TIMEOUT = 30.0
# A pace of 2.3 s puts no stamp within 0.2 s before and 2.1 s after the cleaning tick at 60 s.
SLOW_PACE = 23


class SaverIntervals(panel.PanelChecks, h.Scenario):
    def test_cleaning_shows_the_captured_desktop_again(self):
        h.reg_load(h.product_key(**h.valid_settings(Sensitivity=1, Speed=SLOW_PACE, CLS=1.0, Background=1)))
        with h.Pattern():
            before = self.shot("before")
            process = self.start("/s")
            h.wait_window(cls=h.SAVER_CLASS, exe=h.SCR_NAME)
            set_up = time.monotonic()
            # Stamps pile up and nothing wipes them before the minute is over.
            time.sleep(CLEANING - 8)
            piled = h.differing_pixels(before, self.shot("piled-up"))
            self.assertGreater(piled, 10 * 32 * 8, "the stamps did not pile up during the first minute")
            cleaned = None
            while time.monotonic() - set_up < CLEANING + 6:
                shot = self.shot("after-cleaning")
                if h.differing_pixels(before, shot) == 0:
                    cleaned = time.monotonic() - set_up
                    break
            self.assertIsNotNone(cleaned, f"the screen never showed the captured desktop again "
                                 f"(see {self.artifacts})")
            self.assertGreater(cleaned, CLEANING - 3, "the screen was wiped before the minute was over")
            h.key("a")
            h.key("b")
            h.wait_exit(process)
        self.assert_desktop_back()

    def test_panel_left_alone_goes_away_after_thirty_seconds(self):
        process, window = self.start_protected(speed=5)
        h.key("a")
        h.key("b")
        self.wait_panel("panel")
        shown_at = time.monotonic()
        time.sleep(PANEL_TIMEOUT - 3)
        self.wait_panel("still-shown", timeout=0)
        self.wait_panel("timed-out", shown=False, timeout=8)
        self.assertGreater(time.monotonic() - shown_at, PANEL_TIMEOUT - 3)
        self.assertIsNone(process.poll(), "the time-out ended the saver")
        # Back to watching: the first key is ignored again, the second brings the panel back.
        h.focus(window)
        h.key("a")
        time.sleep(panel.REACTION)
        self.wait_panel("first-key-ignored", shown=False, timeout=0)
        h.key("b")
        self.wait_panel("panel-again")
        self.answer("Secret")
        h.wait_exit(process)
        self.assert_desktop_back()


if __name__ == "__main__":
    h.main()
