#!/usr/bin/env python3
"""The installer: makensis builds it from installer/tavrin.nsi around the program under test;
run silently (/S) under Wine it copies the program, byte for byte, into the system folder that
fits the system, names that copy as the current screen saver, with screen saving on, and
registers its uninstaller. The uninstaller, run silently, removes the copy, itself and its
registration, and the screen-saver choice only when that names the copy; the settings stay.

Arguments: --makensis PROGRAM --nsi SCRIPT --bits 32|64 (which program TAVRIN_SCR is)
--version X.Y (the version the build passes to the installer)."""
import argparse
import configparser
import hashlib
import os
import re
import shutil
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "harness"))
import tavrin_harness as h  # noqa: E402

DESKTOP = r"Control Panel\Desktop"
SAVER_FILE = "tavrin.scr"
UNINSTALL_KEY = r"HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tavrin"
SETTINGS = r"Software\Quillam\Tavrin"
# The installer, the uninstaller and the copy of it that does the work.
PROGRAMS = ("Tavrin-setup.exe", "uninstall.exe", "Un.exe")


def options():
    parser = argparse.ArgumentParser()
    parser.add_argument("--makensis", required=True)
    parser.add_argument("--nsi", required=True)
    parser.add_argument("--bits", choices=["32", "64"], required=True)
    parser.add_argument("--version", required=True)
    known, rest = parser.parse_known_args()
    sys.argv[1:] = rest  # what is left is for unittest
    return known


OPTIONS = options()
PREFIX = h.ENV["WINEPREFIX"]
SYSTEM_INI = os.path.join(PREFIX, "drive_c", "windows", "system.ini")


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


def kib(path):
    return -(-os.path.getsize(path) // 1024)


# The NT family, whatever version the prefix reports (the 32-bit tree's reports Windows 98).
NT = "winxp"


def windows_version(version):
    """REGEDIT4 text that makes Wine show the installer and uninstaller this Windows version
    (None: the prefix's own)."""
    value = f'"{version}"' if version else "-"
    return "\n".join(f'[HKEY_CURRENT_USER\\Software\\Wine\\AppDefaults\\{exe}]\n"Version"={value}'
                     for exe in PROGRAMS)


def chosen_saver(win9x):
    """The current screen saver: Windows 95, 98 and ME keep it in system.ini, NT in the registry."""
    if win9x:
        ini = configparser.ConfigParser(strict=False, interpolation=None)
        ini.read(SYSTEM_INI, encoding="latin-1")
        return ini.get("boot", "SCRNSAVE.EXE", fallback=None)
    chosen = h.reg_string(DESKTOP, "SCRNSAVE.EXE")
    return chosen and chosen[0]


class Installer(h.Scenario):
    def setUp(self):
        super().setUp()
        self.remove_installed()
        h.reg_load(windows_version(NT), name="version.reg")

    def tearDown(self):
        # Leave the session as other scenarios expect it: nothing installed, no saver chosen.
        self.remove_installed()
        h.reg_load(f'[{h.DESKTOP_KEY}]\n"SCRNSAVE.EXE"=-\n"ScreenSaveActive"=-\n[-{UNINSTALL_KEY}]\n'
                   + windows_version(None), name="installer.reg")
        super().tearDown()

    def remove_installed(self):
        for path in installed_copies():
            os.remove(path)
        for programs in ("Program Files", "Program Files (x86)"):
            shutil.rmtree(unix_path(f"C:\\{programs}\\Tavrin"), ignore_errors=True)
        with open(SYSTEM_INI, encoding="latin-1") as ini:
            text = re.sub(r"(?im)^SCRNSAVE\.EXE=.*\n", "", ini.read())
        with open(SYSTEM_INI, "w", encoding="latin-1") as ini:
            ini.write(text)

    def build(self):
        setup = os.path.join(self.artifacts, "Tavrin-setup.exe")
        program = "SCR64" if OPTIONS.bits == "64" else "SCR32"
        result = h.run([OPTIONS.makensis, "-V2", f"-DOUTFILE={setup}", f"-D{program}={h.SCR}",
                        f"-DVERSION={OPTIONS.version}", OPTIONS.nsi], timeout=60, check=False)
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

    def install(self, setup):
        result = h.wine(setup, "/S", timeout=60, check=False)
        self.assertEqual(result.returncode, 0, f"the installer failed: {result.stderr.strip()}")

    def uninstall(self):
        """Runs the registered silent uninstall and returns the uninstaller's Unix path. The
        uninstaller starts a copy of itself from the temporary folder and ends; the copy does
        the work, so this waits for it too."""
        quiet = h.reg_query(UNINSTALL_KEY, "QuietUninstallString")
        self.assertIsNotNone(quiet, "no uninstaller registered")
        match = re.fullmatch(r'"([^"]+)" /S', quiet[1])
        self.assertTrue(match, f"QuietUninstallString is {quiet[1]!r}")
        program = match[1]
        result = h.wine(program, "/S", timeout=60, check=False)
        self.assertEqual(result.returncode, 0, f"the uninstaller failed: {result.stderr.strip()}")
        deadline = time.monotonic() + 30
        while h.probe("processes", "exe=Un.exe")[1]:
            self.assertLess(time.monotonic(), deadline, "the uninstaller's copy still runs after 30 s")
            time.sleep(0.1)
        return unix_path(program)

    def test_silent_install_copies_and_selects_the_saver(self):
        setup = self.build()
        # Screen saving off before, so the installer must be the one that switches it on.
        h.reg_load(f'[{h.DESKTOP_KEY}]\n"SCRNSAVE.EXE"=-\n"ScreenSaveActive"="0"', name="installer.reg")
        self.install(setup)
        copy = self.assert_installed()

        uninstaller = unix_path(h.reg_query(UNINSTALL_KEY, "UninstallString")[1].strip('"'))
        registered = {name: h.reg_query(UNINSTALL_KEY, name) for name in (
            "DisplayName", "DisplayVersion", "Publisher", "DisplayIcon", "EstimatedSize", "NoModify", "NoRepair")}
        self.assertEqual(registered, {
            "DisplayName": ("REG_SZ", "Tavrin"), "DisplayVersion": ("REG_SZ", OPTIONS.version),
            "Publisher": ("REG_SZ", "Quillam"), "DisplayIcon": ("REG_SZ", h.reg_string(DESKTOP, "SCRNSAVE.EXE")[0]),
            "EstimatedSize": ("REG_DWORD", hex(kib(copy) + kib(uninstaller))),
            "NoModify": ("REG_DWORD", "0x1"), "NoRepair": ("REG_DWORD", "0x1")})

    def test_uninstall_and_reinstall(self):
        setup = self.build()
        h.reg_load(h.product_key(**h.valid_settings(Speed=7)))
        settings = h.reg_values(SETTINGS)
        windows_folder, _ = self.expected_folder()
        installed = (windows_folder + "\\" + SAVER_FILE).upper()
        rows = [(installed, True, NT),  # as installed, in another case
                ("C:\\windows\\Tavrin.scr", False, NT),  # another copy of Tavrin
                ("C:\\windows\\system32\\other.scr", False, NT)]  # another saver
        if OPTIONS.bits == "32":  # Windows 98 has no 64-bit form
            rows.append((None, True, "win98"))  # as the installer chose it, in system.ini
        for chosen, cleared, version in rows:
            with self.case(chosen=chosen, version=version):
                h.reg_load(windows_version(version), name="version.reg")
                self.install(setup)
                if chosen:
                    escaped = chosen.replace("\\", "\\\\")
                    h.reg_load(f'[{h.DESKTOP_KEY}]\n"SCRNSAVE.EXE"="{escaped}"', name="installer.reg")
                else:
                    self.assertEqual((chosen_saver(version != NT) or "").upper(), installed, "the saver was not chosen")
                uninstaller = self.uninstall()
                self.assertEqual(installed_copies(), [], "the saver is still installed")
                self.assertFalse(os.path.exists(uninstaller), "the uninstaller is still there")
                self.assertFalse(h.reg_key_exists(UNINSTALL_KEY), "the uninstall entry is still registered")
                self.assertEqual(chosen_saver(version != NT), None if cleared else chosen, "SCRNSAVE.EXE after uninstall")
                self.assertEqual(h.reg_values(SETTINGS), settings, "the settings changed")

        # A reinstall finds the settings as they were and makes Tavrin the saver again.
        h.reg_load(windows_version(NT), name="version.reg")
        self.install(setup)
        self.assert_installed()
        self.assertEqual(h.reg_values(SETTINGS), settings, "the settings changed")

    def assert_installed(self):
        """One copy of the program in the expected folder, named as the current saver, with
        screen saving on; returns the copy's Unix path."""
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
        return copies[0]


if __name__ == "__main__":
    if h.ENV.get("TAVRIN_RUNS_32BIT") == "0":
        sys.stderr.write("not tested: the installer is a 32-bit program, and this machine runs none\n")
        sys.exit(77)
    h.main()
