"""Reading 8-bit RGBA PNG files without filters, as Zorvin's icons are written, with the standard
library only."""

import struct
import zlib


def read_rgba(path):
    """The picture as rows of (r, g, b, a), top row first."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("%s: not a PNG file" % path)
    at, header, compressed = 8, None, b""
    while at < len(data):
        length, = struct.unpack_from(">I", data, at)
        kind, body = data[at + 4:at + 8], data[at + 8:at + 8 + length]
        crc, = struct.unpack_from(">I", data, at + 8 + length)
        if zlib.crc32(kind + body) & 0xFFFFFFFF != crc:
            raise ValueError("%s: a %s chunk fails its checksum" % (path, kind))
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            compressed += body
        at += 12 + length
    width, height, depth, colour_type, _, _, interlace = header
    if (depth, colour_type, interlace) != (8, 6, 0):
        raise ValueError("%s: not 8-bit RGBA without interlace" % path)
    raw = zlib.decompress(compressed)
    stride = 4 * width + 1
    rows = []
    for y in range(height):
        line = raw[y * stride:(y + 1) * stride]
        if line[0] != 0:
            raise ValueError("%s: row %d is filtered" % (path, y))
        rows.append([tuple(line[1 + 4 * x:5 + 4 * x]) for x in range(width)])
    return rows
