#!/usr/bin/env python3
"""Settings the saver cannot read: the settings load stops at the first bad value and the
application shows the registry error in a message box captioned "Tavrin"; after OK the saver
window is shown and runs all the same, and closing it gives the desktop back."""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "harness"))
import tavrin_harness as h  # noqa: E402

# (case, registry state on top of the reset one, expected message)
CASES = [
    ("password only", h.product_key(Password="secret"),
     "Failed to get data for 'PictureSet'"),
    ("CLS as a number", h.product_key(**h.valid_settings(Speed=0, CLS=10)),
     "Invalid data type for 'CLS'"),
    ("CLS of 9 bytes", h.product_key(**h.valid_settings(Speed=0, CLS=bytes(9))),
     "Failed to get data for 'CLS'"),
]


class SettingsErrorBox(h.Scenario):
    def test_error_box_then_saver(self):
        for case, registry, message in CASES:
            with self.case(case=case):
                h.reset_registry()
                h.reg_load(registry)
                h.park_pointer()
                process = self.start("/s")
                box = h.wait_message_box()
                self.shot(case.replace(" ", "-"))
                self.assertEqual(box["title"], "Tavrin")
                self.assertEqual(box["texts"], [message])
                self.assertEqual(box["buttons"], ["OK"])
                h.press("OK", pid=box["pid"])
                window = h.wait_window(cls=h.SAVER_CLASS, exe=h.SCR_NAME)
                self.assertEqual(window["rect"], [0, 0, *h.SCREEN])
                h.wait_gone(cls="#32770", exe=h.SCR_NAME)
                self.assertTrue(h.state()["saver_running"], "the saver's set-up did not run")
                h.close(window)
                h.wait_exit(process)
                self.assert_desktop_back()

    def test_dialog_without_common_controls(self):
        """Windows 95 without Internet Explorer 4's files: the dialog says what it lacks."""
        overrides = h.ENV.get("WINEDLLOVERRIDES", "") + ";comctl32=d"
        process = h.start_saver("/c", env={"WINEDLLOVERRIDES": overrides})
        box = h.wait_message_box()
        self.assertEqual((box["title"], box["buttons"]), ("Tavrin", ["OK"]))
        self.assertEqual(box["texts"], ["comctl32.dll cannot be loaded: this dialog needs the common controls "
                                        "of Internet Explorer 4 or later."])
        h.press("OK", pid=box["pid"])
        h.wait_exit(process)


if __name__ == "__main__":
    h.main()
