#!/usr/bin/env python3
"""Bad registry input in the configuration dialog's load: the dialog still opens (after the
error box, when a value cannot be read), shows what it could read, and "Save" writes a
complete, valid key.

Each row stores one value of an otherwise valid key missing, with a wrong type, oversize or
with a boundary number, starts "/c", dismisses the error box the row expects, clicks "Save" and
reads the key back. What "Save" wrote tells what the dialog showed: the stored settings when
every read succeeded (clamped by the widgets), its layout values when a read failed (only the
background, handed over as soon as it is read, stays), so each row states the key it expects.
Values the dialog does not own (the password) stay as they were.

A table of rows and outcomes is printed to stdout."""
import os
import struct
import sys
from dataclasses import dataclass, field

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "harness"))
import tavrin_harness as h  # noqa: E402
from bad_input import (dismiss_error_box, BIG_TEXT, DESKTOP_SUBKEY, PRODUCT_SUBKEY, REG_BINARY, REG_DWORD, REG_SZ,  # noqa: E402
                       bad_type, binary, describe_diff, double, dword, dword_bytes, expand_sz, multi_sz,
                       no_data, print_table, qword, regedit_text, sz)

CLIENT = (571, 296)
SAVE = (464 + 89 // 2, 16 + 33 // 2)  # the middle of "Save" in the client area
PICTURES = [f"Pic_{n:02d}" for n in range(1, 26)]
VALID_SENSITIVITY = {1, 10, 11, 100, 101, 110, 111}

# The stored key every row starts from: values the layout does not have, so that the saved
# key shows whether they were read.
STORED = dict(Version=sz("2"), Sensitivity=dword(101), PictureSet=dword(3), CLS=double(7.0),
              Speed=dword(40), Background=dword(0), **{p: dword(n % 2) for n, p in enumerate(PICTURES, 1)})
# What "Save" writes after reading all of STORED, and what it writes from the layout's values.
SHOWN = dict(Sensitivity=101, PictureSet=3, CLS=7.0, Speed=40, Background=0,
             **{p: n % 2 for n, p in enumerate(PICTURES, 1)})
LAYOUT = dict(Sensitivity=111, PictureSet=1, CLS=12.0, Speed=10, Background=1, **{p: 0 for p in PICTURES})


@dataclass
class Row:
    name: str
    product: dict                              # value -> Data over STORED; None deletes it
    saved: dict = field(default_factory=dict)  # what "Save" writes, over SHOWN (or LAYOUT)
    box: str = None                            # the error box's text, None: no box
    # A failed read leaves every widget at its layout value; Background, when it was read
    # before the failure, keeps the stored one.
    layout: bool = False


def failed(box, **saved):
    return dict(box=box, layout=True, saved=saved)


def rows():
    set1_empty = {p: 0 for p in PICTURES}
    return [
        Row("Sensitivity missing", {"Sensitivity": None}, **failed(no_data("Sensitivity"))),
        Row("Sensitivity REG_SZ", {"Sensitivity": sz("1")}, **failed(bad_type("Sensitivity"))),
        Row("Sensitivity REG_QWORD", {"Sensitivity": qword(1)}, **failed(no_data("Sensitivity"))),
        Row("Sensitivity 5-byte dword", {"Sensitivity": dword_bytes(b"\1\0\0\0\0")},
            **failed(no_data("Sensitivity"))),
        Row("Sensitivity 1 MiB REG_SZ", {"Sensitivity": BIG_TEXT}, **failed(no_data("Sensitivity"))),
        # A code outside the seven shows no kind ticked, which saves as 111.
        Row("Sensitivity = 0", {"Sensitivity": dword(0)}, {"Sensitivity": 111}),
        Row("Sensitivity = 255", {"Sensitivity": dword(255)}, {"Sensitivity": 111}),
        Row("Sensitivity = 0x101", {"Sensitivity": dword(0x101)}, {"Sensitivity": 1}),
        Row("Sensitivity = 0x1000b", {"Sensitivity": dword(0x1000B)}, {"Sensitivity": 11}),
        Row("Sensitivity = 0xffffffff", {"Sensitivity": dword(0xFFFFFFFF)}, {"Sensitivity": 111}),

        Row("PictureSet missing", {"PictureSet": None}, **failed(no_data("PictureSet"))),
        Row("PictureSet REG_BINARY", {"PictureSet": binary(b"\3\0\0\0")}, **failed(bad_type("PictureSet"))),
        # A set outside 1..5 leaves "Set 1" shown with nothing ticked.
        Row("PictureSet = 0", {"PictureSet": dword(0)}, {"PictureSet": 1, **set1_empty}),
        Row("PictureSet = 6", {"PictureSet": dword(6)}, {"PictureSet": 1, **set1_empty}),
        Row("PictureSet = 255", {"PictureSet": dword(255)}, {"PictureSet": 1, **set1_empty}),
        Row("PictureSet = 0x103", {"PictureSet": dword(0x103)}, {"PictureSet": 3}),
        Row("PictureSet = 0xffffffff", {"PictureSet": dword(0xFFFFFFFF)}, {"PictureSet": 1, **set1_empty}),

        Row("Speed REG_EXPAND_SZ", {"Speed": expand_sz("40")}, **failed(bad_type("Speed"))),
        Row("Speed REG_MULTI_SZ", {"Speed": multi_sz("4")}, **failed(bad_type("Speed"))),
        Row("Speed = 0", {"Speed": dword(0)}, {"Speed": 2}),
        Row("Speed = 1", {"Speed": dword(1)}, {"Speed": 2}),
        Row("Speed = 101", {"Speed": dword(101)}, {"Speed": 100}),
        Row("Speed = 65535", {"Speed": dword(65535)}, {"Speed": 100}),
        Row("Speed = 0x10007", {"Speed": dword(0x10007)}, {"Speed": 7}),
        Row("Speed = 0xffffffff", {"Speed": dword(0xFFFFFFFF)}, {"Speed": 100}),

        Row("CLS missing", {"CLS": None}, **failed(no_data("CLS"))),
        Row("CLS REG_DWORD", {"CLS": dword(7)}, **failed(bad_type("CLS"))),
        Row("CLS 9 bytes", {"CLS": binary(bytes(9))}, **failed(no_data("CLS"))),
        Row("CLS 7 bytes", {"CLS": binary(bytes(7))}, **failed(bad_type("CLS"))),
        Row("CLS 1 MiB REG_SZ", {"CLS": BIG_TEXT}, **failed(no_data("CLS"))),
        Row("CLS = 0", {"CLS": double(0.0)}, {"CLS": 1.0}),
        Row("CLS = -1", {"CLS": double(-1.0)}, {"CLS": 1.0}),
        Row("CLS = 0.5", {"CLS": double(0.5)}, {"CLS": 1.0}),
        Row("CLS = 1.5", {"CLS": double(1.5)}, {"CLS": 2.0}),
        Row("CLS = 12.5", {"CLS": double(12.5)}, {"CLS": 12.0}),
        Row("CLS = 59.5", {"CLS": double(59.5)}, {"CLS": 60.0}),
        Row("CLS = 65536", {"CLS": double(65536.0)}, {"CLS": 60.0}),
        Row("CLS = 1e300", {"CLS": double(1e300)}, {"CLS": 60.0}),
        Row("CLS = nan", {"CLS": double(float("nan"))}, {"CLS": 1.0}),
        Row("CLS = inf", {"CLS": double(float("inf"))}, {"CLS": 60.0}),
        Row("CLS = -inf", {"CLS": double(float("-inf"))}, {"CLS": 1.0}),

        Row("Version missing", {"Version": None}),
        Row("Version empty", {"Version": sz("")}),
        Row("Version 1 MiB", {"Version": BIG_TEXT}),
        # The older layout: delay 5, "Background" not read.
        Row("Version 1, Background REG_SZ", {"Version": sz("1"), "Background": sz("0")}, {"Speed": 5, "Background": 1}),
        Row("Version REG_EXPAND_SZ 1", {"Version": expand_sz("1")}, {"Speed": 5, "Background": 1}),
        Row("Version REG_MULTI_SZ", {"Version": multi_sz("2")}, **failed(bad_type("Version"))),
        Row("Version REG_DWORD", {"Version": dword(2)}, **failed(bad_type("Version"))),

        Row("Background missing", {"Background": None}, **failed(no_data("Background"))),
        Row("Background REG_SZ", {"Background": sz("0")}, **failed(bad_type("Background"))),
        Row("Background REG_QWORD", {"Background": qword(0)}, **failed(no_data("Background"))),
        # The radio group takes -1 (nothing selected), 0 or 1; beyond, the nearer one.
        Row("Background = 1", {"Background": dword(1)}, {"Background": 1}),
        Row("Background = 2", {"Background": dword(2)}, {"Background": 1}),
        Row("Background = 0x7fffffff", {"Background": dword(0x7FFFFFFF)}, {"Background": 1}),
        Row("Background = -1", {"Background": dword(0xFFFFFFFF)}, {"Background": -1}),
        Row("Background = -2", {"Background": dword(0xFFFFFFFE)}, {"Background": -1}),
        Row("Background = 0x80000000", {"Background": dword(0x80000000)}, {"Background": -1}),

        # The background is handed over before the pictures are read.
        Row("Pic_01 missing", {"Pic_01": None}, **failed(no_data("Pic_01"), Background=0)),
        Row("Pic_01 REG_QWORD", {"Pic_01": qword(1)}, **failed(no_data("Pic_01"), Background=0)),
        Row("Pic_25 REG_SZ", {"Pic_25": sz("1")}, **failed(bad_type("Pic_25"), Background=0)),
        Row("Pic_02 = 0xffffffff, Pic_24 = 256", {"Pic_02": dword(0xFFFFFFFF), "Pic_24": dword(256)},
            {"Pic_02": 1, "Pic_24": 1}),

        # Values the dialog does not read stay as they are.
        Row("Password 1 MiB", {"Password": BIG_TEXT}),
        Row("Password REG_DWORD", {"Password": dword(3)}),
    ]


def stored_product(row):
    values = dict(STORED)
    values.update(row.product)
    return {name: data for name, data in values.items() if data is not None}


def expected_writes(row):
    """The values "Save" writes, as (type, bytes)."""
    saved = dict(LAYOUT if row.layout else SHOWN)
    saved.update(row.saved)
    writes = {"Version": (REG_SZ, b"2"), "CLS": (REG_BINARY, struct.pack("<d", saved.pop("CLS")))}
    writes.update({name: (REG_DWORD, (value & 0xFFFFFFFF).to_bytes(4, "little")) for name, value in saved.items()})
    return writes


def key_problems(values):
    """What makes a key other than complete and valid, as the dialog writes one."""
    problems = []

    def integer(name, allowed):
        kind, data = values.get(name, (None, b""))
        if kind != REG_DWORD or len(data) != 4:
            problems.append(f"{name} is not a 4-byte REG_DWORD")
        elif int.from_bytes(data, "little", signed=True) not in allowed:
            problems.append(f"{name} = {int.from_bytes(data, 'little', signed=True)}")

    if values.get("Version") != (REG_SZ, b"2"):
        problems.append(f"Version is {values.get('Version')}")
    integer("Sensitivity", VALID_SENSITIVITY)
    integer("PictureSet", range(1, 6))
    integer("Speed", range(2, 101))
    integer("Background", range(-1, 2))
    for name in PICTURES:
        integer(name, (0, 1))
    kind, data = values.get("CLS", (None, b""))
    if kind != REG_BINARY or len(data) != 8:
        problems.append("CLS is not an 8-byte REG_BINARY")
    elif struct.unpack("<d", data)[0] not in range(1, 61):
        problems.append(f"CLS = {struct.unpack('<d', data)[0]}")
    return problems


class BadInputDialog(h.Scenario):
    def run_row(self, row):
        stored = stored_product(row)
        h.reg_load(regedit_text(stored, None), name="bad_input_dialog.reg")
        process = self.start("/c")
        outcome = {"box": "none"}
        self.outcomes.append((row.name, outcome))
        if row.box:
            dismiss_error_box(self, row.box, outcome)
        window = h.wait_window(cls=h.CONFIGURE_CLASS, exe=h.SCR_NAME, timeout=5)
        outcome["dialog"] = "open"
        x, y, width, height = window["rect"]
        border = (width - CLIENT[0]) // 2
        h.move(x + border + SAVE[0], y + height - CLIENT[1] - border + SAVE[1])
        h.click(1)
        try:
            h.wait_exit(process, timeout=5)
        except h.HarnessError:
            self.fail(f"\"Save\" did not end the dialog; windows: {h.describe(h.program_windows(visible=False))}")
        after = h.reg_values(PRODUCT_SUBKEY)[PRODUCT_SUBKEY] or {}
        problems = key_problems(after)
        outcome["saved key"] = "; ".join(problems) or "complete, valid"
        expected = {name: data.stored() for name, data in stored.items()}
        expected.update(expected_writes(row))
        outcome["as shown"] = "yes" if after == expected else describe_diff(expected, after)
        self.assertEqual(problems, [], "the saved key is not complete and valid")
        self.assertEqual(after, expected, f"the saved key differs from what the dialog read: "
                         f"{describe_diff(expected, after)}")

    def test_matrix(self):
        self.outcomes = []
        table = rows()
        desktop = h.reg_values(DESKTOP_SUBKEY)[DESKTOP_SUBKEY]
        try:
            with h.probe_server():
                for row in table:
                    with self.case(row=row.name):
                        self.run_row(row)
                self.assertEqual(h.reg_values(DESKTOP_SUBKEY)[DESKTOP_SUBKEY], desktop,
                                 "the dialog changed the desktop key")
        finally:
            print_table(["box", "dialog", "saved key", "as shown"], self.outcomes, len(table))


if __name__ == "__main__":
    h.main()
