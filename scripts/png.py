"""Writing screenshots as PNG files in a palette, with the standard library only: one picture, or
frames shown in turn as a looping animated PNG."""

import struct
import zlib


def _chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def write_png(path, frames, scale=1, delay=(1, 10)):
    """Writes frames of equal size, rows of (r, g, b), each pixel blown up to a scale x scale
    square; more than one frame is an animation, each frame shown for `delay` seconds (a
    fraction)."""
    height, width = len(frames[0]) * scale, len(frames[0][0]) * scale
    colours = sorted({pixel for frame in frames for row in frame for pixel in row})
    if len(colours) > 256:
        raise ValueError("%d colours: too many for a palette" % len(colours))
    index = {colour: i for i, colour in enumerate(colours)}
    animated = len(frames) > 1
    out = [b"\x89PNG\r\n\x1a\n",
           _chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 3, 0, 0, 0)),
           _chunk(b"PLTE", b"".join(bytes(colour) for colour in colours))]
    if animated:
        out.append(_chunk(b"acTL", struct.pack(">II", len(frames), 0)))
    sequence = 0
    for number, frame in enumerate(frames):
        if animated:
            out.append(_chunk(b"fcTL", struct.pack(">IIIIIHHBB", sequence, width, height, 0, 0,
                                                   *delay, 0, 0)))
            sequence += 1
        raw = bytearray()
        for row in frame:
            raw += (b"\x00" + bytes(index[pixel] for pixel in row for _ in range(scale))) * scale
        data = zlib.compress(bytes(raw), 9)
        if number == 0:
            out.append(_chunk(b"IDAT", data))
        else:
            out.append(_chunk(b"fdAT", struct.pack(">I", sequence) + data))
            sequence += 1
    out.append(_chunk(b"IEND", b""))
    with open(path, "wb") as f:
        f.write(b"".join(out))
