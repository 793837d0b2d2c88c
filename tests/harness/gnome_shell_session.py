"""A headless GNOME Shell Wayland session with XWayland and Zorvin's extension, in the format of the
installed Shell (43 on Debian 12, 48 on Debian 13), for one group of tests.

The Shell runs on private buses: a session bus for the test, and a system bus of the session kind,
without which it does not start in this kind of sandbox. Both start their services with the
session's environment, so that what they write and mount (the document portal's file system) is
in the session's home and ends with it. The Shell's settings are a key file in the session's own
configuration directory: the extension enabled, the hot corners off. The session is ready once the
Shell has enabled the extension, which GNOME 45 and later do only after their start. The pointer is
moved through a remote-desktop session of the test's own, which lasts as long as the test's bus
connection; the Shell can only move it relative to where it is, so the session pushes it into the
bottom-right corner first and counts from there.
"""

import glob
import os
import re
import shutil
import subprocess

from gi.repository import GLib

from . import compositor, session, x11

GNOME_SHELL = "/usr/bin/gnome-shell"
SHELL = ("org.gnome.Shell", "/org/gnome/Shell")
REMOTE_DESKTOP = ("org.gnome.Mutter.RemoteDesktop", "/org/gnome/Mutter/RemoteDesktop",
                  "org.gnome.Mutter.RemoteDesktop")
SESSION_INTERFACE = "org.gnome.Mutter.RemoteDesktop.Session"
EXTENSIONS = ("org.gnome.Shell", "/org/gnome/Shell", "org.gnome.Shell.Extensions")
ESCAPE = 0xFF1B
# The states GetExtensionInfo reports.
EXTENSION_ACTIVE = 1
STATES = {1: "running", 2: "stopped", 3: "failed", 4: "written for other Shell versions"}


def shell_version():
    """The installed Shell's major version."""
    output = subprocess.run([GNOME_SHELL, "--version"], capture_output=True, text=True,
                            check=True).stdout
    return int(re.search(r"(\d+)\.", output).group(1))


def extension_format():
    """The extension format the installed Shell loads: ES modules from GNOME 45 on."""
    return "45" if shell_version() >= 45 else "43"


class GnomeShellSession:
    def __init__(self, extensions, uuid, size=(1280, 1024)):
        """`extensions`: the folder with the extension in each format, <format>/<uuid>."""
        self.extension = os.path.join(extensions, extension_format(), uuid)
        self.uuid = uuid
        self.size = size
        self.home = None
        self.buses = []
        self.shell = None

    def start(self):
        self.home = compositor.SessionHome("zorvin-gnome-")
        shutil.copytree(self.extension,
                        os.path.join(self.home.data, "gnome-shell", "extensions", self.uuid))
        settings = self.home.make(os.path.join("config", "glib-2.0", "settings"))
        with open(os.path.join(settings, "keyfile"), "w") as f:
            f.write("[org/gnome/shell]\nenabled-extensions=['%s']\n\n"
                    "[org/gnome/desktop/interface]\nenable-hot-corners=false\n" % self.uuid)
        bus_address = "unix:path=" + os.path.join(self.home.path, "bus")
        system_bus_address = "unix:path=" + os.path.join(self.home.path, "system-bus")
        env = self.home.environment(DBUS_SESSION_BUS_ADDRESS=bus_address,
                                    DBUS_SYSTEM_BUS_ADDRESS=system_bus_address,
                                    GSETTINGS_BACKEND="keyfile", XDG_CURRENT_DESKTOP="GNOME")
        system_bus = compositor.PrivateBus(self.home.path, "system-bus", env)
        self.buses.append(system_bus)
        self.bus = compositor.PrivateBus(self.home.path, "bus", env)
        self.buses.append(self.bus)
        self.wayland = "zorvin-gnome-%d" % os.getpid()
        width, height = self.size
        self.log = open(os.path.join(self.home.path, "gnome-shell.log"), "w")
        self.shell = session.start_process_group(
            [GNOME_SHELL, "--headless", "--wayland", "--virtual-monitor",
             "%dx%d" % (width, height), "--wayland-display", self.wayland],
            env=env, stdout=self.log, stderr=self.log)
        display = x11.wait_until(self._public_display, 60, message="GNOME Shell's X display")
        x11.wait_until(lambda: self.bus.has_owner(REMOTE_DESKTOP[0]), 30,
                       message="GNOME Shell's remote desktop")
        auth = x11.wait_until(
            lambda: glob.glob(os.path.join(self.home.runtime, ".mutter-Xwaylandauth.*")), 10,
            message="XWayland's authority file")
        self.environment = {"DISPLAY": display, "XAUTHORITY": auth[0],
                            "WAYLAND_DISPLAY": os.path.join(self.home.runtime, self.wayland),
                            "DBUS_SESSION_BUS_ADDRESS": self.bus.address}
        self._start_remote_desktop()
        self._leave_overview()
        self.wait_for_extension(True)

    def _public_display(self):
        if self.shell.poll() is not None:
            raise AssertionError("GNOME Shell ended at start: " + self.log_text())
        found = re.search(r"Using public X11 display (:\d+)", self.log_text())
        return found and found.group(1)

    def _start_remote_desktop(self):
        (self.remote,) = self.bus.call(*REMOTE_DESKTOP, "CreateSession", None, "(o)")
        self._remote("Start")
        self._remote("NotifyPointerMotionRelative", GLib.Variant("(dd)", (10000.0, 10000.0)))
        self.pointer = (self.size[0] - 1, self.size[1] - 1)

    def _remote(self, method, arguments=None):
        self.bus.call(REMOTE_DESKTOP[0], self.remote, SESSION_INTERFACE, method, arguments)

    def _leave_overview(self):
        """The Shell starts in its overview, which covers every window. Its name on the bus may
        come before its object."""
        def left():
            try:
                (overview,) = self.bus.call(
                    *SHELL, "org.freedesktop.DBus.Properties", "Get",
                    GLib.Variant("(ss)", ("org.gnome.Shell", "OverviewActive")), "(v)")
            except GLib.Error:
                return False
            if not overview:
                return True
            for pressed in (True, False):
                self._remote("NotifyKeyboardKeysym", GLib.Variant("(ub)", (ESCAPE, pressed)))
            return False
        x11.wait_until(left, 20, interval=0.5, message="the Shell to leave its overview")

    def move_pointer(self, x, y):
        """Moves the pointer to (x, y) in the stage's pixels."""
        dx, dy = x - self.pointer[0], y - self.pointer[1]
        self._remote("NotifyPointerMotionRelative", GLib.Variant("(dd)", (float(dx), float(dy))))
        self.pointer = (x, y)

    def set_extension(self, enabled):
        method = "EnableExtension" if enabled else "DisableExtension"
        self.bus.call(*EXTENSIONS, method, GLib.Variant("(s)", (self.uuid,)), "(b)")
        self.wait_for_extension(enabled)

    def wait_for_extension(self, active):
        """Waits until the Shell reports the extension running, or not; fails with the Shell's
        word on it when that does not come."""
        info = {}

        def reached():
            (info["last"],) = self.bus.call(*EXTENSIONS, "GetExtensionInfo",
                                            GLib.Variant("(s)", (self.uuid,)), "(a{sv})")
            return (info["last"].get("state") == EXTENSION_ACTIVE) == active
        try:
            x11.wait_until(reached, 20)
        except AssertionError:
            last = info.get("last", {})
            raise AssertionError("GNOME Shell %d did not %s %s: state %s (%s), %s" % (
                shell_version(), "run" if active else "stop", self.extension, last.get("state"),
                STATES.get(last.get("state"), "?"), last.get("error") or "no error")) from None

    def stop(self):
        if self.shell:
            session.end_process_group(self.shell)
            self.log.close()
        for bus in self.buses:
            bus.close()
        if self.home:
            self.home.remove()

    def log_text(self):
        with open(self.log.name) as f:
            return f.read()
