#!/usr/bin/env python3
"""Which input ends the saver: only the kinds the settings switch on, the first one after the
start ignored; keys pressed with Alt and F10 never count. When it ends, the taskbar and the
screen-saver-running flag are given back."""
import os
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "harness"))
import tavrin_harness as h  # noqa: E402

# How long the program gets to react to one input before a scenario decides it did nothing.
REACTION = 0.5


def xdotool_relative(dx, dy):
    h.xdotool("mousemove_relative", "--", dx, dy)


class SaverInput(h.Scenario):
    def start_saver(self, sensitivity):
        # No pictures and a black screen: nothing changes on the screen by itself.
        h.reg_load(h.product_key(**h.valid_settings(Sensitivity=sensitivity, Speed=0, Background=0)))
        process = self.start("/s")
        window = h.wait_window(cls=h.SAVER_CLASS, exe=h.SCR_NAME)
        h.focus(window)
        return process

    def assert_still_running(self, process, after):
        try:
            process.wait(timeout=REACTION)
        except subprocess.TimeoutExpired:
            pass
        self.assertIsNone(process.poll(), f"the saver ended after {after}")
        self.assertTrue(h.state()["saver_running"], f"the saver flag was cleared after {after}")

    def assert_ended(self, process, after):
        try:
            h.wait_exit(process)
        except h.HarnessError:
            self.fail(f"the saver did not end after {after}")
        self.assert_desktop_back()

    def test_keyboard_only(self):
        """The program that had the keyboard before the saver has it again afterwards."""
        with h.Pattern():
            other = h.wait_window(cls="TavrinHarnessPattern")
            h.probe("foreground", str(other["hwnd"]))
            self.keyboard_only()
            fg = h.state()["foreground"]
            self.assertEqual(fg["hwnd"], other["hwnd"], fg)

    def keyboard_only(self):
        process = self.start_saver(1)
        h.move(100, 100)
        h.move(700, 500)
        h.click(1)
        h.click(3)
        self.assert_still_running(process, "mouse moves and clicks with keys only")
        h.key("a")
        self.assert_still_running(process, "the first key")
        h.key("b")
        self.assert_ended(process, "the second key")

    def test_moves_only(self):
        process = self.start_saver(100)
        h.key("a")
        h.key("b")
        h.key("Return")
        h.click(1)
        self.assert_still_running(process, "keys and a click with mouse moves only")
        # A mouse that jitters by a pixel or two has not moved.
        for dx, dy in ((1, 1), (-2, 0), (2, -1), (-1, -1), (0, 2)):
            xdotool_relative(dx, dy)
        self.assert_still_running(process, "moves of one or two pixels")
        h.move(300, 300)
        self.assert_still_running(process, "the first real move")
        h.move(600, 400)
        self.assert_ended(process, "the second mouse move")

    def test_another_program_taking_the_foreground(self):
        """Another program brought forward (Alt+Tab on the NT family) ends the saver at once and
        keeps the keyboard."""
        with h.Pattern() as before, h.Pattern(650, 450, 200, 150) as other:
            h.probe("foreground", str(before.window["hwnd"]))
            process = self.start_saver(1)
            h.probe("foreground", str(other.window["hwnd"]))
            self.assert_ended(process, "another program took the foreground")
            fg = h.state()["foreground"]
            self.assertEqual(fg and fg["hwnd"], other.window["hwnd"], fg)

    def test_alt_keys_and_f10_never_count(self):
        process = self.start_saver(1)
        for keys in ("alt+a", "F10", "alt+x", "F10", "alt+Return"):
            h.key(keys)
        self.assert_still_running(process, "keys pressed with Alt and F10")
        h.key("a")
        self.assert_still_running(process, "the first ordinary key")
        h.key("b")
        self.assert_ended(process, "the second ordinary key")


if __name__ == "__main__":
    h.main()
