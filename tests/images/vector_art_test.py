"""The rasteriser of res/vector_art.py: outlines fitted to the pixel grid at every size, slanted
edges and curves anti-aliased, point sampling as crisp as pixel art, and no silent guesses."""

import sys
import tempfile
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "res"))

import vector_art  # noqa: E402


def picture(body, grid=16):
    with tempfile.NamedTemporaryFile("w", suffix=".svg", delete=False) as file:
        file.write(f'<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 {grid} {grid}">{body}</svg>')
    try:
        return vector_art.read_picture(file.name)
    finally:
        Path(file.name).unlink()


def alphas(rows):
    return [[pixel[3] for pixel in row] for row in rows]


def opaque_columns(row):
    return [x for x, alpha in enumerate(row) if alpha == 255]


class GridFitting(unittest.TestCase):
    def test_a_one_unit_outline_stays_whole_pixels_wide_at_every_size(self):
        frame = picture('<rect x="4.5" y="1.5" width="7" height="13" fill="none" stroke="black"/>')
        for size, width in ((16, 1), (20, 1), (24, 1), (32, 2)):
            with self.subTest(size=size):
                rows = alphas(vector_art.render(frame, size))
                middle = rows[size // 2]
                self.assertTrue(all(alpha in (0, 255) for alpha in middle), middle)
                left, right = [x for x in opaque_columns(middle) if x < size // 2], [
                    x for x in opaque_columns(middle) if x >= size // 2
                ]
                self.assertEqual(len(left), width)
                self.assertEqual(len(right), width, "both sides of a frame are as wide")

    def test_filled_corners_go_to_the_nearest_pixel_corner(self):
        block = picture('<rect x="5" y="5" width="6" height="6" fill="red"/>')
        rows = vector_art.render(block, 24)  # 7.5 to 16.5 before fitting
        self.assertEqual(opaque_columns(alphas(rows)[12]), list(range(8, 17)))
        self.assertEqual(rows[12][8], (255, 0, 0, 255))
        self.assertTrue(all(alpha in (0, 255) for alpha in alphas(rows)[12]))


class AntiAliasing(unittest.TestCase):
    def test_a_slanted_edge_covers_the_pixels_it_crosses_in_part(self):
        half = picture('<polygon points="0,0 16,0 0,16" fill="black"/>')
        rows = alphas(vector_art.render(half, 16))
        self.assertEqual(rows[0][0], 255)
        self.assertEqual(rows[15][15], 0)
        self.assertEqual(rows[4][11], 128, "a pixel the diagonal halves is half covered")
        self.assertAlmostEqual(sum(map(sum, rows)) / 255, 128, delta=0.1, msg="half the square")

    def test_a_circle_covers_its_area(self):
        disc = picture('<circle cx="32" cy="32" r="20" fill="teal"/>', grid=64)
        covered = sum(map(sum, alphas(vector_art.render(disc, 64)))) / 255
        self.assertAlmostEqual(covered, 3.14159265 * 400, delta=400 * 3.14159265 * 0.005)

    def test_shapes_blend_over_one_another(self):
        layered = picture('<rect width="16" height="16" fill="white"/><rect width="16" height="16" fill="black" opacity="0.5"/>')
        self.assertEqual(vector_art.render(layered, 4)[0][0], (128, 128, 128, 255))


class PointSampling(unittest.TestCase):
    def test_gives_whole_pixels_only_and_keeps_a_shape_symmetric(self):
        arrow_head = picture('<polygon points="8,5 14,5 11,8" fill="red"/>')
        rows = alphas(vector_art.render(arrow_head, 16, aliased=True))
        self.assertTrue(all(alpha in (0, 255) for row in rows for alpha in row))
        self.assertEqual(opaque_columns(rows[5]), list(range(8, 14)))
        self.assertEqual(opaque_columns(rows[6]), list(range(9, 13)))
        self.assertEqual(opaque_columns(rows[7]), [10, 11])


class Refusals(unittest.TestCase):
    def test_what_is_not_drawn_as_a_browser_would_is_refused(self):
        for body in (
            '<ellipse cx="8" cy="8" rx="4" ry="2"/>',
            '<rect width="4" height="4" transform="rotate(45)"/>',
            '<path d="M0 0 C 4 4 8 8 16 0"/>',
            '<rect width="4" height="4" fill="orange"/>',
            '<line x1="0" y1="0" x2="4" y2="4" stroke="black" stroke-linecap="round"/>',
            '<text x="0" y="8">a</text>',
            '<rect width="4" height="4" fill="white" stroke="black" opacity="0.5"/>',
        ):
            with self.subTest(body=body):
                with self.assertRaises(vector_art.VectorArtError):
                    vector_art.render(picture(body), 16)


if __name__ == "__main__":
    unittest.main()
