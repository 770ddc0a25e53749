"""The import check on made-up objdump output: a listed function old enough for the target
passes; one the list lacks, or one newer than the target, fails."""
import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import check_imports as ci  # noqa: E402


def dump(machine, dll, function):
    file_format, magic, (major, minor), _ = ci.MACHINES[machine]
    return (f"file format {file_format}\nMagic\t\t{magic}\nSubsystem\t\t00000002\n"
            f"MajorSubsystemVersion\t{major}\nMinorSubsystemVersion\t{minor}\n"
            "The Import Tables (interpreted .idata section contents)\n"
            f"\n\tDLL Name: {dll}\n\tvma:  Hint/Ord Member-Name Bound-To\n\t2d610\t 1569  {function}\n"
            "\nPE File Base Relocations (interpreted .reloc section contents)\n")


class ImportCheck(unittest.TestCase):
    def test_rows(self):
        for machine, dll, function, problem in [
            ("i386", "USER32.dll", "DrawIcon", None),
            ("i386", "USER32.dll", "BroadcastSystemMessage", None),
            ("i386", "KERNEL32.dll", "GetTickCount64", "which system_imports.txt does not list"),
            ("i386", "KERNEL32.dll", "RtlVirtualUnwind", "which needs Windows XP64 (target: 95)"),
            ("x86-64", "KERNEL32.dll", "RtlVirtualUnwind", None),
            ("x86-64", "GDI32.dll", "DrawIcon", "which system_imports.txt does not list"),  # wrong DLL
        ]:
            with self.subTest(machine=machine, function=function):
                found = ci.problems(dump(machine, dll, function), machine)
                self.assertEqual(found, [f"imports {dll.lower()} {function}, {problem}"] if problem else [])


if __name__ == "__main__":
    unittest.main()
