#!/usr/bin/env python3
"""Bad registry input never locks the user out of the saver and always gives the desktop back.

For every value the saver reads (the product key's values and the system's
"ScreenSaveUsePassword") the table stores it missing, with each wrong registry type, oversize,
and with boundary numbers, on top of an otherwise valid key. Each row starts "/s", dismisses
the error box the row expects, then moves the mouse twice and presses two keys, giving each
input time to end the saver (Wine's own pointer moves after a window shows may already have
used up the ignored first input, so which one ends it is reported, not checked). The saver must
end by then; with the password option on and a password stored it must instead show the panel
and end once the password is typed as far as the panel's edit takes it (its first 20
characters, control characters left out) and OK is clicked. Afterwards the taskbar is shown,
the screen-saver flag is cleared and both registry keys hold exactly what the row stored, except
that the saver empties "Password" when the password option is off.

A table of rows and outcomes is printed to stdout.
"""
import os
import subprocess
import sys
from dataclasses import dataclass, field

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "harness"))
import tavrin_harness as h  # noqa: E402
from bad_input import (dismiss_error_box, BIG_TEXT, BOUNDARIES, DESKTOP_SUBKEY, MIB, PRODUCT_SUBKEY, REG_SZ,  # noqa: E402
                       bad_type, binary, describe_diff, double, dword, dword_bytes, expand_sz, multi_sz,
                       no_data, print_table, qword, regedit_text, sz, sz_bytes)

# How long one input gets to end the saver before the next one is sent.
REACTION = 0.35
# The password panel's OK button: the panel is centred, the button at (203, 13) 61x20 in it.
PANEL = (280, 74)
OK_ON_PANEL = (203 + 30, 13 + 10)

# The order in which the saver's load reads the product key; a failed read ends it there.
LOAD_ORDER = ["PictureSet", "Speed", "CLS", "Version", "Background", "Password", "Sensitivity"] + \
    [f"Pic_{n:02d}" for n in range(1, 26)]

# A long password: what the saver asks for is its first 20 characters.
LONG_PASSWORD = ("Tavrin0123456789" * (MIB // 16 + 1))[:MIB]


# ---- the table ---------------------------------------------------------------------------------

@dataclass
class Row:
    name: str
    product: dict = field(default_factory=dict)  # value -> Data over the valid key; None deletes it
    use_password: object = None                  # "ScreenSaveUsePassword" Data; None: absent
    box: str = None                              # the error box's text, None: no box
    password: str = None                         # what the panel asks for; None: no panel
    # Whether the system's password option counts as on (a non-zero REG_DWORD of at most 4 bytes).
    option_on: bool = False


def product_values(**overrides):
    """A valid key as the dialog writes it (keys, clicks and moves end the saver, black
    background), changed by `overrides`."""
    values = {"Version": sz("2"), "Sensitivity": dword(111), "PictureSet": dword(1),
              "CLS": double(10.0), "Speed": dword(5), "Background": dword(0)}
    values.update({f"Pic_{n:02d}": dword(1) for n in range(1, 26)})
    values.update(overrides)
    return values


def integer_rows(name):
    """Missing, every wrong type and oversize data for an integer the saver reads."""
    return [
        Row(f"{name} missing", {name: None}, box=no_data(name)),
        Row(f"{name} REG_SZ", {name: sz("1")}, box=bad_type(name)),
        Row(f"{name} REG_EXPAND_SZ", {name: expand_sz("1")}, box=bad_type(name)),
        Row(f"{name} REG_MULTI_SZ", {name: multi_sz("1", "2")}, box=no_data(name)),
        Row(f"{name} REG_BINARY", {name: binary(b"\1\0\0\0")}, box=bad_type(name)),
        Row(f"{name} REG_QWORD", {name: qword(1)}, box=no_data(name)),
        Row(f"{name} 5-byte dword", {name: dword_bytes(b"\1\0\0\0\0")}, box=no_data(name)),
    ]


def boundary_rows(name, numbers=BOUNDARIES):
    return [Row(f"{name} = {n:#x}", {name: dword(n)}) for n in numbers]


def rows():
    table = []
    for name in ["PictureSet", "Speed", "Background", "Sensitivity", "Pic_01", "Pic_25"]:
        table += integer_rows(name)
    table += [Row("Sensitivity 1 MiB REG_SZ", {"Sensitivity": BIG_TEXT}, box=no_data("Sensitivity"))]
    for name in ["PictureSet", "Speed", "Background", "Sensitivity"]:
        table += boundary_rows(name)
    table += boundary_rows("Pic_01", [0, 0xFFFFFFFF]) + boundary_rows("Pic_25", [0, 256])
    # Every picture off: nothing to stamp.
    table += [Row("all pictures off", {f"Pic_{n:02d}": dword(0) for n in range(1, 26)})]

    # The cleaning interval: an 8-byte double in a REG_BINARY.
    table += [
        Row("CLS missing", {"CLS": None}, box=no_data("CLS")),
        Row("CLS REG_SZ", {"CLS": sz("10")}, box=bad_type("CLS")),
        Row("CLS REG_EXPAND_SZ", {"CLS": expand_sz("1")}, box=bad_type("CLS")),
        Row("CLS REG_MULTI_SZ", {"CLS": multi_sz("1")}, box=bad_type("CLS")),
        Row("CLS REG_DWORD", {"CLS": dword(10)}, box=bad_type("CLS")),
        Row("CLS REG_QWORD", {"CLS": qword(10)}, box=bad_type("CLS")),
        Row("CLS 9 bytes", {"CLS": binary(bytes(9))}, box=no_data("CLS")),
        Row("CLS 7 bytes", {"CLS": binary(bytes(7))}, box=bad_type("CLS")),
        Row("CLS no data", {"CLS": binary(b"")}, box=bad_type("CLS")),
        Row("CLS 1 MiB REG_SZ", {"CLS": BIG_TEXT}, box=no_data("CLS")),
    ]
    for value in [0.0, 1.0, 255.0, 256.0, 65535.0, 65536.0, 4294967295.0, -1.0, 1e300,
                  float("nan"), float("inf"), float("-inf")]:
        table.append(Row(f"CLS = {value!r}", {"CLS": double(value)}))

    # The layout version: a string; "1" means the older layout without "Background".
    table += [
        Row("Version missing", {"Version": None}),
        Row("Version empty", {"Version": sz("")}),
        Row("Version no data", {"Version": sz_bytes(b"")}),
        Row("Version 1, Background REG_SZ", {"Version": sz("1"), "Background": sz("x")}),
        Row("Version REG_EXPAND_SZ 1", {"Version": expand_sz("1"), "Background": None}),
        Row("Version REG_MULTI_SZ", {"Version": multi_sz("2")}, box=bad_type("Version")),
        Row("Version REG_BINARY", {"Version": binary(b"2\0")}, box=bad_type("Version")),
        Row("Version REG_DWORD", {"Version": dword(2)}, box=bad_type("Version")),
        Row("Version REG_QWORD", {"Version": qword(2)}, box=bad_type("Version")),
        Row("Version 1 MiB", {"Version": BIG_TEXT}),
    ]

    # The system's password option, with a password stored: only a non-zero REG_DWORD of at
    # most 4 bytes is "on"; everything else is "off" and the saver empties the password.
    secret = {"Password": sz("Secret")}
    table += [
        Row("UsePassword missing", secret),
        Row("UsePassword REG_SZ", secret, use_password=sz("1")),
        Row("UsePassword REG_EXPAND_SZ", secret, use_password=expand_sz("1")),
        Row("UsePassword REG_MULTI_SZ", secret, use_password=multi_sz("1")),
        Row("UsePassword REG_BINARY", secret, use_password=binary(b"\1\0\0\0")),
        Row("UsePassword REG_QWORD", secret, use_password=qword(1)),
        Row("UsePassword 5-byte dword", secret, use_password=dword_bytes(b"\1\0\0\0\0")),
        Row("UsePassword 1 MiB REG_SZ", secret, use_password=BIG_TEXT),
    ]
    for n in BOUNDARIES:
        table.append(Row(f"UsePassword = {n:#x}", secret, use_password=dword(n),
                         password="Secret" if n else None, option_on=n != 0))

    # The password, with the option on.
    on = dict(use_password=dword(1), option_on=True)
    table += [
        Row("Password missing", {"Password": None}, **on),
        Row("Password empty", {"Password": sz("")}, **on),
        Row("Password no data", {"Password": sz_bytes(b"")}, **on),
        Row("Password REG_EXPAND_SZ", {"Password": expand_sz("Secret")}, password="Secret", **on),
        Row("Password REG_MULTI_SZ", {"Password": multi_sz("Secret")}, box=bad_type("Password"), **on),
        Row("Password REG_BINARY", {"Password": binary(b"Secret")}, box=bad_type("Password"), **on),
        Row("Password REG_DWORD", {"Password": dword(1)}, box=bad_type("Password"), **on),
        Row("Password REG_QWORD", {"Password": qword(1)}, box=bad_type("Password"), **on),
        Row("Password 21 characters", {"Password": sz("ABCDEFGHIJKLMNOPQRSTU")},
            password="ABCDEFGHIJKLMNOPQRST", **on),
        Row("Password 1 MiB", {"Password": sz(LONG_PASSWORD)}, password=LONG_PASSWORD[:20], **on),
        Row("Password with a zero byte", {"Password": sz_bytes(b"Sec\0ret\0")}, password="Sec", **on),
        # No edit takes a tab or another control character: what can be typed is the rest.
        Row("Password with control characters", {"Password": sz("Se\tcr\x01et")}, password="Secret", **on),
        # The option off: whatever the stored password is, it is emptied.
        Row("Password REG_DWORD, option off", {"Password": dword(7)}, use_password=dword(0)),
    ]
    return table


# ---- running a row -------------------------------------------------------------------------------

def stored_product(row):
    return {name: data for name, data in product_values(**row.product).items() if data is not None}


def failing_value(row):
    return row.box.split("'")[1] if row.box else None


def password_emptied(row):
    """The saver empties "Password" when the option is off and its load got that far."""
    failed = failing_value(row)
    return not row.option_on and (failed is None or LOAD_ORDER.index(failed) > LOAD_ORDER.index("Password"))


class BadInputSaver(h.Scenario):
    def ended(self, process, timeout=REACTION):
        try:
            process.wait(timeout=timeout)
            return True
        except subprocess.TimeoutExpired:
            return False

    def give_input(self, process, row, window):
        """Two moves, then two keys, each given time to end the saver; with the panel expected,
        the password's first 20 characters and OK. Returns the input that ended the saver, or
        None."""
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
            return None
        # Still running: the panel is up. Erase what the keys typed, type the password, OK.
        h.xdotool("key", "--repeat", 4, "--delay", 10, "BackSpace")
        h.xdotool("type", "--delay", 10, row.password)
        left, top = h.SCREEN[0] // 2 - PANEL[0] // 2, h.SCREEN[1] // 2 - PANEL[1] // 2
        h.move(left + OK_ON_PANEL[0], top + OK_ON_PANEL[1])
        h.click(1)
        return "password + OK" if self.ended(process, timeout=3) else None

    def run_row(self, row):
        h.reg_load(regedit_text(stored_product(row), row.use_password), name="bad_input_saver.reg")
        h.park_pointer()
        process = self.start("/s")
        outcome = {"box": "none"}
        self.outcomes.append((row.name, outcome))
        if row.box:
            dismiss_error_box(self, row.box, outcome)
        window = h.wait_window(cls=h.SAVER_CLASS, exe=h.SCR_NAME, timeout=5)
        ended_by = self.give_input(process, row, window)
        outcome["ended by"] = ended_by or "NOT ENDED"
        if ended_by is None:
            self.fail(f"the saver did not end; windows: {h.describe(h.program_windows(visible=False))}")
        now = h.state()
        keys = h.reg_values(PRODUCT_SUBKEY, DESKTOP_SUBKEY)
        outcome["taskbar"] = "shown" if now["taskbar"]["visible"] else "HIDDEN"
        outcome["flag"] = "set" if now["saver_running"] else "clear"

        # What the row stored, the password emptied when the saver should have emptied it.
        stored = {name: data.stored() for name, data in stored_product(row).items()}
        product = dict(stored)
        if password_emptied(row):
            product["Password"] = (REG_SZ, b"")
        desktop = dict(self.desktop)
        if row.use_password:
            desktop["ScreenSaveUsePassword"] = row.use_password.stored()
        outcome["registry"] = describe_diff(stored, keys[PRODUCT_SUBKEY])
        if keys[DESKTOP_SUBKEY] != desktop:
            outcome["registry"] += "; desktop: " + describe_diff(desktop, keys[DESKTOP_SUBKEY])

        if row.password is None:
            self.assertNotEqual(ended_by, "password + OK")
        else:
            self.assertEqual(ended_by, "password + OK", "the input ended the saver without the password")
        self.assertTrue(now["taskbar"]["visible"], "the taskbar must be shown again")
        self.assertFalse(now["saver_running"], "the screen-saver flag must be cleared")
        self.assertEqual(keys[PRODUCT_SUBKEY], product,
                         f"the product key is not what the row stored: {describe_diff(product, keys[PRODUCT_SUBKEY])}")
        self.assertEqual(keys[DESKTOP_SUBKEY], desktop,
                         f"the desktop key changed: {describe_diff(desktop, keys[DESKTOP_SUBKEY])}")

    def test_matrix(self):
        self.outcomes = []
        # The desktop key as the reset left it: without "ScreenSaveUsePassword".
        self.desktop = h.reg_values(DESKTOP_SUBKEY)[DESKTOP_SUBKEY]
        self.assertNotIn("ScreenSaveUsePassword", self.desktop)
        table = rows()
        try:
            with h.probe_server():
                for row in table:
                    with self.case(row=row.name):
                        self.run_row(row)
        finally:
            print_table(["box", "ended by", "taskbar", "flag", "registry"], self.outcomes, len(table))


if __name__ == "__main__":
    h.main()
