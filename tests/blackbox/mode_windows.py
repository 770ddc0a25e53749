#!/usr/bin/env python3
"""First arguments that open a window: no argument, "/c", "/C" and "/c:" with a window
number (as the system's Settings button passes it) open the configuration dialog; "/s", "/S" and "/s" followed by another word open the saver. Closing the window ends
the program, and neither writes settings when there is no product key."""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "harness"))
import tavrin_harness as h  # noqa: E402

CONFIGURE = [[], ["/c"], ["/C"], ["/c:1234"]]
SAVER = [["/s"], ["/S"], ["/s", "extra"]]


class WindowSwitches(h.Scenario):
    def open_and_close(self, args, cls, title):
        process = self.start(*args)
        window = h.wait_window(cls=cls, exe=h.SCR_NAME, timeout=5)
        self.assertEqual(window["title"], title)
        others = [w for w in h.program_windows() if w["class"] not in (cls, "TApplication")]
        self.assertEqual(others, [], f"{args}: other windows opened: {h.describe(others)}")
        h.close(window)
        # The process ends: after the window's loop no other mode's window follows.
        h.wait_exit(process, timeout=5)
        self.assertFalse(h.reg_key_exists(h.PRODUCT_KEY), f"{args}: settings were written")

    def test_configuration_dialog(self):
        for args in CONFIGURE:
            with self.case(args=args):
                self.open_and_close(args, h.CONFIGURE_CLASS, "Screen Saver Configuring")

    def test_saver(self):
        for args in SAVER:
            with self.case(args=args):
                self.open_and_close(args, h.SAVER_CLASS, h.SAVER_TITLE)


if __name__ == "__main__":
    h.main()
