"""Zorvin on a virtual screen, for a machine with no display: starts an X server with a window
manager, runs the program, moves the pointer around the face, saves a screenshot for each place
and prints where the pupils are.

    /usr/bin/python3 demo.py <zorvin> <directory for the screenshots>
"""

import os
import sys

import face
import png
import programs
import screen_face
import session
import x11

MARGIN = 12
POINTER_MARK = (255, 40, 40)


def save_view(display, path, origin, pointer):
    """The face and the pointer's place, marked with a small cross, four times enlarged."""
    (ox, oy), (px, py) = origin, pointer
    width, height = face.CLIENT_SIZE
    left, top = min(ox, px) - MARGIN, min(oy, py) - MARGIN
    right, bottom = max(ox + width, px) + MARGIN, max(oy + height, py) + MARGIN
    left, top = max(0, left), max(0, top)
    right, bottom = min(display.width, right), min(display.height, bottom)
    rows = display.screenshot(left, top, right - left, bottom - top)
    for d in range(-4, 5):
        for x, y in ((px + d, py), (px, py + d)):
            if left <= x < right and top <= y < bottom:
                rows[y - top][x - left] = POINTER_MARK
    png.write_png(path, right - left, bottom - top, rows, scale=4)


def main(executable, out_dir):
    os.makedirs(out_dir, exist_ok=True)
    with session.XSession() as x:
        display = x.display
        running = programs.LinuxProgram(executable).start(x)
        try:
            window = display.wait_for_window(programs.MAIN_WINDOW, 20)
            ox, oy = display.client_origin(window)
            print("Zorvin's face is at (%d, %d) on a %dx%d virtual screen (display %s)."
                  % (ox, oy, display.width, display.height, x.name))
            places = [("left", ox - 120, oy + 32), ("above", ox + 45, oy - 90),
                      ("right", ox + 210, oy + 32), ("below", ox + 45, oy + 160),
                      ("between the eyes", ox + 46, oy + 32)]
            for name, px, py in places:
                display.move_pointer(px, py)
                expected = face.pupil_places(px - ox, py - oy)
                x11.wait_until(lambda: screen_face.find_pupils(display, (ox, oy)) == expected,
                               10, message="the pupils to follow the pointer")
                path = os.path.join(out_dir, "zorvin-%s.png" % name.replace(" ", "-"))
                save_view(display, path, (ox, oy), (px, py))
                (lx, ly), (rx, ry) = expected
                print("Pointer %-16s at (%4d, %4d): left pupil at (%d, %d), right pupil at (%d, %d)"
                      " on the face; %s" % (name, px, py, lx, ly, rx, ry, path))
        finally:
            running.stop()


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2])
