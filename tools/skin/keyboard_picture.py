"""Keyboard pictures drawn from a layout file: the chassis, then one keycap per
key rectangle with its label. The keyboard control outlines each key rectangle
with its lighting colour, so every cap stays a few pixels inside its rectangle
and the outline shows in the gap around it."""

import xml.etree.ElementTree as ET

from svgkit import document, paint, text, vertical_gradient

# Rough advance widths of Liberation Sans in em, enough to fit labels.
_NARROW = set("Iijl.,:;'!|")
_WIDE = set("MWmw@%")


class LayoutError(Exception):
    pass


def _advance(ch):
    if ch == " ":
        return 0.28
    if ch in _NARROW:
        return 0.28
    if ch in _WIDE:
        return 0.85
    if ch.isupper():
        return 0.68
    return 0.56


def _text_width(label, size):
    return sum(_advance(c) for c in label) * size


def read_layout(path):
    """(image name, width, height, keys) of a layout file; keys are
    (name, x, y, w, h) with the rectangle relative to the picture."""
    try:
        root = ET.parse(path).getroot()
    except (ET.ParseError, OSError) as error:
        raise LayoutError(f"{path}: cannot read the layout file: {error}") from error
    board = root.find("Keyboard")
    if root.tag != "device.info" or board is None:
        raise LayoutError(f"{path}: no device.info/Keyboard element")
    image = board.get("image", "")
    try:
        width, height = int(board.get("width", "")), int(board.get("height", ""))
    except ValueError as error:
        raise LayoutError(f"{path}: Keyboard width and height must be whole numbers") from error
    if not image or width <= 0 or height <= 0:
        raise LayoutError(f"{path}: Keyboard needs an image name and a positive width and height")
    keys = []
    for key in board.findall("KeyItems/key"):
        parts = key.get("rect", "").split("#")
        try:
            x, y, w, h = (int(p) for p in parts)
        except ValueError as error:
            raise LayoutError(f'{path}: key "{key.get("name", "")}" has a rect that is not x#y#w#h') from error
        keys.append((key.get("name", ""), x, y, w, h))
    return image, width, height, keys


def _label_lines(label, face_w, face_h):
    """The label split and sized to fit the cap face: (lines, font size)."""
    single = len(label) == 1
    size = min(14.0 if single else 11.0, face_h * (0.44 if single else 0.36))
    lines = [label]
    if _text_width(label, size) > face_w - 6 and " " in label:
        lines = label.split(" ", 1)
    widest = max(_text_width(line, size) for line in lines)
    if widest > face_w - 6:
        size *= (face_w - 6) / widest
    size = min(size, (face_h - 4) / (1.15 * len(lines)))
    return lines, max(size, 6.0)


def _keycap(name, x, y, w, h, style, face_fill):
    gap = style["gap"]
    sx, sy, sw, sh = x + gap, y + gap, w - 2 * gap, h - 2 * gap
    if sw <= 4 or sh <= 6:
        return ""
    parts = [
        f'<rect x="{sx + 0.5}" y="{sy + 0.5}" width="{sw - 1}" height="{sh - 1}" rx="4.5" '
        f'fill="{style["cap_skirt"]}" stroke="{style["cap_rim"]}" stroke-width="1"/>',
        f'<rect x="{sx + 2}" y="{sy + 1.5}" width="{sw - 4}" height="{sh - 5}" rx="3.5" fill="{face_fill}"/>',
        f'<rect x="{sx + 2.5}" y="{sy + 1.5}" width="{sw - 5}" height="1" rx="0.5" fill="#FFFFFF" fill-opacity="0.07"/>',
    ]
    if name:
        face_w, face_h = sw - 4, sh - 5
        lines, size = _label_lines(name, face_w, face_h)
        colour = style["legend_accent"] if name.lower() == "fn" else style["legend"]
        cx, cy = sx + sw / 2, sy + 1.5 + face_h / 2
        line_height = size * 1.15
        first = cy - line_height * (len(lines) - 1) / 2 + size * 0.35
        for n, line in enumerate(lines):
            parts.append(text(cx, first + n * line_height, size, colour, line))
    return "".join(parts)


def keyboard_svg(layout_path, style):
    _, width, height, keys = read_layout(layout_path)
    chassis_fill, chassis_rim = style["chassis"]
    face_defs, face_fill = paint(style["cap_face"], "capface")
    defs = [vertical_gradient("chassis", *chassis_fill), face_defs]
    body = [
        f'<rect x="0.5" y="0.5" width="{width - 1}" height="{height - 1}" rx="14" '
        f'fill="url(#chassis)" stroke="{chassis_rim}" stroke-width="1"/>'
    ]
    if keys:
        left = min(k[1] for k in keys) - 4
        top = min(k[2] for k in keys) - 4
        right = max(k[1] + k[3] for k in keys) + 4
        bottom = max(k[2] + k[4] for k in keys) + 4
        body.append(
            f'<rect x="{left}" y="{top}" width="{right - left}" height="{bottom - top}" rx="8" '
            'fill="#05080B" fill-opacity="0.55"/>'
        )
    for name, x, y, w, h in keys:
        body.append(_keycap(name, x, y, w, h, style, face_fill))
    return document(width, height, "".join(body), "".join(defs))
