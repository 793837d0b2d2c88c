"""What the character window should look like, worked out from its description, independently of
the program's code: the outline and the pixels it covers, the eye geometry, and where the pupils
go for a cursor position."""

import math
import os
import re
import struct


def _read_outline():
    """The window's outline in window coordinates and the client origin it is drawn for, from the
    program's one table of it."""
    path = os.path.join(os.path.dirname(__file__), "..", "..", "character", "face_outline.h")
    with open(path, encoding="utf-8") as source:
        text = source.read()
    pairs = lambda body: [(int(x), int(y)) for x, y in re.findall(r"\{(-?\d+), (-?\d+)\}", body)]
    origin = pairs(re.search(r"kFaceOutlineClientOrigin(\{.*?\});", text).group(1))[0]
    corners = pairs(re.search(r"kFaceOutline\{\{(.*?)\}\};", text, re.S).group(1))
    return corners, origin


# Closing on itself: point 37 repeats point 0, point 2 repeats point 1.
OUTLINE, CLIENT_ORIGIN = _read_outline()
assert len(OUTLINE) == 38
CLIENT_SIZE = (89, 67)
PUPIL_SIZE = (7, 8)

# (centre x, centre y, radius x, radius y) of the left and right pupil, in client pixels.
EYES = [(21, 32, 5, 3), (71, 32, 5, 3)]
DESIGN_PUPILS = [(14, 28), (63, 28)]


def _inside(polygon, px, py):
    """Even-odd rule at a point, counting edges crossed strictly to its right: a point exactly on
    an edge is inside when the inside lies to its right, as the X server and Windows fill."""
    inside = False
    j = len(polygon) - 1
    for i in range(len(polygon)):
        (xi, yi), (xj, yj) = polygon[i], polygon[j]
        if (yi > py) != (yj > py):
            # Compare px with the crossing's x, multiplied out to stay exact.
            lhs = (px - xi) * (yj - yi)
            rhs = (py - yi) * (xj - xi)
            if (lhs < rhs) if yj > yi else (lhs > rhs):
                inside = not inside
        j = i
    return inside


# Where a pixel is sampled to decide whether the outline holds it, in half pixels right of and
# below its top-left corner: its centre, or the corner itself.
PIXEL_CENTRE = 1
PIXEL_CORNER = 0


def outline_pixels(sample=PIXEL_CENTRE):
    """The client pixels the shape must cover: those whose centre (or top-left corner) the
    outline, shifted to the client area, holds."""
    ox, oy = CLIENT_ORIGIN
    doubled = [(2 * (x - ox), 2 * (y - oy)) for x, y in OUTLINE]
    width, height = CLIENT_SIZE
    return {(x, y) for y in range(height) for x in range(width)
            if _inside(doubled, 2 * x + sample, 2 * y + sample)}


def rectangles_to_pixels(rectangles):
    return {(x + i, y + j) for x, y, w, h in rectangles for j in range(h) for i in range(w)}


def _f32(value):
    return struct.unpack("f", struct.pack("f", value))[0]


def pixel_of(position):
    """Where a fractional position lands: halves go towards the bottom right."""
    return math.floor(_f32(position + 0.5))


def pupil_place(eye, cursor_x, cursor_y):
    """The top-left pixel of a pupil for a cursor at client pixel (cursor_x, cursor_y): its centre
    on the ellipse around the eye centre, towards the cursor. Single-precision steps, each formed
    in double precision, as the program works."""
    cx, cy, rx, ry = eye
    dx = _f32(float(cursor_x) - cx)
    dy = _f32(float(cursor_y) - cy)
    d = _f32(math.sqrt(dx * dx + dy * dy))
    if d > 0:
        dx, dy = _f32(dx / d), _f32(dy / d)
    else:
        dx, dy = 0.0, 0.0
    px = _f32(dx * rx + cx)
    py = _f32(dy * ry + cy)
    return pixel_of(_f32(px - PUPIL_SIZE[0] / 2)), pixel_of(_f32(py - PUPIL_SIZE[1] / 2))


def pupil_places(cursor_x, cursor_y):
    return [pupil_place(eye, cursor_x, cursor_y) for eye in EYES]
