"""What the headless Wayland sessions of these tests share: a temporary home for everything a
compositor writes, a private D-Bus bus that outlives a compositor's restart, D-Bus calls and a
watch on what passes on it, and the face read from its own X window.

Every process is started in its own process group and ended with it (session.py). What a session
starts with its home, and what those start in turn (a bus's activated services, helpers that leave
their group), ends with that home, and the file systems mounted in it (the document portal's) are
unmounted.
"""

import contextlib
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time

import Xlib.ext
from gi.repository import Gio, GLib
from Xlib import X

from . import face, programs, session, x11
from .zorvin_case import FaceCase

DBUS = ("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus")

def require_installed(program):
    """Ends the test run as failed when the compositor is missing: every release this is tested on
    has it, and the test command installs it, so a missing one is a broken machine, not a reason to
    pass."""
    if not shutil.which(program):
        print("failed: %s is not installed (scripts/install-deps.sh test installs it)" % program)
        sys.exit(1)


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
        return self.call(*DBUS, "NameHasOwner", GLib.Variant("(s)", (name,)), "(b)")[0]

    def owner(self, name):
        """The unique name that owns a well-known name."""
        return self.call(*DBUS, "GetNameOwner", GLib.Variant("(s)", (name,)), "(s)")[0]

    def name_of(self, process):
        """The unique name of the connection that the process `process` (a Popen) made, once it
        is on the bus."""
        def find():
            for name in self.call(*DBUS, "ListNames", None, "(as)")[0]:
                try:
                    if name.startswith(":") and self.call(
                            *DBUS, "GetConnectionUnixProcessID", GLib.Variant("(s)", (name,)),
                            "(u)")[0] == process.pid:
                        return name
                except GLib.Error:  # gone meanwhile
                    pass
            return None
        return x11.wait_until(find, 10, message="the program on the bus")

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


class Message:
    def __init__(self, message):
        self.time = time.monotonic()
        self.sender = message.get_sender()
        self.destination = message.get_destination()
        self.interface = message.get_interface()
        self.member = message.get_member()
        body = message.get_body()
        self.body = body.unpack() if body else ()

    def __repr__(self):
        return "%s -> %s %s.%s%r" % (self.sender, self.destination, self.interface, self.member,
                                     self.body)


class BusMonitor:
    """Keeps the messages on the bus at `address` that match any of `rules` (match rules, as for
    AddMatch), from the moment it is made until it is closed: a connection of its own that asks
    the bus (BecomeMonitor) for a copy of each, with the time each arrived."""

    def __init__(self, address, rules):
        self._lock = threading.Lock()
        self._messages = []
        self.connection = Gio.DBusConnection.new_for_address_sync(
            address, Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT
            | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION, None, None)
        self._own_name = self.connection.get_unique_name()
        self.connection.add_filter(self._filter)
        self.connection.call_sync(
            DBUS[0], DBUS[1], "org.freedesktop.DBus.Monitoring", "BecomeMonitor",
            GLib.Variant("(asu)", (rules, 0)), None, Gio.DBusCallFlags.NONE, 5000, None)

    def _filter(self, connection, message, incoming):
        """Runs on GDBus's own thread. A copy is kept and not handled further: a monitor answers
        nothing."""
        if not incoming or message.get_destination() == self._own_name:
            return message
        with self._lock:
            self._messages.append(Message(message))
        return None

    def messages(self, since=0.0):
        """The messages that arrived at or after `since` (a time.monotonic() value)."""
        with self._lock:
            return [m for m in self._messages if m.time >= since]

    def close(self):
        self.connection.close_sync(None)


def monitor(test, address, *rules):
    """A BusMonitor for one test, closed with it."""
    watch = BusMonitor(address, list(rules))
    test.addCleanup(watch.close)
    return watch


@contextlib.contextmanager
def without_randr():
    """python-xlib cannot set up the events of XWayland's RANDR, which these tests do not need,
    nor those of another server's once it has skipped XWayland's: the connections made meanwhile
    leave RANDR out."""
    extensions = Xlib.ext.__extensions__
    Xlib.ext.__extensions__ = [ext for ext in extensions if ext[0] != "RANDR"]
    try:
        yield
    finally:
        Xlib.ext.__extensions__ = extensions


def connect_x(name):
    """An x11.Display on a compositor's X server."""
    with without_randr():
        return x11.Display(name)


class FaceOnWayland(FaceCase):
    """The program under test in a compositor's session, its face read from its own X window: a
    Wayland compositor's X server draws nothing on its root window. A test class opens a session
    for the whole class, or sets `program` and `display` itself."""

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

    def client_pixels(self, window):
        _, _, width, height = self.client_rect(window)
        data = window.get_image(0, 0, width, height, X.ZPixmap, 0xFFFFFFFF).data
        stride = len(data) // height
        return [[(data[row * stride + 4 * i + 2], data[row * stride + 4 * i + 1],
                  data[row * stride + 4 * i]) for i in range(width)] for row in range(height)]

    def places_around_the_face(self, width, height):
        """The pointer at the desktop's far left, far right, above and below the face, in the
        face's coordinates, each with its name."""
        ox, oy = self.face_origin()
        left_eye = face.eyes()[0]
        eye_x, eye_y = ox + left_eye[0], oy + left_eye[1]
        return [((0, eye_y), "far left"), ((width - 1, eye_y), "far right"),
                ((eye_x, 0), "above"), ((eye_x, height - 1), "below")]
