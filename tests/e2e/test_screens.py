"""Two monitors side by side: the About box opens on the one that holds most of the face."""

import unittest

from tests.harness import programs, session, x11
from tests.harness.zorvin_case import ZorvinTestCase

WIDTH, HEIGHT = session.SCREEN_SIZE


class TwoScreensTest(ZorvinTestCase):
    MONITORS = 2

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        if cls.program.name == "wine":
            # Wine's RandR support sees the screen's one output, not the monitors it is split
            # into; its Xinerama support sees the monitors, as the X server reports them.
            cls.program.prefix.set_x11_driver_value("UseXRandR", "N")

    def about_centre(self):
        self.choose("a")
        about = self.display.wait_for_window(programs.ABOUT_WINDOW)
        x, y, width, height = self.client_rect(about)
        return x + width // 2, y + height // 2

    def test_about_box_opens_on_the_screen_that_holds_most_of_the_face(self):
        if self.program.name == "wine":
            # Wine 10 lays the monitors it reads through Xinerama all at (0, 0), and its RandR
            # support sees the screen's one output: Windows programs see no second monitor then.
            lefts = {left for left, _, _, _ in self.program.monitors(self.display)}
            if WIDTH not in lefts:
                self.skipTest("Wine shows programs no monitor right of the first")
        self.start_program()
        x, y = self.face_origin()
        self.assertLess(x, WIDTH, "the face starts on the primary monitor")
        outer_x, outer_y = self.display.client_origin(self.face)
        self.display.move_window(self.face, outer_x + WIDTH, outer_y)
        x11.wait_until(lambda: self.face_origin() == (x + WIDTH, y), 5,
                       message="the face moved to the second monitor")
        centre_x, centre_y = self.about_centre()
        # Centred on the second monitor, give or take the window manager's frame.
        self.assertLess(abs(centre_x - (WIDTH + WIDTH // 2)), 20, (centre_x, centre_y))
        self.assertLess(abs(centre_y - HEIGHT // 2), 30, (centre_x, centre_y))


if __name__ == "__main__":
    unittest.main()
