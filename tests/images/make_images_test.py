"""What only the packer of res/make_images.py decides: the 16-colour icon image, which drawing
serves a size, and the record that --check trusts. (The
32-bit images and the glyph strips are compared with what Windows shows by the resource test and
the acceptance density checks.)"""

import struct
import sys
import tempfile
import unittest
from pathlib import Path

RES = Path(__file__).resolve().parents[2] / "res"
sys.path.insert(0, str(RES))

import make_images  # noqa: E402

SVG = '<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 {0} {0}"/>'


class SixteenColourImage(unittest.TestCase):
    def test_a_pixel_at_least_half_covered_takes_the_nearest_basic_colour(self):
        row = [(200, 190, 180, 255), (100, 10, 0, 128), (250, 250, 40, 127), (0, 120, 140, 255)]
        data, bit_count = make_images.sixteen_colour_icon_image([row] * 4)
        width, height, _, bits, _, _, _, _, colours, _ = struct.unpack("<iiHHIIiiII", data[4:40])
        self.assertEqual((width, height, bits, colours, bit_count), (4, 8, 4, 16, 4), "the height counts the mask")
        palette = [tuple(data[40 + 4 * i : 43 + 4 * i][::-1]) for i in range(16)]
        # Every row is alike, so the first one stored stands for all.
        mask = data[40 + 64 + 4 * 4]
        pair = data[40 + 64 : 40 + 66]
        indexes = [pair[0] >> 4, pair[0] & 15, pair[1] >> 4, pair[1] & 15]
        self.assertEqual([palette[i] for i in indexes[:2] + indexes[3:]], [(192, 192, 192), (128, 0, 0), (0, 128, 128)])
        self.assertEqual(mask, 0b00100000, "only the pixel less than half covered is transparent")


class Drawings(unittest.TestCase):
    def test_a_drawing_no_image_uses_or_drawn_on_another_grid_is_refused(self):
        for name, text, refused in (
            ("save-20.svg", SVG.format(20), False),
            ("save-22.svg", SVG.format(22), True),
            ("saving-20.svg", SVG.format(20), True),
            ("save-20.svg", SVG.format(16), True),
        ):
            with self.subTest(name=name, text=text), tempfile.TemporaryDirectory() as folder:
                (Path(folder) / "glyphs").mkdir()
                (Path(folder) / "glyphs" / name).write_text(text)
                if refused:
                    self.assertRaises(make_images.ImageError, make_images.check_drawings, Path(folder))
                else:
                    make_images.check_drawings(Path(folder))


class Record(unittest.TestCase):
    def test_check_names_every_drawing_and_image_changed_since_the_images_were_made(self):
        with tempfile.TemporaryDirectory() as folder:
            root = Path(folder)
            for kind in ("glyphs", "icon"):
                (root / kind).mkdir()
            for name in ("glyphs/save.svg", "glyphs/save-20.svg", "icon/main.svg"):
                (root / name).write_text(SVG.format(16))
            images = {"MenuGlyphs20.bmp": b"BM20", "MainIcon.ico": b"ICON"}
            for name, data in images.items():
                (root / name).write_bytes(data)
            make_images.write_record(root, images, "rsvg-convert version 0")
            self.assertEqual(make_images.stale(root), [])

            (root / "glyphs/save-20.svg").write_text(SVG.format(20))
            (root / "glyphs/exit-24.svg").write_text(SVG.format(24))
            (root / "icon/main.svg").unlink()
            (root / "MainIcon.ico").write_bytes(b"ICON, edited")
            self.assertEqual(
                sorted(make_images.stale(root)),
                ["MainIcon.ico", "glyphs/exit-24.svg", "glyphs/save-20.svg", "icon/main.svg"],
            )


if __name__ == "__main__":
    unittest.main()
