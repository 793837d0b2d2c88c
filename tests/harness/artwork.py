"""The program's pictures, read from assets/, to find them on the screen."""

import os
import struct

ASSETS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "assets")
PUPIL_KEY_COLOUR = (255, 0, 255)


def read_bmp(name):
    """An uncompressed 8-bit Windows bitmap as rows of (r, g, b), top row first."""
    with open(os.path.join(ASSETS, name), "rb") as f:
        data = f.read()
    offset, = struct.unpack_from("<I", data, 10)
    header_size, width, height, _, bits, compression = struct.unpack_from("<IiiHHI", data, 14)
    colours_used, = struct.unpack_from("<I", data, 46)
    if bits != 8 or compression != 0:
        raise ValueError("%s: not an uncompressed 8-bit bitmap" % name)
    palette_start = 14 + header_size
    palette = [(data[palette_start + 4 * i + 2], data[palette_start + 4 * i + 1],
                data[palette_start + 4 * i]) for i in range(colours_used or 256)]
    stride = (width + 3) // 4 * 4
    rows = []
    for y in range(abs(height)):
        source_row = abs(height) - 1 - y if height > 0 else y
        start = offset + source_row * stride
        rows.append([palette[index] for index in data[start:start + width]])
    return rows


def face():
    return read_bmp("face.bmp")


def face_pixels():
    """The pixels of face.bmp that the face covers: all but the black around it, which the
    artwork's own tests hold to the window's outline."""
    return {(x, y) for y, row in enumerate(face()) for x, colour in enumerate(row)
            if colour != (0, 0, 0)}


def pupil_template():
    """The pupil's drawn pixels as {(x, y): (r, g, b)}: everything but the key colour."""
    return {(x, y): colour
            for y, row in enumerate(read_bmp("pupil.bmp"))
            for x, colour in enumerate(row)
            if colour != PUPIL_KEY_COLOUR}


def hand_pointer():
    """The hand pointer (hand.cur, a two-colour cursor) as (width, height, the set of its drawn
    pixels): those its mask leaves opaque."""
    with open(os.path.join(ASSETS, "hand.cur"), "rb") as f:
        data = f.read()
    offset, = struct.unpack_from("<I", data, 6 + 12)  # the first picture's
    header_size, width, doubled_height, _, bits = struct.unpack_from("<IiiHH", data, offset)
    if bits != 1:
        raise ValueError("hand.cur: not a two-colour cursor")
    height = doubled_height // 2
    stride = (width + 31) // 32 * 4
    # The colour rows, then the mask's, each bottom row first, after a palette of two colours.
    mask_start = offset + header_size + 2 * 4 + stride * height
    drawn = set()
    for y in range(height):
        row = mask_start + (height - 1 - y) * stride
        for x in range(width):
            if not data[row + x // 8] >> (7 - x % 8) & 1:
                drawn.add((x, y))
    return width, height, drawn
