#!/usr/bin/env python3
"""Rasterises the drawings in res/ into the checked-in MainIcon.ico and MenuGlyphs*.bmp.

The icon (icon/main.svg, drawn on a 32-unit grid) and the four menu glyphs (glyphs/*.svg, on a
16-unit grid) are drawn once and rasterised by vector_art.py at every size the program ships.
Run with --check to fail when a checked-in image no longer matches its drawing.
"""

import argparse
import struct
import sys
import zlib
from pathlib import Path

import vector_art

HERE = Path(__file__).resolve().parent

GLYPHS = ["new", "open", "save", "exit"]  # left to right, in the order of the menu's image indexes
# The menu takes the largest set not larger than its density asks for. At 16 pixels, the glyphs'
# own grid, every edge of the drawing lies on the pixel grid, and one sample at each pixel's
# centre gives the same crisp pixels as hand-set pixel art; anti-aliasing would only soften the
# few slanted edges there.
GLYPH_SIZES = [16, 20, 24, 32]
POINT_SAMPLED_GLYPH_SIZE = 16

# The icon's images in the order of its directory: first the 16-colour 32 x 32 image that every
# version of Windows can show, then 32-bit images with alpha for each size the system asks for
# at 100 to 200 % (small and large icons), and one for the largest views, stored as PNG.
ICON_16_COLOUR_SIZE = 32
ICON_SIZES = [16, 20, 24, 32, 40, 48, 64]
ICON_PNG_SIZE = 256

VGA_PALETTE = list(vector_art.BASIC_COLOURS.values())


def bottom_up_rows(rows, pack):
    """Each row packed and padded to a multiple of four bytes, the bottom row first."""
    out = []
    for row in reversed(rows):
        packed = pack(row)
        out.append(packed + b"\0" * (-len(packed) % 4))
    return b"".join(out)


def bgra(row):
    return b"".join(struct.pack("<4B", b, g, r, a) for r, g, b, a in row)


def and_mask(row):
    """The icon's 1-bit AND mask: set where the image is wholly transparent."""
    bits = 0
    for pixel in row:
        bits = (bits << 1) | (1 if pixel[3] == 0 else 0)
    width_bytes = (len(row) + 7) // 8
    return (bits << (width_bytes * 8 - len(row))).to_bytes(width_bytes, "big")


def info_header(width, height, bit_count, image_size, colours=0):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bit_count, 0, image_size, 2835, 2835, colours, 0)


def make_bitmap(rows):
    """A 32-bit BMP file, alpha in the fourth byte and not premultiplied, as image lists take it."""
    bits = bottom_up_rows(rows, bgra)
    offset = 14 + 40
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset)
    return file_header + info_header(len(rows[0]), len(rows), 32, len(bits)) + bits


def nearest_palette_index(red, green, blue):
    distances = [(red - r) ** 2 + (green - g) ** 2 + (blue - b) ** 2 for r, g, b in VGA_PALETTE]
    return distances.index(min(distances))


def sixteen_colour_icon_image(rows):
    """The anti-aliased drawing in the sixteen colours: a pixel at least half covered takes the
    palette colour nearest its own, so that slanted edges keep the in-between shades a
    hand-drawn 16-colour icon gives them; the others are transparent."""
    opaque = [[(r, g, b, 255) if a >= 128 else (0, 0, 0, 0) for r, g, b, a in row] for row in rows]
    # Black under a set mask bit leaves the screen as it is.
    indexes = [[nearest_palette_index(r, g, b) if a else 0 for r, g, b, a in row] for row in opaque]
    colour = bottom_up_rows(indexes, lambda line: bytes((line[i] << 4) | line[i + 1] for i in range(0, len(line), 2)))
    mask = bottom_up_rows(opaque, and_mask)
    palette = b"".join(struct.pack("<4B", b, g, r, 0) for r, g, b in VGA_PALETTE)
    size = len(rows)
    # An icon image's header counts the colour and mask images together in its height.
    return info_header(size, size * 2, 4, len(colour) + len(mask), 16) + palette + colour + mask, 4


def true_colour_icon_image(rows):
    colour = bottom_up_rows(rows, bgra)
    mask = bottom_up_rows(rows, and_mask)
    size = len(rows)
    return info_header(size, size * 2, 32, len(colour) + len(mask)) + colour + mask, 32


def png_icon_image(rows):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    size = len(rows)
    # Filter type 1 (each byte less the one four to its left) suits the flat areas of a drawing.
    raw = b""
    for row in rows:
        line = bytes(channel for pixel in row for channel in pixel)
        raw += b"\1" + bytes((line[i] - (line[i - 4] if i >= 4 else 0)) & 0xFF for i in range(len(line)))
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")
    return png, 32


def make_icon(images):
    """An ICO file of (size, image data, bits per pixel), in the order given."""
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b""
    for size, data, bit_count in images:
        colours = 16 if bit_count == 4 else 0
        side = size if size < 256 else 0  # 0 stands for 256
        entries += struct.pack("<BBBBHHII", side, side, colours, 0, 1, bit_count, len(data), offset)
        offset += len(data)
    return directory + entries + b"".join(data for _, data, _ in images)


def build_images():
    glyphs = [vector_art.read_picture(HERE / "glyphs" / f"{name}.svg") for name in GLYPHS]
    images = {}
    for size in GLYPH_SIZES:
        rendered = [vector_art.render(glyph, size, aliased=size == POINT_SAMPLED_GLYPH_SIZE) for glyph in glyphs]
        strip = [sum((glyph[y] for glyph in rendered), []) for y in range(size)]
        images[f"MenuGlyphs{size}.bmp"] = make_bitmap(strip)

    icon = vector_art.read_picture(HERE / "icon" / "main.svg")
    entries = [(ICON_16_COLOUR_SIZE, *sixteen_colour_icon_image(vector_art.render(icon, ICON_16_COLOUR_SIZE)))]
    entries += [(size, *true_colour_icon_image(vector_art.render(icon, size))) for size in ICON_SIZES]
    entries.append((ICON_PNG_SIZE, *png_icon_image(vector_art.render(icon, ICON_PNG_SIZE))))
    images["MainIcon.ico"] = make_icon(entries)
    return images


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true", help="compare with the checked-in images instead of writing")
    args = parser.parse_args()
    try:
        images = build_images()
    except vector_art.VectorArtError as error:
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
