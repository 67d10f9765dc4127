"""The contact sheet: every rendered image at 1:1 on a checkerboard with its
frames marked and its name, frame count and frame size above it; small images
are shown a second time three times larger. Cells flow in rows."""

import base64
from pathlib import Path

import raster
from svgkit import document, text

_WIDTH = 1320
_MARGIN = 20
_LABEL = 22
_GAP = 18
_ZOOM = 3
_SMALL = 48
_MIME = {".png": "image/png", ".gif": "image/gif"}


def _picture(x, y, w, h, href, frames, scale):
    sw, sh = w * scale, h * scale
    parts = [
        f'<rect x="{x}" y="{y}" width="{sw}" height="{sh}" fill="url(#checker)"/>',
        f'<image x="{x}" y="{y}" width="{sw}" height="{sh}" preserveAspectRatio="none" href="{href}"/>',
    ]
    for i in range(1, frames):
        fx = x + i * (w // frames) * scale
        parts.append(f'<path d="M{fx - 0.5} {y - 3}V{y + sh + 3}" stroke="#FF00FF" stroke-opacity="0.6"/>')
    return "".join(parts), sw


def _cell(theme_dir, name, frames):
    """(svg body drawn at the origin, width, height) of one image's cell."""
    path = Path(theme_dir) / name
    size = raster.image_size(path) if path.exists() else None
    if size is None:
        return text(0, 14, 13, "#E5484D", f"{name}: missing or unreadable", anchor="start"), 360, _LABEL
    w, h = size
    label = f"{name}  {frames} x {w // frames}x{h}"
    href = f"data:{_MIME[path.suffix]};base64,{base64.b64encode(path.read_bytes()).decode('ascii')}"
    body, width = _picture(0, _LABEL, w, h, href, frames, 1)
    height = h
    if h <= _SMALL and w * _ZOOM <= _WIDTH - 2 * _MARGIN - w - 10:
        zoomed, zoom_width = _picture(width + 10, _LABEL, w, h, href, frames, _ZOOM)
        body += zoomed
        width += 10 + zoom_width
        height = h * _ZOOM
    width = max(width, len(label) * 7)
    return text(0, 14, 12, "#FFFFFF", label, anchor="start") + body, width, _LABEL + height


def sheet_svg(theme_dir, images):
    """(svg text, width, height) for [(name below the theme folder, frames)]."""
    body, x, y, row_height = [], _MARGIN, _MARGIN, 0
    for name, frames in sorted(images):
        cell, w, h = _cell(theme_dir, name, frames)
        if x > _MARGIN and x + w > _WIDTH - _MARGIN:
            x, y, row_height = _MARGIN, y + row_height + _GAP, 0
        body.append(f'<g transform="translate({x} {y})">{cell}</g>')
        x += w + _GAP
        row_height = max(row_height, h)
    height = y + row_height + _MARGIN
    width = _WIDTH
    defs = (
        '<pattern id="checker" width="16" height="16" patternUnits="userSpaceOnUse">'
        '<rect width="16" height="16" fill="#3A3F44"/><rect width="8" height="8" fill="#4A5056"/>'
        '<rect x="8" y="8" width="8" height="8" fill="#4A5056"/></pattern>'
    )
    background = f'<rect width="{width}" height="{height}" fill="#1B1F23"/>'
    return document(width, height, background + "".join(body), defs), width, height
