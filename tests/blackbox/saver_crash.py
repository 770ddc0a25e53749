#!/usr/bin/env python3
"""A saver that dies of an unhandled fault still gives the desktop back: the taskbar is shown
again and the screen-saver-running flag is cleared before the process ends.

Usage: saver_crash.py FAULT_INJECTOR (a program that starts a faulting thread in a process)."""
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "harness"))
import tavrin_harness as h  # noqa: E402

INJECTOR = sys.argv.pop(1) if len(sys.argv) > 1 else ""


class SaverCrash(h.Scenario):
    def test_fault_after_set_up_gives_the_desktop_back(self):
        self.assertTrue(os.path.exists(INJECTOR), f"fault injector not built: {INJECTOR!r}")
        # Wine's crash dialog would keep the dying process waiting for a click.
        h.reg_load("[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]\n\"ShowCrashDialog\"=dword:00000000",
                   name="no_crash_dialog.reg")
        h.reg_load(h.product_key(**h.valid_settings(Sensitivity=1, Speed=0, Background=0)))
        process = self.start("/s")
        window = h.wait_window(cls=h.SAVER_CLASS, exe=h.SCR_NAME)
        deadline = time.monotonic() + 3
        while True:
            now = h.state()
            if now["saver_running"] and not now["taskbar"]["visible"] or time.monotonic() > deadline:
                break
        self.assertTrue(now["saver_running"], "the set-up did not set the screen-saver-running flag")
        self.assertFalse(now["taskbar"]["visible"], "the set-up did not hide the taskbar")

        result = h.wine(INJECTOR, str(window["pid"]), check=False)
        self.assertEqual(result.returncode, 0, f"no faulting thread started: {result.stdout.strip()}")
        try:
            h.wait_exit(process, timeout=15)
        except h.HarnessError:
            self.fail("the saver did not end after the fault")
        now = h.state()
        self.assertTrue(now["taskbar"]["visible"], "the taskbar must be shown again after the fault")
        self.assertFalse(now["saver_running"], "the screen-saver-running flag must be cleared after the fault")


if __name__ == "__main__":
    h.main()
