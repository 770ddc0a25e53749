#!/usr/bin/env python3
"""The saver erases a stored password when the system's password option is off: after "/s"
the "Password" value exists and is empty (a string with no data). With the option on the
password is kept. (`wine reg query` cannot show an empty string with no data: the value is
read through the probe.)"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "harness"))
import tavrin_harness as h  # noqa: E402

PRODUCT_SUBKEY = r"Software\Quillam\Tavrin"

# (stored "ScreenSaveUsePassword" (None: absent), expected "Password")
CASES = [
    (None, ""),
    (0, ""),
    (1, "secret"),
    (2, "secret"),  # any non-zero value is on
]


class PasswordErase(h.Scenario):
    def test_password_after_start(self):
        for option, expected in CASES:
            with self.case(ScreenSaveUsePassword=option):
                h.reset_registry()
                stored = "-" if option is None else h.dword(option)
                h.reg_load(f'[{h.DESKTOP_KEY}]\n"ScreenSaveUsePassword"={stored}\n' +
                           h.product_key(**h.valid_settings(Speed=0, Password="secret")))
                process = self.start("/s")
                window = h.wait_window(cls=h.SAVER_CLASS, exe=h.SCR_NAME)
                # The settings are loaded while the window is created, before it shows.
                text, size = h.reg_string(PRODUCT_SUBKEY, "Password")
                self.assertEqual(text, expected)
                if not expected:  # Windows 95, 98 and ME store a string's terminating zero too
                    self.assertEqual(size, 1 if h.WINDOWS_95_FAMILY else 0, "the erased password holds bytes")
                h.close(window)
                if expected:  # a protected saver asks for its password instead of ending
                    h.kill(process)
                h.wait_exit(process)
                # The rest of the product key is left as it was.
                self.assertEqual(h.reg_query(h.PRODUCT_KEY, "Speed"), ("REG_DWORD", "0x0"))
                self.assertEqual(h.reg_query(h.PRODUCT_KEY, "Version"), ("REG_SZ", "2"))


if __name__ == "__main__":
    h.main()
