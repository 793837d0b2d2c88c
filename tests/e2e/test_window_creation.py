"""Zorvin.exe's backend when a window cannot be built: the error travels on and nothing of the
window is left behind for the messages that follow (tests/win32/window_creation_check.cpp)."""

import unittest

from tests.harness.zorvin_case import ZorvinTestCase


class WindowCreationTest(ZorvinTestCase):
    def test_a_window_that_cannot_be_built_leaves_nothing_behind(self):
        if self.program.name != "wine":
            self.skipTest("a check of the Windows backend")
        self.run_wine_check("zorvin_win32_checks.exe")


if __name__ == "__main__":
    unittest.main()
