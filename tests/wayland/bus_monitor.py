"""What passes on a D-Bus bus, as the bus copies it to a monitor: a connection of its own that asks
the bus (BecomeMonitor) for every message matching its rules, and keeps them with the time each
arrived."""

import threading
import time

from gi.repository import Gio, GLib

DBUS = ("org.freedesktop.DBus", "/org/freedesktop/DBus")


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
    AddMatch), from the moment it is made until it is closed."""

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
