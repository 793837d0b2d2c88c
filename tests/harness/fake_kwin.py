"""A KWin that is slow or stuck, for the program under test: a process of its own that takes
org.kde.KWin on a bus and answers the scripting calls after a delay, or never. Its script still
"runs" from the moment loadScript arrives: a line "moved X Y" on standard input makes it call the
program back, as the program's script would, and it answers "ok" on standard output once the
program has taken it.

    python3 -m tests.harness.fake_kwin BUS_ADDRESS SECONDS|never

It says "answered" on standard output once it has answered the scripting calls. Tests start and
drive it through FakeKWin.
"""

import os
import re
import subprocess
import sys

from gi.repository import Gio, GLib

from . import session

_TOP_FOLDER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")

INTERFACE = """
<node><interface name="org.kde.kwin.Scripting">
  <method name="loadScript"><arg type="s" direction="in"/><arg type="s" direction="in"/>
    <arg type="i" direction="out"/></method>
  <method name="start"/>
  <method name="unloadScript"><arg type="s" direction="in"/><arg type="b" direction="out"/></method>
</interface></node>
"""


class KWinScripting:
    def __init__(self, address, delay):
        self.delay = delay
        self.script = None  # what the program's script would call: service, path, interface
        self.held = []
        self.bus = Gio.DBusConnection.new_for_address_sync(
            address, Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT
            | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION)
        self.bus.register_object("/Scripting", Gio.DBusNodeInfo.new_for_xml(INTERFACE).interfaces[0],
                                 self.called)
        self.bus.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                           "RequestName", GLib.Variant("(su)", ("org.kde.KWin", 4)), None,
                           Gio.DBusCallFlags.NONE, -1, None)

    def called(self, connection, sender, path, interface, method, arguments, invocation):
        if method == "loadScript":
            with open(arguments.unpack()[0]) as f:
                text = f.read()
            self.script = tuple(re.search(r'%s: "([^"]*)"' % field, text).group(1)
                                for field in ("service", "path", "iface"))
        reply = {"loadScript": GLib.Variant("(i)", (0,)), "start": None,
                 "unloadScript": GLib.Variant("(b)", (True,))}[method]
        self.held.append((invocation, reply))
        if self.delay is not None and len(self.held) == 1:
            GLib.timeout_add(int(self.delay * 1000), self.answer)

    def answer(self):
        for invocation, reply in self.held:
            invocation.return_value(reply)
        self.held = []
        print("answered", flush=True)
        return GLib.SOURCE_REMOVE

    def command(self, stream, condition):
        line = stream.readline()
        if not line:
            GLib.MainLoop().quit()
            sys.exit(0)
        _, x, y = line.split()
        service, path, interface = self.script
        self.bus.call_sync(service, path, interface, "Moved",
                           GLib.Variant("(iis)", (int(x), int(y), "")), None,
                           Gio.DBusCallFlags.NONE, 5000, None)
        print("ok", flush=True)
        return GLib.SOURCE_CONTINUE


class FakeKWin:
    def __init__(self, bus, delay):
        self.process = session.start_process_group(
            [sys.executable, "-B", "-m", __name__, bus.address, delay], cwd=_TOP_FOLDER,
            stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
        self.read("ready")

    def read(self, expected):
        line = self.process.stdout.readline()
        if line != expected + "\n":
            raise AssertionError("the fake KWin said %r, not %r" % (line, expected))

    def moved(self, x, y):
        """Calls the program back as its script would, with the pointer at (x, y)."""
        self.process.stdin.write("moved %d %d\n" % (x, y))
        self.process.stdin.flush()
        self.read("ok")

    def stop(self):
        self.process.stdin.close()
        session.end_process_group(self.process)
        self.process.stdout.close()


def main():
    address, delay = sys.argv[1], sys.argv[2]
    kwin = KWinScripting(address, None if delay == "never" else float(delay))
    GLib.io_add_watch(sys.stdin, GLib.IO_IN | GLib.IO_HUP, kwin.command)
    print("ready", flush=True)
    GLib.MainLoop().run()


if __name__ == "__main__":
    main()
