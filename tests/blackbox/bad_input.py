#!/usr/bin/env python3
"""Bad registry input with the real program: one row of each error box for the saver and the
configuration dialog, and the lock-out check; wine.bad_input_test runs the whole tables
in-process.

The saver ("/s") must end on input, or, with the password option on and a password stored, show
the panel and end once the password is typed as far as the panel's edit takes it (its first 20
characters); then the desktop is given back and both registry keys hold what the row stored.
The dialog ("/c") must open after its error box, and "Save" must write the layout's values (after
a failed read it shows those; only the background, handed over as soon as it is read, stays)
and leave the values it does not own as they were.
"""
import os
import struct
import subprocess
import sys
from dataclasses import dataclass, field

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "harness"))
import tavrin_harness as h  # noqa: E402

PRODUCT_SUBKEY = r"Software\Quillam\Tavrin"
DESKTOP_SUBKEY = r"Control Panel\Desktop"
MIB = 1 << 20


def stored(values):
    """(type, bytes) of each value as h.product_key stores it (None: deleted)."""
    def one(value):
        if isinstance(value, int):
            return (4, (value & 0xFFFFFFFF).to_bytes(4, "little"))
        if isinstance(value, float):
            return (3, struct.pack("<d", value))
        return (3, value) if isinstance(value, bytes) else (1, value.encode("latin-1") + b"\0")
    return {name: one(value) for name, value in values.items() if value is not None}


def describe_diff(before, after):
    """The values added, removed or changed between two reg_values() results."""
    changes = []
    for name in sorted(set(before) | set(after or {}), key=str.lower):
        old, new = before.get(name), (after or {}).get(name)
        if old != new:
            show = (lambda v: "absent" if v is None else f"type {v[0]}, {len(v[1])} bytes")
            changes.append(f"{name}: {show(old)} -> {show(new)}")
    return "; ".join(changes) or "none"


@dataclass
class Row:
    name: str
    product: dict               # the whole product key, as for h.product_key
    box: str                    # the error box's text, None: no box
    use_password: int = None    # "ScreenSaveUsePassword" as a REG_DWORD, None: absent
    password: str = None        # what the panel asks for; None: no panel
    saved: dict = field(default_factory=dict)  # the dialog: what "Save" writes over LAYOUT

    def load(self):
        option = "-" if self.use_password is None else h.dword(self.use_password)
        h.reg_load(f"[-{h.PRODUCT_KEY}]\n{h.product_key(**self.product)}\n[{h.DESKTOP_KEY}]\n"
                   f'"ScreenSaveUsePassword"={option}', name="bad_input.reg")


# A valid key as the dialog writes it: keys, clicks and moves end the saver, black background.
SAVER_KEY = h.valid_settings(Background=0)
# A long password: what the saver asks for is its first 20 characters.
LONG_PASSWORD = ("Tavrin0123456789" * (MIB // 16 + 1))[:MIB]
SAVER_ROWS = [
    Row("PictureSet missing", {**SAVER_KEY, "PictureSet": None}, "Failed to get data for 'PictureSet'"),
    Row("CLS REG_DWORD", {**SAVER_KEY, "CLS": 10}, "Invalid data type for 'CLS'"),
    Row("Password 1 MiB", {**SAVER_KEY, "Password": LONG_PASSWORD}, None, 1, LONG_PASSWORD[:20]),
]
# How long one input gets to end the saver before the next one is sent.
REACTION = 0.35
# The password panel's OK button: the panel is centred, the button at (203, 13) 61x20 in it.
PANEL = (280, 74)
OK_ON_PANEL = (203 + 30, 13 + 10)

# Values the layout does not have, so that the saved key shows whether they were read.
DIALOG_KEY = h.valid_settings(Sensitivity=101, PictureSet=3, CLS=7.0, Speed=40, Background=0, Password="Secret",
                              **{f"Pic_{n:02d}": n % 2 for n in range(1, 26)})
# "Version" as "Save" writes it: "2", with the zero byte Windows 95, 98 and ME store too.
VERSION_AS_SAVED = b"2\0" if h.WINDOWS_95_FAMILY else b"2"
# What "Save" writes from the layout's values.
LAYOUT = h.valid_settings(Speed=10, CLS=12.0, **{f"Pic_{n:02d}": 0 for n in range(1, 26)})
DIALOG_ROWS = [
    Row("CLS 1 MiB REG_SZ", {**DIALOG_KEY, "CLS": "7" * MIB}, "Failed to get data for 'CLS'"),
    # The background is handed over before the pictures are read.
    Row("Pic_25 REG_SZ", {**DIALOG_KEY, "Pic_25": "1"}, "Invalid data type for 'Pic_25'", saved={"Background": 0}),
]
CLIENT = (571, 296)
SAVE = (464 + 89 // 2, 16 + 33 // 2)  # the middle of "Save" in the client area


class BadInput(h.Scenario):
    def dismiss_error_box(self, expected):
        """Checks the program's error box (caption "Tavrin", the text, one OK button), presses OK."""
        box = h.wait_message_box()
        self.assertEqual((box["title"], box["texts"], box["buttons"]), ("Tavrin", [expected], ["OK"]))
        h.press("OK", pid=box["pid"])

    def ended(self, process, timeout=REACTION):
        try:
            process.wait(timeout=timeout)
            return True
        except subprocess.TimeoutExpired:
            return False

    def give_input(self, process, row, window):
        """Two moves, then two keys, each given time to end the saver (Wine's own pointer moves
        after a window shows may already have used up the ignored first input, so which one ends
        it is not checked); with the panel expected, the password and OK. Returns the input that
        ended the saver, or None."""
        # The first move is the ignored first input (a still pointer's moves do not count), so
        # it gets only a glance.
        for label, point, reaction in [("move 1", (300, 300), 0.1), ("move 2", (640, 420), REACTION)]:
            h.move(*point)
            if self.ended(process, timeout=reaction):
                return label
        # The window has been up for a while: focusing it needs no further settling time.
        h.xdotool("windowfocus", "--sync", h.x_window(window))
        for label, keys in [("key 1", "a"), ("key 2", "b")]:
            h.key(keys)
            if self.ended(process):
                return label
        if row.password is None:
            # Without a password the saver must end: a slow machine gets its time to do so.
            return "key 2" if self.ended(process, timeout=h.WAIT_TIMEOUT) else None
        # Still running: the panel is up. Erase what the keys typed, type the password, OK.
        h.xdotool("key", "--repeat", 4, "--delay", 10, "BackSpace")
        h.xdotool("type", "--delay", 10, row.password)
        left, top = h.SCREEN[0] // 2 - PANEL[0] // 2, h.SCREEN[1] // 2 - PANEL[1] // 2
        h.move(left + OK_ON_PANEL[0], top + OK_ON_PANEL[1])
        h.click(1)
        return "password + OK" if self.ended(process, timeout=h.WAIT_TIMEOUT) else None

    def test_saver(self):
        # The desktop key as the reset left it: without "ScreenSaveUsePassword".
        reset_desktop = h.reg_values(DESKTOP_SUBKEY)[DESKTOP_SUBKEY]
        self.assertNotIn("ScreenSaveUsePassword", reset_desktop)
        with h.probe_server():
            for row in SAVER_ROWS:
                with self.case(row=row.name):
                    row.load()
                    h.park_pointer()
                    process = self.start("/s")
                    if row.box:
                        self.dismiss_error_box(row.box)
                    window = h.wait_window(cls=h.SAVER_CLASS, exe=h.SCR_NAME)
                    ended_by = self.give_input(process, row, window)
                    if ended_by is None:
                        self.fail(f"the saver did not end; windows: {h.describe(h.program_windows(visible=False))}")
                    if row.password is None:
                        self.assertNotEqual(ended_by, "password + OK")
                    else:
                        self.assertEqual(ended_by, "password + OK", "the input ended the saver without the password")
                    self.assert_desktop_back()
                    keys = h.reg_values(PRODUCT_SUBKEY, DESKTOP_SUBKEY)
                    desktop = dict(reset_desktop)
                    if row.use_password is not None:
                        desktop.update(stored({"ScreenSaveUsePassword": row.use_password}))
                    product = stored(row.product)
                    self.assertEqual(keys[PRODUCT_SUBKEY], product, "the product key is not what the row "
                                     f"stored: {describe_diff(product, keys[PRODUCT_SUBKEY])}")
                    self.assertEqual(keys[DESKTOP_SUBKEY], desktop,
                                     f"the desktop key changed: {describe_diff(desktop, keys[DESKTOP_SUBKEY])}")

    def test_dialog(self):
        desktop = h.reg_values(DESKTOP_SUBKEY)[DESKTOP_SUBKEY]
        with h.probe_server():
            for row in DIALOG_ROWS:
                with self.case(row=row.name):
                    row.load()
                    process = self.start("/c")
                    self.dismiss_error_box(row.box)
                    window = h.wait_window(cls=h.CONFIGURE_CLASS, exe=h.SCR_NAME)
                    x, y, width, height = window["rect"]
                    border = (width - CLIENT[0]) // 2
                    h.move(x + border + SAVE[0], y + height - CLIENT[1] - border + SAVE[1])
                    h.click(1)
                    try:
                        h.wait_exit(process)
                    except h.HarnessError:
                        self.fail(f"\"Save\" did not end the dialog; windows: "
                                  f"{h.describe(h.program_windows(visible=False))}")
                    after = h.reg_values(PRODUCT_SUBKEY)[PRODUCT_SUBKEY]
                    expected = {**stored(row.product), **stored({**LAYOUT, **row.saved}), "Version": (1, VERSION_AS_SAVED)}
                    self.assertEqual(after, expected, "the saved key differs from what the dialog read: "
                                     f"{describe_diff(expected, after)}")
            self.assertEqual(h.reg_values(DESKTOP_SUBKEY)[DESKTOP_SUBKEY], desktop,
                             "the dialog changed the desktop key")


if __name__ == "__main__":
    h.main()
