"""Small SVG building blocks shared by the recipes: documents, gradients,
rounded rectangles and line glyphs placed at a pixel size."""

import re
from pathlib import Path
from xml.sax.saxutils import escape

_ROOT_OPEN = re.compile(r"^\s*<svg\b[^>]*>", re.S)
_ROOT_CLOSE = re.compile(r"</svg>\s*$", re.S)

# Glyph strokes grow slowly with the drawn size and never fall below 1.5
# pixels, so small and large icons read as one family.
GLYPH_MIN_STROKE_PX = 1.5
GLYPH_STROKE_PER_PX = 1 / 14
GLYPH_GRID = 24.0


def document(width, height, body, defs=""):
    defs_block = f"<defs>{defs}</defs>" if defs else ""
    return (
        f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}" '
        f'viewBox="0 0 {width} {height}">{defs_block}{body}</svg>\n'
    )


def vertical_gradient(gid, top, bottom):
    return (
        f'<linearGradient id="{gid}" x1="0" y1="0" x2="0" y2="1">'
        f'<stop offset="0" stop-color="{top}"/><stop offset="1" stop-color="{bottom}"/>'
        "</linearGradient>"
    )


def paint(fill, gid):
    """Returns (defs, fill attribute value) for a look's fill: "none", a colour
    or a [top, bottom] gradient."""
    if fill == "none" or fill is None:
        return "", "none"
    if isinstance(fill, str):
        return "", fill
    top, bottom = fill
    return vertical_gradient(gid, top, bottom), f"url(#{gid})"


def rounded_rect(x, y, w, h, r, fill, line):
    """A rectangle whose 1-pixel rim sits on pixel centres, so it stays crisp."""
    if line == "none" or line is None:
        return f'<rect x="{x}" y="{y}" width="{w}" height="{h}" rx="{r}" fill="{fill}"/>'
    r_in = max(r - 0.5, 0)
    return (
        f'<rect x="{x + 0.5}" y="{y + 0.5}" width="{w - 1}" height="{h - 1}" rx="{r_in}" '
        f'fill="{fill}" stroke="{line}" stroke-width="1"/>'
    )


def text(x, y, size, colour, content, anchor="middle", weight="normal"):
    return (
        f'<text x="{x:.2f}" y="{y:.2f}" font-family="Liberation Sans, Arial, sans-serif" '
        f'font-size="{size:.2f}" font-weight="{weight}" fill="{colour}" '
        f'text-anchor="{anchor}">{escape(content)}</text>'
    )


class Glyphs:
    """The line icons of install/skins-src/glyphs: 24-unit SVG files drawn in
    currentColor, placed at any pixel size."""

    def __init__(self, folder):
        self.folder = Path(folder)

    def path(self, name):
        return self.folder / f"{name}.svg"

    def inner(self, name):
        source = self.path(name).read_text(encoding="utf-8")
        return _ROOT_CLOSE.sub("", _ROOT_OPEN.sub("", source, count=1), count=1)

    def place(self, name, cx, cy, size, colour, stroke_px=None):
        """The glyph centred on (cx, cy), size pixels square; the stroke width
        follows the size unless stroke_px is given."""
        if colour == "none" or colour is None:
            return ""
        scale = size / GLYPH_GRID
        if stroke_px is None:
            stroke_px = max(GLYPH_MIN_STROKE_PX, size * GLYPH_STROKE_PER_PX)
        stroke = stroke_px / scale
        return (
            f'<g transform="translate({cx - size / 2:.3f} {cy - size / 2:.3f}) scale({scale:.5f})" '
            f'color="{colour}" fill="none" stroke="currentColor" stroke-width="{stroke:.3f}" '
            f'stroke-linecap="round" stroke-linejoin="round">{self.inner(name)}</g>'
        )
