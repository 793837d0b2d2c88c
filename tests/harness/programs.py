"""The programs under test, behind one small interface, so that every test runs on each of them.

Chosen by the environment:
    ZORVIN_PROGRAM     linux (default) or wine
    ZORVIN_EXECUTABLE  the program: the Linux `zorvin`, or `Zorvin.exe` for wine

A program under test starts on a session's display with stub openers first on PATH (`xdg-open`
and `xdg-email`), which append one line per call to a log instead of opening anything, and the Qt
settings they were started with to another, and reports how it ended. The tests find its windows by their captions and drive it only from outside.

Zorvin.exe runs under Wine in a prefix of its own for the run of the tests (wine_prefix.py), which
names the stub openers as Wine's browser and mail program; stopping it ends every Wine process.
"""

import os
import shutil
import stat
import subprocess
import tempfile
import unittest

from . import artwork, face, wine_prefix, x11
from . import session as xsession

MAIN_WINDOW = "Zorvin"
ABOUT_WINDOW = "About Zorvin"
OPENERS = ("xdg-open", "xdg-email")

# Variables that would lead Qt or the openers to a desktop of the test machine's own.
_DESKTOP_VARIABLES = ("BROWSER", "DEFAULT_BROWSER", "XDG_CURRENT_DESKTOP", "DESKTOP_SESSION",
                      "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID", "WAYLAND_DISPLAY",
                      "QT_QPA_PLATFORM", "QT_SCALE_FACTOR", "SESSION_MANAGER")


class RunningProgram:
    """One run of the program, from its start to its end."""

    def __init__(self, process, work_dir):
        self.process = process
        self.work_dir = work_dir
        self.opened_log = os.path.join(work_dir, "opened.log")
        self.qt_log = os.path.join(work_dir, "opener-qt.log")

    def opened(self):
        """What was handed to the openers, in order, as (opener, argument) pairs."""
        if not os.path.exists(self.opened_log):
            return []
        with open(self.opened_log) as f:
            return [tuple(line.rstrip("\n").split("\t", 1)) for line in f if line.strip()]

    def opener_qt_settings(self):
        """QT_QPA_PLATFORM, QT_SCALE_FACTOR and QT_ENABLE_HIGHDPI_SCALING as each opener found
        them in its environment, UNSET where one was not set at all."""
        if not os.path.exists(self.qt_log):
            return []
        with open(self.qt_log) as f:
            return [tuple(line.rstrip("\n").split("\t")) for line in f]

    def wait_for_exit(self, timeout=10.0):
        """The exit status; fails if the program is still running after `timeout` seconds."""
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            raise AssertionError("the program did not end within %.0f s" % timeout)

    def children(self):
        """The process ids of the programs this one runs (the Linux program's helper)."""
        pid = self.process.pid
        try:
            with open("/proc/%d/task/%d/children" % (pid, pid)) as f:
                return [int(child) for child in f.read().split()]
        except OSError:  # it has just ended
            return []

    def output(self):
        with open(os.path.join(self.work_dir, "stderr.log")) as f:
            return f.read()

    def stop(self):
        xsession.end_process_group(self.process)
        shutil.rmtree(self.work_dir, ignore_errors=True)


# What the stub openers log for a variable that is not set, which an empty one is not.
UNSET = "<unset>"


def _write_stub_openers(directory, log, qt_log):
    for name in OPENERS:
        path = os.path.join(directory, name)
        with open(path, "w") as f:
            f.write('#!/bin/sh\nprintf "%%s\\t%%s\\t%%s\\n" "${QT_QPA_PLATFORM-%s}" '
                    '"${QT_SCALE_FACTOR-%s}" "${QT_ENABLE_HIGHDPI_SCALING-%s}" >> "%s"\n'
                    % (UNSET, UNSET, UNSET, qt_log))
            f.write('printf "%%s\\t%%s\\n" "%s" "$*" >> "%s"\n' % (name, log))
        os.chmod(path, os.stat(path).st_mode | stat.S_IXUSR | stat.S_IXGRP | stat.S_IXOTH)


class Program:
    """What both programs under test share: how one is started, with what environment, and how its
    run is followed. Each kind tells where its client area and shape are."""

    name = None
    supports_scale_factor = False  # a scale factor of the program's own, beside the DPI

    def __init__(self, executable, dpi):
        self.executable = os.path.abspath(executable)
        self.dpi = dpi

    def at_dpi(self, dpi):
        """The same program on a display set to `dpi`."""
        return type(self)(self.executable, dpi)

    def environment(self, work_dir, display=None, extra=None):
        env = {k: v for k, v in os.environ.items() if k not in _DESKTOP_VARIABLES}
        env.pop("DISPLAY", None)
        if display:
            env["DISPLAY"] = display
        bin_dir = os.path.join(work_dir, "bin")
        os.makedirs(bin_dir, exist_ok=True)
        _write_stub_openers(bin_dir, os.path.join(work_dir, "opened.log"),
                            os.path.join(work_dir, "opener-qt.log"))
        env["PATH"] = bin_dir + os.pathsep + env.get("PATH", "/usr/bin:/bin")
        runtime = os.path.join(work_dir, "runtime")
        os.makedirs(runtime, mode=0o700, exist_ok=True)
        env["XDG_RUNTIME_DIR"] = runtime
        # A session bus that is not there, unless the test names one: with none named, the D-Bus
        # library would start a bus for the X display, and that bus and the services it starts
        # (portals that mount file systems among them) would outlive the test.
        env["DBUS_SESSION_BUS_ADDRESS"] = "unix:path=" + os.path.join(work_dir, "no-session-bus")
        env.update(extra or {})
        return env

    def prepare(self, display):
        """Sets the display up for this program's DPI before it starts."""

    def start(self, display, extra_env=None):
        """Starts the program on `display`, an x11.Display."""
        self.prepare(display)
        work_dir = tempfile.mkdtemp(prefix="zorvin-run-")
        env = self.environment(work_dir, display.name, extra_env)
        with open(os.path.join(work_dir, "stderr.log"), "w") as err:
            process = xsession.start_process_group(
                self.command(), env=env, cwd=work_dir, stdout=subprocess.DEVNULL, stderr=err)
        return self.running(process, work_dir)

    def running(self, process, work_dir):
        return RunningProgram(process, work_dir)

    def run_without_display(self, extra_env=None, timeout=20):
        """Runs the program with no display at all; returns the CompletedProcess."""
        work_dir = tempfile.mkdtemp(prefix="zorvin-run-")
        try:
            return subprocess.run(self.command(), env=self.environment(work_dir, None, extra_env),
                                  cwd=work_dir, capture_output=True, text=True, timeout=timeout)
        finally:
            shutil.rmtree(work_dir, ignore_errors=True)


class LinuxProgram(Program):
    """The Qt program, `zorvin`, at the desktop's DPI, which it takes from Xft.dpi in the display's
    X resources, as desktops set it."""

    name = "linux"
    # QT_SCALE_FACTOR scales everything the program shows.
    supports_scale_factor = True

    def __init__(self, executable, dpi=None):
        super().__init__(executable, dpi)

    def prepare(self, display):
        if self.dpi:
            # The pointer theme's size too, as Plasma sets it, else the arrow grows with Xft.dpi to
            # the hand's size and cannot be told from it.
            display.set_resources("Xft.dpi:\t%d\nXcursor.size:\t24\n" % self.dpi)

    def client_rect(self, display, window):
        """(x, y, width, height) of a window's client area on the screen: Qt's X window is the
        client area itself."""
        return display.client_origin(window) + display.client_size(window)

    def client_shape(self, display, window):
        """The window's shape in client coordinates."""
        return display.shape_rectangles(window)

    def face_shape(self, display):
        """The client pixels the face's shape must hold at 96 DPI: those of the face's picture,
        whose pixels are those whose centre the outline holds, as the X server fills it."""
        return artwork.face_pixels()

    def command(self):
        return [self.executable]


class WineRunningProgram(RunningProgram):
    def __init__(self, process, work_dir, prefix):
        super().__init__(process, work_dir)
        self.prefix = prefix

    def stop(self):
        self.prefix.end_processes()
        super().stop()


class WineProgram(Program):
    """Zorvin.exe under Wine (wine64), with the same stub openers first on PATH.

    A shaped window asks the window manager for no frame: Wine draws its Windows caption and frame
    inside the X window itself, where the shape cuts them away, so that X window is the whole
    window and its shape is in window coordinates. Any other window is framed by the window
    manager, and its X window is the client area.
    """

    name = "wine"
    # Prints what Windows tells programs about the display: "frame" and the frame of a captioned
    # window that cannot be resized, at the prefix's DPI; "monitor" and each monitor's rectangle,
    # as left, top, right, bottom; "region" and each rectangle of the region Windows fills the
    # polygon given as arguments with, the face's outline here. Built beside Zorvin.exe where its
    # build builds the tests, else named by ZORVIN_DISPLAY_FACTS.
    FACTS_PROGRAM = "zorvin_win32_display_facts.exe"

    def __init__(self, executable, dpi=96):
        super().__init__(executable, dpi)
        self.prefix = wine_prefix.WinePrefix(dpi=dpi)  # one per DPI: Wine keeps it in the prefix
        self._facts = None

    def own_frame(self, display, window):
        """The frame Wine draws inside the X window: none where the window manager frames it.
        Themes differ (Wine 10's caption is taller than Wine 8's), so it is asked for."""
        framed = any(display.frame_extents(window) or ())
        return (0, 0, 0, 0) if framed else self.display_facts(display)["frame"][0]

    def face_shape(self, display):
        """The client pixels the face's shape must hold at 96 DPI: those of the region Windows
        makes of the face's outline, which holds the pixels whose top-left corner the outline
        holds."""
        return {(x, y) for left, top, right, bottom in self.display_facts(display)["region"]
                for y in range(top, bottom) for x in range(left, right)}

    def monitors(self, display):
        """The monitors as Windows programs see them here, as (left, top, right, bottom)."""
        return self.display_facts(display)["monitor"]

    def display_facts(self, display):
        """What Windows tells programs about the display in this prefix, asked once: each kind
        of fact with its rectangles, in the order given."""
        if self._facts is None:
            work_dir = tempfile.mkdtemp(prefix="zorvin-facts-")
            try:
                facts = os.environ.get("ZORVIN_DISPLAY_FACTS") or os.path.join(
                    os.path.dirname(self.executable), self.FACTS_PROGRAM)
                result = subprocess.run(
                    ["wine", facts, *face.outline()],
                    env=self.environment(work_dir, display.name), capture_output=True, text=True,
                    timeout=120, check=True)
            finally:
                shutil.rmtree(work_dir, ignore_errors=True)
            self._facts = {}
            for line in result.stdout.splitlines():
                kind, *values = line.split()
                self._facts.setdefault(kind, []).append(tuple(int(value) for value in values))
        return self._facts

    def client_rect(self, display, window):
        left, top, right, bottom = self.own_frame(display, window)
        x, y = display.client_origin(window)
        width, height = display.client_size(window)
        return x + left, y + top, width - left - right, height - top - bottom

    def client_shape(self, display, window):
        left, top, _, _ = self.own_frame(display, window)
        return [(x - left, y - top, w, h) for x, y, w, h in display.shape_rectangles(window)]

    def environment(self, work_dir, display=None, extra=None):
        self.prefix.make()
        return self.prefix.environment(super().environment(work_dir, display, extra))

    def command(self):
        return ["wine", self.executable]

    def running(self, process, work_dir):
        return WineRunningProgram(process, work_dir, self.prefix)

    def run_without_display(self, extra_env=None, timeout=20):
        """As for the Linux program, less what Wine itself says on the way: its own processes may
        report a crash of theirs ("wine: Unhandled page fault ...") when there is no display."""
        try:
            result = super().run_without_display(extra_env, timeout)
        finally:
            self.prefix.end_processes()
        result.stderr = "".join(line for line in result.stderr.splitlines(keepends=True)
                                if not line.startswith("wine: "))
        return result


def start_shown(program, display, extra_env=None, timeout=20):
    """Starts `program` on `display` (an x11.Display) and waits until a face of its own is shown
    and shaped, beside any face there already; returns the run and the face's window. A run whose
    face does not come is stopped, and the failure tells what it said."""
    shown = {window.id for window in display.find_windows(MAIN_WINDOW)}
    running = program.start(display, extra_env)
    try:
        window = x11.wait_until(
            lambda: next((window for window in display.find_windows(MAIN_WINDOW)
                          if window.id not in shown), None), timeout, message="the new face")
        x11.wait_until(lambda: len(display.shape_rectangles(window)) > 1, 10,
                       message="the face's shape")
    except AssertionError as error:
        status = running.process.poll()
        output = running.output()
        running.stop()
        raise AssertionError("%s; the program's status: %s; its errors: %s"
                             % (error, status, output)) from None
    return running, window


_PROGRAMS = {"linux": LinuxProgram, "wine": WineProgram}


def from_environment():
    kind = os.environ.get("ZORVIN_PROGRAM", "linux")
    executable = os.environ.get("ZORVIN_EXECUTABLE")
    if kind not in _PROGRAMS:
        raise ValueError("ZORVIN_PROGRAM must be one of %s" % ", ".join(sorted(_PROGRAMS)))
    if not executable:
        raise unittest.SkipTest("ZORVIN_EXECUTABLE names no program to test")
    return _PROGRAMS[kind](executable)
