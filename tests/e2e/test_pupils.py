"""Pupil tracking: where the pupils go for the cursor anywhere on the screen, read from the
screen's pixels."""

import unittest

from tests.harness import face, x11
from tests.harness.zorvin_case import ZorvinTestCase


class PupilTest(ZorvinTestCase):
    def test_pupils_look_towards_the_cursor(self):
        self.start_program()
        ox, oy = self.face_origin()
        left_eye, right_eye = face.eyes()
        width, height = self.display.width, self.display.height
        self.look_from(0, oy + left_eye[1], "far left")
        self.look_from(width - 1, oy + left_eye[1], "far right")
        self.look_from(ox + left_eye[0], 0, "straight above the left eye")
        self.look_from(ox + left_eye[0], height - 1, "straight below the left eye")
        self.look_from(ox + left_eye[0], oy + left_eye[1], "on the left eye's centre")
        self.look_from(ox + right_eye[0], oy + right_eye[1], "on the right eye's centre")
        self.look_from(width - 1, height - 1, "in the bottom right corner")

    def test_still_cursor_leaves_pupils_alone(self):
        self.start_program()
        ox, oy = self.face_origin()
        self.look_from(ox - 40, oy + 90, "below left")
        self.assert_stays(self.pupils, "pupils under a still cursor")

    def test_press_on_a_pupil_reaches_no_handler(self):
        self.start_program()
        ox, oy = self.face_origin()
        self.look_from(ox + 17, oy + 31, "on the left pupil")
        top_level = {w.id for w in self.display.top_level_windows()}
        for button in ("right", "left"):
            self.display.press(button)
            for step in range(1, 11):
                self.display.move_pointer(ox + 17 + 3 * step, oy + 31 + 2 * step)
            self.display.release(button)
            # Back on the pupil, once it has come back from following the pointer.
            self.look_from(ox + 17, oy + 31, "back on the left pupil")
        self.assert_stays(self.face_origin, "the window's place after presses on a pupil")
        self.assertEqual({w.id for w in self.display.top_level_windows()}, top_level,
                         "a window opened by a press on a pupil")

    def test_pupils_aim_again_when_the_window_moves_under_a_still_cursor(self):
        self.start_program()
        ox, oy = self.face_origin()
        left_eye = face.eyes()[0]
        self.look_from(ox + left_eye[0], oy - 150, "straight above the left eye")
        outer_x, outer_y = self.display.client_origin(self.face)
        self.display.move_window(self.face, outer_x - 300, outer_y)
        x11.wait_until(lambda: self.face_origin() == (ox - 300, oy), 5,
                       message="the window moved by the window manager")
        self.wait_for_pupils(self.expected_pupils(ox + left_eye[0], oy - 150),
                             message="pupils after the face moved left under the cursor")


if __name__ == "__main__":
    unittest.main()
