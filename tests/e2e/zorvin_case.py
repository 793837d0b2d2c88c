"""The base of the end-to-end tests: one X server with a window manager per test class, one run of
the program under test per test, and ways to look at the character from outside."""

import time
import unittest

import artwork
import face
import programs
import screen_face
import session
import x11

QUIET_PERIOD = 0.6  # several timer periods: long enough for a change that should not come


class ZorvinTestCase(unittest.TestCase):
    MONITORS = 1  # side by side, each of session.SCREEN_SIZE
    factor = 1  # the face's whole scale factor: device pixels to a pixel of its art

    @classmethod
    def setUpClass(cls):
        cls.program = programs.from_environment()
        cls.x = session.XSession(cls.MONITORS)
        cls.x.start()
        cls.display = cls.x.display

    @classmethod
    def tearDownClass(cls):
        cls.x.stop()

    # --- Running the program ---------------------------------------------------------------

    def start_program(self, extra_env=None):
        """Starts the program with the pointer in the screen's top-left corner and waits until its
        face is shown and shaped."""
        self.x.reset_pointer()
        self.zorvin = self.program.start(self.x, extra_env)
        self.addCleanup(self._end_program, self.zorvin)
        try:
            self.face = self.display.wait_for_window(programs.MAIN_WINDOW, 20)
        except AssertionError as error:
            raise AssertionError("%s; the program's status: %s; its errors: %s; windows named so: %s"
                                 % (error, self.zorvin.process.poll(), self.zorvin.output(),
                                    self.display.find_windows(programs.MAIN_WINDOW)))
        x11.wait_until(lambda: len(self.display.shape_rectangles(self.face)) > 1, 10,
                       message="the face's shape")
        return self.zorvin

    def _end_program(self, running):
        running.stop()
        for name in (programs.MAIN_WINDOW, programs.ABOUT_WINDOW):
            self.display.wait_until_gone(name)
        self.x.reset_pointer()

    # --- Where things are ------------------------------------------------------------------

    def client_rect(self, window):
        """(x, y, width, height) of the window's client area on the screen."""
        return self.program.client_rect(self.display, window)

    def face_origin(self):
        x, y, _, _ = self.client_rect(self.face)
        return x, y

    def to_screen(self, client_x, client_y, window=None, scale=1):
        x, y, _, _ = self.client_rect(window or self.face)
        return x + client_x * scale, y + client_y * scale

    def point_at(self, client_x, client_y, window=None):
        self.display.move_pointer(*self.to_screen(client_x, client_y, window))

    def face_shape(self):
        """The client pixels the face's shape covers."""
        return face.rectangles_to_pixels(self.program.client_shape(self.display, self.face))

    def pupils(self, scale=1):
        return screen_face.find_pupils(self.display, self.face_origin(), scale)

    def assert_face_drawn(self, scale=1):
        """Every pixel of the shape shows the face picture, pixel for pixel (each one a
        scale x scale square), except under the pupils."""
        x, y = self.face_origin()
        width, height = face.CLIENT_SIZE
        rows = self.display.screenshot(x, y, width * scale, height * scale)
        pupils = {(left + i, top + j) for left, top in self.pupils(scale)
                  for i in range(face.PUPIL_SIZE[0]) for j in range(face.PUPIL_SIZE[1])}
        picture = artwork.face()
        shown = face.outline_pixels(self.program.outline_sample) - pupils
        wrong = [(px, py) for px, py in sorted(shown)
                 for j in range(scale) for i in range(scale)
                 if rows[py * scale + j][px * scale + i] != picture[py][px]]
        self.assertEqual(wrong, [], "pixels of the face that differ from face.bmp")

    def wait_for_pupils(self, expected, scale=1, message="the pupils"):
        try:
            x11.wait_until(lambda: self.pupils(scale) == expected, 5, message=message)
        except AssertionError:
            self.assertEqual(self.pupils(scale), expected, message)

    def is_above(self, window):
        return "_NET_WM_STATE_ABOVE" in self.display.net_wm_state(window)

    def wait_for_above(self, window, above, message):
        x11.wait_until(lambda: self.is_above(window) == above, 5, message=message)

    def assert_stays(self, read, message, period=QUIET_PERIOD):
        """Checks that `read()` gives the same value over a few timer periods."""
        before = read()
        deadline = time.monotonic() + period
        while time.monotonic() < deadline:
            self.assertEqual(read(), before, message)
            time.sleep(0.05)
        return before

    # --- The menu and the About box ----------------------------------------------------------

    def press_for_menu(self, client_x=45, client_y=50, button="right"):
        """Presses a button on the face, at a pixel of its art away from the eyes, where no pupil
        can come under the pointer and take the press; returns the top-level windows that
        appeared."""
        before = {w.id for w in self.display.top_level_windows()}
        self.display.move_pointer(*self.to_screen(client_x, client_y, scale=self.factor))
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
