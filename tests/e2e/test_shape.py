"""The character window: its first place, its taskbar entry, and its shape and face under the Qt
program's own scale factor. At the display's scales, 96 DPI among them, they are
test_display_scale.py's."""

import unittest

from tests.harness import face
from tests.harness.zorvin_case import ZorvinTestCase


class ShapeTest(ZorvinTestCase):
    def test_first_place_is_centred_and_pupils_wait_for_a_moved_cursor(self):
        # The pointer rests at (0, 0), which the pupils take for "not moved yet".
        self.start_program()
        # The whole window, caption and frame included, however tall the theme makes them.
        x, y, width, height = self.display.outer_rect(self.face)
        self.assertLessEqual(abs(2 * x + width - self.display.width), 1)
        self.assertLessEqual(abs(2 * y + height - self.display.height), 1)
        self.wait_for_pupils(face.pupil_places())
        self.assert_stays(self.pupils, "pupils before the cursor moved")

    def test_window_has_a_taskbar_entry(self):
        self.start_program()
        self.assertNotIn("_NET_WM_STATE_SKIP_TASKBAR", self.display.net_wm_state(self.face))

    def test_scale_factor_scales_shape_and_pixels_together_by_the_nearest_whole_factor(self):
        if not self.program.supports_scale_factor:
            self.skipTest("the program has no scale factor of its own")
        self.start_program({"QT_SCALE_FACTOR": "1.5"})
        self.factor = 2
        width, height = face.window("Form1")["client"]
        self.assertEqual(self.client_rect(self.face)[2:], (2 * width, 2 * height))
        self.wait_for_pupils(face.pupil_places())
        self.assert_shape_and_pixels_are_the_face()


if __name__ == "__main__":
    unittest.main()
