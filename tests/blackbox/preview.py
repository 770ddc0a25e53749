#!/usr/bin/env python3
"""The preview in another process's window (the colour bars): a child over its client area and
no window of its own, a saver beside it, its end within a second of the host's. What it draws
Wine never shows from another process: see tests/wine/preview_test.cpp."""
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "harness"))
import tavrin_harness as h  # noqa: E402


class Preview(h.Scenario):
    def start_preview(self):
        """Starts a preview in the colour bars; returns the host, the process and its child."""
        host = h.wait_window(cls="TavrinHarnessPattern")
        preview = self.start("/p", str(host["hwnd"]))
        deadline = time.monotonic() + 5
        while not (found := h.probe("children", str(host["hwnd"]))[1]) and time.monotonic() < deadline:
            time.sleep(0.05)
        [child] = found
        return host, preview, child

    def assert_ends_with_host(self, preview, end_host):
        start = time.monotonic()
        end_host()
        h.wait_exit(preview)
        sys.stderr.write(f"  host ended to preview ended: {time.monotonic() - start:.2f} s\n")
        self.assertLess(time.monotonic() - start, 1.0, "the preview outlived its host by a second")

    def test_child_over_the_host_beside_a_saver_and_gone_with_the_host(self):
        h.reg_load(h.product_key(**h.valid_settings(Speed=1)))
        with h.Pattern(x=300, y=200, width=152, height=112):
            host, preview, child = self.start_preview()
            self.assertEqual((child["class"], child["exe"], child["visible"]), ("TavrinPreview", h.SCR_NAME, True))
            self.assertEqual(child["rect"], host["rect"], "the preview must cover the host's client area")
            self.assertEqual(h.program_windows(), [], "the preview showed a window of its own")

            saver = self.start("/s")
            window = h.wait_window(cls=h.SAVER_CLASS, exe=h.SCR_NAME)
            self.assertTrue(h.state()["saver_running"], "the saver beside the preview did not take over")
            h.close(window)
            h.wait_exit(saver)
            self.assert_desktop_back()
            self.assertIsNone(preview.poll(), "the saver ended the preview")
            self.assert_ends_with_host(preview, lambda: h.close(host))

    def test_gone_with_a_host_whose_process_was_killed(self):
        with h.Pattern(x=300, y=200, width=152, height=112) as pattern:
            _, preview, _ = self.start_preview()
            self.assert_ends_with_host(preview, lambda: h.kill(pattern.process))

    def test_numbers_that_do_not_name_the_host_exactly_open_nothing(self):
        with h.Pattern(x=300, y=200, width=152, height=112):
            number = h.wait_window(cls="TavrinHarnessPattern")["hwnd"]
            for word in ("0", "junk", f"+{number}", f"-{number}", f"0x{number:x}", f"{number}x",
                         str(number + 2 ** 64)):
                with self.case(word=word):
                    self.assert_no_window_and_exit(self.start("/p", word), ["/p", word])


if __name__ == "__main__":
    h.main()
