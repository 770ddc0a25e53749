#!/usr/bin/env python3
"""Tests of the icon generator: grid checks, catalogue checks and the .ico layout."""

import os
import struct
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import make_icons as mi  # noqa: E402


def grid_text(fill=".", size=32, mark=5, comment=True):
    """A valid grid: transparent except a two-colour mark whose position makes it unique."""
    rows = [[fill] * size for _ in range(size)]
    rows[mark // size][mark % size] = "9"
    rows[size - 1][size - 1] = "f"
    head = "# test picture\n" if comment else ""
    return head + "\n".join("".join(r) for r in rows) + "\n"


def write_catalogue(root, skip=(), extra=None):
    """A full tree of 125 distinct pictures and the program icons under root."""
    for s, theme in enumerate(mi.THEMES, 1):
        folder = os.path.join(root, "pictures", f"set{s}-{theme}")
        os.makedirs(folder, exist_ok=True)
        for k in range(1, 26):
            number = 25 * (s - 1) + k
            if number in skip:
                continue
            with open(os.path.join(folder, f"{k:02d}-thing-{k}.txt"), "w") as f:
                f.write(grid_text(mark=number))
    os.makedirs(os.path.join(root, "icons"), exist_ok=True)
    for _, _, _, sources in mi.PROGRAM_ICONS:
        for src in sources:
            size = 16 if src.endswith("-16.txt") else 32
            with open(os.path.join(root, "icons", src), "w") as f:
                f.write(grid_text(size=size))
    for path, text in (extra or {}).items():
        with open(os.path.join(root, path), "w") as f:
            f.write(text)


class GridParsing(unittest.TestCase):
    def test_accepts_and_rejects(self):
        good = grid_text()
        cases = [
            ("plain", good, None),
            ("no comment", grid_text(comment=False), None),
            ("crlf line ends", good.replace("\n", "\r\n"), None),
            ("no final newline", good.rstrip("\n"), None),
            ("31 lines", "\n".join(good.splitlines()[:-1]) + "\n", "31 grid lines"),
            ("33 lines", good + "." * 32 + "\n", "33 grid lines"),
            ("short line", good.replace("." * 32, "." * 31, 1), "has 31 characters"),
            ("long line", good.replace("." * 32, "." * 33, 1), "has 33 characters"),
            ("upper-case hex", good.replace("9", "A", 1).replace("f", "F"), "bad character"),
            ("letter beyond f", good.replace("9", "g"), "bad character"),
            ("space for transparency", good.replace(".", " ", 1), "bad character"),
            ("comment inside grid", good.replace("\n" + "." * 32, "\n#" + "." * 31, 1), "bad character"),
        ]
        for name, text, error in cases:
            with self.subTest(name):
                if error is None:
                    grid = mi.parse_grid(text, 32, "t")
                    self.assertEqual(len(grid), 32)
                    self.assertEqual(grid[0][0], mi.TRANSPARENT)
                    self.assertEqual(grid[0][5], 9)
                    self.assertEqual(grid[31][31], 15)
                else:
                    with self.assertRaisesRegex(mi.ArtError, error):
                        mi.parse_grid(text, 32, "t")

    def test_visible_content_rules(self):
        one_colour = mi.parse_grid(grid_text().replace("9", "f"), 32, "t")
        empty = mi.parse_grid(("." * 32 + "\n") * 32, 32, "t")
        square = mi.parse_grid(grid_text(fill="0"), 32, "t")
        with self.assertRaisesRegex(mi.ArtError, "blank"):
            mi.check_not_blank(one_colour, "t")
        with self.assertRaisesRegex(mi.ArtError, "blank"):
            mi.check_not_blank(empty, "t")
        mi.check_not_blank(square, "t")
        with self.assertRaisesRegex(mi.ArtError, "no transparent"):
            mi.check_uses_transparency(square, "t")


class Catalogue(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.TemporaryDirectory()
        self.root = self.tmp.name

    def tearDown(self):
        self.tmp.cleanup()

    def test_full_catalogue_loads_in_number_order(self):
        write_catalogue(self.root)
        pictures = mi.load_pictures(self.root)
        self.assertEqual(sorted(pictures), list(range(1, 126)))
        # Picture 27 is set 2, index 02: its grid carries mark 27.
        self.assertTrue(pictures[27][1].endswith(os.path.join("set2-sea", "02-thing-2.txt")))
        self.assertEqual(pictures[27][0][0][27], 9)

    def test_faulty_catalogues(self):
        sea = os.path.join("pictures", "set2-sea")
        cases = [
            ("missing picture", {"skip": {30}}, "missing 05"),
            ("index 26", {"extra": {os.path.join(sea, "26-extra.txt"): grid_text(mark=200)}}, "outside 01..25"),
            ("index 00", {"extra": {os.path.join(sea, "00-extra.txt"): grid_text(mark=200)}}, "outside 01..25"),
            ("index used twice", {"extra": {os.path.join(sea, "03-again.txt"): grid_text(mark=200)}}, "also used"),
            ("bad file name", {"extra": {os.path.join(sea, "3-fish.txt"): grid_text(mark=200)}}, "NN-name"),
            ("upper-case name", {"extra": {os.path.join(sea, "03-Fish.txt"): grid_text(mark=200)}}, "NN-name"),
            ("copy across sets", {"skip": {60}, "extra": {
                os.path.join("pictures", "set3-garden", "10-copy.txt"): grid_text(mark=3)}}, "identical"),
            ("plain square", {"skip": {8}, "extra": {
                os.path.join("pictures", "set1-space", "08-box.txt"): grid_text(fill="0")}}, "no transparent"),
        ]
        for name, setup, error in cases:
            with self.subTest(name), tempfile.TemporaryDirectory() as root:
                write_catalogue(root, **setup)
                with self.assertRaisesRegex(mi.ArtError, error):
                    mi.load_pictures(root)

    def test_unknown_set_folder_is_rejected(self):
        write_catalogue(self.root)
        os.makedirs(os.path.join(self.root, "pictures", "set6-extra"))
        with self.assertRaisesRegex(mi.ArtError, "unexpected entry"):
            mi.load_pictures(self.root)

    def test_allow_missing_fills_distinct_placeholders(self):
        write_catalogue(self.root, skip=set(range(51, 126)))
        pictures = mi.load_pictures(self.root, allow_missing=True)
        placeholders = [n for n, (_, path) in pictures.items() if path is None]
        self.assertEqual(placeholders, list(range(51, 126)))
        with self.assertRaisesRegex(mi.ArtError, "missing 01"):
            mi.load_pictures(self.root)

    def test_missing_program_icon(self):
        write_catalogue(self.root)
        os.remove(os.path.join(self.root, "icons", "configure-16.txt"))
        with self.assertRaisesRegex(mi.ArtError, "configure-16.txt: missing"):
            mi.load_program_icons(self.root)
        icons = mi.load_program_icons(self.root, allow_missing=True)
        configure = [grids for _, macro, _, grids in icons if macro == "IDI_FORM_CONFIGURE"][0]
        self.assertEqual([len(g) for g in configure], [32, 16])


def decode(image):
    """Reads back one icon image written by dib_image as (size, header, rows of indexes or None)."""
    header = struct.unpack_from("<IiiHHIIiiII", image, 0)
    size = header[1]
    xor_stride, and_stride = (size * 4 + 31) // 32 * 4, (size + 31) // 32 * 4
    xor_at = 40 + 64
    and_at = xor_at + xor_stride * size
    rows = []
    for y in range(size):
        stored = size - 1 - y
        row = []
        for x in range(size):
            pair = image[xor_at + stored * xor_stride + x // 2]
            index = pair >> 4 if x % 2 == 0 else pair & 15
            masked = image[and_at + stored * and_stride + x // 8] & (0x80 >> (x % 8))
            row.append(None if masked else index)
            if masked:
                assert index == 0, "transparent pixel with a non-zero XOR value"
        rows.append(row)
    return size, header, rows, and_at + and_stride * size


class IcoLayout(unittest.TestCase):
    def grid(self, size):
        g = [[(x * 3 + y) % 16 if (x + y) % 5 else mi.TRANSPARENT for x in range(size)] for y in range(size)]
        g[0][0] = 9  # top-left, stored in the last row
        return g

    def test_images_round_trip(self):
        for size in (32, 16):
            with self.subTest(size=size):
                grid = self.grid(size)
                image = mi.dib_image(grid)
                got_size, header, rows, end = decode(image)
                self.assertEqual(got_size, size)
                self.assertEqual(header[2], 2 * size)  # XOR plus AND mask
                self.assertEqual((header[3], header[4]), (1, 4))  # planes, bits per pixel
                self.assertEqual(end, len(image))
                self.assertEqual(rows, grid)

    def test_palette_is_the_standard_one_in_bgr_order(self):
        image = mi.dib_image(self.grid(32))
        self.assertEqual(image[40 + 4 * 9:40 + 4 * 10], bytes((0, 0, 0xFF, 0)))  # red
        self.assertEqual(image[40 + 4 * 12:40 + 4 * 13], bytes((0xFF, 0, 0, 0)))  # blue
        self.assertEqual(image[40 + 4 * 3:40 + 4 * 4], bytes((0, 0x80, 0x80, 0)))  # olive

    def test_directory_of_two_images(self):
        big, small = self.grid(32), self.grid(16)
        data = mi.ico_file([big, small])
        self.assertEqual(struct.unpack_from("<HHH", data, 0), (0, 1, 2))
        entries = [struct.unpack_from("<BBBBHHII", data, 6 + 16 * i) for i in range(2)]
        self.assertEqual([e[:6] for e in entries], [(32, 32, 16, 0, 1, 4), (16, 16, 16, 0, 1, 4)])
        self.assertEqual(entries[0][7], 6 + 32)
        self.assertEqual(entries[1][7], entries[0][7] + entries[0][6])
        self.assertEqual(entries[1][7] + entries[1][6], len(data))
        self.assertEqual(decode(data[entries[1][7]:])[2], small)


class ResourceScript(unittest.TestCase):
    def test_names_and_order(self):
        icons = [(name, macro, out, []) for name, macro, out, _ in mi.PROGRAM_ICONS]
        lines = [l for l in mi.resource_script(icons).splitlines() if l and not l.startswith("//")]
        # "ICON" is a keyword, so it is quoted and comes first, before any other quoted string.
        self.assertEqual(lines[0], '"ICON" ICON "ICON.ico"')
        self.assertEqual(sum(l.startswith('"') for l in lines), 1)
        self.assertEqual(lines[1:126], [f'ICON_{n} ICON "ICON_{n}.ico"' for n in range(1, 126)])
        self.assertIn('MAINICON ICON "MAINICON.ico"', lines)
        self.assertIn('IDI_FORM_CONFIGURE ICON "configure.ico"', lines)
        self.assertIn('IDI_FORM_PASSWORD ICON "password.ico"', lines)
        self.assertEqual(len(lines), 129)

    def test_generate_writes_every_file(self):
        with tempfile.TemporaryDirectory() as root:
            write_catalogue(root, skip={125})
            out = os.path.join(root, "out")
            self.assertEqual(mi.generate(root, out, allow_missing=True), 1)
            names = set(os.listdir(out))
            self.assertEqual(names, {f"ICON_{n}.ico" for n in range(1, 126)}
                             | {"MAINICON.ico", "ICON.ico", "configure.ico", "password.ico", "pictures.rc"})
            self.assertEqual(mi.main(["--source", root, "--out", out]), 1)  # 125 is missing


if __name__ == "__main__":
    unittest.main()
