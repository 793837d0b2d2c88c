"""Zorvin on a virtual screen, for a machine with no display: starts an X server with a window
manager, runs the program, moves the pointer around the face, saves a screenshot for each place
and prints where the pupils are.

    /usr/bin/python3 -m scripts.demo <zorvin> <directory for the screenshots>

from the source's top folder.
"""

import os
import sys
import time

from scripts import png
from tests.harness import face, programs, session, x11

MARGIN = 12
POINTER_MARK = (255, 40, 40)


def still_pupils(display, window, before=None):
    """The pupils' top-left pixels on the face, once they have turned away from `before` (if
    given) and stayed put for a few ticks of the program."""
    def read():
        return face.find_pupils(display.screenshot(*display.client_origin(window),
                                                   *display.client_size(window)))

    def still():
        now = read()
        time.sleep(0.3)
        return now if now != before and len(now) == 2 and read() == now else None
    return x11.wait_until(still, 10, message="the pupils to follow the pointer")


def save_view(display, path, origin, size, pointer):
    """The face and the pointer's place, marked with a small cross, four times enlarged."""
    (ox, oy), (width, height), (px, py) = origin, size, pointer
    left, top = min(ox, px) - MARGIN, min(oy, py) - MARGIN
    right, bottom = max(ox + width, px) + MARGIN, max(oy + height, py) + MARGIN
    left, top = max(0, left), max(0, top)
    right, bottom = min(display.width, right), min(display.height, bottom)
    rows = display.screenshot(left, top, right - left, bottom - top)
    for d in range(-4, 5):
        for x, y in ((px + d, py), (px, py + d)):
            if left <= x < right and top <= y < bottom:
                rows[y - top][x - left] = POINTER_MARK
    png.write_png(path, [rows], scale=4)


def main(executable, out_dir):
    os.makedirs(out_dir, exist_ok=True)
    with session.XSession() as x:
        display = x.display
        running, window = programs.start_shown(programs.LinuxProgram(executable), display)
        try:
            ox, oy = display.client_origin(window)
            print("Zorvin's face is at (%d, %d) on a %dx%d virtual screen (display %s)."
                  % (ox, oy, display.width, display.height, x.name))
            places = [("left", ox - 120, oy + 32), ("above", ox + 45, oy - 90),
                      ("right", ox + 210, oy + 32), ("below", ox + 45, oy + 160),
                      ("between the eyes", ox + 46, oy + 32)]
            pupils = still_pupils(display, window)
            for name, px, py in places:
                display.move_pointer(px, py)
                pupils = still_pupils(display, window, pupils)
                path = os.path.join(out_dir, "zorvin-%s.png" % name.replace(" ", "-"))
                save_view(display, path, (ox, oy), display.client_size(window), (px, py))
                (lx, ly), (rx, ry) = pupils
                print("Pointer %-16s at (%4d, %4d): left pupil at (%d, %d), right pupil at (%d, %d)"
                      " on the face; %s" % (name, px, py, lx, ly, rx, ry, path))
        finally:
            running.stop()


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2])
