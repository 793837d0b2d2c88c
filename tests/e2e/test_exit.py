"""How the program ends: by Exit, with both windows closing and status 0, when its last window is
closed, and at once with one line of explanation when there is no display."""

import os
import unittest

from tests.harness import programs
from tests.harness.zorvin_case import ZorvinTestCase


class ExitTest(ZorvinTestCase):
    def test_exit_closes_both_windows_with_status_zero(self):
        self.start_program()
        self.open_about()
        self.choose("e")
        self.assertEqual(self.zorvin.wait_for_exit(), 0)
        self.assertEqual(self.display.find_windows(programs.MAIN_WINDOW), [])
        self.assertEqual(self.display.find_windows(programs.ABOUT_WINDOW), [])

    def test_closing_the_character_by_the_window_manager_ends_the_program(self):
        self.start_program()
        self.display.close_from_caption(self.face)
        self.assertEqual(self.zorvin.wait_for_exit(), 0)


class NoDisplayTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.program = programs.from_environment()

    def assert_fails_in_one_line(self, result):
        self.assertEqual(result.returncode, 1, result.stderr)
        lines = result.stderr.splitlines()
        self.assertEqual(len(lines), 1, result.stderr)
        self.assertTrue(lines[0].strip())

    def test_no_display_at_all(self):
        self.assert_fails_in_one_line(self.program.run_without_display())

    def test_display_that_does_not_answer(self):
        unused = next(n for n in range(900, 1000) if not os.path.exists("/tmp/.X11-unix/X%d" % n))
        self.assert_fails_in_one_line(
            self.program.run_without_display({"DISPLAY": ":%d" % unused}))

    def test_wayland_session_without_xwayland(self):
        self.assert_fails_in_one_line(
            self.program.run_without_display({"WAYLAND_DISPLAY": "wayland-0"}))
        # Qt's Wayland platform, chosen for the user's other programs, changes nothing.
        self.assert_fails_in_one_line(self.program.run_without_display(
            {"WAYLAND_DISPLAY": "wayland-0", "QT_QPA_PLATFORM": "wayland"}))


if __name__ == "__main__":
    unittest.main()
