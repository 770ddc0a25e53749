#!/usr/bin/env python3
"""Turns the icon artwork (text grids) into .ico files and a resource script fragment.

The build itself makes the program's icons with res/icons.cmake (no Python needed); this script
checks the drawings (--check) and is the reference the test icons.same_as_ico_files holds the
build's icons to.

A grid is a text file of 32 lines of 32 characters (16 x 16 for the small configure image).
Each character is a hex digit naming one of the 16 standard colours, or '.' for a transparent
pixel. Comment lines starting with '#' may precede the grid.

Pictures live in res/pictures/set<s>-<theme>/NN-<name>.txt (NN = 01..25, the index within the
set; the picture number is 25*(s-1)+NN). Program icons live in res/icons/.

Every picture icon holds exactly one 32x32 image, 4 bits per pixel with the standard palette and
a 1-bit AND mask, so the program's LoadIconA, image lists and DrawIcon all see the same thing.
"""

import argparse
import os
import re
import struct
import sys

SIZE = 32
SMALL = 16
PER_SET = 25

# The sets, in order; a set's folder is "set<s>-<theme>".
THEMES = ("space", "sea", "garden", "toys", "kitchen")

# The standard 16-colour palette as (r, g, b); the grid digit is the index.
PALETTE = (
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
)
TRANSPARENT = None

# Program icons: resource name (None for an integer id from resource_ids.h), output file and
# the source grids of its images, largest first.
PROGRAM_ICONS = (
    ("MAINICON", None, "MAINICON.ico", ("mainicon.txt",)),
    ("ICON", None, "ICON.ico", ("icon.txt",)),
    (None, "IDI_FORM_CONFIGURE", "configure.ico", ("configure-32.txt", "configure-16.txt")),
    (None, "IDI_FORM_PASSWORD", "password.ico", ("password.txt",)),
)

PICTURE_NAME = re.compile(r"^(\d\d)-[a-z0-9]+(-[a-z0-9]+)*\.txt$")


class ArtError(Exception):
    """A problem with the artwork; the message names the file."""


def parse_grid(text, size, where):
    """Returns the grid as a list of rows of palette indexes (None = transparent)."""
    lines = text.split("\n")
    if lines and lines[-1] == "":
        lines.pop()  # the final newline
    lines = [line[:-1] if line.endswith("\r") else line for line in lines]
    start = 0
    while start < len(lines) and lines[start].startswith("#"):
        start += 1
    rows = lines[start:]
    if len(rows) != size:
        raise ArtError(f"{where}: {len(rows)} grid lines, expected {size}")
    grid = []
    for y, row in enumerate(rows):
        if len(row) != size:
            raise ArtError(f"{where}: line {start + y + 1} has {len(row)} characters, expected {size}")
        cells = []
        for x, ch in enumerate(row):
            if ch == ".":
                cells.append(TRANSPARENT)
            elif ch in "0123456789abcdef":
                cells.append(int(ch, 16))
            else:
                raise ArtError(f"{where}: line {start + y + 1} column {x + 1}: bad character {ch!r}")
        grid.append(cells)
    return grid


def check_not_blank(grid, where):
    """A picture must show something: at least two colours in its visible part."""
    colours = {c for row in grid for c in row if c is not TRANSPARENT}
    if len(colours) < 2:
        raise ArtError(f"{where}: blank picture (all transparent or a single colour)")


def check_uses_transparency(grid, where):
    """Pictures are silhouettes, never plain squares: some pixels must be transparent."""
    if not any(c is TRANSPARENT for row in grid for c in row):
        raise ArtError(f"{where}: no transparent pixels (pictures must be silhouettes)")


def read_grid(path, size):
    with open(path, encoding="ascii") as f:
        try:
            text = f.read()
        except UnicodeDecodeError as e:
            raise ArtError(f"{path}: not plain ASCII ({e})") from None
    return parse_grid(text, size, path)


# ----------------------------------------------------------------------------------------------
# Temporary placeholders, only with --allow-missing while the artwork is being drawn.

DIGITS = {  # 3x5 font
    "0": ("###", "#.#", "#.#", "#.#", "###"), "1": (".#.", "##.", ".#.", ".#.", "###"),
    "2": ("###", "..#", "###", "#..", "###"), "3": ("###", "..#", ".##", "..#", "###"),
    "4": ("#.#", "#.#", "###", "..#", "..#"), "5": ("###", "#..", "###", "..#", "###"),
    "6": ("###", "#..", "###", "#.#", "###"), "7": ("###", "..#", ".#.", ".#.", ".#."),
    "8": ("###", "#.#", "###", "#.#", "###"), "9": ("###", "#.#", "###", "..#", "###"),
}


def placeholder(number, size=SIZE):
    """A numbered disc: obviously not artwork, but unique per picture number (0: program icon)."""
    fill = (9, 10, 12, 11, 13)[(number - 1) // PER_SET] if number else 7
    grid = [[TRANSPARENT] * size for _ in range(size)]
    centre, radius = (size - 1) / 2, size / 2 - 0.5
    for y in range(size):
        for x in range(size):
            d2 = (x - centre) ** 2 + (y - centre) ** 2
            if d2 <= radius**2:
                grid[y][x] = 0 if d2 > (radius - 2) ** 2 else fill
    text = str(number)
    width = 4 * len(text) - 1
    left, top = (size - width) // 2, (size - 5) // 2
    for i, ch in enumerate(text):
        for dy, line in enumerate(DIGITS[ch]):
            for dx, cell in enumerate(line):
                if cell == "#":
                    grid[top + dy][left + 4 * i + dx] = 0
    return grid


# ----------------------------------------------------------------------------------------------
# Loading and checking the catalogue


def load_pictures(source, allow_missing=False):
    """Returns {number: (grid, path or None)} for all 125 pictures, checked."""
    pictures_dir = os.path.join(source, "pictures")
    found = {}
    expected_dirs = {f"set{s}-{theme}" for s, theme in enumerate(THEMES, 1)}
    if os.path.isdir(pictures_dir):
        for entry in sorted(os.listdir(pictures_dir)):
            if entry not in expected_dirs:
                raise ArtError(f"{os.path.join(pictures_dir, entry)}: unexpected entry (sets are "
                               + ", ".join(sorted(expected_dirs)) + ")")
    for s, theme in enumerate(THEMES, 1):
        set_dir = os.path.join(pictures_dir, f"set{s}-{theme}")
        names = sorted(os.listdir(set_dir)) if os.path.isdir(set_dir) else []
        by_index = {}
        for name in names:
            path = os.path.join(set_dir, name)
            m = PICTURE_NAME.match(name)
            if not m:
                raise ArtError(f"{path}: name must be NN-name.txt (lower case, digits, dashes)")
            index = int(m.group(1))
            if not 1 <= index <= PER_SET:
                raise ArtError(f"{path}: index {index} outside 01..{PER_SET}")
            if index in by_index:
                raise ArtError(f"{path}: index {index:02d} also used by {by_index[index]}")
            by_index[index] = path
        missing = [i for i in range(1, PER_SET + 1) if i not in by_index]
        if missing and not allow_missing:
            raise ArtError(f"{set_dir}: {len(by_index)} pictures, expected {PER_SET}; missing "
                           + ", ".join(f"{i:02d}" for i in missing))
        for index in range(1, PER_SET + 1):
            number = PER_SET * (s - 1) + index
            path = by_index.get(index)
            if path is None:
                found[number] = (placeholder(number), None)
                continue
            grid = read_grid(path, SIZE)
            check_not_blank(grid, path)
            check_uses_transparency(grid, path)
            found[number] = (grid, path)
    check_distinct(found)
    return found


def check_distinct(pictures):
    seen = {}
    for number in sorted(pictures):
        grid, path = pictures[number]
        key = tuple(tuple(row) for row in grid)
        if key in seen:
            other = seen[key]
            raise ArtError(f"{path or f'picture {number}'}: identical to "
                           f"{pictures[other][1] or f'picture {other}'}")
        seen[key] = number


def load_program_icons(source, allow_missing=False):
    """Returns [(name, id_macro, file, [grids])] for the program icons, checked."""
    icons_dir = os.path.join(source, "icons")
    result = []
    for name, id_macro, out_name, sources in PROGRAM_ICONS:
        grids = []
        for src in sources:
            path = os.path.join(icons_dir, src)
            size = SMALL if src.endswith("-16.txt") else SIZE
            if not os.path.isfile(path):
                if not allow_missing:
                    raise ArtError(f"{path}: missing program icon")
                grids.append(placeholder(0, size))
                continue
            grid = read_grid(path, size)
            check_not_blank(grid, path)
            grids.append(grid)
        result.append((name, id_macro, out_name, grids))
    return result


# ----------------------------------------------------------------------------------------------
# Writing .ico files


def dib_image(grid):
    """One icon image: BITMAPINFOHEADER, palette, XOR bits (4 bpp), AND mask (1 bpp), bottom-up."""
    size = len(grid)
    xor_stride = (size * 4 + 31) // 32 * 4
    and_stride = (size + 31) // 32 * 4
    xor = bytearray()
    mask = bytearray()
    for row in reversed(grid):
        line = bytearray(xor_stride)
        bits = bytearray(and_stride)
        for x, c in enumerate(row):
            if c is TRANSPARENT:
                bits[x // 8] |= 0x80 >> (x % 8)  # screen shows through; XOR pixel stays 0
            else:
                line[x // 2] |= c << (4 if x % 2 == 0 else 0)
        xor += line
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 4, 0, len(xor) + len(mask), 0, 0, 0, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    return header + palette + bytes(xor) + bytes(mask)


def ico_file(grids):
    """An .ico file holding one image per grid, in the given order."""
    images = [dib_image(g) for g in grids]
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for grid, image in zip(grids, images):
        size = len(grid)
        out += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image), offset)
        offset += len(image)
    for image in images:
        out += image
    return bytes(out)


def write_file(path, data):
    with open(path, "wb") as f:
        f.write(data)


def resource_script(program_icons):
    lines = ["// Generated by tools/icons/make_icons.py from the grids under res/. Do not edit.", ""]
    # "ICON" is also a keyword, so its name is quoted; windres joins a quoted string to the one
    # before it, so this line comes first and every other name stays unquoted.
    named = [(name, out_name) for name, _, out_name, _ in program_icons if name]
    lines += [f'"{name}" ICON "{out_name}"' for name, out_name in named if name == "ICON"]
    lines += [f'ICON_{number} ICON "ICON_{number}.ico"' for number in range(1, 5 * PER_SET + 1)]
    lines += [f'{name} ICON "{out_name}"' for name, out_name in named if name != "ICON"]
    lines += [f'{id_macro} ICON "{out_name}"' for name, id_macro, out_name, _ in program_icons if not name]
    return "\n".join(lines) + "\n"


def generate(source, out_dir, allow_missing=False):
    pictures = load_pictures(source, allow_missing)
    program_icons = load_program_icons(source, allow_missing)
    os.makedirs(out_dir, exist_ok=True)
    for number, (grid, _) in pictures.items():
        write_file(os.path.join(out_dir, f"ICON_{number}.ico"), ico_file([grid]))
    for _, _, out_name, grids in program_icons:
        write_file(os.path.join(out_dir, out_name), ico_file(grids))
    write_file(os.path.join(out_dir, "pictures.rc"), resource_script(program_icons).encode("ascii"))
    return sum(1 for _, path in pictures.values() if path is None)


def main(argv=None):
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--source", default=os.path.join(here, "..", "..", "res"),
                        help="folder holding pictures/ and icons/ (default: res/)")
    parser.add_argument("--out", help="output folder for the .ico files and pictures.rc")
    parser.add_argument("--check", action="store_true", help="only check the grids")
    parser.add_argument("--allow-missing", action="store_true",
                        help="stand in numbered discs for pictures not drawn yet (temporary)")
    args = parser.parse_args(argv)
    try:
        if args.check:
            pictures = load_pictures(args.source, args.allow_missing)
            load_program_icons(args.source, args.allow_missing)
            missing = sum(1 for _, path in pictures.values() if path is None)
        elif args.out:
            missing = generate(args.source, args.out, args.allow_missing)
        else:
            parser.error("give --out or --check")
    except (ArtError, OSError) as e:
        print(f"make_icons: {e}", file=sys.stderr)
        return 1
    if missing:
        print(f"make_icons: warning: {missing} pictures are placeholders", file=sys.stderr)
    return 0


if __name__ == "__main__":
    sys.exit(main())
