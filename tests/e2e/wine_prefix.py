"""A Wine prefix of its own for one run of the tests, made in the build tree on first use and
removed, with every Wine process in it, when the run ends.

Each prefix has its display scale: Wine reports `HKCU\\Control Panel\\Desktop\\LogPixels` as every
monitor's DPI (96 at 100 %, 144 at 150 %, 192 at 200 %).

Wine's X11 driver sets a window's region as its X window's shape, without going through the
window's drawing surface (ClientSideGraphics off): Wine 10 shapes through the surface by default,
and cuts part of a region's top row wrongly there (five pixels of the face's hair away, three
pixels beside them kept), while the region the program set is right.

The prefix names the stub openers as Wine's browser and mail program, so that a "mailto:" address
goes to `xdg-email` and a web address to `xdg-open`, the first found on PATH. Nothing in it
reaches outside: no menu entries or file associations on the desktop, no Mono or Gecko install.
"""

import atexit
import os
import shutil
import subprocess
import tempfile

OPENERS = {"Browsers": "xdg-open", "Mailers": "xdg-email"}
X11_DRIVER = r"HKCU\Software\Wine\X11 Driver"


class WinePrefix:
    def __init__(self, parent=None, dpi=96):
        parent = parent or os.environ.get("ZORVIN_WINE_PREFIXES") or tempfile.gettempdir()
        self.dpi = dpi
        name = "wineprefix-%d-%ddpi" % (os.getpid(), dpi)
        self.path = os.path.join(os.path.abspath(parent), name)
        self._made = False

    def environment(self, base):
        """`base` with the variables that run Wine in this prefix, quietly."""
        env = dict(base)
        env.update({
            "WINEPREFIX": self.path,
            "WINEARCH": "win64",
            "WINEDEBUG": "-all",
            "WINEDLLOVERRIDES": "mscoree,mshtml,winemenubuilder.exe=d",
        })
        return env

    def make(self):
        """Makes the prefix, once per run."""
        if self._made:
            return
        shutil.rmtree(self.path, ignore_errors=True)
        atexit.register(self.remove)
        env = self.environment({k: v for k, v in os.environ.items() if k != "DISPLAY"})
        self._run(["wineboot", "-i"], env)
        # wineboot returns before the prefix is written.
        self._run(["wineserver", "-w"], env)
        for kind, opener in OPENERS.items():
            self._run(["wine", "reg", "add", r"HKCU\Software\Wine\WineBrowser", "/v", kind,
                       "/d", opener, "/f"], env)
        self._run(["wine", "reg", "add", r"HKCU\Control Panel\Desktop", "/v", "LogPixels",
                   "/t", "REG_DWORD", "/d", str(self.dpi), "/f"], env)
        self._run(["wine", "reg", "add", X11_DRIVER, "/v", "ClientSideGraphics", "/d", "N",
                   "/f"], env)
        self._run(["wineserver", "-w"], env)
        self._made = True

    def set_x11_driver_value(self, name, value):
        """A value of Wine's X11 driver (HKCU\\Software\\Wine\\X11 Driver) in this prefix."""
        self.make()
        env = self.environment({k: v for k, v in os.environ.items() if k != "DISPLAY"})
        self._run(["wine", "reg", "add", X11_DRIVER, "/v", name, "/d", value, "/f"], env)
        self._run(["wineserver", "-w"], env)

    def end_processes(self):
        """Ends every Wine process of the prefix, the program's and Wine's own."""
        if os.path.isdir(self.path):
            self._run(["wineserver", "-k"], self.environment(os.environ), check=False)

    def remove(self):
        self.end_processes()
        shutil.rmtree(self.path, ignore_errors=True)

    def _run(self, args, env, check=True):
        subprocess.run(args, env=env, check=check, timeout=180, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
