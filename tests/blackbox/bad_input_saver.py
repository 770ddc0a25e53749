#!/usr/bin/env python3
"""Bad registry input never locks the user out of the saver and always gives the desktop back.

For every value the saver reads (the product key's values and the system's
"ScreenSaveUsePassword") the table stores it missing, with each wrong registry type, oversize,
and with boundary numbers, on top of an otherwise valid key. Each row starts "/s", dismisses
the error box when the row expects one, then moves the mouse twice and presses two keys (the
row's kinds of input; Wine's own pointer moves may already have used up the ignored first
one). The saver must end, or, with the password option on and a password stored, show the
panel and end once the password's first 20 characters are typed and OK is clicked. Afterwards
the taskbar is shown, the screen-saver flag is cleared and both registry keys hold exactly what
the row stored, except that the saver empties "Password" when the password option is off.

A table of rows and outcomes is printed to stdout."""
import os
import struct
import subprocess
import sys
import threading
import time
from dataclasses import dataclass, field

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "harness"))
import tavrin_harness as h  # noqa: E402

PRODUCT_SUBKEY = r"Software\Quillam\Tavrin"
DESKTOP_SUBKEY = r"Control Panel\Desktop"
REG_SZ, REG_DWORD = 1, 4

# How long one input gets to end the saver before the next one is sent.
REACTION = 0.35
# The password panel's OK button: the panel is centred, the button at (203, 13) 61x20 in it.
PANEL = (280, 74)
OK_ON_PANEL = (203 + 30, 13 + 10)

# The order in which the saver's load reads the product key; a failed read ends it there.
LOAD_ORDER = ["PictureSet", "Speed", "CLS", "Version", "Background", "Password", "Sensitivity"] + \
    [f"Pic_{n:02d}" for n in range(1, 26)]


# ---- registry data ------------------------------------------------------------------------------

@dataclass(frozen=True)
class Data:
    """A value as stored: its type and bytes, and how a REGEDIT4 file writes it."""
    type: int
    data: bytes
    text: str


def raw(kind, data):
    return Data(kind, data, f"hex({kind:x}):" + ",".join(f"{b:02x}" for b in data))


def sz(text):
    # regedit stores the text with a terminating zero.
    return Data(REG_SZ, text.encode("latin-1") + b"\0", '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"')


def sz_bytes(data):
    """A REG_SZ with exactly these bytes (no zero added)."""
    return raw(REG_SZ, data)


def expand_sz(text):
    return raw(2, text.encode("latin-1") + b"\0")


def multi_sz(*texts):
    return raw(7, b"".join(t.encode("latin-1") + b"\0" for t in texts) + b"\0")


def binary(data):
    return raw(3, data)


def dword(value):
    return raw(REG_DWORD, (value & 0xFFFFFFFF).to_bytes(4, "little"))


def dword_bytes(data):
    """A REG_DWORD with these bytes, of any length."""
    return raw(REG_DWORD, data)


def qword(value):
    return raw(0xB, (value & 0xFFFFFFFFFFFFFFFF).to_bytes(8, "little"))


def double(value):
    return binary(struct.pack("<d", value))


MIB = 1 << 20
BIG_TEXT = sz("7" * MIB)
# A long password: what the saver asks for is its first 20 characters.
LONG_PASSWORD = ("Tavrin0123456789" * (MIB // 16 + 1))[:MIB]


def bad_type(name):
    return f"Invalid data type for '{name}'"


def no_data(name):
    return f"Failed to get data for '{name}'"


# ---- the table ---------------------------------------------------------------------------------

@dataclass
class Row:
    name: str
    product: dict = field(default_factory=dict)  # value -> REGEDIT4 data, None deletes it
    use_password: str = None                     # "ScreenSaveUsePassword" data; None: absent
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


BOUNDARIES = [0, 1, 255, 256, 65535, 65536, 0xFFFFFFFF]


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
        # The option off: whatever the stored password is, it is emptied.
        Row("Password REG_DWORD, option off", {"Password": dword(7)}, use_password=dword(0)),
    ]
    return table


# ---- running a row -------------------------------------------------------------------------------

def regedit_text(row):
    lines = [f"[-{h.PRODUCT_KEY}]", f"[{h.PRODUCT_KEY}]"]
    lines += [f'"{name}"={data.text}' for name, data in stored_product(row).items()]
    lines += [f"[{h.DESKTOP_KEY}]", f'"ScreenSaveUsePassword"={row.use_password.text if row.use_password else "-"}']
    return "\n".join(lines)


def stored_product(row):
    return {name: data for name, data in product_values(**row.product).items() if data is not None}


def failing_value(row):
    return row.box.split("'")[1] if row.box else None


def password_emptied(row):
    """The saver empties "Password" when the option is off and its load got that far."""
    failed = failing_value(row)
    return not row.option_on and (failed is None or LOAD_ORDER.index(failed) > LOAD_ORDER.index("Password"))


def describe_diff(before, after):
    if before is None or after is None:
        return f"key {'absent' if before is None else 'present'} -> {'absent' if after is None else 'present'}"
    changes = []
    for name in sorted(set(before) | set(after), key=str.lower):
        old, new = before.get(name), after.get(name)
        if old == new:
            continue
        show = (lambda v: "absent" if v is None else f"type {v[0]}, {len(v[1])} bytes")
        changes.append(f"{name}: {show(old)} -> {show(new)}")
    return "; ".join(changes) or "none"


def in_parallel(*calls):
    """Runs independent probe calls at the same time; returns their results in order."""
    results = [None] * len(calls)
    errors = []

    def run(i, call):
        try:
            results[i] = call()
        except Exception as error:  # noqa: BLE001 - reported below
            errors.append(error)
    threads = [threading.Thread(target=run, args=(i, c)) for i, c in enumerate(calls)]
    for thread in threads:
        thread.start()
    for thread in threads:
        thread.join()
    if errors:
        raise errors[0]
    return results


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
        for label, point in [("move 1", (300, 300)), ("move 2", (640, 420))]:
            h.move(*point)
            if self.ended(process):
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
        h.reg_load(regedit_text(row), name="bad_input_saver.reg")
        h.park_pointer()
        process = self.start("/s")
        outcome = {"box": "none"}
        self.outcomes.append((row.name, outcome))
        if row.box:
            box = h.wait_message_box(timeout=5)
            outcome["box"] = " / ".join(box["texts"])
            self.assertEqual((box["title"], box["texts"], box["buttons"]), ("Tavrin", [row.box], ["OK"]))
            h.press("OK", pid=box["pid"])
        window = h.wait_window(cls=h.SAVER_CLASS, exe=h.SCR_NAME, timeout=5)
        ended_by = self.give_input(process, row, window)
        outcome["ended by"] = ended_by or "NOT ENDED"
        if ended_by is None:
            left = h.describe(h.program_windows(visible=False))
            h.kill(process)
            self.fail(f"the saver did not end; windows: {left}")
        now, keys = in_parallel(h.state, lambda: h.reg_values(PRODUCT_SUBKEY, DESKTOP_SUBKEY))
        outcome["taskbar"] = "shown" if now["taskbar"]["visible"] else "HIDDEN"
        outcome["flag"] = "set" if now["saver_running"] else "clear"

        # What the row stored, the password emptied when the saver should have emptied it.
        stored = {name: (data.type, data.data) for name, data in stored_product(row).items()}
        product = dict(stored)
        if password_emptied(row):
            product["Password"] = (REG_SZ, b"")
        desktop = dict(self.desktop)
        if row.use_password:
            desktop["ScreenSaveUsePassword"] = (row.use_password.type, row.use_password.data)
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
            for row in table:
                with self.case(row=row.name):
                    self.run_row(row)
        finally:
            print_table(self.outcomes, len(table))


def print_table(outcomes, total):
    columns = ["box", "ended by", "taskbar", "flag", "registry"]
    width = max([len(name) for name, _ in outcomes] + [4])
    print(f"\n{'case':<{width}} | " + " | ".join(columns))
    for name, outcome in outcomes:
        print(f"{name:<{width}} | " + " | ".join(outcome.get(c, "?") for c in columns))
    print(f"{len(outcomes)} of {total} rows ran to the end")
    sys.stdout.flush()


if __name__ == "__main__":
    h.main()
