#!/usr/bin/env python3
"""A second start while a copy runs: whatever its switch, it opens no window, leaves the
desktop alone and ends within a few seconds, and the running copy's window comes to the
front. After the first copy ends, the next start runs as a first copy again."""
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "harness"))
import tavrin_harness as h  # noqa: E402

SECOND_STARTS = [["/s"], ["/c"], ["/a"], ["/p"], [], ["/x"]]


def foreground_hwnd():
    return (h.state()["foreground"] or {}).get("hwnd")


class SingleInstance(h.Scenario):
    def start_first_dialog(self):
        process = self.start("/c")
        window = h.wait_window(cls=h.CONFIGURE_CLASS, exe=h.SCR_NAME)
        return process, window

    def run_second(self, args, first_windows):
        """Starts a second copy and returns the windows it showed (none but the first's)."""
        known = {w["hwnd"] for w in first_windows}
        process = self.start(*args)
        seen = {}
        deadline = time.monotonic() + 5
        while process.poll() is None and time.monotonic() < deadline:
            for w in h.program_windows(visible=True):
                if w["hwnd"] not in known:
                    seen[w["hwnd"]] = w
        try:
            h.wait_exit(process, timeout=max(0.1, deadline - time.monotonic()))
        except h.HarnessError:
            self.fail(f"second copy {args} still running after 5 s")
        return list(seen.values())

    def test_second_copy_opens_nothing_and_brings_the_first_forward(self):
        first, dialog = self.start_first_dialog()
        first_windows = h.program_windows(visible=False)
        with h.Pattern():
            other = h.wait_window(cls="TavrinHarnessPattern")
            for args in SECOND_STARTS:
                with self.subTest(args=args):
                    # Another program's window has the foreground when the second copy starts.
                    h.probe("foreground", str(other["hwnd"]))
                    self.assertNotEqual(foreground_hwnd(), dialog["hwnd"])
                    self.check_second_start(args, first_windows, dialog)
        h.close(dialog)
        h.wait_exit(first)

    def test_a_minimised_first_copy_is_restored(self):
        first, dialog = self.start_first_dialog()
        first_windows = h.program_windows(visible=False)
        for args in (["/s"], ["/p"]):
            with self.subTest(args=args):
                _, answer = h.probe("show", str(dialog["hwnd"]), "6")
                self.assertTrue(answer["iconic"], "the dialog could not be minimised")
                self.check_second_start(args, first_windows, dialog)
                _, answer = h.probe("show", str(dialog["hwnd"]), "5")
                self.assertFalse(answer["iconic"], f"{args}: the minimised dialog was not restored")
        h.close(dialog)
        h.wait_exit(first)

    def check_second_start(self, args, first_windows, dialog):
        shown = self.run_second(args, first_windows)
        self.assertEqual(shown, [], f"{args}: the second copy showed {h.describe(shown)}")
        now = h.state()
        self.assertFalse(now["saver_running"], f"{args}: the screen-saver flag was left set")
        if now["taskbar"]["exists"]:
            self.assertTrue(now["taskbar"]["visible"], f"{args}: the taskbar was left hidden")
        # The posted request is handled at the first copy's next loop turn.
        deadline = time.monotonic() + 3
        while foreground_hwnd() != dialog["hwnd"] and time.monotonic() < deadline:
            time.sleep(0.05)
        self.assertEqual(foreground_hwnd(), dialog["hwnd"],
                         f"{args}: the running dialog was not brought to the front")

    def test_next_start_after_the_first_ends_runs_as_first_copy(self):
        first, dialog = self.start_first_dialog()
        h.close(dialog)
        h.wait_exit(first)
        again, dialog = self.start_first_dialog()
        self.assertEqual(dialog["title"], "Screen Saver Configuring")
        h.close(dialog)
        h.wait_exit(again)


if __name__ == "__main__":
    h.main()
