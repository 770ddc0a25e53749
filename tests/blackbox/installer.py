#!/usr/bin/env python3
"""The installer: makensis builds it from installer/tavrin.nsi around the program under test;
run silently (/S) under Wine it copies the program, byte for byte, into the system folder that
fits the system and names that copy as the current screen saver, with screen saving on.

Arguments: --makensis PROGRAM --nsi SCRIPT --bits 32|64 (which program TAVRIN_SCR is)."""
import argparse
import hashlib
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "harness"))
import tavrin_harness as h  # noqa: E402

DESKTOP = r"Control Panel\Desktop"
SAVER_FILE = "tavrin.scr"


def options():
    parser = argparse.ArgumentParser()
    parser.add_argument("--makensis", required=True)
    parser.add_argument("--nsi", required=True)
    parser.add_argument("--bits", choices=["32", "64"], required=True)
    known, rest = parser.parse_known_args()
    sys.argv[1:] = rest  # what is left is for unittest
    return known


OPTIONS = options()
PREFIX = h.ENV["WINEPREFIX"]


def unix_path(windows_path):
    """Where a C: path of the prefix is on disk; Wine's folders match names without regard
    to case, so each part is looked up that way."""
    drive, _, rest = windows_path.partition(":")
    if drive.upper() != "C":
        raise h.HarnessError(f"{windows_path!r} is not on drive C:")
    path = os.path.join(PREFIX, "drive_c")
    for part in filter(None, rest.split("\\")):
        names = {name.lower(): name for name in os.listdir(path)} if os.path.isdir(path) else {}
        path = os.path.join(path, names.get(part.lower(), part))
    return path


def folder(name):
    """The prefix's windows\\<name> folder, or None when this prefix has none."""
    path = unix_path("C:\\windows\\" + name)
    return path if os.path.isdir(path) else None


def installed_copies():
    copies = []
    for name in ("system32", "syswow64"):
        where = folder(name)
        if where:
            copies += [os.path.join(where, f) for f in os.listdir(where) if f.lower() == SAVER_FILE]
    return copies


def digest(path):
    with open(path, "rb") as handle:
        return hashlib.sha256(handle.read()).hexdigest()


class Installer(h.Scenario):
    def setUp(self):
        super().setUp()
        self.remove_installed()

    def tearDown(self):
        # Leave the session as other scenarios expect it: no installed copy, no saver chosen.
        self.remove_installed()
        h.reg_load(f'[{h.DESKTOP_KEY}]\n"SCRNSAVE.EXE"=-\n"ScreenSaveActive"=-', name="installer.reg")
        super().tearDown()

    def remove_installed(self):
        for path in installed_copies():
            os.remove(path)

    def build(self):
        setup = os.path.join(self.artifacts, "Tavrin-setup.exe")
        program = "SCR64" if OPTIONS.bits == "64" else "SCR32"
        result = h.run([OPTIONS.makensis, "-V2", f"-DOUTFILE={setup}", f"-D{program}={h.SCR}", OPTIONS.nsi],
                       timeout=60, check=False)
        self.assertEqual(result.returncode, 0, f"makensis failed:\n{result.stdout}\n{result.stderr}")
        self.assertTrue(os.path.getsize(setup) > 0, "makensis wrote no installer")
        return setup

    def expected_folder(self):
        """64-bit programs go to the real System32; a 32-bit one to SysWOW64 on a 64-bit
        system (that is where a 32-bit System32 leads) and to System32 elsewhere."""
        wow64 = folder("syswow64")
        if OPTIONS.bits == "32" and wow64:
            return "C:\\windows\\syswow64", wow64
        return "C:\\windows\\system32", folder("system32")

    def test_silent_install_copies_and_selects_the_saver(self):
        setup = self.build()
        # Screen saving off before, so the installer must be the one that switches it on.
        h.reg_load(f'[{h.DESKTOP_KEY}]\n"SCRNSAVE.EXE"=-\n"ScreenSaveActive"="0"', name="installer.reg")

        result = h.wine(setup, "/S", timeout=60, check=False)
        self.assertEqual(result.returncode, 0, f"the installer failed: {result.stderr.strip()}")

        windows_folder, unix_folder = self.expected_folder()
        copies = installed_copies()
        self.assertEqual([os.path.dirname(p) for p in copies], [unix_folder],
                         f"installed copies: {copies}, expected one in {windows_folder}")
        self.assertEqual(digest(copies[0]), digest(h.SCR), "the installed file differs from the program")

        chosen = h.reg_string(DESKTOP, "SCRNSAVE.EXE")
        self.assertIsNotNone(chosen, "SCRNSAVE.EXE was not set")
        self.assertEqual(chosen[0].lower(), (windows_folder + "\\" + SAVER_FILE).lower())
        self.assertEqual(os.path.realpath(unix_path(chosen[0])), os.path.realpath(copies[0]),
                         "SCRNSAVE.EXE does not name the installed file")
        active = h.reg_string(DESKTOP, "ScreenSaveActive")
        self.assertEqual(active and active[0], "1", "screen saving was not switched on")


if __name__ == "__main__":
    h.main()
