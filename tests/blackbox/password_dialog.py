#!/usr/bin/env python3
""""/a" opens "Change password". The same text typed into both fields and OK store it as
"Password" and end the program; different texts bring up the centred warning, after which the
confirmation is empty and the first field, still holding its text, has the focus."""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "harness"))
import tavrin_harness as h  # noqa: E402

PRODUCT_SUBKEY = r"Software\Quillam\Tavrin"
CLIENT = (431, 97)  # the dialog's client size at 96 pixels per inch
OK_CENTRE = (347 + 67 // 2, 7 + 23 // 2)
MISMATCH_TEXT = "The new and confirmed passwords do not match.\r\n Please type them again."


def client_origin(window):
    """Screen position of the client area: the frame is as wide on every side, the caption
    takes the rest of the height above."""
    x, y, width, height = window["rect"]
    border = (width - CLIENT[0]) // 2
    return x + border, y + height - CLIENT[1] - border


def click_ok(window):
    left, top = client_origin(window)
    h.move(left + OK_CENTRE[0], top + OK_CENTRE[1])
    h.click()


class PasswordDialog(h.Scenario):
    def open_dialog(self):
        process = self.start("/a")
        window = h.wait_window(cls=h.PASSWORD_CLASS, exe=h.SCR_NAME)
        self.assertEqual(window["title"], "Change password")
        h.focus(window)
        return process, window

    def type_entries(self, new, confirmation):
        # The first field has the focus when the dialog opens; Tab leads to the second.
        h.xdotool("type", "--delay", 40, new)
        h.key("Tab")
        h.xdotool("type", "--delay", 40, confirmation)

    def assert_stored(self, text):
        stored = h.reg_string(PRODUCT_SUBKEY, "Password")
        self.assertIsNotNone(stored, "no \"Password\" stored")
        self.assertEqual(stored[0], text)

    def test_equal_entries_are_stored(self):
        process, window = self.open_dialog()
        self.type_entries("Tavrin pass 7", "Tavrin pass 7")
        self.shot("typed")
        click_ok(window)
        h.wait_exit(process)
        self.assert_stored("Tavrin pass 7")

    def test_different_entries_warn(self):
        # Another program's window is on screen: when the warning closes, the dialog is in
        # front again, not that window.
        with h.Pattern(x=20, y=20, width=200, height=120):
            process, window = self.open_dialog()
            self.different_entries_warn(process, window)

    def different_entries_warn(self, process, window):
        self.type_entries("Secret", "secret")
        click_ok(window)
        box = h.wait_message_box()
        self.shot("warning")
        self.assertEqual(box["title"], "Warning")
        self.assertEqual(box["texts"], [MISMATCH_TEXT])
        self.assertEqual(box["buttons"], ["OK"])
        x, y, width, height = box["rect"]
        self.assertLessEqual(abs(x + width / 2 - h.SCREEN[0] / 2), 1, f"box at {box['rect']} not centred")
        self.assertLessEqual(abs(y + height / 2 - h.SCREEN[1] / 2), 1, f"box at {box['rect']} not centred")
        self.assertEqual(box["owner"], window["hwnd"], "the warning does not belong to the dialog")
        h.press("OK")
        h.wait_gone(cls="#32770", exe=h.SCR_NAME)
        self.assertEqual(h.state()["foreground"]["hwnd"], window["hwnd"], "the dialog is not in front")
        self.assertIsNone(process.poll(), "the program ended after the warning")
        self.assertIsNone(h.reg_raw(PRODUCT_SUBKEY, "Password"))
        # The focus is back in the first field, which kept "Secret"; the confirmation is empty,
        # so Tab and "Secret" make the entries agree.
        h.focus(window)
        h.key("Tab")
        h.xdotool("type", "--delay", 40, "Secret")
        click_ok(window)
        h.wait_exit(process)
        self.assert_stored("Secret")


if __name__ == "__main__":
    h.main()
