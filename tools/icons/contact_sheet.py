#!/usr/bin/env python3
"""Renders all 125 pictures into one PNG to judge the artwork as a user would see it.

The sheet shows the pictures twice, once on black and once on mid-grey, each time as five rows
(one per set) of 25, scaled up with a small gap between pictures.
"""

import argparse
import os
import struct
import sys
import zlib

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import make_icons  # noqa: E402

BACKGROUNDS = ((0x00, 0x00, 0x00), (0x80, 0x80, 0x80))
MARGIN_COLOUR = (0x30, 0x30, 0x30)


def png(width, height, rows):
    """A truecolour PNG from rows of (r, g, b) tuples."""
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    raw = bytearray()
    for row in rows:
        raw.append(0)  # filter: none
        for r, g, b in row:
            raw += bytes((r, g, b))
    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(bytes(raw), 9))
            + chunk(b"IEND", b""))


def render(grid_rows, scale, gap):
    """Lays out rows of grids on each background; returns (width, height, pixel rows)."""
    cell = make_icons.SIZE * scale
    columns = max(len(r) for r in grid_rows)
    panel_h = len(grid_rows) * (cell + gap) + gap
    width = columns * (cell + gap) + gap
    height = len(BACKGROUNDS) * panel_h + (len(BACKGROUNDS) - 1) * gap
    image = [[MARGIN_COLOUR] * width for _ in range(height)]
    for p, background in enumerate(BACKGROUNDS):
        top = p * (panel_h + gap)
        for y in range(top, top + panel_h):
            image[y] = [background] * width
        for r, grids in enumerate(grid_rows):
            for c, grid in enumerate(grids):
                x0, y0 = gap + c * (cell + gap), top + gap + r * (cell + gap)
                for y, row in enumerate(grid):
                    for x, colour in enumerate(row):
                        if colour is make_icons.TRANSPARENT:
                            continue
                        rgb = make_icons.PALETTE[colour]
                        for dy in range(scale):
                            line = image[y0 + y * scale + dy]
                            for dx in range(scale):
                                line[x0 + x * scale + dx] = rgb
    return width, height, image


def main(argv=None):
    here = os.path.dirname(os.path.abspath(__file__))
    root = os.path.normpath(os.path.join(here, "..", ".."))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--source", default=os.path.join(root, "res"))
    parser.add_argument("--out", default=os.path.join(root, "docs", "pictures.png"))
    parser.add_argument("--scale", type=int, default=2)
    parser.add_argument("--gap", type=int, default=4)
    parser.add_argument("--allow-missing", action="store_true",
                        help="show numbered discs for pictures not drawn yet")
    parser.add_argument("--program-icons", action="store_true",
                        help="render the program icons instead of the pictures")
    args = parser.parse_args(argv)
    try:
        if args.program_icons:
            icons = make_icons.load_program_icons(args.source, args.allow_missing)
            grid_rows = [[grid for _, _, _, grids in icons for grid in grids]]
        else:
            pictures = make_icons.load_pictures(args.source, args.allow_missing)
            grid_rows = [[pictures[25 * s + k + 1][0] for k in range(25)] for s in range(5)]
    except (make_icons.ArtError, OSError) as e:
        print(f"contact_sheet: {e}", file=sys.stderr)
        return 1
    width, height, image = render(grid_rows, args.scale, args.gap)
    os.makedirs(os.path.dirname(os.path.abspath(args.out)), exist_ok=True)
    with open(args.out, "wb") as f:
        f.write(png(width, height, image))
    print(f"contact_sheet: wrote {args.out} ({width}x{height})")
    return 0


if __name__ == "__main__":
    sys.exit(main())
