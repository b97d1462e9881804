#!/usr/bin/python3
"""Draws the program icon, a kitchen timer (white dial, red time sector, knob on top), as one
32x32 32-bit image with alpha, and writes it as ovenbell.ico (plus a PNG preview on request).

Standard library only. Shapes are measured per pixel with 8x8 supersampling, so edges are
antialiased and the output is the same on every machine.

    resources/make_icon.py [--ico resources/ovenbell.ico] [--png preview.png --scale 8]
"""

import argparse
import math
import pathlib
import struct
import zlib

SIZE = 32
SAMPLES = 8  # per axis

DIAL_CENTRE = (16.0, 18.0)
RIM_RADIUS = 13.0
FACE_RADIUS = 11.0
SECTOR_RADIUS = 9.5
SECTOR_END_DEGREES = 130.0  # clockwise from twelve o'clock: about twenty minutes set
HUB_RADIUS = 1.9

RIM = (70, 74, 82)
FACE = (252, 250, 244)
TICK = (120, 120, 120)
SECTOR = (218, 38, 38)
HAND = (40, 40, 44)
KNOB = (70, 74, 82)
KNOB_SHINE = (150, 156, 166)


def clockwise_degrees(x, y):
    """Angle of (x, y) about the dial centre, clockwise from twelve o'clock, 0 to 360."""
    dx, dy = x - DIAL_CENTRE[0], y - DIAL_CENTRE[1]
    return math.degrees(math.atan2(dx, -dy)) % 360.0


def distance(x, y, centre=DIAL_CENTRE):
    return math.hypot(x - centre[0], y - centre[1])


def distance_to_segment(x, y, a, b):
    ax, ay = a
    bx, by = b
    t = ((x - ax) * (bx - ax) + (y - ay) * (by - ay)) / ((bx - ax) ** 2 + (by - ay) ** 2)
    t = max(0.0, min(1.0, t))
    return math.hypot(x - (ax + t * (bx - ax)), y - (ay + t * (by - ay)))


def in_rounded_rect(x, y, left, top, right, bottom, radius):
    cx = min(max(x, left + radius), right - radius)
    cy = min(max(y, top + radius), bottom - radius)
    return math.hypot(x - cx, y - cy) <= radius


def dial_point(degrees, radius):
    a = math.radians(degrees)
    return (DIAL_CENTRE[0] + radius * math.sin(a), DIAL_CENTRE[1] - radius * math.cos(a))


def colour_at(x, y):
    """The colour of the picture at a sample point, or None where it is transparent."""
    r = distance(x, y)
    # Knob: a stem and a rounded cap above the dial, with a highlight on the cap.
    if r > RIM_RADIUS:
        if in_rounded_rect(x, y, 10.5, 1.0, 21.5, 5.2, 1.8):
            return KNOB_SHINE if 12.0 <= x <= 17.0 and 1.9 <= y <= 2.8 else KNOB
        if 14.2 <= x <= 17.8 and 4.0 <= y <= 6.5:
            return KNOB
        # Two small feet at the bottom corners, as on a wind-up timer.
        for foot_x in (8.0, 24.0):
            if in_rounded_rect(x, y, foot_x - 2.5, 28.5, foot_x + 2.5, 31.0, 1.0):
                return RIM
        return None
    if r > FACE_RADIUS:
        return RIM
    if r <= HUB_RADIUS:
        return HAND
    angle = clockwise_degrees(x, y)
    # The hand stands at the end of the sector.
    if distance_to_segment(x, y, DIAL_CENTRE, dial_point(SECTOR_END_DEGREES, SECTOR_RADIUS)) < 0.8:
        return HAND
    if r <= SECTOR_RADIUS and angle <= SECTOR_END_DEGREES:
        return SECTOR
    # Ticks every quarter at the edge of the face.
    for quarter in (0.0, 90.0, 180.0, 270.0):
        inner = dial_point(quarter, FACE_RADIUS - 2.6)
        outer = dial_point(quarter, FACE_RADIUS)
        if distance_to_segment(x, y, inner, outer) < 0.6:
            return TICK
    return FACE


def render():
    """Rows of (r, g, b, a) pixels, top row first, averaged over the samples of each pixel."""
    rows = []
    n = SAMPLES * SAMPLES
    for py in range(SIZE):
        row = []
        for px in range(SIZE):
            sr = sg = sb = covered = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    c = colour_at(px + (sx + 0.5) / SAMPLES, py + (sy + 0.5) / SAMPLES)
                    if c is not None:
                        sr, sg, sb = sr + c[0], sg + c[1], sb + c[2]
                        covered += 1
            if covered == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append((round(sr / covered), round(sg / covered), round(sb / covered),
                            round(255 * covered / n)))
        rows.append(row)
    return rows


def ico_bytes(rows):
    """An icon file with one 32x32 32-bit image: colour with alpha, plus the 1-bit AND mask."""
    xor = bytearray()
    for row in reversed(rows):  # DIB rows run bottom-up
        for r, g, b, a in row:
            xor += bytes((b, g, r, a))
    mask = bytearray()
    for row in reversed(rows):
        bits = 0
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits |= 1 << (31 - x)
        mask += struct.pack(">I", bits)  # 32 pixels make one 4-byte, already aligned, row
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, 32, 0, len(xor) + len(mask),
                         0, 0, 0, 0)
    image = header + bytes(xor) + bytes(mask)
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 6 + 16)
    return directory + entry + image


def png_bytes(rows, scale):
    """A PNG of the image enlarged by whole pixels, over a light checkerboard."""
    raw = bytearray()
    for y, row in enumerate(rows):
        line = bytearray()
        for x, (r, g, b, a) in enumerate(row):
            for sx in range(scale):
                check = 235 if ((x * scale + sx) // 4 + (y * scale) // 4) % 2 else 205
                line += bytes(round((c * a + check * (255 - a)) / 255) for c in (r, g, b))
        for _ in range(scale):
            raw += b"\x00" + line
    width = height = SIZE * scale

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2,
                                                                0, 0, 0))
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def main():
    here = pathlib.Path(__file__).resolve().parent
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--ico", type=pathlib.Path, default=here / "ovenbell.ico")
    parser.add_argument("--png", type=pathlib.Path, help="also write an enlarged preview")
    parser.add_argument("--scale", type=int, default=8)
    args = parser.parse_args()
    rows = render()
    args.ico.write_bytes(ico_bytes(rows))
    if args.png:
        args.png.write_bytes(png_bytes(rows, args.scale))


if __name__ == "__main__":
    main()
