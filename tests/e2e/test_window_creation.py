"""Zorvin.exe's backend when a window cannot be built: the error travels on and nothing of the
window is left behind for the messages that follow (tests/win32/window_creation_check.cpp)."""

import os
import shutil
import subprocess
import tempfile
import unittest

from zorvin_case import ZorvinTestCase


class WindowCreationTest(ZorvinTestCase):
    def test_a_window_that_cannot_be_built_leaves_nothing_behind(self):
        if self.program.name != "wine":
            self.skipTest("a check of the Windows backend")
        check = os.path.join(os.path.dirname(self.program.executable), "zorvin_win32_checks.exe")
        work_dir = tempfile.mkdtemp(prefix="zorvin-check-")
        self.addCleanup(shutil.rmtree, work_dir, True)
        self.addCleanup(self.program.prefix.end_processes)
        result = subprocess.run(["wine", check], env=self.program.environment(work_dir, self.x.name),
                                capture_output=True, text=True, timeout=120)
        self.assertEqual(result.returncode, 0, result.stderr)


if __name__ == "__main__":
    unittest.main()
