"""A private X server (Xvfb) with a real window manager, for one group of tests.

The window manager is openbox unless ZORVIN_WINDOW_MANAGER names another (icewm). A session may
split its screen into side-by-side RandR monitors.

Each process is started in its own process group and the whole group is ended on stop, so that
nothing started here outlives the tests. The display number is the first free one in the range
ZORVIN_E2E_DISPLAYS ("first-last", default 100-299): free means no socket in /tmp/.X11-unix and
no lock file, and Xvfb is retried on the next number if another run took it in between.
"""

import os
import shutil
import signal
import subprocess
import tempfile
import time

from Xlib import X, display as xdisplay, error as xerror

from . import x11

SCREEN_SIZE = (1280, 1024)

# How each window manager is started: on its own, without a session manager or a D-Bus of its own.
_WINDOW_MANAGERS = {
    "openbox": ["openbox", "--sm-disable"],
    "icewm": ["icewm"],
}


def _display_range():
    first, last = os.environ.get("ZORVIN_E2E_DISPLAYS", "100-299").split("-")
    return range(int(first), int(last) + 1)


def _is_free(number):
    return not (os.path.exists("/tmp/.X11-unix/X%d" % number)
                or os.path.exists("/tmp/.X%d-lock" % number))


def start_process_group(args, env=None, **kwargs):
    return subprocess.Popen(args, env=env, start_new_session=True, **kwargs)


def end_process_group(process, timeout=5.0):
    """Ends the process and everything it started, gently first."""
    for sig in (signal.SIGTERM, signal.SIGKILL):
        try:
            os.killpg(process.pid, sig)
        except ProcessLookupError:
            break
        try:
            process.wait(timeout)
            break
        except subprocess.TimeoutExpired:
            continue
    # Children that outlived the group leader still belong to the group.
    try:
        os.killpg(process.pid, signal.SIGKILL)
    except ProcessLookupError:
        pass


def _connect(name):
    try:
        return xdisplay.Display(name)
    except (xerror.DisplayError, ConnectionError, OSError):
        return None


class XSession:
    """Xvfb and a window manager on a free display; `display` is an x11.Display connected to it.

    With `monitors` > 1, the screen is that many monitors of SCREEN_SIZE side by side. Xvfb takes
    `server_arguments` too (`-extension RECORD`: a server without RECORD, and so without XTEST).
    `managed=False`: no window manager (for a nested compositor's window)."""

    def __init__(self, monitors=1, server_arguments=(), managed=True):
        self.monitors = monitors
        self.server_arguments = list(server_arguments)
        self.window_manager = (os.environ.get("ZORVIN_WINDOW_MANAGER", "openbox") if managed
                               else None)
        self.name = None
        self.display = None
        self._processes = []
        self.log_dir = tempfile.mkdtemp(prefix="zorvin-x-")

    def __enter__(self):
        self.start()
        return self

    def __exit__(self, *exc):
        self.stop()

    def start(self):
        try:
            self._start_server()
            if self.monitors > 1:
                self._split_into_monitors()
            if self.window_manager:
                self._start_window_manager()
        except BaseException:
            self.stop()
            raise

    def _start_server(self):
        for number in _display_range():
            if not _is_free(number):
                continue
            name = ":%d" % number
            with open(os.path.join(self.log_dir, "xvfb.log"), "w") as log:
                server = start_process_group(
                    ["Xvfb", name, "-screen", "0",
                     "%dx%dx24" % (SCREEN_SIZE[0] * self.monitors, SCREEN_SIZE[1]),
                     "-nolisten", "tcp", "-noreset", *self.server_arguments],
                    stdout=log, stderr=subprocess.STDOUT)
            socket = "/tmp/.X11-unix/X%d" % number
            deadline = time.monotonic() + 10
            while server.poll() is None and time.monotonic() < deadline:
                connection = _connect(name) if os.path.exists(socket) else None
                if connection:
                    connection.close()
                    self.name = name
                    self._processes.append(server)
                    self.display = x11.Display(name)
                    return
                time.sleep(0.05)
            end_process_group(server)  # the number was taken meanwhile: try the next
        raise RuntimeError("no free X display in %s" % os.environ.get(
            "ZORVIN_E2E_DISPLAYS", "100-299"))

    def _split_into_monitors(self):
        """RandR monitors over the one screen; Xvfb's own +xinerama puts every head at 0,0."""
        width, height = SCREEN_SIZE
        for index in range(self.monitors):
            geometry = "%d/%dx%d/%d+%d+0" % (width, width * 254 // 960, height,
                                             height * 254 // 960, index * width)
            subprocess.run(["xrandr", "--display", self.name, "--setmonitor",
                            "Z%d" % index, geometry, "none"], check=True, capture_output=True)

    def _start_window_manager(self):
        env = dict(os.environ, DISPLAY=self.name, HOME=self.log_dir)
        with open(os.path.join(self.log_dir, "wm.log"), "w") as log:
            self._processes.append(start_process_group(
                _WINDOW_MANAGERS[self.window_manager], env=env, stdout=log,
                stderr=subprocess.STDOUT))
        x11.wait_until(self._window_manager_manages, 10, 0.05,
                       "%s to manage windows" % self.window_manager)

    def _window_manager_manages(self):
        """Whether a window mapped now is taken in by the window manager (reparented into a
        frame). A window manager may announce itself before it is ready to take windows in."""
        display = self.display
        probe = display.root.create_window(0, 0, 1, 1, 0, X.CopyFromParent)
        try:
            probe.map()
            display.connection.sync()
            deadline = time.monotonic() + 1
            while time.monotonic() < deadline:
                if probe.query_tree().parent != display.root:
                    return True
                time.sleep(0.02)
            return False
        finally:
            probe.destroy()
            display.connection.sync()

    def stop(self):
        if self.display:
            try:
                self.display.close()
            except Exception:  # the server may be gone already
                pass
            self.display = None
        for process in reversed(self._processes):
            end_process_group(process)
        self._processes = []
        shutil.rmtree(self.log_dir, ignore_errors=True)

    def reset_pointer(self):
        """Puts the pointer in the screen's top-left corner and lets every button go."""
        for button in ("left", "middle", "right"):
            mask = {"left": X.Button1Mask, "middle": X.Button2Mask, "right": X.Button3Mask}
            if self.display.root.query_pointer().mask & mask[button]:
                self.display.release(button)
        self.display.move_pointer(0, 0)
