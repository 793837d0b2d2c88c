"""The pupils under a headless GNOME Shell Wayland session (43 on Debian 12, 48 on Debian 13):
Zorvin's Shell extension, in the format of the installed Shell, tells the program where the pointer
is, also over the empty desktop where XWayland never sees the pointer; without it the program falls
back to X11 and says why."""

import os
import time
import unittest

import compositor
import gnome_shell_session
import x11

compositor.skip_unless_installed(gnome_shell_session.GNOME_SHELL)

UUID = os.environ.get("ZORVIN_GNOME_EXTENSION_UUID", "")
SERVICE = "org.example.zorvin.ShellPointer"
ENABLE_COMMAND = "gnome-extensions enable " + UUID


class GnomeShellTest(compositor.FaceOnWayland, unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.shell = gnome_shell_session.GnomeShellSession(
            os.environ["ZORVIN_GNOME_EXTENSIONS"], UUID)
        cls.open_session(cls.shell)

    @classmethod
    def tearDownClass(cls):
        cls.close_session(cls.shell)

    def extension(self, enabled):
        self.shell.set_extension(enabled)
        x11.wait_until(lambda: self.shell.bus.has_owner(SERVICE) == enabled, 5,
                       message="the extension %s" % ("enabled" if enabled else "disabled"))

    def look_from(self, x, y, place):
        self.shell.move_pointer(x, y)
        self.wait_for_pupils(self.expected_pupils(x, y), "pupils for the pointer " + place)

    def test_pupils_follow_the_pointer_over_the_empty_desktop(self):
        zorvin = self.start_zorvin(self.display, self.shell.environment)
        for (x, y), place in self.places_around_the_face(*self.shell.size):
            self.look_from(x, y, place)
        self.assertEqual(zorvin.output(), "", "what the program said")

    def test_turned_off_extension_leaves_x11(self):
        self.addCleanup(self.extension, True)
        zorvin = self.start_zorvin(self.display, self.shell.environment)
        (x, y), place = self.places_around_the_face(*self.shell.size)[0]
        self.look_from(x, y, place)

        # Where XWayland last saw the pointer, which is all X11 can tell over the empty desktop.
        self.extension(False)
        self.wait_for_pupils(self.expected_pupils(*self.display.pointer()),
                             "pupils for X11's pointer with the extension off")
        before = self.pupils()
        self.shell.move_pointer(0, 0)
        self.assert_stays(before, "pupils for the pointer over the empty desktop, unseen")

        self.extension(True)
        self.look_from(0, 0, "over the empty desktop with the extension back")
        self.assertIsNone(zorvin.process.poll(), "the program ended")

    def test_without_the_extension_says_how_to_enable_it(self):
        self.addCleanup(self.extension, True)
        self.extension(False)
        zorvin = self.start_zorvin(self.display, self.shell.environment)
        lines = x11.wait_until(zorvin.output, 5, message="the program's word").splitlines()
        self.assertEqual(len(lines), 1, "what the program said: %r" % lines)
        self.assertIn('"%s"' % ENABLE_COMMAND, lines[0])
        self.extension(True)
        self.look_from(0, 0, "over the empty desktop once the extension is enabled")

    def assert_stays(self, expected, message):
        deadline = time.monotonic() + 0.6  # several ticks
        while time.monotonic() < deadline:
            self.assertEqual(self.pupils(), expected, message)
            time.sleep(0.05)


if __name__ == "__main__":
    unittest.main()
