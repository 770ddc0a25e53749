#!/usr/bin/env python3
"""Checks the program file's PE header with objdump: a Windows GUI program (subsystem 2) with
subsystem version 4.0 (5.2 for the 64-bit build, the oldest a 64-bit Windows loads), built for
the expected machine, importing only functions that docs/system_imports.txt lists as present on
the oldest Windows of its target (Windows 95 and NT 4.0; 64-bit XP).

usage: check_imports.py --objdump TRIPLE-objdump --machine i386|x86-64 FILE
"""
import argparse
import os
import re
import subprocess
import sys

LIST = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "docs", "system_imports.txt")
WINDOWS = ["95", "98", "2000", "XP", "XP64", "Vista", "8.1", "10"]  # the list's "oldest" column, oldest first

# objdump's format name, optional-header magic, the subsystem version and the oldest Windows
# for each machine.
MACHINES = {
    "i386": ("pei-i386", "010b", ("4", "0"), "95"),
    "x86-64": ("pei-x86-64", "020b", ("5", "2"), "XP64"),
}


def known_imports():
    """{(dll, function): oldest Windows} from the list."""
    rows = (line.split(maxsplit=3) for line in open(LIST) if line.strip() and not line.startswith("#"))
    return {(dll.lower(), function): oldest for dll, function, oldest, _source in rows}


def imports(dump):
    """{(dll, function)} from objdump's import tables."""
    table = dump.partition("The Import Tables")[2]
    found, dll = set(), None
    for line in table.splitlines():
        if line and not line[0].isspace():
            break  # the next part of the dump
        if match := re.match(r"\s*DLL Name:\s*(\S+)", line):
            dll = match.group(1).lower()
        elif dll and (match := re.match(r"\s*[0-9a-f]+\s+[0-9]+\s+(\S+)\s*$", line)):
            found.add((dll, match.group(1)))
    return found


def header_field(dump, name):
    match = re.search(rf"^{name}\s+(\S+)", dump, re.MULTILINE)
    return match.group(1) if match else None


def problems(dump, machine):
    found = []
    file_format, magic, expected_version, target = MACHINES[machine]
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
    imported, known = imports(dump), known_imports()
    if not imported:
        found.append("no import table found")
    for dll, function in sorted(imported):
        oldest = known.get((dll, function))
        if oldest is None:
            found.append(f"imports {dll} {function}, which {os.path.basename(LIST)} does not list")
        elif WINDOWS.index(oldest) > WINDOWS.index(target):
            found.append(f"imports {dll} {function}, which needs Windows {oldest} (target: {target})")
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
        print(f"{args.file}: GUI program, subsystem {'.'.join(MACHINES[args.machine][2])}, {args.machine}, "
              f"{len(imports(dump))} imports, all on Windows {MACHINES[args.machine][3]}")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
