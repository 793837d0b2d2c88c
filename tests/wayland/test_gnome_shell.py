"""The pupils under a headless GNOME Shell Wayland session (43 on Debian 12, 48 on Debian 13):
Zorvin's Shell extension, in the format of the installed Shell, tells the program where the pointer
is, also over the empty desktop where XWayland never sees the pointer; without it the program falls
back to X11 and says why. The extension tells only the programs that subscribed, and only while
the pointer moves: a monitor on the session bus sees what passes between the Shell and each."""

import os
import time
import unittest

from gi.repository import Gio, GLib

from tests.harness import compositor, gnome_shell_session, x11

compositor.require_installed(gnome_shell_session.GNOME_SHELL)

UUID = os.environ.get("ZORVIN_GNOME_EXTENSION_UUID", "")
SERVICE = "org.example.zorvin.ShellPointer"
PATH = "/org/example/zorvin/ShellPointer"
SUBSCRIBER_INTERFACE = SERVICE + ".Subscriber"
ENABLE_COMMAND = "gnome-extensions enable " + UUID
# The extension tells each subscriber at most once per tick of the program's timer.
TICK = 0.1
# A still pointer, for thirty ticks.
STILL = 3.0


class GnomeShellTest(compositor.FaceOnWayland):
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

    def move_pointer(self, x, y):
        self.shell.move_pointer(x, y)

    def test_pupils_follow_the_pointer_over_the_empty_desktop(self):
        zorvin = self.start_program(self.shell.environment)
        for (x, y), place in self.places_around_the_face(*self.shell.size):
            self.look_from(x, y, place)
        self.assertEqual(zorvin.output(), "", "what the program said")

    def test_turned_off_extension_leaves_x11(self):
        self.addCleanup(self.extension, True)
        zorvin = self.start_program(self.shell.environment)
        (x, y), place = self.places_around_the_face(*self.shell.size)[0]
        self.look_from(x, y, place)

        # Where XWayland last saw the pointer, which is all X11 can tell over the empty desktop.
        self.extension(False)
        self.wait_for_pupils(self.expected_pupils(*self.display.pointer()),
                             "pupils for X11's pointer with the extension off")
        before = self.pupils()
        self.shell.move_pointer(0, 0)
        self.assertEqual(self.assert_stays(self.pupils, "pupils for the pointer over the empty "
                                           "desktop, unseen"), before)

        self.extension(True)
        self.look_from(0, 0, "over the empty desktop with the extension back")
        self.assertIsNone(zorvin.process.poll(), "the program ended")

    def test_without_the_extension_says_how_to_enable_it(self):
        self.addCleanup(self.extension, True)
        self.extension(False)
        zorvin = self.start_program(self.shell.environment)
        lines = x11.wait_until(zorvin.output, 5, message="the program's word").splitlines()
        self.assertEqual(len(lines), 1, "what the program said: %r" % lines)
        self.assertIn('"%s"' % ENABLE_COMMAND, lines[0])
        self.extension(True)
        # Not (0, 0), where the test before leaves the pointer: a face started with the pointer
        # there takes it for one not moved yet.
        self.look_from(1, 1, "over the empty desktop once the extension is enabled")

    def test_still_pointer_costs_no_message(self):
        zorvin = self.start_program(self.shell.environment)
        places = self.places_around_the_face(*self.shell.size)
        (x, y), place = places[0]
        self.look_from(x, y, place)
        shell, program = self.shell.bus.owner(SERVICE), self.shell.bus.name_of(zorvin.process)
        monitor = self.monitor("sender='%s',destination='%s'" % (shell, program),
                               "sender='%s',destination='%s'" % (program, shell))
        time.sleep(STILL)  # the still pointer itself
        self.assertEqual(monitor.messages(), [], "messages over a still pointer")

        # A burst of moves, each a message of its own to the Shell, is told once per tick.
        start = time.monotonic()
        (to_x, to_y), place = places[1]
        steps = 50
        for step in range(1, steps + 1):
            self.shell.move_pointer(x + (to_x - x) * step // steps, y + (to_y - y) * step // steps)
        self.wait_for_pupils(self.expected_pupils(to_x, to_y), "pupils after a burst of moves")
        elapsed = time.monotonic() - start
        told = monitor.messages()
        self.assertTrue(told, "no message for a moving pointer")
        self.assertEqual({(m.sender, m.member) for m in told}, {(shell, "Moved")}, told)
        self.assertLessEqual(len(told), int(elapsed / TICK) + 1, "messages for %d moves in %.2f s, "
                             "the first: %r" % (steps, elapsed, told[:3]))

    def test_only_subscribers_are_told(self):
        zorvin = self.start_program(self.shell.environment)
        shell, program = self.shell.bus.owner(SERVICE), self.shell.bus.name_of(zorvin.process)
        monitor = self.monitor("sender='%s',interface='%s'" % (shell, SUBSCRIBER_INTERFACE))
        stranger = self.connect()
        with self.assertRaises(GLib.Error, msg="the pointer told to a client that did not "
                                               "subscribe"):
            stranger.call_sync(SERVICE, PATH, SERVICE, "Position", None, None,
                               Gio.DBusCallFlags.NONE, 5000, None)
        for (x, y), place in self.places_around_the_face(*self.shell.size)[:2]:
            self.look_from(x, y, place)
        told = monitor.messages()
        self.assertTrue(told, "no message for a moving pointer")
        self.assertEqual({m.destination for m in told}, {program}, told)

    def test_subscriber_that_leaves_is_dropped(self):
        zorvin = self.start_program(self.shell.environment)
        listener = self.connect()
        name = listener.get_unique_name()
        monitor = self.monitor("sender='%s',destination='%s'" % (self.shell.bus.owner(SERVICE),
                                                                   name))
        answer = listener.call_sync(SERVICE, PATH, SERVICE, "Subscribe", None,
                                    GLib.VariantType("(iis)"), Gio.DBusCallFlags.NONE, 5000,
                                    None).unpack()
        monitor_rect = ",0,0,%d,%d" % self.shell.size
        self.assertEqual(answer, self.shell.pointer + (monitor_rect,), "a subscriber's answer")
        places = self.places_around_the_face(*self.shell.size)
        (x, y), place = places[0]
        self.shell.move_pointer(x, y)
        x11.wait_until(lambda: [m.body for m in monitor.messages()][-1:] ==
                       [(x, y, monitor_rect)], 5, message="the second subscriber told")

        listener.close_sync(None)
        x11.wait_until(lambda: not self.shell.bus.has_owner(name), 5,
                       message="the subscriber to leave the bus")
        left = time.monotonic()
        (x, y), place = places[1]
        self.look_from(x, y, place)
        self.assertEqual(monitor.messages(since=left), [], "messages to a subscriber that left")
        self.assertIsNone(zorvin.process.poll(), "the program ended")

    def test_two_programs_both_follow(self):
        self.start_program(self.shell.environment)
        first, first_zorvin = self.face, self.zorvin
        self.start_program(self.shell.environment)
        second, self.face = self.face, first
        # Side by side: the second face in the top-left corner.
        self.display.move_window(second, 0, 0)
        x11.wait_until(lambda: self.display.client_origin(second)
                       != self.display.client_origin(first), 5, message="the second face moved")
        for (x, y), place in self.places_around_the_face(*self.shell.size):
            self.shell.move_pointer(x, y)
            for window, which in ((first, "first"), (second, "second")):
                self.wait_for_pupils(self.expected_pupils(x, y, window), "the %s face's pupils "
                                     "for the pointer %s" % (which, place), window)

        first_zorvin.stop()
        self.look_from(0, 0, "once the first face ended", second)

    def connect(self):
        """A bus client of the test's own, gone at the test's end."""
        connection = Gio.DBusConnection.new_for_address_sync(
            self.shell.bus.address, Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT
            | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION, None, None)
        self.addCleanup(lambda: connection.is_closed() or connection.close_sync(None))
        return connection

    def monitor(self, *rules):
        return compositor.monitor(self, self.shell.bus.address, *rules)


if __name__ == "__main__":
    unittest.main()
