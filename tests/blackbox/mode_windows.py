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
        window = h.wait_window(cls=cls, exe=h.SCR_NAME)
        self.assertEqual(window["title"], title)
        others = [w for w in h.program_windows() if w["class"] not in (cls, "TApplication")]
        self.assertEqual(others, [], f"{args}: other windows opened: {h.describe(others)}")
        h.close(window)
        # The process ends: after the window's loop no other mode's window follows.
        h.wait_exit(process)
        self.assertFalse(h.reg_key_exists(h.PRODUCT_KEY), f"{args}: settings were written")

    def test_configuration_dialog(self):
        for args in CONFIGURE:
            with self.case(args=args):
                self.open_and_close(args, h.CONFIGURE_CLASS, "Screen Saver Configuring")

    def test_settings_button_window_owns_the_dialog(self):
        """"/c:N" with N another program's window: the dialog is owned by it and modal to it;
        on Save or close the window is enabled and in front again. When the window goes (its
        program killed), the dialog ends unsaved and the next "/s" opens a saver."""
        disabled = 0x08000000  # WS_DISABLED
        save = (508, 32)       # "Save" in the dialog's client area (571 x 296)
        for way in ("close", "save", "owner gone"):
            with self.case(way=way), h.Pattern(x=20, y=20, width=300, height=200) as pattern:
                h.reset_registry()
                host = h.wait_window(cls="TavrinHarnessPattern")
                process = self.start(f"/c:{host['hwnd']}")
                dialog = h.wait_window(cls=h.CONFIGURE_CLASS, exe=h.SCR_NAME)
                self.assertEqual(dialog["owner"], host["hwnd"])
                self.assertTrue(h.wait_window(cls="TavrinHarnessPattern")["style"] & disabled,
                                "the window is not disabled while the dialog is open")
                if way == "owner gone":
                    h.kill(pattern.process)
                    h.wait_exit(process)
                    self.assertFalse(h.reg_key_exists(h.PRODUCT_KEY))
                    saver = self.start("/s")
                    h.close(h.wait_window(cls=h.SAVER_CLASS, exe=h.SCR_NAME))
                    h.wait_exit(saver)
                    continue
                if way == "close":
                    h.close(dialog)
                else:
                    x, y, width, height = dialog["rect"]
                    border = (width - 571) // 2
                    h.focus(dialog)
                    h.move(x + border + save[0], y + height - 296 - border + save[1])
                    h.click()
                h.wait_exit(process)
                self.assertFalse(h.wait_window(cls="TavrinHarnessPattern")["style"] & disabled)
                self.assertEqual(h.state()["foreground"]["hwnd"], host["hwnd"])
                self.assertEqual(h.reg_key_exists(h.PRODUCT_KEY), way == "save")

    def test_saver(self):
        for args in SAVER:
            with self.case(args=args):
                self.open_and_close(args, h.SAVER_CLASS, h.SAVER_TITLE)


if __name__ == "__main__":
    h.main()
