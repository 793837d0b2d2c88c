"""After a still spell, in which the program may sleep: the pupils follow the next move of the
pointer by a device, a warp of it by another program (which the X server tells no listener of),
even once the Linux program's helper for its looks has ended, a move of the face by the window
manager, a screen added, the pointer while another program holds it, and, for Zorvin.exe, the
pointer beyond another Wine program it crossed; a drag works as ever."""

import os
import shutil
import signal
import subprocess
import tempfile
import time
import unittest

import face
import session
import x11
from Xlib import X, display as xdisplay
from zorvin_case import ZorvinTestCase

# Nothing moves for this long: the state under test, not a wait for something to happen.
STILL_SPELL = 3.0
NOTEPAD = "Untitled - Notepad"  # a second Wine program, always there


class StillnessTest(ZorvinTestCase):
    def setUp(self):
        self.start_program()
        self.origin = self.face_origin()
        self.look_from(self.origin[0] - 200, self.origin[1] + 30, "left of the face")

    def xrandr(self, *arguments):
        subprocess.run(["xrandr", "--display", self.x.name, *arguments], check=True,
                       capture_output=True)

    def wait_for_followed(self, screen_x, screen_y, place):
        self.wait_for_pupils(self.expected_pupils(screen_x, screen_y),
                             "pupils for the pointer " + place)

    def test_a_move_after_a_still_spell_is_followed(self):
        time.sleep(STILL_SPELL)
        ox, oy = self.origin
        self.look_from(ox + 500, oy + 30, "right of the face")
        self.look_from(ox + 21, oy - 300, "above the face")

    def test_a_warp_after_a_still_spell_is_followed_and_so_are_the_warps_after_it(self):
        time.sleep(STILL_SPELL)
        ox, oy = self.origin
        self.look_from(ox + 500, oy + 30, "warped right of the face", way="warp")
        self.look_from(ox + 21, oy - 300, "warped above the face", way="warp")

    def test_a_warp_after_the_looks_helper_ended_is_followed(self):
        if self.program.name != "linux":
            self.skipTest("only the Linux program looks with a helper")
        (helper,) = self.zorvin.children()
        os.kill(helper, signal.SIGKILL)
        time.sleep(STILL_SPELL)
        ox, oy = self.origin
        self.look_from(ox + 500, oy + 30, "warped right of the face, the helper gone", way="warp")

    def test_the_face_moved_under_a_still_pointer_after_a_still_spell_aims_again(self):
        ox, oy = self.origin
        pointer = (ox + face.EYES[0][0], oy - 150)
        self.look_from(*pointer, "straight above the left eye")
        time.sleep(STILL_SPELL)
        outer_x, outer_y = self.display.client_origin(self.face)
        self.display.move_window(self.face, outer_x + 300, outer_y)
        x11.wait_until(lambda: self.face_origin() == (ox + 300, oy), 5,
                       message="the window moved by the window manager")
        self.wait_for_followed(*pointer, "now above and left of the face")

    def test_a_move_after_a_screen_was_added_is_followed(self):
        time.sleep(STILL_SPELL)
        width, height = self.display.width, self.display.height
        self.xrandr("--setmonitor", "Added", "%d/338x%d/270+0+0" % (width // 2, height), "none")
        self.addCleanup(self.xrandr, "--delmonitor", "Added")
        ox, oy = self.origin
        self.look_from(ox + 21, oy + 400, "below the face")

    def test_the_pointer_is_followed_while_another_program_holds_it(self):
        grabber = xdisplay.Display(self.x.name)
        self.addCleanup(grabber.close)
        status = grabber.screen().root.grab_pointer(
            False, X.PointerMotionMask | X.ButtonPressMask | X.ButtonReleaseMask,
            X.GrabModeAsync, X.GrabModeAsync, X.NONE, X.NONE, X.CurrentTime)
        self.assertEqual(status, X.GrabSuccess, "another client's grab of the pointer")
        time.sleep(STILL_SPELL)
        ox, oy = self.origin
        self.look_from(ox + 500, oy + 30, "right of the face, grabbed by another client")
        self.look_from(ox + 21, oy + 300, "below the face, grabbed by another client")

    def test_a_drag_after_a_still_spell_moves_the_face_and_tracking_resumes(self):
        time.sleep(STILL_SPELL)
        self.drag(30, 3, 2)
        moved = (self.origin[0] + 90, self.origin[1] + 60)
        x11.wait_until(lambda: self.face_origin() == moved, 5, message="the face dragged")
        self.assert_stays(self.face_origin, "the face's place after the drag")
        self.look_from(moved[0] + 21, moved[1] - 300, "above the dragged face")

    # Wine hands the mouse input of every Wine program of the prefix to the others as raw input,
    # and none for moves over native windows.
    def start_notepad(self):
        work_dir = tempfile.mkdtemp(prefix="zorvin-notepad-")
        self.addCleanup(shutil.rmtree, work_dir, True)
        notepad = session.start_process_group(
            ["wine", "notepad"], env=self.program.environment(work_dir, self.x.name),
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.addCleanup(self.display.wait_until_gone, NOTEPAD)
        self.addCleanup(session.end_process_group, notepad)
        window = self.display.wait_for_window(NOTEPAD, 60)
        self.display.move_window(window, 0, 0)
        x11.wait_until(lambda: self.display.outer_rect(window)[:2] == (0, 0), 5,
                       message="Notepad moved to the top-left corner")
        return window

    def test_the_pointer_is_followed_beyond_another_wine_program_it_crossed(self):
        if self.program.name != "wine":
            self.skipTest("a second Wine program's input reaches Zorvin.exe under Wine only")
        x, y, width, height = self.program.client_rect(self.display, self.start_notepad())
        ox, oy = self.origin
        row = y + 40
        self.assertLess(row, oy, "a row of Notepad's above the face")
        for step in range(11):
            self.display.move_pointer(x + 10 + (width - 20) * step // 10, row)
        self.wait_for_followed(x + width - 10, row, "at the end of its sweep across Notepad")
        time.sleep(STILL_SPELL)
        beyond = [(ox + 21, oy + 300, "on the desktop below the face"),
                  (x + width + 50, oy + 30, "on the desktop right of Notepad")]
        for px, py, place in beyond:
            self.assertFalse(x <= px < x + width and y <= py < y + height, place)
            self.look_from(px, py, place)


if __name__ == "__main__":
    unittest.main()
