"""A Sway or labwc session with XWayland, nested on an Xvfb of its own through wlroots' X11
backend, for one group of tests.

Nested, the compositor's output is a window on the Xvfb, and the Xvfb's pointer, moved by XTest as
a device moves it, is the compositor's pointer: the Xvfb's pixel (x, y) in that window is the
output's buffer pixel (x, y), logical (x, y) / scale. Rendered by pixman, as on a machine without a
GPU. Sway and labwc offer cursor sessions from wlroots 0.19 (Sway 1.11, labwc 0.9); a release with
older ones has nothing for these tests to test.
"""

import os
import re
import shutil
import subprocess
import unittest

from . import compositor, session, x11

# The X11 backend's output, in buffer pixels, at the host's top-left corner.
OUTPUT_SIZE = (1024, 768)
FIRST_WITH_CURSOR_SESSIONS = {"sway": (1, 11), "labwc": (0, 9)}


def release_has(package):
    said = subprocess.run(["apt-cache", "policy", package], capture_output=True, text=True)
    candidate = re.search(r"Candidate: (\S+)", said.stdout)
    return bool(candidate) and candidate.group(1) != "(none)"


def require_cursor_sessions(name):
    """Skips the test class where the release has no such compositor (Debian 12 has no labwc) or
    only one that predates cursor sessions (Debian 12's and 13's); fails where the compositor is
    missing though the release has it, as the test command installs it there."""
    if not shutil.which(name) and not release_has(name):
        raise unittest.SkipTest("this release has no %s" % name)
    compositor.require_installed(name)
    said = subprocess.run([name, "--version"], capture_output=True, text=True)
    version = tuple(int(part) for part in
                    re.search(r"(\d+)\.(\d+)", said.stdout + said.stderr).groups())
    first = FIRST_WITH_CURSOR_SESSIONS[name]
    if version < first:
        raise unittest.SkipTest("this release's %s %d.%d offers no cursor sessions (from %d.%d)"
                                % ((name,) + version + first))


class WlrootsSession:
    def __init__(self, name, scale=1, environment=None):
        self.name = name
        self.scale = scale
        self.own_environment = environment or {}
        self.size = (OUTPUT_SIZE[0] // scale, OUTPUT_SIZE[1] // scale)  # logical
        self.host = None
        self.home = None
        self.process = None
        self.environment = {}

    def start(self):
        self.host = session.XSession(managed=False)
        with compositor.without_randr():
            self.host.start()
        self.home = compositor.SessionHome("zorvin-%s-" % self.name)
        env_file = os.path.join(self.home.path, "environment")
        tell = "env > %s.part && mv %s.part %s" % (env_file, env_file, env_file)
        env = self.home.environment(DISPLAY=self.host.name, WLR_BACKENDS="x11",
                                    WLR_RENDERER="pixman", WLR_X11_OUTPUTS="1",
                                    **self.own_environment)
        self.log = open(os.path.join(self.home.path, "compositor.log"), "w")
        self.process = session.start_process_group(self.command(tell), env=env,
                                                   stdout=self.log, stderr=self.log)
        x11.wait_until(lambda: os.path.exists(env_file) or self.process.poll() is not None, 30,
                       message="%s's session to start" % self.name)
        if self.process.poll() is not None:
            raise AssertionError("%s ended at start: %s" % (self.name, self.log_text()))
        with open(env_file) as f:
            started = dict(line.rstrip("\n").split("=", 1) for line in f if "=" in line)
        self.environment = {name: started[name] for name in
                            ("DISPLAY", "XAUTHORITY", "WAYLAND_DISPLAY") if name in started}
        self.ipc = started.get("SWAYSOCK")
        # No bus: the program's only help is the compositor's Wayland connection.
        self.environment.update(XDG_RUNTIME_DIR=self.home.runtime,
                                DBUS_SESSION_BUS_ADDRESS="unix:path=/nonexistent")

    def command(self, tell):
        if self.name == "sway":
            config = os.path.join(self.home.config, "sway.conf")
            with open(config, "w") as f:
                f.write("xwayland enable\noutput * scale %d\nexec %s\n" % (self.scale, tell))
            return ["sway", "-c", config]
        return ["labwc", "-s", "sh -c '%s'" % tell]  # a command, not a shell's

    def stop_compositor(self):
        if self.process:
            session.end_process_group(self.process)
            self.process = None
            self.log.close()

    def stop(self):
        self.stop_compositor()
        if self.home:
            self.home.remove()
        if self.host:
            self.host.stop()

    def log_text(self):
        with open(self.log.name) as f:
            return f.read()

    def move_pointer(self, x, y):
        """Moves the compositor's pointer to logical (x, y), as a device moves it."""
        self.host.display.move_pointer(x * self.scale, y * self.scale, way="device")

    def sway(self, *command):
        """A command through Sway's IPC, as another program sends it."""
        subprocess.run(["swaymsg", "-s", self.ipc, *command], check=True, capture_output=True)

    def warp_pointer(self, x, y):
        """Puts Sway's pointer at logical (x, y)."""
        self.sway("seat", "seat0", "cursor", "set", str(x), str(y))

    def set_scale(self, scale):
        self.sway("output", "*", "scale", str(scale))
        self.scale = scale
        self.size = (OUTPUT_SIZE[0] // scale, OUTPUT_SIZE[1] // scale)

    def open_native_window(self, test):
        """A native Wayland window over the whole output, once the compositor shows it; closed
        with the test."""
        program = os.environ.get("ZORVIN_NATIVE_WINDOW")
        if not program:
            raise AssertionError("ZORVIN_NATIVE_WINDOW names no native window to open")
        env = self.home.environment(WAYLAND_DISPLAY=self.environment["WAYLAND_DISPLAY"],
                                    QT_QPA_PLATFORM="wayland")
        window = session.start_process_group([program], env=env, stdout=subprocess.PIPE,
                                             stderr=subprocess.DEVNULL, text=True)
        test.addCleanup(window.stdout.close)
        test.addCleanup(session.end_process_group, window)
        if window.stdout.readline() != "shown\n":
            raise AssertionError("the native window did not show")
