#!/usr/bin/env python3
"""The About box, shown by a host program the way the configuration dialog shows it. A click on
the product name or on the credit line hands the home page to the shell and the box stays open;
a click on the icon does nothing; the pointer resting on the name brings up its hint; Enter
closes the box with OK, the close box with Cancel.

Wine's shell passes a web address to the commands listed under its WineBrowser key: the
scenario lists a small script there that records what it was given.

Usage: about_box.py HOST_PROGRAM"""
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "harness"))
import tavrin_harness as h  # noqa: E402

HOST = os.path.abspath(sys.argv.pop(1)) if len(sys.argv) > 1 else ""
HOST_NAME = os.path.basename(HOST)
BROWSER_KEY = r"HKEY_CURRENT_USER\Software\Wine\WineBrowser"
HOME_PAGE = "http://www.quillam.example/tavrin/"
HINT = "Go to Home Page..."
CLIENT = (277, 155)
# Click points in the box's client area: the panel lies at (10, 8).
PRODUCT_NAME = (10 + 96 + 40, 8 + 31 + 15)
CREDIT_LINE = (10 + 16 + 30, 8 + 104 + 8)
PROGRAM_ICON = (10 + 29 + 18, 8 + 31 + 17)
# Exit codes of the host: how ShowAboutBox ended.
CLOSED_OK, CLOSED_CANCEL = 1, 2


class AboutBox(h.Scenario):
    def setUp(self):
        super().setUp()
        if not os.path.exists(HOST):
            self.fail(f"host program not built: {HOST!r}")
        self.record = os.path.join(self.artifacts, "opened.txt")
        script = os.path.join(self.artifacts, "browser.sh")
        with open(script, "w", encoding="utf-8") as handle:
            handle.write(f'#!/bin/sh\nprintf "%s\\n" "$1" >> "{self.record}"\n')
        h.reg_load(f'[{BROWSER_KEY}]\n"Browsers"="/bin/sh {script}"', name="browser.reg")
        self.process = None

    def tearDown(self):
        if self.process:
            h.kill(self.process)
        h.reg_load(f'[{BROWSER_KEY}]\n"Browsers"=-', name="browser.reg")
        super().tearDown()

    def open_box(self):
        self.process = subprocess.Popen(["wine", HOST], env=h.ENV, stdin=subprocess.DEVNULL,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                        start_new_session=True)
        window = h.wait_window(cls="TAboutBox", exe=HOST_NAME)
        self.assertEqual(window["title"], "About Screen Saver")
        h.focus(window)
        return window

    def point_at(self, window, point):
        x, y, width, height = window["rect"]
        border = (width - CLIENT[0]) // 2
        h.move(x + border + point[0], y + height - CLIENT[1] - border + point[1])

    def click_at(self, window, point):
        self.point_at(window, point)
        h.click()

    def opened(self):
        if not os.path.exists(self.record):
            return []
        with open(self.record, encoding="utf-8") as handle:
            return handle.read().splitlines()

    def wait_opened(self, count, timeout=10.0):
        deadline = time.monotonic() + timeout
        while len(self.opened()) < count and time.monotonic() < deadline:
            time.sleep(0.1)
        return self.opened()

    def test_links_open_the_home_page_and_the_box_stays(self):
        window = self.open_box()
        self.shot("shown")
        self.click_at(window, PROGRAM_ICON)
        self.click_at(window, PRODUCT_NAME)
        self.assertEqual(self.wait_opened(1), [HOME_PAGE])
        self.click_at(window, CREDIT_LINE)
        self.assertEqual(self.wait_opened(2), [HOME_PAGE, HOME_PAGE])
        # Nothing more arrives: the icon click opened nothing.
        time.sleep(1.0)
        self.assertEqual(len(self.opened()), 2, "the icon opened the home page")
        self.assertIsNone(self.process.poll(), "the box closed after a click on a link")
        h.wait_window(cls="TAboutBox", exe=HOST_NAME, timeout=1)

    def test_hint_on_the_product_name(self):
        window = self.open_box()
        self.point_at(window, PRODUCT_NAME)
        hint = h.wait_window(cls="tooltips_class32", exe=HOST_NAME)
        self.shot("hint")
        self.assertEqual(hint["title"], HINT)

    def test_enter_closes_with_ok(self):
        self.open_box()
        h.key("Return")
        self.assertEqual(h.wait_exit(self.process), CLOSED_OK)

    def test_close_box_closes_with_cancel(self):
        window = self.open_box()
        h.close(window)
        self.assertEqual(h.wait_exit(self.process), CLOSED_CANCEL)


if __name__ == "__main__":
    h.main()
