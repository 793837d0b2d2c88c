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
ATTEMPTS = 3


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
        """Makes the prefix, once per run.

        Wine's first start in a new prefix fails now and then on a loaded machine (start.exe's
        "ShellExecuteEx failed: Internal error", exit 1, from inside `wineboot -i`), leaving a
        half-made prefix behind. Such a prefix is removed and made again from nothing; a step that
        fails the same way every time still fails, with what Wine said each time."""
        if self._made:
            return
        atexit.register(self.remove)
        failures = []
        for _ in range(ATTEMPTS):
            try:
                self._make_once()
                self._made = True
                return
            except RuntimeError as failure:
                failures.append(str(failure))
                self.end_processes()
        raise RuntimeError("\n".join(failures))

    def _make_once(self):
        shutil.rmtree(self.path, ignore_errors=True)
        env = self.environment({k: v for k, v in os.environ.items() if k != "DISPLAY"})
        self._run(["wineboot", "-i"], env)
        # wineboot returns before the prefix is written.
        self._run(["wineserver", "-w"], env)
        # All the settings in one import: one start of Wine, and of its wineserver, in place of
        # one per value.
        with open(os.path.join(self.path, "drive_c", "zorvin-tests.reg"), "w") as settings:
            settings.write(self._settings())
        self._run(["wine", "reg", "import", r"C:\zorvin-tests.reg"], env)
        self._run(["wineserver", "-w"], env)

    def _settings(self):
        return "\n".join([
            "REGEDIT4",
            "",
            r"[HKEY_CURRENT_USER\Software\Wine\WineBrowser]",
            *('"%s"="%s"' % (kind, opener) for kind, opener in OPENERS.items()),
            "",
            r"[HKEY_CURRENT_USER\Control Panel\Desktop]",
            '"LogPixels"=dword:%08x' % self.dpi,
            "",
            "[HKEY_CURRENT_USER\\%s]" % X11_DRIVER.split("\\", 1)[1],
            '"ClientSideGraphics"="N"',
            "",
        ])

    def set_x11_driver_value(self, name, value):
        """A value of Wine's X11 driver (HKCU\\Software\\Wine\\X11 Driver) in this prefix."""
        self.make()
        env = self.environment({k: v for k, v in os.environ.items() if k != "DISPLAY"})
        self._run(["wine", "reg", "add", X11_DRIVER, "/v", name, "/d", value, "/f"], env)
        self._run(["wineserver", "-w"], env)

    def end_processes(self):
        """Ends every Wine process of the prefix, the program's and Wine's own, and waits until its
        wineserver is gone: a program started while the old one is still on its way out meets a
        dying server and ends at once."""
        if os.path.isdir(self.path):
            env = self.environment(os.environ)
            self._run(["wineserver", "-k"], env, check=False)
            self._run(["wineserver", "-w"], env, check=False)

    def remove(self):
        self.end_processes()
        shutil.rmtree(self.path, ignore_errors=True)

    def _run(self, args, env, check=True):
        """Runs a step; a step that fails is reported with what Wine said. The output goes to a
        file, not a pipe: the processes Wine leaves running (wineserver among them) would hold a
        pipe open after the step has ended."""
        with tempfile.TemporaryFile(mode="w+", errors="replace") as output:
            result = subprocess.run(args, env=env, timeout=180, stdin=subprocess.DEVNULL,
                                    stdout=output, stderr=subprocess.STDOUT)
            if check and result.returncode != 0:
                output.seek(0)
                raise RuntimeError("%s exited with %d in the Wine prefix %s; it said:\n%s"
                                   % (" ".join(args), result.returncode, self.path, output.read()))
