"""Makes docs/zorvin.png, the README's animated picture of the pupils following a pointer that
circles the face, from screenshots of the running program on a virtual screen:

    /usr/bin/python3 -m scripts.make_animation <zorvin> [<output file>]

from the source's top folder.

The screen is Xvfb with openbox, as in the end-to-end tests. Screenshots do not show the pointer,
so an arrow is drawn where it is. The frames are an animated PNG, each shown for 0.15 seconds,
looping.
"""

import math
import os
import sys

from scripts import demo, png
from tests.harness import programs, session

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


def main(executable, path):
    with session.XSession() as x:
        display = x.display
        paint_desktop(display)
        running, window = programs.start_shown(programs.LinuxProgram(executable), display)
        try:
            ox, oy = display.client_origin(window)
            width, height = display.client_size(window)
            cx, cy = ox + width // 2, oy + height // 2
            reach = RADIUS + MARGIN
            left, top = cx - reach, cy - reach
            frames = []
            for step in range(FRAMES):
                angle = 2 * math.pi * step / FRAMES
                px, py = round(cx + RADIUS * math.cos(angle)), round(cy + RADIUS * math.sin(angle))
                display.move_pointer(px, py)
                demo.still_pupils(display, window)
                rows = display.screenshot(left, top, 2 * reach, 2 * reach)
                draw_arrow(rows, px - left, py - top)
                frames.append(rows)
        finally:
            running.stop()
    png.write_png(path, frames, SCALE, FRAME_DELAY)
    print("%s: %d frames, %d bytes" % (path, len(frames), os.path.getsize(path)))


if __name__ == "__main__":
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    default = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "docs", "zorvin.png")
    main(sys.argv[1], sys.argv[2] if len(sys.argv) == 3 else default)
