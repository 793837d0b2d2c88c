"""The base of the tests that run the program and look at its face from outside.

FaceCase runs on any desktop: a test class gives it `program` and `display` (the x11.Display the
program shows itself on) and may read pixels its own way. ZorvinTestCase is the desktop of most
tests: one X server with a window manager per test class, read from the root window."""

import os
import shutil
import subprocess
import tempfile
import time
import unittest

from . import artwork, face, programs, session, x11
from Xlib import error as xerror

QUIET_PERIOD = 0.6  # several timer periods: long enough for a change that should not come
GRAB = (45, 50)  # a pixel of the face's art away from the eyes, where no pupil can come


class FaceCase(unittest.TestCase):
    factor = 1  # the face's whole scale factor: device pixels to a pixel of its art
    dpi = 96

    # --- Running the program ---------------------------------------------------------------

    def start_program(self, extra_env=None):
        """Starts the program and waits until its face is shown and shaped; `face` is its
        window and `zorvin` the run."""
        self.zorvin, self.face = programs.start_shown(self.program, self.display, extra_env)
        self.addCleanup(self.end_program, self.zorvin)
        return self.zorvin

    def end_program(self, running):
        running.stop()

    # --- Where things are ------------------------------------------------------------------

    def client_rect(self, window):
        """(x, y, width, height) of the window's client area on the screen. A window gone says
        how the program ended, if it did."""
        try:
            return self.program.client_rect(self.display, window)
        except xerror.BadWindow:
            running = getattr(self, "zorvin", None)
            raise AssertionError("the window %#x is gone; the program's status: %s; its errors: %s"
                                 % (window.id, running and running.process.poll(),
                                    running and running.output())) from None

    def face_origin(self, window=None):
        x, y, _, _ = self.client_rect(window or self.face)
        return x, y

    def to_screen(self, client_x, client_y, window=None, scale=1):
        x, y = self.face_origin(window)
        return x + client_x * scale, y + client_y * scale

    def client_pixels(self, window):
        """Rows of (r, g, b) of the window's client area."""
        return self.display.screenshot(*self.client_rect(window))

    def move_pointer(self, x, y, **how):
        self.display.move_pointer(x, y, **how)

    # --- The pupils ------------------------------------------------------------------------

    def pupils(self, window=None):
        return face.find_pupils(self.client_pixels(window or self.face), self.factor)

    def expected_pupils(self, x, y, window=None):
        """Where the program's own code puts the pupils for the pointer at screen pixel (x, y)."""
        ox, oy = self.face_origin(window)
        return face.pupil_places(x - ox, y - oy, self.dpi)

    def wait_for_value(self, read, expected, message):
        """Waits until `read()` gives `expected`; fails showing what it gave last."""
        try:
            x11.wait_until(lambda: read() == expected, 5, message=message)
        except AssertionError:
            self.assertEqual(read(), expected, message)

    def wait_for_pupils(self, expected, message="the pupils", window=None):
        self.wait_for_value(lambda: self.pupils(window), expected, message)

    def look_from(self, x, y, place, window=None, **how):
        """Moves the pointer to screen pixel (x, y) and waits for the pupils to look at it."""
        self.move_pointer(x, y, **how)
        self.wait_for_pupils(self.expected_pupils(x, y, window),
                             "pupils for the pointer " + place, window)

    def assert_stays(self, read, message, period=QUIET_PERIOD):
        """Checks that `read()` gives the same value over a few timer periods."""
        before = read()
        deadline = time.monotonic() + period
        while time.monotonic() < deadline:
            self.assertEqual(read(), before, message)
            time.sleep(0.05)
        return before


class ZorvinTestCase(FaceCase):
    MONITORS = 1  # side by side, each of session.SCREEN_SIZE
    SERVER_ARGUMENTS = ()  # Xvfb's own, beyond the screen's

    @classmethod
    def setUpClass(cls):
        cls.program = programs.from_environment()
        cls.x = session.XSession(cls.MONITORS, cls.SERVER_ARGUMENTS)
        cls.x.start()
        cls.display = cls.x.display

    @classmethod
    def tearDownClass(cls):
        cls.x.stop()

    def start_program(self, extra_env=None):
        """As FaceCase's, with the pointer in the screen's top-left corner first."""
        self.x.reset_pointer()
        return super().start_program(extra_env)

    def end_program(self, running):
        running.stop()
        for name in (programs.MAIN_WINDOW, programs.ABOUT_WINDOW):
            self.display.wait_until_gone(name)
        self.x.reset_pointer()

    def point_at(self, client_x, client_y, window=None):
        self.display.move_pointer(*self.to_screen(client_x, client_y, window))

    def drag(self, steps, step_x, step_y):
        """Presses the left button on the face at GRAB and moves in `steps` small steps of
        device pixels with no pause, then releases."""
        x, y = self.to_screen(*GRAB, scale=self.factor)
        self.display.move_pointer(x, y)
        self.display.press("left")
        for step in range(1, steps + 1):
            self.display.move_pointer(x + step * step_x, y + step * step_y, sync=False)
        self.display.connection.sync()
        self.display.release("left")

    def run_wine_check(self, name):
        """Runs a check program built beside Zorvin.exe (tests/win32/) on the session's display,
        and fails with what it said unless it succeeds."""
        check = os.path.join(os.path.dirname(self.program.executable), name)
        work_dir = tempfile.mkdtemp(prefix="zorvin-check-")
        self.addCleanup(shutil.rmtree, work_dir, True)
        self.addCleanup(self.program.prefix.end_processes)
        result = subprocess.run(["wine", check], env=self.program.environment(work_dir, self.x.name),
                                capture_output=True, text=True, timeout=120)
        self.assertEqual(result.returncode, 0, result.stderr)

    # --- The face's pixels -----------------------------------------------------------------

    def face_shape(self):
        """The client pixels the face's shape covers."""
        return {(x + i, y + j)
                for x, y, width, height in self.program.client_shape(self.display, self.face)
                for j in range(height) for i in range(width)}

    def assert_shape_and_pixels_are_the_face(self):
        """The shape holds the pixels the window system fills the face's outline with, each one
        a factor x factor square, and every pixel of it shows the face's picture, except under
        the pupils."""
        k = self.factor
        expected = {(k * x + i, k * y + j) for x, y in self.program.face_shape(self.display)
                    for j in range(k) for i in range(k)}
        shape = self.face_shape()
        self.assertEqual(sorted(shape - expected), [], "shaped pixels outside the outline")
        self.assertEqual(sorted(expected - shape), [], "pixels of the outline cut away")
        rows = self.client_pixels(self.face)
        picture, pupil = artwork.face(), artwork.read_bmp("pupil.bmp")
        under_pupils = {(left + i, top + j) for left, top in self.pupils()
                        for j in range(len(pupil)) for i in range(len(pupil[0]))}
        wrong = [(x, y) for x, y in sorted(shape) if (x // k, y // k) not in under_pupils
                 and rows[y][x] != picture[y // k][x // k]]
        self.assertEqual(wrong, [], "pixels of the face that differ from face.bmp")

    # --- The menu and the About box ----------------------------------------------------------

    def is_above(self, window):
        return "_NET_WM_STATE_ABOVE" in self.display.net_wm_state(window)

    def wait_for_above(self, window, above, message):
        x11.wait_until(lambda: self.is_above(window) == above, 5, message=message)

    def press_for_menu(self, button="right"):
        """Presses a button on the face at GRAB, where no pupil can come under the pointer and
        take the press; returns the top-level windows that appeared."""
        before = {w.id for w in self.display.top_level_windows()}
        self.display.move_pointer(*self.to_screen(*GRAB, scale=self.factor))
        self.display.press(button)
        self.display.release(button)
        return lambda: [w for w in self.display.top_level_windows() if w.id not in before]

    def wait_for_menu(self, new_windows):
        """The pop-up menu's windows, once `new_windows()` has them. Zorvin.exe's menu window is
        made only after the press and release reach the program and Wine: seconds on a busy
        machine, hence the long deadline."""
        return x11.wait_until(new_windows, 20, message="the pop-up menu")

    def open_menu(self):
        self.wait_for_menu(self.press_for_menu())

    def choose(self, key):
        """Opens the face's menu with a right press and chooses an item by its mnemonic."""
        self.open_menu()
        self.display.key(key)

    def open_about(self):
        """Opens the About box from the menu and moves it aside: it opens centred on the screen,
        over the face."""
        self.choose("a")
        about = self.display.wait_for_window(programs.ABOUT_WINDOW)
        x11.wait_until(lambda: self.display.active_window() == about.id, 5,
                       message="the About box to take the keyboard")
        self.display.move_window(about, 40, 40)
        x11.wait_until(lambda: self.client_rect(about)[1] < 100, 5,
                       message="the About box to move aside")
        return about

    def about_box(self):
        """The About box's figures at the program's DPI: "client" (width, height) and each
        control's (left, top, right, bottom), in device pixels."""
        return face.window("Form2", self.dpi)

    def point_at_control(self, about, name, below_middle=False):
        """Puts the pointer on the middle of a control of the About box (or two pixels above its
        bottom)."""
        left, top, right, bottom = self.about_box()[name]
        self.point_at((left + right) // 2, bottom - 2 if below_middle else (top + bottom) // 2,
                      about)
