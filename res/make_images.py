#!/usr/bin/env python3
"""Packs the drawings in res/ into the checked-in MainIcon.ico and MenuGlyphs*.bmp.

A picture is drawn once as SVG (icon/main.svg, glyphs/<name>.svg); a size at which that drawing
would not stay crisp has a drawing of its own on its pixel grid (glyphs/save-20.svg, whose viewBox
is "0 0 20 20"). rsvg-convert renders each drawing at its size, ImageMagick reads its pixels, and this
script packs the images.
It records in images.json the hash of every drawing, of itself and of every image it wrote, and the
renderer's version; with --check it compares that record with the files, without rendering.
"""

import argparse
import hashlib
import json
import re
import struct
import subprocess
import sys
import xml.etree.ElementTree as ElementTree
from pathlib import Path

HERE = Path(__file__).resolve().parent
RECORD = "images.json"
RENDERER = "rsvg-convert"

GLYPHS = ["new", "open", "save", "exit"]  # left to right, in the order of the menu's image indexes
GLYPH_SIZES = [16, 20, 24, 32]  # the menu takes the largest set not larger than its density asks for

# The icon's images in the order of its directory: first the 16-colour 32 x 32 image that every
# version of Windows can show, then 32-bit images with alpha for each size the system asks for
# at 100 to 200 % (small and large icons), and one for the largest views, stored as PNG.
ICON_16_COLOUR_SIZE = 32
ICON_SIZES = [16, 20, 24, 32, 40, 48, 64]
ICON_PNG_SIZE = 256

# The sixteen colours of the standard VGA (and Windows 16-colour) palette, in palette order.
BASIC_COLOURS = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255),
    (255, 255, 255),
]

class ImageError(Exception):
    pass


# --- Which drawing at which size ---------------------------------------------------------------


def drawing_for(folder, name, size):
    own = folder / f"{name}-{size}.svg"
    return own if own.exists() else folder / f"{name}.svg"


def glyph_drawing(root, name, size):
    return drawing_for(root / "glyphs", name, size)


def icon_drawing(root, size):
    return drawing_for(root / "icon", "main", size)


def used_drawings(root):
    glyphs = {glyph_drawing(root, name, size) for size in GLYPH_SIZES for name in GLYPHS}
    return glyphs | {icon_drawing(root, size) for size in [ICON_16_COLOUR_SIZE] + ICON_SIZES + [ICON_PNG_SIZE]}


def all_drawings(root):
    return sorted((root / "glyphs").glob("*.svg")) + sorted((root / "icon").glob("*.svg"))


def check_drawings(root):
    """A misnamed drawing would be left out without a word, and one for a size drawn on another
    grid would be scaled and blurred: both are refused."""
    used = used_drawings(root)
    for path in all_drawings(root):
        if path not in used:
            raise ImageError(f"{path}: no image is made from it (a size's own drawing is <name>-<size>.svg)")
        size = re.fullmatch(r".+-(\d+)", path.stem)
        try:
            view_box = ElementTree.parse(path).getroot().get("viewBox", "").split()
        except ElementTree.ParseError as error:
            raise ImageError(f"{path}: {error}") from None
        if size and view_box != ["0", "0", size[1], size[1]]:
            raise ImageError(f'{path}: a drawing for {size[1]} pixels needs viewBox="0 0 {size[1]} {size[1]}"')


# --- Rendering ---------------------------------------------------------------------------------


def run(command, package, data=None):
    """What command writes, given data; the package that holds it is named when it is missing."""
    try:
        done = subprocess.run(command, input=data, capture_output=True, check=False)
    except FileNotFoundError:
        raise ImageError(f"{command[0]} is missing: apt-get install {package}") from None
    if done.returncode != 0:
        raise ImageError(f"{' '.join(command)}: {done.stderr.decode(errors='replace').strip()}")
    return done.stdout


def run_renderer(*arguments):
    return run([RENDERER, *arguments], "librsvg2-bin")


def render(drawing, size):
    """The drawing at size x size pixels, as the renderer's PNG file."""
    return run_renderer("--width", str(size), "--height", str(size), str(drawing))


def read_pixels(png, size):
    """Rows of (red, green, blue, alpha), alpha not premultiplied, as ImageMagick reads the PNG file."""
    raw, stride = run(["convert", "png:-", "-depth", "8", "rgba:-"], "imagemagick", png), size * 4
    if len(raw) != size * stride:
        raise ImageError(f"the rendered image is not {size} pixels square")
    return [[tuple(raw[x : x + 4]) for x in range(y * stride, (y + 1) * stride, 4)] for y in range(size)]


def rendered(drawing, size):
    """The drawing at size x size pixels: the renderer's PNG file and its rows of pixels."""
    png = render(drawing, size)
    return png, read_pixels(png, size)


def rendered_pixels(drawing, size):
    return rendered(drawing, size)[1]


# --- Packing -----------------------------------------------------------------------------------


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
    distances = [(red - r) ** 2 + (green - g) ** 2 + (blue - b) ** 2 for r, g, b in BASIC_COLOURS]
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
    palette = b"".join(struct.pack("<4B", b, g, r, 0) for r, g, b in BASIC_COLOURS)
    size = len(rows)
    # An icon image's header counts the colour and mask images together in its height.
    return info_header(size, size * 2, 4, len(colour) + len(mask), 16) + palette + colour + mask, 4


def true_colour_icon_image(rows):
    colour = bottom_up_rows(rows, bgra)
    mask = bottom_up_rows(rows, and_mask)
    size = len(rows)
    return info_header(size, size * 2, 32, len(colour) + len(mask)) + colour + mask, 32


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


def build_images(root):
    check_drawings(root)
    images = {}
    for size in GLYPH_SIZES:
        glyphs = [rendered_pixels(glyph_drawing(root, name, size), size) for name in GLYPHS]
        strip = [sum((glyph[y] for glyph in glyphs), []) for y in range(size)]
        images[f"MenuGlyphs{size}.bmp"] = make_bitmap(strip)

    sixteen_colours = rendered_pixels(icon_drawing(root, ICON_16_COLOUR_SIZE), ICON_16_COLOUR_SIZE)
    entries = [(ICON_16_COLOUR_SIZE, *sixteen_colour_icon_image(sixteen_colours))]
    entries += [(size, *true_colour_icon_image(rendered_pixels(icon_drawing(root, size), size))) for size in ICON_SIZES]
    # The renderer's own PNG file is what an icon stores: 8-bit RGBA, alpha not premultiplied.
    entries.append((ICON_PNG_SIZE, rendered(icon_drawing(root, ICON_PNG_SIZE), ICON_PNG_SIZE)[0], 32))
    images["MainIcon.ico"] = make_icon(entries)
    return images


# --- The record --------------------------------------------------------------------------------


def digest(data):
    return hashlib.sha256(data).hexdigest()


def text_digest(path):
    """A text file's hash, whatever line ends a checkout gave it."""
    return digest(path.read_bytes().replace(b"\r\n", b"\n"))


def sources(root):
    """The hashes of what the images are made from: the drawings and this script."""
    return {
        "drawings": {path.relative_to(root).as_posix(): text_digest(path) for path in all_drawings(root)},
        "packer": text_digest(Path(__file__)),
    }


def write_record(root, images, renderer_version):
    record = {
        **sources(root),
        "images": {name: digest(data) for name, data in sorted(images.items())},
        "renderer": renderer_version,
    }
    (root / RECORD).write_text(json.dumps(record, indent=2, sort_keys=True) + "\n")


def stale(root):
    """What changed since the images were made: drawings, this script or the images themselves."""
    try:
        record = json.loads((root / RECORD).read_text())
    except (OSError, ValueError) as error:
        return [f"{RECORD} ({error})"]
    now = sources(root)
    drawings = sorted(set(now["drawings"]) | set(record.get("drawings", {})))
    changed = [name for name in drawings if now["drawings"].get(name) != record.get("drawings", {}).get(name)]
    if now["packer"] != record.get("packer"):
        changed.append(Path(__file__).name)
    for name, recorded in record.get("images", {}).items():
        path = root / name
        if not path.exists() or digest(path.read_bytes()) != recorded:
            changed.append(name)
    return changed


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true", help="compare with the record instead of rendering")
    args = parser.parse_args()
    if args.check:
        changed = stale(HERE)
        if changed:
            print("changed since the images were made, run res/make_images.py: " + ", ".join(changed), file=sys.stderr)
            return 1
        return 0
    try:
        version = run_renderer("--version").decode().strip()
        images = build_images(HERE)
    except (ImageError, OSError) as error:
        print(error, file=sys.stderr)
        return 2
    for name, data in images.items():
        (HERE / name).write_bytes(data)
    write_record(HERE, images, version)
    return 0


if __name__ == "__main__":
    sys.exit(main())
