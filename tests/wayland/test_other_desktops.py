"""A Wayland desktop whose compositor offers no help: the program behaves as on X11, where
XWayland sees the pointer, and says why once. The X server here is Xvfb with openbox; the session
claims to be Wayland, with a bus on which no compositor listens, or no bus at all."""

import unittest

from tests.harness import compositor, face, x11
from tests.harness.zorvin_case import ZorvinTestCase

WHY = ("zorvin: this Wayland desktop tells no program where the pointer is, so the pupils follow "
       "the pointer only over X11 windows\n")


class OtherWaylandDesktopTest(ZorvinTestCase):
    def says_why_and_follows_x11(self, environment):
        zorvin = self.start_program(dict(environment, WAYLAND_DISPLAY="wayland-0"))
        ox, oy = self.face_origin()
        self.display.move_pointer(0, oy + face.eyes()[0][1])
        self.wait_for_pupils([(13, 28), (63, 28)], message="pupils for X11's pointer far left")
        self.assertEqual(x11.wait_until(zorvin.output, 5, message="the program's word"), WHY)

    def test_bus_without_a_compositor(self):
        bus = compositor.private_bus(self)
        self.says_why_and_follows_x11({"DBUS_SESSION_BUS_ADDRESS": bus.address})

    def test_no_bus(self):
        self.says_why_and_follows_x11({"DBUS_SESSION_BUS_ADDRESS": "unix:path=/nonexistent"})


if __name__ == "__main__":
    unittest.main()
