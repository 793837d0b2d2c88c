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


def pupil_template():
    """The pupil's drawn pixels as {(x, y): (r, g, b)}: everything but the key colour."""
    return {(x, y): colour
            for y, row in enumerate(read_bmp("pupil.bmp"))
            for x, colour in enumerate(row)
            if colour != PUPIL_KEY_COLOUR}
