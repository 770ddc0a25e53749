#!/usr/bin/env python3
"""The password panel: with the system's password option on and a password stored, input
brings up a panel in the middle of the screen; a wrong password (also one in the wrong case) is
reported and the panel stays; Cancel brings the saver back, and the panel comes back with the
text typed before; the right password ends the saver and gives the desktop back."""
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "harness"))
import tavrin_harness as h  # noqa: E402
from password_dialog import click_ok  # noqa: E402

WRONG_PASSWORD = "The passwort that you typed is not correct.\r\nTray typig it again."
BLACK = (0, 0, 0)
PANEL = (280, 74)
REACTION = 0.5


def panel_origin():
    width, height = h.SCREEN
    return width // 2 - PANEL[0] // 2, height // 2 - PANEL[1] // 2


def on_panel(x, y):
    left, top = panel_origin()
    return left + x, top + y


# Points of the panel's own background (not on the label, edit or buttons), and points just
# outside it.
PANEL_BACKGROUND = [(10, 65), (195, 60), (265, 68), (190, 8)]
OUTSIDE = [(-12, 37), (PANEL[0] + 12, 37), (140, -12), (140, PANEL[1] + 12)]
EDIT = (20, 33, 167, 19)
OK_BUTTON = (203 + 30, 13 + 10)
CANCEL_BUTTON = (203 + 30, 39 + 10)


def dark_pixels(path, area):
    """Positions of the dark (text) pixels inside `area` (x, y, w, h) of a screenshot."""
    x0, y0, width, height = area
    raw = subprocess.run([h.CONVERT, path, "-crop", f"{width}x{height}+{x0}+{y0}", "+repage", "-depth", "8",
                          "rgb:-"], capture_output=True, check=True).stdout
    found = set()
    for i in range(0, len(raw), 3):
        if raw[i] + raw[i + 1] + raw[i + 2] < 3 * 96:
            found.add(((i // 3) % width, (i // 3) // width))
    return found


class PanelChecks:
    """Looking at and answering the password panel; mixed into a scenario."""

    def start_protected(self, speed=0, password="Secret"):
        """A saver with `password` (None: the one stored), keys only, black: (process, window),
        focused."""
        stored = {} if password is None else {"Password": password}
        h.reg_load(h.product_key(**h.valid_settings(Sensitivity=1, Speed=speed, Background=0), **stored))
        h.reg_load(f'[{h.DESKTOP_KEY}]\n"ScreenSaveUsePassword"={h.dword(1)}', name="use_password.reg")
        process = self.start("/s")
        window = h.wait_window(cls=h.SAVER_CLASS, exe=h.SCR_NAME)
        h.focus(window)
        return process, window

    def panel_shown(self, name):
        shot = self.shot(name)
        colours = h.pixels(shot, [on_panel(x, y) for x, y in PANEL_BACKGROUND + OUTSIDE])
        inside, outside = colours[:len(PANEL_BACKGROUND)], colours[len(PANEL_BACKGROUND):]
        grey = inside[0] != BLACK and inside[0][0] == inside[0][1] == inside[0][2]
        return shot, grey and all(c == inside[0] for c in inside), inside, outside

    def wait_panel(self, name, shown=True, timeout=3.0):
        deadline = time.monotonic() + timeout
        while True:
            shot, is_shown, inside, outside = self.panel_shown(name)
            if is_shown == shown or time.monotonic() > deadline:
                break
        self.assertEqual(is_shown, shown, f"the panel is {'not ' if shown else ''}shown: panel points "
                         f"{inside}, outside {outside} (see {shot})")
        return shot, outside

    def click_on_panel(self, point):
        h.move(*on_panel(*point))
        h.click(1)

    def answer(self, typed, erase=0):
        """Erases `erase` characters, types `typed`, presses OK."""
        if erase:
            h.xdotool("key", "--repeat", erase, "--delay", 20, "BackSpace")
        if typed:
            h.xdotool("type", "--delay", 30, typed)
        self.click_on_panel(OK_BUTTON)

    def password_from_the_dialog_ends_the_saver(self, password="Tavrin 7"):
        """"/a" stores a password; the protected "/s" then asks for it and takes it."""
        process = self.start("/a")
        dialog = h.wait_window(cls=h.PASSWORD_CLASS, exe=h.SCR_NAME)
        h.focus(dialog)
        for field in range(2):
            h.xdotool("type", "--delay", 40, password)
            h.key("Tab")
        click_ok(dialog)
        h.wait_exit(process)
        self.assertEqual(h.reg_string(r"Software\Quillam\Tavrin", "Password")[0], password)
        process, _ = self.start_protected(password=None)
        h.key("a")
        h.key("b")
        self.wait_panel("panel-for-the-stored-password")
        self.answer(password)
        h.wait_exit(process)
        self.assert_desktop_back()

    def expect_wrong_password_box(self):
        box = h.wait_message_box()
        self.assertEqual(box["title"], "Warning")
        self.assertIn(WRONG_PASSWORD, box["texts"])
        h.press()
        h.wait_gone(cls="#32770", exe=h.SCR_NAME)


class SaverPassword(PanelChecks, h.Scenario):
    def test_panel_at_192_dpi_is_twice_the_size(self):
        """Readable at 200 % display scaling: the panel and its controls doubled, still centred."""
        with h.display_density(192):
            process, window = self.start_protected()
            h.key("a")
            h.key("b")
            deadline = time.monotonic() + 3
            while True:
                _, children = h.probe("children", str(window["hwnd"]))
                panels = [c for c in children if c["class"] == "TContainer" and c["visible"]]
                if panels or time.monotonic() > deadline:
                    break
            self.shot("panel-x2")
            width, height = h.SCREEN
            left, top = width // 2 - 280, height // 2 - 74
            self.assertEqual([p["rect"] for p in panels], [[left, top, 560, 148]])
            h.xdotool("type", "--delay", 30, "Secret")
            h.move(left + 2 * OK_BUTTON[0], top + 2 * OK_BUTTON[1])
            h.click(1)
            h.wait_exit(process)

    def test_panel_wrong_cancel_and_right(self):
        process, window = self.start_protected()

        h.key("a")
        h.key("b")
        shot, outside = self.wait_panel("panel")
        self.assertEqual(outside, [BLACK] * len(OUTSIDE), "the panel is not where it belongs")
        # The key that brought the panel is not typed into the edit: at most the caret is there.
        edit = (*on_panel(EDIT[0] + 2, EDIT[1] + 2), EDIT[2] - 4, EDIT[3] - 4)
        self.assertLessEqual(len({x for x, _ in dark_pixels(shot, edit)}), 2,
                             f"the edit is not empty when the panel appears (see {shot})")

        self.answer("wrong")
        self.expect_wrong_password_box()
        self.assertIsNone(process.poll(), "a wrong password ended the saver")
        self.wait_panel("after-wrong")

        self.answer("secret", erase=len("wrong"))
        self.expect_wrong_password_box()
        self.assertIsNone(process.poll(), "the password in the wrong case ended the saver")
        shot, _ = self.wait_panel("typed")
        typed = dark_pixels(shot, edit)
        self.assertGreater(len(typed), 20, f"no '#' characters in the edit (see {shot})")

        self.click_on_panel(CANCEL_BUTTON)
        self.wait_panel("cancelled", shown=False)
        h.focus(window)
        h.key("a")
        try:
            process.wait(timeout=REACTION)
        except subprocess.TimeoutExpired:
            pass
        self.wait_panel("first-key-again", shown=False, timeout=0)
        h.key("b")
        shot, _ = self.wait_panel("back")
        # The same characters as before; only the blinking caret may differ (one column).
        again = dark_pixels(shot, edit)
        columns = {x for x, _ in typed ^ again}
        self.assertLessEqual(len(columns), 2, f"the edit's text changed while the panel was away "
                             f"(see {shot})")

        self.answer("Secret", erase=len("secret"))
        h.wait_exit(process)
        self.assert_desktop_back()

    def test_password_from_the_dialog_ends_the_saver(self):
        self.password_from_the_dialog_ends_the_saver()

    def test_lock_holds_against_alt_f4_and_a_password_only_key(self):
        """Alt+F4 asks for the password instead of ending a protected saver (and is ignored
        while the panel is up); a key holding only "Password" still locks the saver after its
        error box; another program brought forward brings the panel up, the saver keeping the
        desktop and taking the keyboard back for the password."""
        locked = h.product_key(**h.valid_settings(Sensitivity=1, Background=0), Password="Secret")
        rows = [("Alt+F4", locked, ["alt+F4", "alt+F4"]),
                ("password only", h.product_key(Password="Secret"), ["a", "b"]),
                ("another program", locked, [])]
        # Away from the panel: Wine may draw the other program's window over the top-most saver.
        other = self.enterContext(h.Pattern(20, 20, 200, 120))
        for case, registry, keys in rows:
            with self.case(case=case):
                h.reset_registry()
                h.reg_load(registry)
                h.reg_load(f'[{h.DESKTOP_KEY}]\n"ScreenSaveUsePassword"={h.dword(1)}', name="use_password.reg")
                h.park_pointer()
                process = self.start("/s")
                if case == "password only":
                    box = h.wait_message_box()
                    self.assertEqual(box["texts"], ["Failed to get data for 'PictureSet'"])
                    h.press("OK", pid=box["pid"])
                window = h.wait_window(cls=h.SAVER_CLASS, exe=h.SCR_NAME)
                h.focus(window)
                for name in keys:
                    h.key(name)
                if not keys:
                    h.probe("foreground", str(other.window["hwnd"]))
                self.wait_panel(case.replace(" ", "-").replace("+", ""))
                self.assertIsNone(process.poll(), f"{case}: the saver ended without the password")
                now = h.state()
                self.assertTrue(now["saver_running"] and not now["taskbar"]["visible"], now)
                if not keys:
                    self.assertEqual(now["foreground"]["hwnd"], window["hwnd"], now["foreground"])
                    h.focus(window)  # Wine leaves the X keyboard focus with the other program
                self.answer("Secret", erase=len(keys))  # a key after the panel came is typed
                h.wait_exit(process)
                self.assert_desktop_back()


if __name__ == "__main__":
    h.main()
