#!/usr/bin/env python3
"""First arguments that select no mode: the program opens no window and ends by itself. Only
the exact switches count; anything appended to a switch, another prefix character, another
letter or a preview request opens nothing. ("/c:" with a window number is the configuration
switch some systems pass: see mode_windows.py.)"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "harness"))
import tavrin_harness as h  # noqa: E402

SILENT = [
    ["/x"],
    ["/p"],
    ["/P"],
    ["/p", "123"],
    ["/c1"],
    ["/c:"],
    ["/c:12a"],
    ["/s1"],
    ["/S:"],
    ["-s"],
    ["s"],
    ["/a1"],
]


class SilentSwitches(h.Scenario):
    def test_no_window_and_quick_exit(self):
        for args in SILENT:
            with self.case(args=args):
                process = self.start(*args)
                self.assert_no_window_and_exit(process, args)
        # Nothing of the settings is touched either.
        self.assertFalse(h.reg_key_exists(h.PRODUCT_KEY), "a switch without a mode wrote settings")


if __name__ == "__main__":
    h.main()
