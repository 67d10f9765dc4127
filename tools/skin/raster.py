"""Pixel-level pieces that SVG cannot express: the colour wheel, written as a
PNG directly, and reading the size of a rendered PNG or GIF."""

import colorsys
import math
import struct
import zlib

# Samples per axis for pixels on the wheel's rim; the inside needs only one.
_RIM_SAMPLES = 4


def _chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def encode_png(width, height, rgba_rows):
    """An 8-bit RGBA PNG from rows of (r, g, b, a) tuples."""
    raw = bytearray()
    for row in rgba_rows:
        raw.append(0)
        for pixel in row:
            raw.extend(pixel)
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (
        b"\x89PNG\r\n\x1a\n"
        + _chunk(b"IHDR", header)
        + _chunk(b"IDAT", zlib.compress(bytes(raw), 9))
        + _chunk(b"IEND", b"")
    )


def _wheel_colour(dx, dy, radius):
    """Hue by angle (red to the right, counter-clockwise), saturation by the
    distance from the centre, full value."""
    hue = (math.degrees(math.atan2(-dy, dx)) % 360.0) / 360.0
    saturation = min(math.hypot(dx, dy) / radius, 1.0)
    return colorsys.hsv_to_rgb(hue, saturation, 1.0)


def wheel_png(size, radius):
    """A colour wheel of the given radius centred in a size x size square,
    transparent outside; the rim is anti-aliased by supersampling."""
    centre = size / 2.0
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            dx, dy = x + 0.5 - centre, y + 0.5 - centre
            distance = math.hypot(dx, dy)
            if distance <= radius - 1.0:
                r, g, b = _wheel_colour(dx, dy, radius)
                row.append((round(r * 255), round(g * 255), round(b * 255), 255))
                continue
            if distance > radius + 1.0:
                row.append((0, 0, 0, 0))
                continue
            inside, total = [], _RIM_SAMPLES * _RIM_SAMPLES
            for sy in range(_RIM_SAMPLES):
                for sx in range(_RIM_SAMPLES):
                    px = x + (sx + 0.5) / _RIM_SAMPLES - centre
                    py = y + (sy + 0.5) / _RIM_SAMPLES - centre
                    if math.hypot(px, py) <= radius:
                        inside.append(_wheel_colour(px, py, radius))
            if not inside:
                row.append((0, 0, 0, 0))
                continue
            r = sum(c[0] for c in inside) / len(inside)
            g = sum(c[1] for c in inside) / len(inside)
            b = sum(c[2] for c in inside) / len(inside)
            row.append((round(r * 255), round(g * 255), round(b * 255), round(255 * len(inside) / total)))
        rows.append(row)
    return encode_png(size, size, rows)


def image_size(path):
    """(width, height) of a PNG or GIF file, or None for anything else."""
    with open(path, "rb") as f:
        head = f.read(32)
    if head.startswith(b"\x89PNG\r\n\x1a\n") and head[12:16] == b"IHDR":
        return struct.unpack(">II", head[16:24])
    if head[:6] in (b"GIF87a", b"GIF89a"):
        return struct.unpack("<HH", head[6:10])
    return None
