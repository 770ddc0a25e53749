#!/usr/bin/env python3
"""The dialogs ("/c", "/a") have the program's one taskbar button, carrying its title; clicking
it brings the dialog back from behind another program's window. The title lowers every letter
of the program file's name after the first, as the system's code page has them."""
import os
import shutil
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "harness"))
import tavrin_harness as h  # noqa: E402

DIALOGS = [("/c", h.CONFIGURE_CLASS), ("/a", h.PASSWORD_CLASS)]


def wait_for(condition, what, timeout=3.0):
    deadline = time.monotonic() + timeout
    while not (value := condition()):
        if time.monotonic() > deadline:
            raise h.HarnessError(f"timed out waiting for {what}")
        time.sleep(0.05)
    return value


class DialogTaskbar(h.Scenario):
    def test_one_button_brings_the_dialog_back(self):
        with h.Pattern(x=0, y=0, width=h.SCREEN[0], height=h.SCREEN[1] - 60):
            other = h.wait_window(cls="TavrinHarnessPattern")
            before = h.state()["taskbar"]["buttons"]
            for switch, cls in DIALOGS:
                with self.case(switch=switch):
                    process = self.start(switch)
                    dialog = h.wait_window(cls=cls, exe=h.SCR_NAME)
                    added = wait_for(lambda: [b for b in h.state()["taskbar"]["buttons"] if b not in before],
                                     "a taskbar button")
                    self.assertEqual(len(added), 1, f"buttons added: {added}")
                    titles = [w["title"] for w in h.windows(cls="TApplication", exe=h.SCR_NAME, visible=True)]
                    self.assertEqual(titles, ["Tavrin"])
                    h.probe("foreground", str(other["hwnd"]))
                    wait_for(lambda: h.state()["foreground"]["hwnd"] == other["hwnd"], "the other window in front")
                    x, y, width, height = added[0]
                    h.move(x + width // 2, y + height // 2)
                    h.click()
                    wait_for(lambda: h.state()["foreground"]["hwnd"] == dialog["hwnd"], "the dialog in front")
                    self.shot(switch.strip("/"))
                    h.close(dialog)
                    h.wait_exit(process)
                    self.assertEqual(h.state()["taskbar"]["buttons"], before, "the button stayed")

    def test_title_lowers_every_letter(self):
        program = os.path.join(h.BUILD_DIR, "harness", "T\u00c4VRIN.SCR")
        shutil.copyfile(h.SCR, program)
        process = h.start_saver("/c", program=program)
        # Looked up by title: the probe's arguments cannot carry the file name's letter.
        dialog = h.wait_window(cls=h.CONFIGURE_CLASS, title="Screen Saver Configuring")
        titles = [w["title"] for w in h.windows(cls="TApplication", visible=True) if w["pid"] == dialog["pid"]]
        self.assertEqual(titles, ["T\u00e4vrin"])
        h.close(dialog)
        h.wait_exit(process)


if __name__ == "__main__":
    h.main()
