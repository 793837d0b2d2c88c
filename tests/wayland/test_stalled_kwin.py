"""A KWin that answers late, or not at all: the program's ticks keep their period all along, the
pupils follow X11's pointer meanwhile, and the KWin script's calls count whenever they come. The
X server is Xvfb with openbox; KWin is a fake (tests/harness/fake_kwin.py) on a private bus."""

import os
import re
import time
import unittest

from tests.harness import compositor, face, fake_kwin
from tests.harness.zorvin_case import ZorvinTestCase

TICK = 0.1
# A tick this late means the event loop was held up: the program waits for nothing that long.
LATE_TICK = 1.0
NO_ANSWER = "KWin did not answer"


class StalledKWinTest(ZorvinTestCase):
    def start_with_kwin(self, delay):
        bus = compositor.private_bus(self)
        kwin = fake_kwin.FakeKWin(bus, delay)
        self.addCleanup(kwin.stop)
        self.start_program({"DBUS_SESSION_BUS_ADDRESS": bus.address,
                            "WAYLAND_DISPLAY": "wayland-0",
                            "QT_LOGGING_RULES": "zorvin.pointer.debug=true",
                            "QT_MESSAGE_PATTERN": "%{time process} %{category}: %{message}"})
        return kwin

    def follow_x11(self, step):
        """Moves X11's pointer to one side of the face or the other, and waits for the pupils."""
        ox, oy = self.face_origin()
        eye_y = oy + face.eyes()[0][1]
        x = 0 if step % 2 == 0 else self.display.width - 1
        self.display.move_pointer(x, eye_y)
        self.wait_for_pupils(face.pupil_places(x - ox, eye_y - oy),
                             message="pupils for X11's pointer, move %d" % step)

    def follow_x11_until(self, condition, message, timeout):
        """Keeps X11's pointer moving, and the pupils following it, until `condition` holds."""
        deadline = time.monotonic() + timeout
        step = 0
        while not condition():
            if time.monotonic() > deadline:
                raise AssertionError("timed out after %d s waiting for %s" % (timeout, message))
            step += 1
            self.follow_x11(step)

    def follow_kwin(self, kwin):
        ox, oy = self.face_origin()
        x, y = ox + face.eyes()[0][0], self.display.height - 1
        kwin.moved(x, y)
        self.wait_for_pupils(face.pupil_places(x - ox, y - oy),
                             message="pupils for the pointer that KWin reports")

    def said(self):
        """What the program said, and the times at which it looked at the pointer."""
        said, looked = [], []
        for line in self.zorvin.output().splitlines():
            match = re.fullmatch(r"\s*([\d.]+) zorvin\.pointer: looked", line)
            if match:
                looked.append(float(match.group(1)))
            else:
                said.append(line)
        return said, looked

    def assert_ticks_kept_their_period(self):
        _, looked = self.said()
        gaps = [later - earlier for earlier, later in zip(looked, looked[1:])]
        self.assertGreater(len(gaps), 10, "ticks")
        self.assertLess(max(gaps), LATE_TICK,
                        "the longest time between two ticks of %.1f s" % TICK)

    def test_kwin_answering_after_5_s(self):
        kwin = self.start_with_kwin("5")
        os.set_blocking(kwin.process.stdout.fileno(), False)
        self.follow_x11_until(lambda: kwin.process.stdout.readline() == "answered\n",
                              "the fake KWin to answer", 20)
        os.set_blocking(kwin.process.stdout.fileno(), True)
        self.follow_kwin(kwin)
        self.assert_ticks_kept_their_period()
        self.assertEqual(self.said()[0], [], "what the program said")

    def test_kwin_never_answering(self):
        kwin = self.start_with_kwin("never")
        self.follow_x11_until(lambda: any(NO_ANSWER in line for line in self.said()[0]),
                              "the program to say that KWin does not answer", 30)
        self.follow_x11(0)
        # KWin comes back, and gets to the script.
        self.follow_kwin(kwin)
        self.assert_ticks_kept_their_period()
        said = self.said()[0]
        self.assertEqual(len(said), 1, said)
        self.display.close_from_caption(self.face)
        self.assertEqual(self.zorvin.wait_for_exit(), 0)


if __name__ == "__main__":
    unittest.main()
