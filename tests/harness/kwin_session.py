"""A headless KWin (Plasma 5.27 or 6) Wayland session with XWayland, for one group of tests.

KWin runs as a copy of its binary: the installed one carries a file capability that this kind of
sandbox refuses to execute. Its session program is the fake-input client, which moves the
compositor's pointer for the tests and must stay connected all along; it also leaves the
session's environment (DISPLAY, XAUTHORITY) in a file. The bus is a private one, so that KWin can
be stopped and started again while the program under test keeps its connection.

The desktop's scale and how X11 programs are scaled are set the way each Plasma keeps them, and
read back from the running KWin: Plasma 5.27 takes the output's scale from the command line and
keeps the X11 scaling in kwinrc; Plasma 6 gives an output it has not seen before scale 1 whatever
the command line says (a virtual output has no physical size to choose one from), keeps each
output's scale in kwinoutputconfig.json, and the X11 scaling in kdeglobals.
"""

import json
import os
import re
import shutil
import stat

from gi.repository import GLib

from . import compositor, session, x11

KWIN = "/usr/bin/kwin_wayland"
SCRIPTING = ("org.kde.KWin", "/Scripting", "org.kde.kwin.Scripting")


class KWinSession:
    def __init__(self, fake_pointer, size=(1280, 1024), scale=1, x11_scales_itself=False,
                 other_scales=()):
        """`x11_scales_itself`: KWin's option in which X11 programs get physical pixels and scale
        themselves, rather than being scaled by KWin. `other_scales`: the scales of more outputs,
        right of the first, each with as many pixels as the first; Plasma 5.27 gives them the
        first one's scale."""
        self.fake_pointer = fake_pointer
        self.size = size  # in logical pixels
        self.scale = scale
        self.x11_scales_itself = x11_scales_itself
        self.other_scales = other_scales
        self.home = None
        self.bus = None
        self.kwin = None
        self.environment = {}
        self.starts = 0

    def start(self):
        self.home = compositor.SessionHome("zorvin-kwin-")
        self.write_settings()
        self.binary = os.path.join(self.home.path, "kwin_wayland")
        shutil.copyfile(KWIN, self.binary)
        os.chmod(self.binary, 0o755)
        self.bus = compositor.PrivateBus(self.home.path, "bus", env=self.home.environment())
        self.start_kwin()

    def write_settings(self):
        x11_scale = max((self.scale,) + tuple(self.other_scales)) if self.x11_scales_itself else 1
        settings = {
            "kwinrc": "[Xwayland]\nScale=%d\n" % x11_scale,
            "kdeglobals": "[KScreen]\nXwaylandClientsScale=%s\n"
                          % ("true" if self.x11_scales_itself else "false"),
            "kwinoutputconfig.json": json.dumps(self.output_settings()),
        }
        for name, text in settings.items():
            with open(os.path.join(self.home.config, name), "w") as f:
                f.write(text)

    def output_settings(self):
        width, height = self.size
        mode = {"width": width * self.scale, "height": height * self.scale, "refreshRate": 60000}
        outputs, setup, x = [], [], 0
        for index, scale in enumerate((self.scale,) + tuple(self.other_scales)):
            outputs.append({"connectorName": "Virtual-%d" % index, "scale": scale, "mode": mode})
            setup.append({"enabled": True, "outputIndex": index, "position": {"x": x, "y": 0},
                          "priority": index})
            x += mode["width"] // scale
        return [{"name": "outputs", "data": outputs},
                {"name": "setups", "data": [{"lidClosed": False, "outputs": setup}]}]

    def outputs(self):
        """Each output as KWin has it: its logical rectangle (x, y, width, height) and its scale,
        from KWin's support information."""
        text = self.bus.call("org.kde.KWin", "/KWin", "org.kde.KWin", "supportInformation",
                             None, "(s)")[0]
        screens = re.split(r"^Screen \d+:$", text, flags=re.MULTILINE)[1:]
        outputs = []
        for screen in screens:
            x, y, width, height = re.search(r"^Geometry: (-?\d+),(-?\d+),(\d+)x(\d+)$", screen,
                                            re.MULTILINE).groups()
            scale = re.search(r"^Scale: ([\d.]+)$", screen, re.MULTILINE).group(1)
            outputs.append(((int(x), int(y), int(width), int(height)), float(scale)))
        return outputs

    def start_kwin(self):
        """Starts KWin on the session's bus and waits until its X server and pointer are ready."""
        self.starts += 1
        run = self.home.make("run%d" % self.starts)
        commands, replies = os.path.join(run, "commands"), os.path.join(run, "replies")
        os.mkfifo(commands)
        os.mkfifo(replies)
        env_file = os.path.join(run, "environment")
        script = os.path.join(run, "session.sh")
        with open(script, "w") as f:
            f.write('#!/bin/sh\nenv > "%s.part" && mv "%s.part" "%s"\nexec "%s" "%s" "%s"\n'
                    % (env_file, env_file, env_file, self.fake_pointer, commands, replies))
        os.chmod(script, os.stat(script).st_mode | stat.S_IXUSR)
        self.socket = "zorvin-kwin-%d-%d" % (os.getpid(), self.starts)
        env = self.home.environment(DBUS_SESSION_BUS_ADDRESS=self.bus.address,
                                    KWIN_WAYLAND_NO_PERMISSION_CHECKS="1")
        width, height = self.size
        self.log = open(os.path.join(run, "kwin.log"), "w")
        self.kwin = session.start_process_group(
            [self.binary, "--virtual", "--xwayland", "--width", str(width), "--height",
             str(height), "--scale", str(self.scale), "--output-count",
             str(1 + len(self.other_scales)), "--no-lockscreen", "--no-global-shortcuts",
             "--no-kactivities",
             "--socket", self.socket, "--exit-with-session", script],
            env=env, stdout=self.log, stderr=self.log)
        x11.wait_until(lambda: os.path.exists(env_file) or self.kwin.poll() is not None, 30,
                       message="KWin's session to start")
        if self.kwin.poll() is not None:
            raise AssertionError("KWin ended at start: " + self.log_text())
        with open(env_file) as f:
            started = dict(line.rstrip("\n").split("=", 1) for line in f if "=" in line)
        self.environment = {name: started[name] for name in ("DISPLAY", "XAUTHORITY")
                            if name in started}
        self.environment["WAYLAND_DISPLAY"] = os.path.join(self.home.runtime, self.socket)
        self.environment["DBUS_SESSION_BUS_ADDRESS"] = self.bus.address
        self.environment["XDG_RUNTIME_DIR"] = self.home.runtime
        self.commands = open(commands, "w")
        self.replies = open(replies)
        x11.wait_until(lambda: self.bus.has_owner("org.kde.KWin"), 10,
                       message="KWin on the bus")

    def stop_kwin(self):
        for stream in (self.commands, self.replies, self.log):
            stream.close()
        session.end_process_group(self.kwin)
        x11.wait_until(lambda: not self.bus.has_owner("org.kde.KWin"), 10,
                       message="KWin to leave the bus")

    def stop(self):
        if self.kwin:
            self.stop_kwin()
        if self.bus:
            self.bus.close()
        if self.home:
            self.home.remove()

    def log_text(self):
        with open(self.log.name) as f:
            return f.read()

    def _pointer(self, command):
        self.commands.write(command + "\n")
        self.commands.flush()
        if self.replies.readline() != "ok\n":
            raise AssertionError("the fake pointer failed: " + self.log_text())

    def move_pointer(self, x, y):
        """Moves the compositor's pointer to (x, y) in logical pixels; returns once KWin has
        taken the move."""
        self._pointer("move %d %d" % (x, y))

    def click(self, button):
        code = {"left": 0x110, "right": 0x111}[button]
        self._pointer("button %d 1" % code)
        self._pointer("button %d 0" % code)

    def key(self, letter):
        """Presses and releases a letter's key as a keyboard of KWin's own would: under KWin 6.7
        a key faked through XWayland's XTest does not reach the program's pop-up menu."""
        code = {"e": 18}[letter]
        self._pointer("key %d 1" % code)
        self._pointer("key %d 0" % code)

    def script_of(self, process):
        """The name of the KWin script that the program running as `process` loads, after its
        unique name on the bus."""
        return "zorvin-pointer-" + self.bus.name_of(process)

    def script_loaded(self, name):
        return self.bus.call(*SCRIPTING, "isScriptLoaded", GLib.Variant("(s)", (name,)), "(b)")[0]


def built_client(name):
    """A Wayland test client, as the build names it in ZORVIN_<NAME>."""
    path = os.environ.get("ZORVIN_" + name.upper(), "")
    if not path:
        raise AssertionError(name + " was not built: the Wayland development files "
                             "(libwayland-dev, libwayland-bin, plasma-wayland-protocols) are missing")
    return path


def fake_pointer():
    """The fake-input client."""
    return built_client("kwin_fake_pointer")


def unplug_output():
    """The client that unplugs KWin's last output."""
    return built_client("kwin_unplug_output")
