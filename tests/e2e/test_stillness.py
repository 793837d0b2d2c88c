"""After a still spell, in which the program may sleep: the pupils follow the next move of the
pointer by a device, a warp of it by another program (for which the X server sends no input
event) at once, even once the Linux program's helper for its looks has ended, a move of the face by
the window manager, a screen added, the pointer while another program holds it, and, for
Zorvin.exe, the pointer beyond another Wine program it crossed; a drag works as ever. On a server
without RECORD, which tells of warps, the first warp is found by a look and the ones after it at
the ticks; the looks compare with what the program last saw."""

import os
import select
import shutil
import signal
import subprocess
import tempfile
import time
import unittest

from tests.harness import face, session, x11
from Xlib import X, display as xdisplay
from tests.harness.zorvin_case import ZorvinTestCase

# Nothing moves for this long: the state under test, not a wait for something to happen.
STILL_SPELL = 3.0
NOTEPAD = "Untitled - Notepad"  # a second Wine program, always there
# The Linux program's helper says so at each look.
LOOK_LOG = {"QT_LOGGING_RULES": "zorvin.look.debug=true"}
LOOKED = "zorvin.look: looked"
# Tries of what a look may happen to do at the same moment.
TRIES = 6
# The pointer rests between two moves, as a person's does: several ticks, less than a look period.
PAUSE = 0.6


class StillnessCase(ZorvinTestCase):
    def setUp(self):
        self.start_program(LOOK_LOG)
        self.origin = self.face_origin()
        self.look_from(self.origin[0] - 200, self.origin[1] + 30, "left of the face")

    def require_helper(self):
        if self.program.name != "linux":
            self.skipTest("only the Linux program looks with a helper")

    def followed_without_a_look(self, x, y, place, way):
        """Moves the pointer `way`, waits for the pupils, and says whether they followed with no
        look of the helper's between: then something else than a look told of the move."""
        looks = self.zorvin.output().count(LOOKED)
        self.look_from(x, y, place, way=way)
        return self.zorvin.output().count(LOOKED) == looks


class StillnessTest(StillnessCase):
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
        self.look_from(ox + 21, oy - 300, "warped above the face", way="xiwarp")
        self.look_from(ox + 500, oy + 30, "warped right of the face again", way="warp")

    # The X server tells of each warp as it is asked: the pupils follow before the next look.
    # A look may come at that moment by chance; not at every try.
    def test_warps_after_still_spells_are_followed_before_the_next_look(self):
        self.require_helper()
        ox, oy = self.origin
        places = [(ox + 500, oy + 30, "warped right of the face", "warp"),
                  (ox + 21, oy - 300, "warped above the face", "xiwarp")]
        for attempt in range(TRIES):
            time.sleep(STILL_SPELL)
            if self.followed_without_a_look(*places[attempt % 2]):
                return
        self.fail("each of %d warps waited for a look" % TRIES)

    def test_the_helper_ends_with_a_killed_program(self):
        self.require_helper()
        (helper,) = self.zorvin.children()
        os.kill(self.zorvin.process.pid, signal.SIGKILL)

        def ended():
            try:
                with open("/proc/%d/stat" % helper) as stat:
                    return stat.read().rsplit(")", 1)[1].split()[0] == "Z"
            except OSError:
                return True

        x11.wait_until(ended, 5, message="zorvin-look ended")

    def test_a_warp_after_the_looks_helper_ended_is_followed(self):
        self.require_helper()
        (helper,) = self.zorvin.children()
        os.kill(helper, signal.SIGKILL)
        time.sleep(STILL_SPELL)
        ox, oy = self.origin
        self.look_from(ox + 500, oy + 30, "warped right of the face, the helper gone", way="warp")

    def test_the_face_moved_under_a_still_pointer_after_a_still_spell_aims_again(self):
        ox, oy = self.origin
        pointer = (ox + face.eyes()[0][0], oy - 150)
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


class WithoutRecordTest(StillnessCase):
    """A server without RECORD, nor XTEST with it: the pointer moves by warps alone."""

    SERVER_ARGUMENTS = ("-extension", "RECORD")

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.display.pointer_moves = "warp"

    def test_after_the_first_warp_a_look_finds_the_next_are_followed_at_the_ticks(self):
        time.sleep(STILL_SPELL)
        ox, oy = self.origin
        self.look_from(ox + 500, oy + 30, "warped right of the face")
        places = [(ox + 21, oy - 300, "above"), (ox + 21, oy + 300, "below"),
                  (ox + 500, oy + 30, "right of"), (ox - 300, oy + 30, "left of")]
        followed = []
        for x, y, place in places + places[:TRIES - len(places)]:
            time.sleep(PAUSE)
            followed.append(self.followed_without_a_look(x, y, "warped %s the face" % place,
                                                         "warp"))
        self.assertTrue(any(followed), "each warp after the first waited for a look")

    def test_the_helper_says_once_that_the_server_has_no_record(self):
        self.require_helper()
        x11.wait_until(lambda: "no RECORD extension" in self.zorvin.output(), 5,
                       message="the helper's word on RECORD")
        self.assertEqual(self.zorvin.output().count("no RECORD extension"), 1)

    # Where the program saw the pointer, not where the look before saw it: a warp back to the
    # place of the last look, after the program saw it elsewhere, is a move too.
    def test_a_look_finds_a_warp_back_to_where_the_look_before_found_the_pointer(self):
        self.require_helper()
        helper = subprocess.Popen(
            [os.path.join(os.path.dirname(self.program.executable), "zorvin-look"), "1000",
             "--log"], env=dict(os.environ, DISPLAY=self.x.name), stdin=subprocess.PIPE,
            stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        self.addCleanup(helper.communicate)
        self.addCleanup(helper.kill)

        def news():
            ready, _, _ = select.select([helper.stdout], [], [], 5)
            return os.read(helper.stdout.fileno(), 1) if ready else b"nothing"

        self.assertEqual(news(), b"r")

        def looked():
            while LOOKED not in helper.stderr.readline().decode():
                pass

        self.move_pointer(100, 100)
        helper.stdin.write(b"100 100\n")
        helper.stdin.flush()
        looked()
        looked()  # one look surely with the pointer at 100, 100
        self.move_pointer(300, 300)
        helper.stdin.write(b"300 300\n")  # the program saw it there
        helper.stdin.flush()
        self.move_pointer(100, 100)
        looked()
        self.assertEqual(news(), b"l")


if __name__ == "__main__":
    unittest.main()
