#!/usr/bin/env python3
"""Checks the program file's PE header with objdump: a Windows GUI program (subsystem 2) with
subsystem version 4.0 (5.2 for the 64-bit build, the oldest a 64-bit Windows loads), built for
the expected machine, importing only system DLLs that every
Windows of its generation has.

usage: check_imports.py --objdump TRIPLE-objdump --machine i386|x86-64 FILE
"""
import argparse
import re
import subprocess
import sys

ALLOWED_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "shell32.dll",
                "comctl32.dll", "msvcrt.dll"}

# objdump's format name, optional-header magic and the subsystem version for each machine.
MACHINES = {
    "i386": ("pei-i386", "010b", ("4", "0")),
    "x86-64": ("pei-x86-64", "020b", ("5", "2")),
}


def header_field(dump, name):
    match = re.search(rf"^{name}\s+(\S+)", dump, re.MULTILINE)
    return match.group(1) if match else None


def problems(dump, machine):
    found = []
    file_format, magic, expected_version = MACHINES[machine]
    if f"file format {file_format}" not in dump:
        found.append(f"not a {file_format} file")
    if header_field(dump, "Magic") != magic:
        found.append(f"optional header magic {header_field(dump, 'Magic')}, expected {magic}")
    subsystem = header_field(dump, "Subsystem")
    if subsystem is None or int(subsystem, 16) != 2:
        found.append(f"not a GUI program: subsystem {subsystem}, expected 2 (Windows GUI)")
    version = (header_field(dump, "MajorSubsystemVersion"), header_field(dump, "MinorSubsystemVersion"))
    if version != expected_version:
        found.append(f"subsystem version {'.'.join(str(v) for v in version)}, "
                     f"expected {'.'.join(expected_version)}")
    dlls = re.findall(r"DLL Name:\s*(\S+)", dump)
    if not dlls:
        found.append("no import table found")
    for dll in dlls:
        if dll.lower() not in ALLOWED_DLLS:
            found.append(f"imports {dll}")
    return found


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--objdump", required=True)
    parser.add_argument("--machine", required=True, choices=sorted(MACHINES))
    parser.add_argument("file")
    args = parser.parse_args()
    dump = subprocess.run([args.objdump, "-p", args.file], capture_output=True, text=True,
                          check=True).stdout
    found = problems(dump, args.machine)
    for problem in found:
        print(f"{args.file}: {problem}")
    if not found:
        print(f"{args.file}: GUI program, subsystem {'.'.join(MACHINES[args.machine][2])}, {args.machine}, imports "
              + ", ".join(sorted(set(d.lower() for d in re.findall(r'DLL Name:\s*(\S+)', dump)))))
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
