"""Registry values for the bad-input scenarios (bad_input_saver.py, bad_input_dialog.py): each
value as it is stored (type and bytes), written through one REGEDIT4 import, and read back
with the probe to compare."""
import os
import struct
import sys
from dataclasses import dataclass

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "harness"))
import tavrin_harness as h  # noqa: E402

PRODUCT_SUBKEY = r"Software\Quillam\Tavrin"
DESKTOP_SUBKEY = r"Control Panel\Desktop"
REG_SZ, REG_EXPAND_SZ, REG_BINARY, REG_DWORD, REG_MULTI_SZ, REG_QWORD = 1, 2, 3, 4, 7, 11
MIB = 1 << 20


@dataclass(frozen=True)
class Data:
    """A value as stored: its type and bytes, and how a REGEDIT4 file writes it."""
    type: int
    data: bytes
    text: str

    def stored(self):
        return (self.type, self.data)


def raw(kind, data):
    return Data(kind, data, f"hex({kind:x}):" + ",".join(f"{b:02x}" for b in data))


def sz(text):
    # regedit stores the text with a terminating zero.
    return Data(REG_SZ, text.encode("latin-1") + b"\0",
                '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"')


def sz_bytes(data):
    """A REG_SZ with exactly these bytes (no zero added)."""
    return raw(REG_SZ, data)


def expand_sz(text):
    return raw(REG_EXPAND_SZ, text.encode("latin-1") + b"\0")


def multi_sz(*texts):
    return raw(REG_MULTI_SZ, b"".join(t.encode("latin-1") + b"\0" for t in texts) + b"\0")


def binary(data):
    return raw(REG_BINARY, data)


def dword(value):
    return raw(REG_DWORD, (value & 0xFFFFFFFF).to_bytes(4, "little"))


def dword_bytes(data):
    """A REG_DWORD with these bytes, of any length."""
    return raw(REG_DWORD, data)


def qword(value):
    return raw(REG_QWORD, (value & 0xFFFFFFFFFFFFFFFF).to_bytes(8, "little"))


def double(value):
    return binary(struct.pack("<d", value))


BIG_TEXT = sz("7" * MIB)
BOUNDARIES = [0, 1, 255, 256, 65535, 65536, 0xFFFFFFFF]


def bad_type(name):
    return f"Invalid data type for '{name}'"


def no_data(name):
    return f"Failed to get data for '{name}'"


def regedit_text(product, use_password):
    """A fresh product key holding `product` ({name: Data}) and "ScreenSaveUsePassword" set to
    `use_password` (a Data) or removed (None)."""
    lines = [f"[-{h.PRODUCT_KEY}]", f"[{h.PRODUCT_KEY}]"]
    lines += [f'"{name}"={data.text}' for name, data in product.items()]
    lines += [f"[{h.DESKTOP_KEY}]", f'"ScreenSaveUsePassword"={use_password.text if use_password else "-"}']
    return "\n".join(lines)


def describe_diff(before, after):
    """The values added, removed or changed between two reg_values() results."""
    if before is None or after is None:
        return f"key {'absent' if before is None else 'present'} -> {'absent' if after is None else 'present'}"
    changes = []
    for name in sorted(set(before) | set(after), key=str.lower):
        old, new = before.get(name), after.get(name)
        if old != new:
            show = (lambda v: "absent" if v is None else f"type {v[0]}, {len(v[1])} bytes")
            changes.append(f"{name}: {show(old)} -> {show(new)}")
    return "; ".join(changes) or "none"


def print_table(columns, outcomes, total):
    """One line per row: its name and its outcome's columns."""
    width = max([len(name) for name, _ in outcomes] + [4])
    print(f"\n{'case':<{width}} | " + " | ".join(columns))
    for name, outcome in outcomes:
        print(f"{name:<{width}} | " + " | ".join(str(outcome.get(c, "?")) for c in columns))
    print(f"{len(outcomes)} of {total} rows ran")
    sys.stdout.flush()


def dismiss_error_box(test, expected, outcome):
    """Waits for the program's error box, checks it (caption "Tavrin", the expected text, one OK
    button), records its text in `outcome` and presses OK."""
    box = h.wait_message_box(timeout=5)
    outcome["box"] = " / ".join(box["texts"])
    test.assertEqual((box["title"], box["texts"], box["buttons"]), ("Tavrin", [expected], ["OK"]))
    h.press("OK", pid=box["pid"])
