"""The pupils under a headless Plasma (5.27 or 6) Wayland session: KWin tells the program where the
pointer is through the program's own KWin script, also over the empty desktop where XWayland
never sees the pointer."""

import os
import re
import subprocess
import time
import unittest

from tests.harness import compositor, kwin_session, programs, session, x11
from tests.harness.zorvin_case import QUIET_PERIOD

compositor.require_installed(kwin_session.KWIN)

class KWinTest(compositor.FaceOnWayland):
    @classmethod
    def setUpClass(cls):
        cls.kwin = kwin_session.KWinSession(kwin_session.fake_pointer())
        cls.open_session(cls.kwin)

    @classmethod
    def tearDownClass(cls):
        cls.close_session(cls.kwin)

    def move_pointer(self, x, y):
        self.kwin.move_pointer(x, y)

    def test_pupils_follow_the_pointer_over_the_empty_desktop(self):
        zorvin = self.start_program(self.kwin.environment)
        moved = compositor.monitor(self, self.kwin.bus.address, "type='method_call',member='Moved'")
        for (x, y), place in self.places_around_the_face(*self.kwin.size):
            self.look_from(x, y, place)
        self.assertGreater(len(moved.messages()), 0,
                           "calls from KWin's script while the pointer moved")

        time.sleep(QUIET_PERIOD)
        still = time.monotonic()
        time.sleep(QUIET_PERIOD)
        self.assertEqual(moved.messages(since=still), [],
                         "calls from KWin's script while the pointer is still")

        # A burst of moves a millisecond apart: one call at once, then one per tick at most.
        start = time.monotonic()
        for step in range(100):
            self.kwin.move_pointer(200 + step, 300)
            time.sleep(0.001)
        ticks = (time.monotonic() - start) / 0.1
        x11.wait_until(lambda: self.pupils() == self.expected_pupils(299, 300), 5,
                       message="pupils for the burst's last place")
        self.assertLessEqual(len(moved.messages(since=start)), ticks + 2,
                             "calls for a burst of %d moves" % 100)
        self.assertEqual(zorvin.output(), "", "what the program said")

    def test_qt_wayland_platform_in_the_environment_changes_nothing(self):
        # Chosen for the user's native Wayland programs: the face is still an X11 window.
        self.start_program(dict(self.kwin.environment, QT_QPA_PLATFORM="wayland"))
        for (x, y), place in self.places_around_the_face(*self.kwin.size)[:2]:
            self.look_from(x, y, place)

    def test_exit_unloads_the_script(self):
        zorvin = self.start_program(self.kwin.environment)
        script = self.loaded_script(zorvin)
        ox, oy = self.face_origin()
        self.kwin.move_pointer(ox + 45, oy + 50)
        self.kwin.click("right")
        x11.wait_until(lambda: len(self.display.top_level_windows()) > 1, 5,
                       message="the pop-up menu")
        self.kwin.key("e")
        self.assertEqual(zorvin.wait_for_exit(), 0)
        self.assertFalse(self.kwin.script_loaded(script), "the script after Exit")

    def loaded_script(self, zorvin):
        """The name of the program's own script, once KWin has it."""
        script = self.kwin.script_of(zorvin.process)
        x11.wait_until(lambda: self.kwin.script_loaded(script), 5, message="its script loaded")
        return script

    # Several Zorvins at once: each has its own script, which goes with it, and the one that
    # starts next removes the script of one that was killed.

    def start_instance(self):
        zorvin = self.start_program(self.kwin.environment)
        return zorvin, self.face, self.loaded_script(zorvin)

    def assert_all_follow(self, *instances):
        width, height = self.kwin.size
        # Never the corner where the tests leave the pointer: a face started with the pointer at
        # (0, 0) takes it for one not moved yet, and a move there is none.
        for x, y in ((1, 1), (width - 1, height - 1)):
            self.kwin.move_pointer(x, y)
            for number, (_, face_window, _) in enumerate(instances):
                self.wait_for_pupils(self.expected_pupils(x, y, face_window),
                                     "pupils of Zorvin %d for the pointer at %d,%d"
                                     % (number + 1, x, y), face_window)

    def test_each_exit_leaves_the_others_following(self):
        first, second = self.start_instance(), self.start_instance()
        self.assertNotEqual(first[2], second[2], "the two scripts' names")
        self.assert_all_follow(first, second)

        for ending, staying in ((second, first), (first, self.start_instance())):
            zorvin, face_window, script = ending
            self.display.close_from_caption(face_window)
            self.assertEqual(zorvin.wait_for_exit(), 0)
            self.assertFalse(self.kwin.script_loaded(script), "the script of the one that ended")
            self.assertTrue(self.kwin.script_loaded(staying[2]), "the other one's script")
            self.assert_all_follow(staying)
        self.assertEqual(staying[0].output(), "", "what the program said")

    # The pupils following KWin's pointer tell that a script runs: one that starts after its Zorvin
    # ended unloads itself at once.
    def test_a_killed_ones_script_unloads_itself_at_the_next_move(self):
        instance = self.start_instance()
        self.assert_all_follow(instance)
        zorvin, _, script = instance
        zorvin.process.kill()
        zorvin.process.wait()
        self.assertTrue(self.kwin.script_loaded(script), "the killed one's script")
        self.kwin.move_pointer(0, 0)
        x11.wait_until(lambda: not self.kwin.script_loaded(script), 5,
                       message="the killed one's script unloaded, with no Zorvin left to do it")

    def test_the_next_one_removes_a_killed_ones_script(self):
        first, second = self.start_instance(), self.start_instance()
        self.assert_all_follow(first, second)
        first[0].process.kill()
        first[0].process.wait()
        self.assertTrue(self.kwin.script_loaded(first[2]), "the killed one's script")
        third = self.start_instance()
        x11.wait_until(lambda: not self.kwin.script_loaded(first[2]), 5,
                       message="the killed one's script removed")
        self.assertTrue(self.kwin.script_loaded(second[2]), "a running one's script")
        self.assert_all_follow(second, third)


class KWinRestartTest(compositor.FaceOnWayland):
    """KWin goes away and comes back while the program runs. Under a real session KWin's X server
    goes with it, so the program shows itself on an X server of its own here (Xvfb) and keeps
    only KWin's bus."""

    def test_pupils_follow_x11_while_kwin_is_away(self):
        self.program = programs.from_environment()
        kwin = kwin_session.KWinSession(kwin_session.fake_pointer())
        self.addCleanup(kwin.stop)
        kwin.start()
        xvfb = session.XSession()
        self.addCleanup(xvfb.stop)
        xvfb.start()
        environment = dict(kwin.environment, XAUTHORITY="")
        del environment["DISPLAY"]
        self.display = xvfb.display
        zorvin = self.start_program(environment)
        width, height = kwin.size
        ox, oy = self.face_origin()

        kwin.move_pointer(0, oy)
        xvfb.display.move_pointer(width - 1, oy)
        self.wait_for_pupils(self.expected_pupils(0, oy), "pupils for KWin's pointer")

        kwin.stop_kwin()
        self.wait_for_pupils(self.expected_pupils(width - 1, oy),
                             "pupils for X11's pointer while KWin is away")
        xvfb.display.move_pointer(ox, height - 1)
        self.wait_for_pupils(self.expected_pupils(ox, height - 1),
                             "pupils for X11's pointer moving while KWin is away")

        kwin.start_kwin()
        kwin.move_pointer(0, 0)
        self.wait_for_pupils(self.expected_pupils(0, 0), "pupils for KWin's pointer again")
        self.assertIsNone(zorvin.process.poll(), "the program ended")


class KWinScaleTest(compositor.FaceOnWayland):
    """A desktop at scale 2. X11 programs that KWin scales see its logical pixels; with KWin's
    option in which they scale themselves, they see physical pixels, twice as many each way. Which
    one X11 got is read from the session: its X screen against KWin's logical desktop. And outputs
    that change under a still pointer."""

    def start_session(self, kwin):
        """Starts `kwin`, a KWinSession, for this test; returns its X display."""
        self.open_session(kwin)
        self.addCleanup(self.close_session, kwin)
        return self.display

    def follow_at_scale_2(self, x11_scales_itself):
        kwin = kwin_session.KWinSession(kwin_session.fake_pointer(), scale=2,
                                        x11_scales_itself=x11_scales_itself)
        display = self.start_session(kwin)
        [((_, _, width, height), scale)] = kwin.outputs()
        self.assertEqual(scale, 2, "the desktop's scale")
        x11_scale = display.width // width
        self.assertEqual((display.width, display.height), (width * x11_scale, height * x11_scale),
                         "the X screen against KWin's logical desktop")
        self.assertEqual(x11_scale, 2 if x11_scales_itself else 1, "X11 pixels per logical pixel")
        self.start_program(kwin.environment)
        for (x, y), place in self.places_around_the_face(display.width, display.height):
            logical_x, logical_y = x // x11_scale, y // x11_scale
            kwin.move_pointer(logical_x, logical_y)
            self.wait_for_pupils(
                self.expected_pupils(logical_x * x11_scale, logical_y * x11_scale),
                "pupils for the pointer " + place)

    def test_x11_programs_scaled_by_kwin(self):
        self.follow_at_scale_2(x11_scales_itself=False)

    def test_x11_programs_scaling_themselves(self):
        self.follow_at_scale_2(x11_scales_itself=True)

    def follow_on_two_outputs(self, x11_scales_itself):
        """Outputs at scales 1 and 2 side by side: the pointer in the corners of each, mapped
        onto the X11 screen of that output as XWayland shows it."""
        kwin = kwin_session.KWinSession(kwin_session.fake_pointer(), other_scales=(2,),
                                        x11_scales_itself=x11_scales_itself)
        self.start_session(kwin)
        outputs = kwin.outputs()
        if [scale for _, scale in outputs] != [1, 2]:
            self.skipTest("this KWin gives every output the same scale: %s" % outputs)
        screens = x11_screens(kwin.environment)
        self.start_program(kwin.environment)
        # A pixel in from each output's top-left corner: a new session's pointer may rest at
        # (0, 0), which a face started then takes for one not moved yet.
        for ((x, y, width, height), _), (sx, sy, swidth, sheight) in zip(outputs, screens):
            for lx, ly in ((x + 1, y + 1), (x + width - 1, y + height - 1)):
                kwin.move_pointer(lx, ly)
                self.wait_for_pupils(
                    self.expected_pupils(sx + (lx - x) * swidth // width,
                                         sy + (ly - y) * sheight // height),
                    "pupils for the pointer at %d,%d on the output at %d,%d" % (lx, ly, x, y))

    def test_two_outputs_x11_scaled_by_kwin(self):
        self.follow_on_two_outputs(x11_scales_itself=False)

    def test_two_outputs_x11_scaling_themselves(self):
        self.follow_on_two_outputs(x11_scales_itself=True)

    # The pointer rests in the far corner of the left one of two outputs while the right one is
    # unplugged: mapped with the outputs of before onto the one screen left, it would be at the
    # middle of that screen. The face then moves, so that the pupils look again.
    def test_output_unplugged_under_a_still_pointer(self):
        kwin = kwin_session.KWinSession(kwin_session.fake_pointer(), other_scales=(1,))
        display = self.start_session(kwin)
        self.start_program(kwin.environment)
        width, height = kwin.size
        x, y = width - 1, height - 1
        kwin.move_pointer(x, y)
        self.wait_for_pupils(self.expected_pupils(x, y), "pupils for the pointer on the left")

        subprocess.run([kwin_session.unplug_output()], env=dict(os.environ, **kwin.environment),
                       check=True)
        x11.wait_until(lambda: len(x11_screens(kwin.environment)) == 1, 10,
                       message="XWayland's screens to be one")
        display.move_window_and_wait(self.face, width * 5 // 8, height // 4)
        self.wait_for_pupils(self.expected_pupils(x, y),
                             "pupils for the still pointer once the right output is gone")


def x11_screens(environment):
    """XWayland's screens, (x, y, width, height) each, left to right."""
    listed = subprocess.run(["xrandr", "--listmonitors"], env=dict(os.environ, **environment),
                            capture_output=True, text=True, check=True).stdout
    return sorted((int(x), int(y), int(width), int(height)) for width, height, x, y in
                  re.findall(r"(\d+)/-?\d+x(\d+)/-?\d+\+(-?\d+)\+(-?\d+)", listed))


if __name__ == "__main__":
    unittest.main()
