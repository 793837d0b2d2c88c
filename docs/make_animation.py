"""Makes docs/zorvin.png, the README's animated picture of the pupils following a pointer that
circles the face, from screenshots of the running program on a virtual screen:

    /usr/bin/python3 docs/make_animation.py <zorvin> [<output file>]

The screen is Xvfb with openbox, as in the end-to-end tests. Screenshots do not show the pointer,
so an arrow is drawn where it is. The frames are an animated PNG, each shown for 0.15 seconds,
looping.
"""

import math
import os
import struct
import sys
import zlib

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))

import face  # noqa: E402
import programs  # noqa: E402
import screen_face  # noqa: E402
import session  # noqa: E402
import x11  # noqa: E402

DESKTOP = (58, 110, 165)
FRAMES = 24
RADIUS = 95  # of the pointer's circle, from the face's centre
MARGIN = 14
SCALE = 2
FRAME_DELAY = (3, 20)  # seconds, as a fraction

# The pointer: "X" black, "o" white.
ARROW = """\
X
XX
XoX
XooX
XoooX
XooooX
XoooooX
XooooooX
XoooooooX
XooooXXXXX
XooXooX
XoX XooX
XX  XooX
X    XooX
     XooX
      XX
""".splitlines()


def draw_arrow(rows, x, y):
    for dy, line in enumerate(ARROW):
        for dx, mark in enumerate(line):
            if mark in "Xo" and 0 <= y + dy < len(rows) and 0 <= x + dx < len(rows[0]):
                rows[y + dy][x + dx] = (0, 0, 0) if mark == "X" else (255, 255, 255)


def paint_desktop(display):
    colour = display.connection.screen().default_colormap.alloc_color(
        *(channel * 257 for channel in DESKTOP)).pixel
    display.root.change_attributes(background_pixel=colour)
    display.root.clear_area()
    display.connection.sync()


def chunk(kind, data):
    return (struct.pack(">I", len(data)) + kind + data
            + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))


def write_apng(path, frames):
    """Frames of equal size, rows of (r, g, b), as a looping animated PNG with one palette."""
    height, width = len(frames[0]), len(frames[0][0])
    colours = sorted({pixel for frame in frames for row in frame for pixel in row})
    if len(colours) > 256:
        raise ValueError("%d colours: too many for a palette" % len(colours))
    index = {colour: i for i, colour in enumerate(colours)}
    out = [b"\x89PNG\r\n\x1a\n",
           chunk(b"IHDR", struct.pack(">IIBBBBB", width * SCALE, height * SCALE, 8, 3, 0, 0, 0)),
           chunk(b"PLTE", b"".join(bytes(colour) for colour in colours)),
           chunk(b"acTL", struct.pack(">II", len(frames), 0))]
    sequence = 0
    for number, frame in enumerate(frames):
        out.append(chunk(b"fcTL", struct.pack(">IIIIIHHBB", sequence, width * SCALE,
                                              height * SCALE, 0, 0, *FRAME_DELAY, 0, 0)))
        sequence += 1
        raw = bytearray()
        for row in frame:
            line = bytes(index[pixel] for pixel in row for _ in range(SCALE))
            raw += (b"\x00" + line) * SCALE
        data = zlib.compress(bytes(raw), 9)
        if number == 0:
            out.append(chunk(b"IDAT", data))
        else:
            out.append(chunk(b"fdAT", struct.pack(">I", sequence) + data))
            sequence += 1
    out.append(chunk(b"IEND", b""))
    with open(path, "wb") as f:
        f.write(b"".join(out))


def main(executable, path):
    with session.XSession() as x:
        display = x.display
        paint_desktop(display)
        running = programs.LinuxProgram(executable).start(x)
        try:
            window = display.wait_for_window(programs.MAIN_WINDOW, 20)
            ox, oy = display.client_origin(window)
            width, height = face.CLIENT_SIZE
            cx, cy = ox + width // 2, oy + height // 2
            reach = RADIUS + MARGIN
            left, top = cx - reach, cy - reach
            frames = []
            for step in range(FRAMES):
                angle = 2 * math.pi * step / FRAMES
                px, py = round(cx + RADIUS * math.cos(angle)), round(cy + RADIUS * math.sin(angle))
                display.move_pointer(px, py)
                expected = face.pupil_places(px - ox, py - oy)
                x11.wait_until(lambda: screen_face.find_pupils(display, (ox, oy)) == expected,
                               10, message="the pupils to follow the pointer")
                rows = display.screenshot(left, top, 2 * reach, 2 * reach)
                draw_arrow(rows, px - left, py - top)
                frames.append(rows)
        finally:
            running.stop()
    write_apng(path, frames)
    print("%s: %d frames, %d bytes" % (path, len(frames), os.path.getsize(path)))


if __name__ == "__main__":
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    default = os.path.join(os.path.dirname(os.path.abspath(__file__)), "zorvin.png")
    main(sys.argv[1], sys.argv[2] if len(sys.argv) == 3 else default)
