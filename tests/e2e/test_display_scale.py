"""Both programs at 96 DPI and at the display scales of laptops and 4K screens: the face grows by
a whole factor with its pixel art and its shape kept exact, the pupils aim from the pointer's device
pixel, drags follow the pointer exactly, and the About box grows as dialogs do.

Wine takes the display's DPI from the prefix (wine_prefix.py), one prefix per scale; the Linux
program takes it from Xft.dpi, as desktops set it for X11 programs that scale themselves. Every
other module runs at 96 DPI. The Linux program's QT_SCALE_FACTOR is tested with the face's shape
(test_shape.py).
"""

import unittest

from tests.harness import artwork, face, x11
from tests.harness.zorvin_case import ZorvinTestCase

BACKGROUND = (192, 192, 192)  # the About box's
FONT_POINTS = 8.25


class FaceChecks:
    """The face at the DPI of the test class this is mixed into."""

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        if cls.dpi != 96:
            cls.program = cls.program.at_dpi(cls.dpi)

    def test_face_shape_and_pixels_are_the_artwork_scaled_by_a_whole_factor(self):
        self.start_program()
        width, height = face.window("Form1")["client"]
        self.assertEqual(self.client_rect(self.face)[2:],
                         (self.factor * width, self.factor * height))
        self.wait_for_pupils(face.pupil_places())
        self.assert_shape_and_pixels_are_the_face()

    def test_pupils_aim_at_the_pointer_from_its_device_pixel(self):
        self.start_program()
        k = self.factor
        x, y = self.face_origin()
        # Device pixels from the client area's corner: on whole form pixels, between them, on
        # the face near an eye, and above and left of the window.
        for dx, dy in ((200 * k, 32 * k), (20 * k + 1, 40 * k + 1), (70 * k - 1, 20 * k),
                       (-150, -75), (3, 300)):
            self.look_from(x + dx, y + dy, "at %d, %d" % (dx, dy))

    def test_fast_drags_end_exactly_where_the_pointer_took_them(self):
        self.start_program()
        x, y = self.face_origin()
        # The third is a press and release without a move.
        for steps, step_x, step_y in ((40, 3, 2), (60, -4, -1), (0, 0, 0), (7, 1, 1)):
            start_x, start_y = self.face_origin()
            self.drag(steps, step_x, step_y)
            self.wait_for_value(self.face_origin, (start_x + steps * step_x,
                                                   start_y + steps * step_y),
                                "after %d steps of (%d, %d)" % (steps, step_x, step_y))
        self.assertEqual(self.assert_stays(self.face_origin, "the face after the drags"),
                         (x + 120 - 240 + 7, y + 80 - 60 + 7))


class ScaledWindowChecks(FaceChecks):
    """The face, and the windows and pictures that grow with the DPI as dialogs do."""

    def test_icons_are_loaded_at_the_sizes_for_the_dpi(self):
        if self.program.name != "wine":
            self.skipTest("the Linux program gives the desktop every size its icon file holds")
        self.start_program()
        # The taskbar's and the caption's, 32 and 16 pixels at 96 DPI, in proportion to the DPI.
        x11.wait_until(lambda: self.display.icon_sizes(self.face), 5, message="the icons")
        self.assertEqual(sorted(self.display.icon_sizes(self.face)),
                         [(16 * self.dpi // 96,) * 2, (32 * self.dpi // 96,) * 2])


    def test_about_box_is_scaled_by_the_dpi_with_its_text_inside_its_labels(self):
        self.start_program()
        about = self.open_about()
        x, y, width, height = self.client_rect(about)
        figures = self.about_box()
        self.assertEqual((width, height), figures["client"])
        rows = self.client_pixels(about)
        boxes = [figures[label] for label in ("Label1", "Label2", "Email", "Homepage")]
        # The labels in the window's font, each in the rows it shares with no other label: its text
        # lies inside, clear of its sides (cut text would reach them), at the font's size for the
        # DPI. (Wine here draws the links' Thai-charset font as empty boxes at every DPI.)
        for index in (0, 1):
            left, top, right, bottom = boxes[index]
            top = max([top] + [box[3] for box in boxes[:index]])
            bottom = min([bottom] + [box[1] for box in boxes[index + 1:]])
            ink = [(px, py) for py in range(top, bottom) for px in range(width)
                   if rows[py][px] != BACKGROUND]
            self.assertTrue(ink, "no text in label %d" % index)
            columns = [px for px, _ in ink]
            self.assertGreater(min(columns), left, "text cut on the left of label %d" % index)
            self.assertLess(max(columns), right - 1, "text cut on the right of label %d" % index)
            text_rows = [py for _, py in ink]
            self.assertGreaterEqual(max(text_rows) - min(text_rows) + 1,
                                    FONT_POINTS * self.dpi / 72 / 2, "the font's size")

    def test_links_take_clicks_in_their_scaled_boxes(self):
        self.start_program()
        about = self.open_about()
        self.point_at_control(about, "Homepage", below_middle=True)
        self.display.press("left")
        self.display.release("left")
        x11.wait_until(self.zorvin.opened, 10, message="the home page opened")
        self.assertEqual([opener for opener, _ in self.zorvin.opened()], ["xdg-open"])

    def test_hand_pointer_is_sized_for_the_dpi_with_its_hot_spot_on_the_fingertip(self):
        self.start_program()
        about = self.open_about()
        self.point_at_control(about, "Command1")
        # The box opened over the face, perhaps with a link under the pointer. The hand grows in
        # proportion to the DPI.
        hand_size = artwork.hand_pointer()[0] * self.dpi // 96
        x11.wait_until(lambda: self.display.cursor()[0] != hand_size, 5, message="the arrow on OK")
        arrow = self.display.cursor()
        self.point_at_control(about, "Email")
        x11.wait_until(lambda: self.display.cursor() != arrow, 5, message="the hand on a link")
        width, height, hot_x, hot_y = self.display.cursor()
        self.assertEqual((width, height), (hand_size, hand_size))
        # The hand points with the tip of its raised finger, the picture's topmost point.
        self.assertEqual((hot_x, hot_y), self.display.cursor_fingertip())

    def test_a_change_of_dpi_scales_both_windows_again_in_place(self):
        if self.program.name != "wine":
            self.skipTest("a change of DPI is told to Windows programs only")
        # Wine never sends WM_DPICHANGED; tests/win32/dpi_change_check.cpp sends it itself.
        self.x.reset_pointer()
        self.run_wine_check("zorvin_win32_dpi_check.exe")


class At96Dpi(FaceChecks, ZorvinTestCase):
    dpi, factor = 96, 1


class At120Dpi(ScaledWindowChecks, ZorvinTestCase):
    dpi, factor = 120, 1


class At144Dpi(ScaledWindowChecks, ZorvinTestCase):
    dpi, factor = 144, 2


class At192Dpi(ScaledWindowChecks, ZorvinTestCase):
    dpi, factor = 192, 2

    def test_pupils_stand_on_the_art_pixels_they_stand_on_at_96_dpi(self):
        # Figures written out, not asked of the program's own scaling, which would move with a
        # fault of it: device pixels from the client area's corner, and the pupils' places in the
        # face's own pixels.
        self.start_program()
        x, y = self.face_origin()
        for (dx, dy), pupils in (((-400, 64), [(13, 28), (63, 28)]),
                                 ((42, 64), [(18, 28), (63, 28)]),
                                 ((42, -300), [(18, 25), (66, 25)])):
            self.move_pointer(x + dx, y + dy)
            self.wait_for_pupils(pupils, "pupils for the pointer at %d, %d" % (dx, dy))


if __name__ == "__main__":
    unittest.main()
