#!/usr/bin/env python3
"""Turns the text pixel maps in res/ into the checked-in MenuGlyphs.bmp and MainIcon.ico.

Each pixel map is a grid with one character per pixel; palette.txt maps the characters to
the sixteen standard VGA colours, and "." is transparent. Run with --check to fail when a
checked-in image no longer matches its pixel maps.
"""

import argparse
import struct
import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent
TRANSPARENT = "."

# The sixteen colours in the order of the standard VGA (and Windows 16-colour) palette.
VGA_COLOURS = [
    ("black", (0, 0, 0)),
    ("maroon", (128, 0, 0)),
    ("green", (0, 128, 0)),
    ("olive", (128, 128, 0)),
    ("navy", (0, 0, 128)),
    ("purple", (128, 0, 128)),
    ("teal", (0, 128, 128)),
    ("silver", (192, 192, 192)),
    ("grey", (128, 128, 128)),
    ("red", (255, 0, 0)),
    ("lime", (0, 255, 0)),
    ("yellow", (255, 255, 0)),
    ("blue", (0, 0, 255)),
    ("fuchsia", (255, 0, 255)),
    ("cyan", (0, 255, 255)),
    ("white", (255, 255, 255)),
]
COLOUR_INDEX = {name: index for index, (name, _) in enumerate(VGA_COLOURS)}
# The image list takes fuchsia as its key colour, so no glyph may use it as a real colour.
KEY_COLOUR = COLOUR_INDEX["fuchsia"]

GLYPH_SIZE = 16
GLYPHS = ["new", "open", "save", "exit"]  # left to right, in the order of the menu's image indexes
ICON_SIZE = 32


class PixelMapError(Exception):
    pass


def read_palette(path):
    """Character -> palette index, from lines of the form "K black"."""
    palette = {}
    for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        line = line.split("#", 1)[0].strip()
        if not line:
            continue
        parts = line.split()
        if len(parts) != 2 or len(parts[0]) != 1 or parts[1] not in COLOUR_INDEX:
            raise PixelMapError(f"{path}:{number}: expected a character and a colour name")
        if parts[0] == TRANSPARENT or parts[0] in palette:
            raise PixelMapError(f"{path}:{number}: character {parts[0]!r} is taken")
        palette[parts[0]] = COLOUR_INDEX[parts[1]]
    return palette


def read_pixel_map(path, size, palette):
    """Rows of palette indexes, None for a transparent pixel."""
    rows = [line for line in path.read_text(encoding="utf-8").splitlines() if line.strip()]
    if len(rows) != size or any(len(row) != size for row in rows):
        raise PixelMapError(f"{path}: expected {size} rows of {size} characters")
    pixels = []
    for y, row in enumerate(rows):
        out = []
        for x, char in enumerate(row):
            if char == TRANSPARENT:
                out.append(None)
            elif char in palette:
                out.append(palette[char])
            else:
                raise PixelMapError(f"{path}: unknown character {char!r} at column {x + 1}, row {y + 1}")
        pixels.append(out)
    return pixels


def palette_bytes():
    # RGBQUAD order: blue, green, red, reserved.
    return b"".join(struct.pack("<4B", b, g, r, 0) for _, (r, g, b) in VGA_COLOURS)


def nibble_rows(pixels, transparent_index):
    """4-bit rows, bottom row first, each padded to a multiple of four bytes."""
    rows = []
    for row in reversed(pixels):
        indexes = [transparent_index if p is None else p for p in row]
        if len(indexes) % 2:
            indexes.append(0)
        packed = bytes((indexes[i] << 4) | indexes[i + 1] for i in range(0, len(indexes), 2))
        rows.append(packed + b"\0" * (-len(packed) % 4))
    return b"".join(rows)


def mask_rows(pixels):
    """The 1-bit AND mask of an icon: set where the pixel is transparent."""
    rows = []
    for row in reversed(pixels):
        bits = 0
        for p in row:
            bits = (bits << 1) | (1 if p is None else 0)
        width_bytes = (len(row) + 7) // 8
        bits <<= width_bytes * 8 - len(row)
        packed = bits.to_bytes(width_bytes, "big")
        rows.append(packed + b"\0" * (-len(packed) % 4))
    return b"".join(rows)


def info_header(width, height, image_size):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, image_size, 2835, 2835, 16, 0)


def make_bitmap(pixels):
    width, height = len(pixels[0]), len(pixels)
    bits = nibble_rows(pixels, KEY_COLOUR)
    offset = 14 + 40 + 16 * 4
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset)
    return file_header + info_header(width, height, len(bits)) + palette_bytes() + bits


def make_icon(pixels):
    size = len(pixels)
    # Transparent pixels are black in the colour image, so that AND then XOR leaves the screen.
    xor_bits = nibble_rows(pixels, COLOUR_INDEX["black"])
    and_bits = mask_rows(pixels)
    # An icon image's header counts the colour and mask images together in its height.
    image = info_header(size, size * 2, len(xor_bits) + len(and_bits)) + palette_bytes() + xor_bits + and_bits
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


def build_images():
    palette = read_palette(HERE / "palette.txt")
    glyphs = [read_pixel_map(HERE / "glyphs" / f"{name}.txt", GLYPH_SIZE, palette) for name in GLYPHS]
    for name, glyph in zip(GLYPHS, glyphs):
        if any(p == KEY_COLOUR for row in glyph for p in row):
            raise PixelMapError(f"glyph {name} uses fuchsia, the image list's transparent colour")
    strip = [sum((glyph[y] for glyph in glyphs), []) for y in range(GLYPH_SIZE)]
    icon = read_pixel_map(HERE / "icon" / "main.txt", ICON_SIZE, palette)
    return {"MenuGlyphs.bmp": make_bitmap(strip), "MainIcon.ico": make_icon(icon)}


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true", help="compare with the checked-in images instead of writing")
    args = parser.parse_args()
    try:
        images = build_images()
    except PixelMapError as error:
        print(error, file=sys.stderr)
        return 2
    stale = []
    for name, data in images.items():
        path = HERE / name
        if args.check:
            if not path.exists() or path.read_bytes() != data:
                stale.append(name)
        else:
            path.write_bytes(data)
    if stale:
        print("out of date, run res/make_images.py: " + ", ".join(stale), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
