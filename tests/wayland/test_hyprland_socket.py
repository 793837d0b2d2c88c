"""Hyprland without cursor sessions, which tells the pointer only when asked on its control socket.
A stand-in answers on that socket here, with the pointer where the test puts it, on one monitor
that shows the whole screen at scale 2. The X server is Xvfb with openbox, whose root window stands
for the desktop outside XWayland's windows, where X11 cannot see the pointer."""

import json
import os
import shutil
import socketserver
import tempfile
import threading
import unittest

from tests.harness import face, session
from tests.harness.zorvin_case import GRAB, ZorvinTestCase

SIGNATURE = "zorvin_test_1"


class StandInHyprland:
    """Answers one question a connection and closes it, as Hyprland does."""

    def __init__(self):
        self.runtime = tempfile.mkdtemp(prefix="zorvin-hypr-")
        os.makedirs(os.path.join(self.runtime, "hypr", SIGNATURE))
        self.pointer = (0, 0)
        self.questions = 0
        width, height = session.SCREEN_SIZE
        monitors = [{"name": "HDMI-A-1", "x": 0, "y": 0, "width": width * 2, "height": height * 2,
                     "scale": 2.0, "transform": 0}]
        stand_in = self
        answers = {b"j/monitors": lambda: monitors,
                   b"j/cursorpos": lambda: dict(zip("xy", self.pointer))}

        class Answer(socketserver.BaseRequestHandler):
            def handle(self):
                stand_in.questions += 1
                answer = answers.get(self.request.recv(1024))
                self.request.sendall(json.dumps(answer() if answer else "unknown request").encode())

        self.server = socketserver.UnixStreamServer(
            os.path.join(self.runtime, "hypr", SIGNATURE, ".socket.sock"), Answer)
        self.thread = threading.Thread(target=self.server.serve_forever)
        self.thread.start()
        self.environment = {"HYPRLAND_INSTANCE_SIGNATURE": SIGNATURE,
                            "XDG_RUNTIME_DIR": self.runtime, "WAYLAND_DISPLAY": "wayland-0"}

    def stop(self):
        if self.thread.is_alive():
            self.server.shutdown()
            self.thread.join()
            self.server.server_close()
        shutil.rmtree(self.runtime, ignore_errors=True)


class HyprlandSocketTest(ZorvinTestCase):
    def setUp(self):
        self.hyprland = StandInHyprland()
        self.addCleanup(self.hyprland.stop)
        self.zorvin = self.start_program(self.hyprland.environment)
        self.eye_y = self.face_origin()[1] + face.eyes()[0][1]

    def wait_for_pupils_at(self, x, y, place):
        self.wait_for_pupils(self.expected_pupils(x, y), "pupils for the pointer " + place)

    def test_hyprland_away_from_x11_windows_and_x11_over_them(self):
        right = self.display.width - 1
        for x, place in ((right, "far right"), (0, "far left")):
            self.hyprland.pointer = (x, self.eye_y)
            self.wait_for_pupils_at(x, self.eye_y, "that Hyprland tells " + place)
        x, y = self.to_screen(*GRAB)
        self.display.move_pointer(x, y)
        self.wait_for_pupils_at(x, y, "that X11 sees over the face")
        # Nothing is asked meanwhile but a question that was on its way.
        asked = self.hyprland.questions
        self.assert_stays(lambda: self.hyprland.questions <= asked + 1,
                          "whether Hyprland is asked while X11 sees the pointer")
        self.display.move_pointer(right, self.display.height - 1)
        self.wait_for_pupils_at(0, self.eye_y, "that Hyprland tells once it is off the face")
        self.assertEqual(self.zorvin.output(), "", "what the program said")

    def test_x11_again_once_hyprland_is_gone(self):
        right = self.display.width - 1
        self.hyprland.pointer = (right, self.eye_y)
        self.display.move_pointer(0, self.eye_y)
        self.wait_for_pupils_at(right, self.eye_y, "that Hyprland tells far right")
        self.hyprland.stop()
        self.wait_for_pupils_at(0, self.eye_y, "that X11 sees far left, Hyprland gone")


if __name__ == "__main__":
    unittest.main()
