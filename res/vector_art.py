"""Rasterises the small part of SVG that the program's pictures are drawn in.

Each picture is drawn once, on a grid of whole units (16 for a menu glyph, 32 for the icon), and
rasterised here at every size the program ships. At a size that is not a whole multiple of the
grid, plain scaling would leave a one-unit outline straddling two pixels and blur it, so every
shape is first fitted to the pixel grid, as a font's hinting does:

- a filled shape's corners go to the nearest pixel corner;
- a stroke is a whole number of pixels wide (at least one), and its centre line goes to the
  nearest pixel centre when that number is odd, to the nearest pixel edge when it is even, so
  that both its edges fall on pixel edges;
- a circle's diameter is a whole number of pixels, and its centre follows the stroke rule for
  that diameter.

Slanted edges and curves are anti-aliased: coverage is exact along each of SAMPLE_ROWS sample rows
per pixel row. Only +, -, *, / and sqrt are used, which IEEE arithmetic rounds exactly, so the
same source gives the same bytes on every machine.

Supported: svg with viewBox "0 0 n n", g, rect, line, polyline, polygon, path (M, L, H, V and Z,
absolute and relative), circle; fill, stroke, stroke-width, stroke-linecap (butt or square),
fill-rule, opacity, fill-opacity and stroke-opacity; colours by the sixteen basic keywords or as
#rrggbb. Anything else is refused rather than drawn differently from what a browser would show.
"""

import math
import re
import xml.etree.ElementTree as ElementTree

SAMPLE_ROWS = 16
SVG_NAMESPACE = "{http://www.w3.org/2000/svg}"

# The sixteen colours of the standard VGA (and Windows 16-colour) palette, by their SVG names.
BASIC_COLOURS = {
    "black": (0, 0, 0),
    "maroon": (128, 0, 0),
    "green": (0, 128, 0),
    "olive": (128, 128, 0),
    "navy": (0, 0, 128),
    "purple": (128, 0, 128),
    "teal": (0, 128, 128),
    "silver": (192, 192, 192),
    "gray": (128, 128, 128),
    "red": (255, 0, 0),
    "lime": (0, 255, 0),
    "yellow": (255, 255, 0),
    "blue": (0, 0, 255),
    "fuchsia": (255, 0, 255),
    "aqua": (0, 255, 255),
    "white": (255, 255, 255),
}
COLOUR_ALIASES = {"grey": "gray", "cyan": "aqua", "magenta": "fuchsia"}

INHERITED = {
    "fill": "black",
    "stroke": "none",
    "stroke-width": "1",
    "stroke-linecap": "butt",
    "fill-rule": "nonzero",
    "fill-opacity": "1",
    "stroke-opacity": "1",
}
OWN_ATTRIBUTES = {
    "svg": {"viewBox", "width", "height", "version"},
    "g": set(),
    "rect": {"x", "y", "width", "height", "opacity"},
    "line": {"x1", "y1", "x2", "y2", "opacity"},
    "polyline": {"points", "opacity"},
    "polygon": {"points", "opacity"},
    "path": {"d", "opacity"},
    "circle": {"cx", "cy", "r", "opacity"},
}
IGNORED_ELEMENTS = {"title", "desc"}


class VectorArtError(Exception):
    pass


def round_half_up(value):
    return math.floor(value + 0.5)


def snap_to_edge(value):
    return float(round_half_up(value))


def snap_to_centre(value):
    return math.floor(value) + 0.5


def parse_colour(text, where):
    text = text.strip()
    name = COLOUR_ALIASES.get(text, text)
    if name in BASIC_COLOURS:
        return BASIC_COLOURS[name]
    if re.fullmatch(r"#[0-9a-fA-F]{6}", text):
        return tuple(int(text[i : i + 2], 16) for i in (1, 3, 5))
    raise VectorArtError(f"{where}: unknown colour {text!r}")


def parse_number(text, where):
    try:
        return float(text)
    except ValueError:
        raise VectorArtError(f"{where}: {text!r} is not a number") from None


def parse_points(text, where):
    numbers = [parse_number(n, where) for n in re.split(r"[\s,]+", text.strip()) if n]
    if len(numbers) % 2 or len(numbers) < 4:
        raise VectorArtError(f"{where}: points must be at least two x, y pairs")
    return [(numbers[i], numbers[i + 1]) for i in range(0, len(numbers), 2)]


def parse_path(text, where):
    """Subpaths as (points, closed)."""
    tokens = re.findall(r"[A-Za-z]|[-+]?(?:\d+\.?\d*|\.\d+)(?:[eE][-+]?\d+)?", text)
    subpaths = []
    points = []
    command = None
    x = y = 0.0
    i = 0

    def take():
        nonlocal i
        if i >= len(tokens) or tokens[i].isalpha():
            raise VectorArtError(f"{where}: a number is missing in the path after {command!r}")
        i += 1
        return float(tokens[i - 1])

    while i < len(tokens):
        if tokens[i].isalpha():
            command = tokens[i]
            i += 1
            if command not in "MmLlHhVvZz":
                raise VectorArtError(f"{where}: path command {command!r} is not supported")
        elif command is None:
            raise VectorArtError(f"{where}: the path must start with M")
        relative = command.islower()
        kind = command.upper()
        if kind == "Z":
            if points:
                subpaths.append((points, True))
                x, y = points[0]
            points = []
            continue
        if kind == "M":
            if points:
                subpaths.append((points, False))
            dx, dy = take(), take()
            x, y = (x + dx, y + dy) if relative else (dx, dy)
            points = [(x, y)]
            command = "l" if relative else "L"  # pairs after a moveto are linetos
            continue
        if not points:
            raise VectorArtError(f"{where}: the path must start with M")
        if kind == "L":
            dx, dy = take(), take()
            x, y = (x + dx, y + dy) if relative else (dx, dy)
        elif kind == "H":
            value = take()
            x = x + value if relative else value
        else:
            value = take()
            y = y + value if relative else value
        points.append((x, y))
    if points:
        subpaths.append((points, False))
    return subpaths


class Shape:
    """One element: its geometry in grid units and how it is painted."""

    def __init__(self, where, style, opacity):
        self.where = where
        self.polylines = []  # (points, closed)
        self.circle = None  # (cx, cy, r)
        self.fill = None if style["fill"] == "none" else parse_colour(style["fill"], where)
        self.stroke = None if style["stroke"] == "none" else parse_colour(style["stroke"], where)
        self.stroke_width = parse_number(style["stroke-width"], where)
        self.square_caps = style["stroke-linecap"] == "square"
        if style["stroke-linecap"] not in ("butt", "square"):
            raise VectorArtError(f"{where}: stroke-linecap {style['stroke-linecap']!r} is not supported")
        if style["fill-rule"] not in ("nonzero", "evenodd"):
            raise VectorArtError(f"{where}: fill-rule {style['fill-rule']!r} is not supported")
        self.even_odd = style["fill-rule"] == "evenodd"
        self.fill_opacity = opacity * parse_number(style["fill-opacity"], where)
        self.stroke_opacity = opacity * parse_number(style["stroke-opacity"], where)
        if opacity < 1 and self.fill and self.stroke:
            # A browser would blend fill and stroke as one layer; here each is blended alone.
            raise VectorArtError(f"{where}: opacity on a shape both filled and stroked is not supported")


class Picture:
    """A drawing read from its SVG file: the size of its grid and its shapes in painting order."""

    def __init__(self, grid, shapes):
        self.grid = grid
        self.shapes = shapes


def read_picture(path):
    try:
        root = ElementTree.parse(path).getroot()
    except ElementTree.ParseError as error:
        raise VectorArtError(f"{path}: {error}") from None
    if root.tag != SVG_NAMESPACE + "svg":
        raise VectorArtError(f"{path}: not an SVG file")
    view_box = root.get("viewBox", "").split()
    if len(view_box) != 4 or view_box[:2] != ["0", "0"] or view_box[2] != view_box[3]:
        raise VectorArtError(f'{path}: the viewBox must be "0 0 n n"')
    grid = parse_number(view_box[2], path)
    style = dict(INHERITED)
    for name, value in root.attrib.items():
        if name in INHERITED:
            style[name] = value
        elif name not in OWN_ATTRIBUTES["svg"] and name != "id":
            raise VectorArtError(f"{path}: attribute {name!r} of <svg> is not supported")
    shapes = []
    walk(root, style, shapes, str(path))
    return Picture(grid, shapes)


def walk(element, inherited, shapes, path):
    for child in element:
        tag = child.tag.replace(SVG_NAMESPACE, "")
        where = f"{path}: <{tag}>"
        if tag in IGNORED_ELEMENTS:
            continue
        if tag not in OWN_ATTRIBUTES or tag == "svg":
            raise VectorArtError(f"{where} is not supported")
        style = dict(inherited)
        for name, value in child.attrib.items():
            if name in INHERITED:
                style[name] = value
            elif name not in OWN_ATTRIBUTES[tag] and name != "id":
                raise VectorArtError(f"{where}: attribute {name!r} is not supported")
        if tag == "g":
            walk(child, style, shapes, path)
            continue

        def number(name):
            return parse_number(child.get(name, "0"), where)

        shape = Shape(where, style, number("opacity") if "opacity" in child.attrib else 1.0)
        if tag == "rect":
            x, y, w, h = number("x"), number("y"), number("width"), number("height")
            shape.polylines.append(([(x, y), (x + w, y), (x + w, y + h), (x, y + h)], True))
        elif tag == "line":
            shape.polylines.append(([(number("x1"), number("y1")), (number("x2"), number("y2"))], False))
            shape.fill = None
        elif tag == "polyline":
            shape.polylines.append((parse_points(child.get("points", ""), where), False))
        elif tag == "polygon":
            shape.polylines.append((parse_points(child.get("points", ""), where), True))
        elif tag == "path":
            shape.polylines.extend(parse_path(child.get("d", ""), where))
        else:
            shape.circle = (number("cx"), number("cy"), number("r"))
        shapes.append(shape)
    if element.text and element.text.strip() or any(c.tail and c.tail.strip() for c in element):
        raise VectorArtError(f"{path}: text in the drawing is not supported")


# --- Fitting to the pixel grid --------------------------------------------------------------


def stroke_pixels(shape, scale):
    # Halves round down: a one-unit outline stays one pixel wide up to one and a half times the
    # grid, where two would crowd the drawing.
    return max(1, math.ceil(shape.stroke_width * scale - 0.5)) if shape.stroke else 0


def fitted_polylines(shape, scale):
    pixels = stroke_pixels(shape, scale)
    if pixels == 0:
        snap = snap_to_edge
    else:
        snap = snap_to_centre if pixels % 2 else snap_to_edge
    return [([(snap(x * scale), snap(y * scale)) for x, y in points], closed) for points, closed in shape.polylines]


def fitted_circle(shape, scale):
    cx, cy, r = shape.circle
    diameter = max(1, round_half_up(2 * r * scale))
    snap = snap_to_centre if diameter % 2 else snap_to_edge
    return snap(cx * scale), snap(cy * scale), diameter / 2


# --- Strokes as outlines ---------------------------------------------------------------------


def unit_normal(a, b, where):
    dx, dy = b[0] - a[0], b[1] - a[1]
    length = math.sqrt(dx * dx + dy * dy)
    if length == 0:
        raise VectorArtError(f"{where}: two points of a stroked outline fall on one pixel point")
    return -dy / length, dx / length


def offset_vertex(point, before, after, distance):
    """Where the two neighbouring edges, each moved by distance along its normal, meet (a miter)."""
    nx, ny = before[0] + after[0], before[1] + after[1]
    scale = distance / (1 + before[0] * after[0] + before[1] * after[1])
    return point[0] + nx * scale, point[1] + ny * scale


def without_repeats(points, closed):
    kept = [p for i, p in enumerate(points) if i == 0 or p != points[i - 1]]
    if closed and len(kept) > 1 and kept[0] == kept[-1]:
        kept.pop()
    return kept


def stroke_outline(points, closed, width, square_caps, where):
    """Contours whose even-odd inside is the stroke of the polyline, with mitred joins."""
    points = without_repeats(points, closed)
    half = width / 2
    if closed:
        count = len(points)
        normals = [unit_normal(points[i], points[(i + 1) % count], where) for i in range(count)]
        sides = []
        for distance in (half, -half):
            sides.append(
                [offset_vertex(points[i], normals[i - 1], normals[i], distance) for i in range(count)]
            )
        return sides
    if len(points) < 2:
        raise VectorArtError(f"{where}: a stroked line needs two distinct points")
    normals = [unit_normal(points[i], points[i + 1], where) for i in range(len(points) - 1)]
    ends = list(points)
    if square_caps:
        for index, normal, sign in ((0, normals[0], -1), (-1, normals[-1], 1)):
            # The direction of the line is the normal turned back by a quarter.
            ends[index] = (ends[index][0] + sign * normal[1] * half, ends[index][1] - sign * normal[0] * half)
    left, right = [], []
    for i, point in enumerate(ends):
        before = normals[max(i - 1, 0)]
        after = normals[min(i, len(normals) - 1)]
        left.append(offset_vertex(point, before, after, half))
        right.append(offset_vertex(point, before, after, -half))
    return [left + right[::-1]]


# --- Coverage --------------------------------------------------------------------------------


class Coverage:
    """The share of each pixel inside a set of contours, under one fill rule."""

    def __init__(self, size, polygons, circles, even_odd, aliased):
        self.size = size
        self.even_odd = even_odd
        self.aliased = aliased
        self.edges = []
        self.circles = circles
        top, bottom = float(size), 0.0
        for polygon in polygons:
            for i, (x0, y0) in enumerate(polygon):
                x1, y1 = polygon[(i + 1) % len(polygon)]
                if y0 == y1:
                    continue
                direction = 1 if y1 > y0 else -1
                if direction < 0:
                    x0, y0, x1, y1 = x1, y1, x0, y0
                self.edges.append((y0, y1, x0, (x1 - x0) / (y1 - y0), direction))
                top, bottom = min(top, y0), max(bottom, y1)
        for cx, cy, r in circles:
            top, bottom = min(top, cy - r), max(bottom, cy + r)
        self.first_row = max(0, math.floor(top))
        self.last_row = min(size - 1, math.ceil(bottom))

    def rows(self):
        """(row, shares) for each pixel row the contours reach."""
        samples = 1 if self.aliased else SAMPLE_ROWS
        for row in range(self.first_row, self.last_row + 1):
            partial = [0.0] * (self.size + 1)
            whole = [0] * (self.size + 1)
            edges = [e for e in self.edges if e[0] < row + 1 and e[1] > row]
            for k in range(samples):
                y = row + (k + 0.5) / samples
                for start, end in self.spans(y, edges):
                    self.add_span(start, end, partial, whole)
            shares = []
            running = 0
            for x in range(self.size):
                running += whole[x]
                shares.append((partial[x] + running) / samples)
            yield row, shares

    def spans(self, y, edges):
        crossings = [(x0 + (y - y0) * slope, d) for y0, y1, x0, slope, d in edges if y0 <= y < y1]
        for cx, cy, r in self.circles:
            dy = y - cy
            if dy * dy < r * r:
                dx = math.sqrt(r * r - dy * dy)
                crossings += [(cx - dx, 1), (cx + dx, -1)]
        crossings.sort()
        winding = 0
        start = 0.0
        for x, direction in crossings:
            was_inside = self.inside(winding)
            winding += direction
            if self.inside(winding) != was_inside:
                if was_inside:
                    yield start, x
                else:
                    start = x

    def inside(self, winding):
        return winding % 2 == 1 if self.even_odd else winding != 0

    def add_span(self, start, end, partial, whole):
        if self.aliased:
            # Point sampling: the pixels whose centres the span holds, a centre on either end
            # included, so that a shape symmetric about a pixel centre stays symmetric.
            first = max(0, math.ceil(start - 0.5))
            last = min(self.size, math.floor(end - 0.5) + 1)
            if last > first:
                whole[first] += 1
                whole[last] -= 1
            return
        start, end = max(start, 0.0), min(end, float(self.size))
        if end <= start:
            return
        first, last = math.floor(start), math.floor(end)
        if first == last:
            partial[first] += end - start
            return
        partial[first] += first + 1 - start
        whole[first + 1] += 1
        whole[last] -= 1
        if last < self.size:
            partial[last] += end - last


# --- Painting --------------------------------------------------------------------------------


def render(picture, size, aliased=False):
    """The picture at size x size pixels: rows of (red, green, blue, alpha), 0 to 255 each,
    alpha not premultiplied. Aliased takes one sample at each pixel's centre, so that every
    pixel is wholly one shape's colour or transparent."""
    scale = size / picture.grid
    # Premultiplied red, green, blue and alpha, 0 to 1.
    canvas = [[[0.0, 0.0, 0.0, 0.0] for _ in range(size)] for _ in range(size)]
    for shape in picture.shapes:
        if shape.circle:
            cx, cy, r = fitted_circle(shape, scale)
            if shape.fill:
                paint(canvas, Coverage(size, [], [(cx, cy, r)], False, aliased), shape.fill, shape.fill_opacity)
            if shape.stroke:
                half = stroke_pixels(shape, scale) / 2
                rings = [(cx, cy, r + half)] + ([(cx, cy, r - half)] if r > half else [])
                paint(canvas, Coverage(size, [], rings, True, aliased), shape.stroke, shape.stroke_opacity)
            continue
        polylines = fitted_polylines(shape, scale)
        if shape.fill:
            polygons = [without_repeats(points, True) for points, _ in polylines]
            paint(canvas, Coverage(size, polygons, [], shape.even_odd, aliased), shape.fill, shape.fill_opacity)
        if shape.stroke:
            width = stroke_pixels(shape, scale)
            for points, closed in polylines:
                outline = stroke_outline(points, closed, width, shape.square_caps, shape.where)
                paint(canvas, Coverage(size, outline, [], closed, aliased), shape.stroke, shape.stroke_opacity)
    return [[to_bytes(pixel) for pixel in row] for row in canvas]


def paint(canvas, coverage, colour, opacity):
    red, green, blue = (c / 255 for c in colour)
    for row, shares in coverage.rows():
        line = canvas[row]
        for x, share in enumerate(shares):
            if share <= 0:
                continue
            alpha = min(share, 1.0) * opacity
            pixel = line[x]
            keep = 1 - alpha
            pixel[0] = red * alpha + pixel[0] * keep
            pixel[1] = green * alpha + pixel[1] * keep
            pixel[2] = blue * alpha + pixel[2] * keep
            pixel[3] = alpha + pixel[3] * keep


def to_bytes(pixel):
    alpha = round_half_up(pixel[3] * 255)
    if alpha <= 0:
        return (0, 0, 0, 0)
    return tuple(min(255, round_half_up(c / pixel[3] * 255)) for c in pixel[:3]) + (min(alpha, 255),)
