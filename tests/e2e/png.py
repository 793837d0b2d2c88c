"""Writing RGB pictures as PNG files, with the standard library only."""

import struct
import zlib


def _chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def write_png(path, width, height, rgb_rows, scale=1):
    """Writes rows of (r, g, b) tuples, each pixel blown up to a scale x scale square."""
    raw = bytearray()
    for row in rgb_rows:
        line = bytearray()
        for r, g, b in row:
            line += bytes((r, g, b)) * scale
        for _ in range(scale):
            raw += b"\x00" + line
    header = struct.pack(">IIBBBBB", width * scale, height * scale, 8, 2, 0, 0, 0)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(_chunk(b"IHDR", header))
        out.write(_chunk(b"IDAT", zlib.compress(bytes(raw), 9)))
        out.write(_chunk(b"IEND", b""))
