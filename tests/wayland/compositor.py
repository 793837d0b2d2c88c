"""What the headless Wayland sessions of these tests share: a temporary home for everything a
compositor writes, a private D-Bus bus that outlives a compositor's restart, D-Bus calls, and
the face read from its own X window.

Every process is started in its own process group and ended with it (session.py). What a session
starts with its home, and what those start in turn (a bus's activated services, helpers that leave
their group), ends with that home, and the file systems mounted in it (the document portal's) are
unmounted.
"""

import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

import Xlib.ext
from gi.repository import Gio, GLib

import face
import programs
import screen_face
import session
import x11

# The exit status by which CTest knows a test was skipped.
SKIPPED = 77


def skip_unless_installed(program):
    """Ends the test run as skipped when the compositor is not installed."""
    if not shutil.which(program):
        print("skipped: %s is not installed" % program)
        sys.exit(SKIPPED)


class SessionHome:
    """A temporary directory with the runtime, configuration and cache directories of a session,
    and the environment that points a compositor at them."""

    def __init__(self, prefix):
        self.path = tempfile.mkdtemp(prefix=prefix)
        self.runtime = self.make("runtime", 0o700)
        self.config = self.make("config")
        self.cache = self.make("cache")
        self.data = self.make("data")

    def make(self, name, mode=0o755):
        path = os.path.join(self.path, name)
        os.makedirs(path, mode=mode, exist_ok=True)
        return path

    def environment(self, **extra):
        env = {k: v for k, v in os.environ.items()
               if k not in ("DISPLAY", "WAYLAND_DISPLAY", "XAUTHORITY", "QT_QPA_PLATFORM",
                            "DBUS_SESSION_BUS_ADDRESS", "DBUS_SYSTEM_BUS_ADDRESS",
                            "XDG_CURRENT_DESKTOP", "XDG_SESSION_TYPE")}
        env.update(XDG_RUNTIME_DIR=self.runtime, XDG_CONFIG_HOME=self.config,
                   XDG_CACHE_HOME=self.cache, XDG_DATA_HOME=self.data, HOME=self.path)
        env.update(extra)
        return env

    def remove(self):
        self._end_processes()
        self._unmount()
        shutil.rmtree(self.path, ignore_errors=True)

    def _processes(self):
        """The processes running with this home, wherever their parents or groups went."""
        marker = b"\0HOME=" + os.fsencode(self.path) + b"\0"
        found = []
        for name in os.listdir("/proc"):
            if not name.isdigit() or int(name) == os.getpid():
                continue
            try:
                with open("/proc/%s/environ" % name, "rb") as f:
                    if marker in b"\0" + f.read():
                        found.append(int(name))
            except OSError:  # gone, or not ours to read
                pass
        return found

    def _end_processes(self, timeout=5.0):
        for sig in (signal.SIGTERM, signal.SIGKILL):
            for pid in self._processes():
                try:
                    os.kill(pid, sig)
                except ProcessLookupError:
                    pass
            deadline = time.monotonic() + timeout
            while self._processes() and time.monotonic() < deadline:
                time.sleep(0.05)

    def _mounts(self):
        """The mount points inside this home, innermost first."""
        inside = []
        with open("/proc/mounts") as f:
            for line in f:
                fields = line.split()
                point = re.sub(r"\\([0-7]{3})", lambda m: chr(int(m.group(1), 8)), fields[1])
                if point.startswith(self.path + os.sep):
                    inside.append((point, fields[2]))
        return sorted(inside, reverse=True)

    def _unmount(self):
        for point, kind in self._mounts():
            command = ["fusermount3", "-u", "-z"] if kind.startswith("fuse") else ["umount", "-l"]
            subprocess.run(command + [point], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


class PrivateBus:
    """A dbus-daemon of the session kind on a socket in `directory`. The services it starts get
    `env`, a session's environment: their files and mounts stay in that session's home."""

    def __init__(self, directory, name, env=None):
        self.address = "unix:path=" + os.path.join(directory, name)
        self.process = session.start_process_group(
            ["dbus-daemon", "--nofork", "--session", "--address=" + self.address,
             "--print-address"], env=env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        self.process.stdout.readline()  # ready once it says where it listens
        self.connection = Gio.DBusConnection.new_for_address_sync(
            self.address,
            Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT
            | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION)

    def call(self, service, path, interface, method, arguments=None, reply_type=None,
             timeout_ms=5000):
        """A method call; the reply's values as a tuple."""
        reply = self.connection.call_sync(
            service, path, interface, method, arguments,
            GLib.VariantType(reply_type) if reply_type else None, Gio.DBusCallFlags.NONE,
            timeout_ms, None)
        return reply.unpack() if reply else ()

    def has_owner(self, name):
        return self.call("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                         "NameHasOwner", GLib.Variant("(s)", (name,)), "(b)")[0]

    def close(self):
        self.connection.close_sync(None)
        session.end_process_group(self.process)
        self.process.stdout.close()


def private_bus(test, prefix="zorvin-bus-"):
    """A session bus in a home of its own for one test, both ended with the test: what the bus
    starts works in that home and ends with it."""
    home = SessionHome(prefix)
    test.addCleanup(home.remove)
    bus = PrivateBus(home.path, "bus", home.environment())
    test.addCleanup(bus.close)
    return bus


def connect_x(name):
    """An x11.Display on a compositor's X server. python-xlib cannot set up the events of XWayland's
    RANDR, which these tests do not need."""
    extensions = Xlib.ext.__extensions__
    Xlib.ext.__extensions__ = [ext for ext in extensions if ext[0] != "RANDR"]
    try:
        return x11.Display(name)
    finally:
        Xlib.ext.__extensions__ = extensions


class WindowPixels:
    """The pixels of one X window, read from the window itself: a Wayland compositor's X server
    draws nothing on its root window."""

    def __init__(self, window):
        self.window = window

    def screenshot(self, x, y, width, height):
        image = self.window.get_image(x, y, width, height, 2, 0xFFFFFFFF)  # ZPixmap
        data = image.data
        stride = len(data) // height
        return [[(data[row * stride + 4 * i + 2], data[row * stride + 4 * i + 1],
                  data[row * stride + 4 * i]) for i in range(width)] for row in range(height)]


def pupils(window):
    """The pupils' top-left client pixels as the face's window shows them."""
    return screen_face.find_pupils(WindowPixels(window), (0, 0))


class _Display:
    """Where the program under test shows itself: an X display by name."""

    def __init__(self, name):
        self.name = name


class FaceOnWayland:
    """Runs the program under test in a compositor's session and looks at its face from outside.
    A test case mixes this in, and opens a session for the whole class or sets `program`."""

    @classmethod
    def open_session(cls, desktop):
        """Starts `desktop`, a compositor's session, for the test class and connects to its X
        server, with the session's authority file."""
        cls.program = programs.from_environment()
        try:
            desktop.start()
            os.environ["XAUTHORITY"] = desktop.environment.get("XAUTHORITY", "")
            cls.display = connect_x(desktop.environment["DISPLAY"])
        except BaseException:
            desktop.stop()
            raise

    @classmethod
    def close_session(cls, desktop):
        cls.display.close()
        desktop.stop()
        os.environ.pop("XAUTHORITY", None)

    def start_zorvin(self, display, environment):
        """Starts the program on `display` (an x11.Display) with the session's `environment`;
        waits until its face is shown and shaped, beside any other program's."""
        self.x = display
        shown = {window.id for window in display.find_windows(programs.MAIN_WINDOW)}
        self.zorvin = self.program.start(_Display(display.name), environment)
        self.addCleanup(self.zorvin.stop)
        self.face = x11.wait_until(
            lambda: next((window for window in display.find_windows(programs.MAIN_WINDOW)
                          if window.id not in shown), None), 20, message="the new face")
        x11.wait_until(lambda: len(display.shape_rectangles(self.face)) > 1, 10,
                       message="the face's shape")
        return self.zorvin

    def face_origin(self):
        return self.x.client_origin(self.face)

    def pupils(self):
        return pupils(self.face)

    def expected_pupils(self, x, y):
        """The pupils for the pointer at (x, y) in the face's X coordinates."""
        ox, oy = self.face_origin()
        return face.pupil_places(x - ox, y - oy)

    def wait_for_pupils(self, expected, message):
        try:
            x11.wait_until(lambda: self.pupils() == expected, 5, message=message)
        except AssertionError:
            self.assertEqual(self.pupils(), expected, message)

    def places_around_the_face(self, width, height):
        """The pointer at the desktop's far left, far right, above and below the face, in the
        face's coordinates, each with its name."""
        ox, oy = self.face_origin()
        left_eye = face.EYES[0]
        eye_x, eye_y = ox + left_eye[0], oy + left_eye[1]
        return [((0, eye_y), "far left"), ((width - 1, eye_y), "far right"),
                ((eye_x, 0), "above"), ((eye_x, height - 1), "below")]
