"""The drawing recipes of the manifest: state strips of buttons, check and
radio boxes, icon strips and the busy spinner, each returned as SVG text."""

import math

from svgkit import document, paint, rounded_rect

# Check and radio boxes are 16 pixels wide whatever the frame size.
_BOX = 16
_BOX_RADIUS = 3.5
# A pressed glyph button moves its glyph one pixel, like the pressed title
# of a text button.
_PRESSED_FRAME = 2


def _strip(entry, draw_frame):
    width, height = entry["size"]
    frames = entry.get("frames", 1)
    defs, body = [], []
    for i in range(frames):
        frame_defs, frame_body = draw_frame(i)
        defs.append(frame_defs)
        body.append(f'<g transform="translate({i * width} 0)">{frame_body}</g>')
    return document(width * frames, height, "".join(body), "".join(defs))


def button(entry, theme):
    """A face strip: normal, hover, pressed, disabled. An optional glyph sits
    in the centre, or in an area of `glyph_area` pixels at the right edge
    (combo boxes), with an optional divider before that area."""
    width, height = entry["size"]
    look = theme.look(entry["look"])
    radius = entry.get("radius", 6)
    inset = entry.get("inset", 0)
    glyph = entry.get("glyph")
    area = entry.get("glyph_area")

    def frame(i):
        defs, fill = paint(look["fill"][i], f"face{i}")
        parts = [rounded_rect(inset, inset, width - 2 * inset, height - 2 * inset, radius, fill, look["line"][i])]
        if area and entry.get("divider") and look["line"][i] != "none":
            x = width - area + 0.5
            parts.append(
                f'<path d="M{x} 8V{height - 8}" stroke="{look["line"][i]}" stroke-opacity="0.7" stroke-width="1"/>'
            )
        if glyph:
            cx = width - area / 2 if area else width / 2
            nudge = 1 if i == _PRESSED_FRAME and not area else 0
            parts.append(
                theme.glyphs.place(glyph, cx + nudge, height / 2 + nudge, entry["glyph_size"], look["glyph"][i])
            )
        return defs, "".join(parts)

    return _strip(entry, frame)


def check(entry, theme):
    """Eight frames: unchecked normal, hover, pressed, disabled, then the
    same four checked. The box sits centred in each frame."""
    width, height = entry["size"]
    look = theme.look("check")
    x0, y0 = (width - _BOX) / 2, (height - _BOX) / 2
    cx, cy = width / 2, height / 2

    def frame(i):
        checked = i >= 4
        if entry["shape"] == "box":
            defs, fill = paint(look["fill"][i], f"box{i}")
            parts = [rounded_rect(x0, y0, _BOX, _BOX, _BOX_RADIUS, fill, look["line"][i])]
            if checked:
                parts.append(theme.glyphs.place("tick", cx, cy, 14, look["glyph"][i], stroke_px=2))
            return defs, "".join(parts)
        ring_defs, ring_fill = paint(look["fill"][i - 4 if checked else i], f"ring{i}")
        parts = [
            f'<circle cx="{cx}" cy="{cy}" r="{_BOX / 2 - 0.5}" fill="{ring_fill}" '
            f'stroke="{look["line"][i]}" stroke-width="1"/>'
        ]
        dot_defs = ""
        if checked:
            dot_defs, dot_fill = paint(look["fill"][i], f"dot{i}")
            parts.append(f'<circle cx="{cx}" cy="{cy}" r="4" fill="{dot_fill}"/>')
        return ring_defs + dot_defs, "".join(parts)

    return _strip(entry, frame)


def icon(entry, theme):
    """A glyph per frame in that frame's colour; `glyph` is one name or one
    per frame, `glow` puts a soft accent halo behind chosen frames."""
    width, height = entry["size"]
    frames = entry.get("frames", 1)
    glyphs = entry["glyph"] if isinstance(entry["glyph"], list) else [entry["glyph"]] * frames
    glows = entry.get("glow", [False] * frames)
    accent = theme.palette["accent"]

    def frame(i):
        defs, parts = "", []
        if glows[i]:
            defs = (
                f'<radialGradient id="glow{i}"><stop offset="0" stop-color="{accent}" stop-opacity="0.30"/>'
                f'<stop offset="1" stop-color="{accent}" stop-opacity="0"/></radialGradient>'
            )
            parts.append(f'<circle cx="{width / 2}" cy="{height / 2}" r="{min(width, height) / 2}" fill="url(#glow{i})"/>')
        parts.append(theme.glyphs.place(glyphs[i], width / 2, height / 2, entry["glyph_size"], entry["colors"][i]))
        return defs, "".join(parts)

    return _strip(entry, frame)


def spinner_frames(entry, theme):
    """The frames of the busy animation: twelve capsules around a ring with a
    bright head that moves one step per frame and a fading tail, drawn on the
    wait dialog's opaque background (GIF transparency has no soft edges)."""
    width, height = entry["size"]
    frames = entry["frames"]
    accent = theme.palette["accent"]
    background = theme.palette["wait_bg"]
    cx, cy = width / 2, height / 2
    inner, outer = 0.22 * width, 0.36 * width
    result = []
    for f in range(frames):
        parts = [f'<rect width="{width}" height="{height}" fill="{background}"/>']
        for k in range(frames):
            age = (f - k) % frames
            opacity = max(0.14, 1.0 - age / (frames * 0.7))
            angle = 2 * math.pi * k / frames - math.pi / 2
            x1, y1 = cx + inner * math.cos(angle), cy + inner * math.sin(angle)
            x2, y2 = cx + outer * math.cos(angle), cy + outer * math.sin(angle)
            parts.append(
                f'<path d="M{x1:.2f} {y1:.2f}L{x2:.2f} {y2:.2f}" stroke="{accent}" '
                f'stroke-opacity="{opacity:.3f}" stroke-width="{0.075 * width:.2f}" stroke-linecap="round"/>'
            )
        result.append(document(width, height, "".join(parts)))
    return result
