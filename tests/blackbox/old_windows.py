#!/usr/bin/env python3
"""On an old Windows: with Wine reporting Windows 95 (32-bit prefix; the tree's other tests run
as Windows 98) or 64-bit XP (64-bit prefix), "/s" covers the screen, and input ends the saver
and gives the desktop back; on Windows 95, a password stored by "/a" is the one the saver takes.
The version lives in the session's shared prefix, so the session's own is put back afterwards."""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "harness"))
import tavrin_harness as h  # noqa: E402
from saver_password import PanelChecks  # noqa: E402

WINE_KEY = r"HKEY_CURRENT_USER\Software\Wine"
# Wine's name of the version and what `ver` then prints.
VERSION = {"win32": ("win95", "4.0."), "win64": ("winxp64", "5.2.")}[h.ENV["WINEARCH"]]


def set_wine_version(name):
    if name:
        h.wine("reg", "add", WINE_KEY, "/v", "Version", "/t", "REG_SZ", "/d", name, "/f")
    else:
        h.wine("reg", "delete", WINE_KEY, "/v", "Version", "/f")


class OldWindows(PanelChecks, h.Scenario):
    def setUp(self):
        super().setUp()
        set_wine_version(VERSION[0])
        self.addCleanup(set_wine_version, h.ENV.get("TAVRIN_WINE_VERSION", ""))

    def test_saver_covers_the_screen_and_ends_on_keys(self):
        self.assertIn(f"Microsoft Windows {VERSION[1]}", h.wine("cmd", "/c", "ver").stdout,
                      "Wine does not report the old version")
        h.reg_load(h.product_key(**h.valid_settings(Sensitivity=1)))  # keys end it
        process = self.start("/s")
        window = h.wait_window(cls=h.SAVER_CLASS, exe=h.SCR_NAME)
        self.assertEqual(window["rect"], [0, 0, *h.SCREEN], "the window must cover the screen")
        self.assertTrue(window["topmost"], "the window must be top-most")
        self.assertTrue(h.state()["saver_running"], "the screen-saver-running flag must be set")
        h.focus(window)
        h.key("a")  # the first input after the start is ignored
        h.key("b")
        h.wait_exit(process)
        self.assert_desktop_back()

    def test_password_from_the_dialog_ends_the_saver(self):
        if VERSION[0] != "win95":
            self.skipTest("the 64-bit tree's other tests run as the NT family already")
        self.password_from_the_dialog_ends_the_saver()


if __name__ == "__main__":
    h.main()
