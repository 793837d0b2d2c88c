"""Driving and inspecting an X display from outside the program under test.

The pointer and the keyboard are played through XTest from inside the test process, so that a
burst of motion reaches the server without the delay of spawning a tool per step. The pointer may
be moved the other ways programs move it instead, for which the X server sends no input event: by
another client's core warp (XWarpPointer, as `xdotool mousemove` does), or by XInput 2's warp
(XIWarpPointer, as GTK does). ZORVIN_POINTER_MOVES (device, warp or xiwarp; device unless set)
chooses the way for a run.
Windows are found by their WM_NAME; their client area, shape, stacking state and pixels are read
with core requests and the SHAPE extension.
"""

import ctypes
import ctypes.util
import os
import time

from Xlib import X, XK, Xatom, display as xdisplay, error as xerror
from Xlib.ext import shape, xfixes, xtest
from Xlib.protocol import event as xevent
from Xlib.xobject import drawable


BUTTONS = {"left": 1, "middle": 2, "right": 3}
POINTER_MOVES = ("device", "warp", "xiwarp")


class XInputWarp:
    """XInput 2's warp of the master pointer, through libXi on a connection of its own: python3-xlib
    has no XIWarpPointer."""

    VIRTUAL_CORE_POINTER = 2

    def __init__(self, name):
        self._x11 = ctypes.CDLL(ctypes.util.find_library("X11"))
        self._xi = ctypes.CDLL(ctypes.util.find_library("Xi"))
        self._x11.XOpenDisplay.restype = ctypes.c_void_p
        self._x11.XDefaultRootWindow.restype = ctypes.c_ulong
        self._x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self._x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        self._x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self._xi.XIWarpPointer.argtypes = [
            ctypes.c_void_p, ctypes.c_int, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_double,
            ctypes.c_double, ctypes.c_uint, ctypes.c_uint, ctypes.c_double, ctypes.c_double]
        self._display = self._x11.XOpenDisplay(name.encode())
        if not self._display:
            raise RuntimeError("cannot open display %s" % name)
        self._root = self._x11.XDefaultRootWindow(self._display)

    def warp(self, x, y):
        self._xi.XIWarpPointer(self._display, self.VIRTUAL_CORE_POINTER, 0, self._root, 0, 0, 0,
                               0, float(x), float(y))
        self._x11.XSync(self._display, 0)

    def close(self):
        self._x11.XCloseDisplay(self._display)


def wait_until(condition, timeout=10.0, interval=0.02, message="condition"):
    """Polls `condition` until it returns something true, and returns that; fails on timeout."""
    deadline = time.monotonic() + timeout
    while True:
        result = condition()
        if result:
            return result
        if time.monotonic() > deadline:
            raise AssertionError("timed out after %.1f s waiting for %s" % (timeout, message))
        time.sleep(interval)


class Display:
    def __init__(self, name):
        self.name = name
        self.pointer_moves = os.environ.get("ZORVIN_POINTER_MOVES", "device")
        if self.pointer_moves not in POINTER_MOVES:
            raise ValueError("ZORVIN_POINTER_MOVES=%s" % self.pointer_moves)
        self._xinput_warp = None
        self.connection = xdisplay.Display(name)
        self.root = self.connection.screen().root
        self.width = self.connection.screen().width_in_pixels
        self.height = self.connection.screen().height_in_pixels

    def close(self):
        if self._xinput_warp:
            self._xinput_warp.close()
        self.connection.close()

    def atom(self, name):
        return self.connection.intern_atom(name)

    # --- Pointer and keyboard ------------------------------------------------------------

    def move_pointer(self, x, y, sync=True, way=None):
        """Moves the pointer `way` (one of POINTER_MOVES), or the run's way."""
        way = way or self.pointer_moves
        if way == "xiwarp":
            self._xinput_warp = self._xinput_warp or XInputWarp(self.name)
            self._xinput_warp.warp(int(x), int(y))
            return
        if way == "warp":
            self.root.warp_pointer(int(x), int(y))
        else:
            xtest.fake_input(self.connection, X.MotionNotify, x=int(x), y=int(y))
        if sync:
            self.connection.sync()

    def pointer(self):
        reply = self.root.query_pointer()
        return reply.root_x, reply.root_y

    def press(self, button="left"):
        xtest.fake_input(self.connection, X.ButtonPress, BUTTONS[button])
        self.connection.sync()

    def release(self, button="left"):
        xtest.fake_input(self.connection, X.ButtonRelease, BUTTONS[button])
        self.connection.sync()

    def click(self, x, y, button="left"):
        self.move_pointer(x, y)
        self.press(button)
        self.release(button)

    def key(self, name, *held):
        """Presses and releases a key by its keysym name ("t", "Return", "Escape", "Menu") while
        the keys `held` ("Shift_L") are down."""
        codes = [self.connection.keysym_to_keycode(XK.string_to_keysym(key))
                 for key in held + (name,)]
        for code in codes:
            xtest.fake_input(self.connection, X.KeyPress, code)
        for code in reversed(codes):
            xtest.fake_input(self.connection, X.KeyRelease, code)
        self.connection.sync()

    def cursor(self):
        """The pointer's picture as (width, height, hot spot x, hot spot y)."""
        image = self._cursor_image()
        return image.width, image.height, image.xhot, image.yhot

    def cursor_fingertip(self):
        """The middle of the pointer picture's topmost row of drawn pixels, as (x, y)."""
        _, _, drawn = self.cursor_picture()
        if not drawn:
            return None
        top = min(y for _, y in drawn)
        row = [x for x, y in drawn if y == top]
        return (min(row) + max(row)) // 2, top

    def cursor_picture(self):
        """The pointer's picture as (width, height, the set of its drawn pixels)."""
        image = self._cursor_image()
        drawn = {(x, y) for y in range(image.height) for x in range(image.width)
                 if image.cursor_image[y * image.width + x] >> 24 != 0}
        return image.width, image.height, drawn

    def _cursor_image(self):
        self.connection.xfixes_query_version()  # XFixes serves a client that said its version
        return self.connection.xfixes_get_cursor_image(self.root)

    # --- Windows ---------------------------------------------------------------------------

    def _viewable(self, window):
        try:
            return window.get_attributes().map_state == X.IsViewable
        except xerror.BadWindow:
            return False

    def top_level_windows(self):
        """The viewable children of the root: window manager frames and pop-up menus."""
        try:
            children = self.root.query_tree().children
        except xerror.BadWindow:
            return []
        return [child for child in children if self._viewable(child)]

    def find_windows(self, name):
        """Viewable client windows whose WM_NAME is `name`, at any depth below the root."""
        found = []
        pending = [self.root]
        while pending:
            window = pending.pop()
            try:
                children = window.query_tree().children
            except xerror.BadWindow:
                continue
            for child in children:
                try:
                    if child.get_wm_name() == name and self._viewable(child):
                        found.append(child)
                        continue
                except xerror.BadWindow:
                    continue
                pending.append(child)
        return found

    def find_window(self, name):
        windows = self.find_windows(name)
        return windows[0] if len(windows) == 1 else None

    def wait_for_window(self, name, timeout=10.0):
        return wait_until(lambda: self.find_window(name), timeout, message="window %r" % name)

    def wait_until_gone(self, name, timeout=10.0):
        wait_until(lambda: not self.find_windows(name), timeout, message="%r to close" % name)

    def client_origin(self, window):
        """The screen position of the window's client area, frame or no frame."""
        reply = self.root.translate_coords(window, 0, 0)
        return reply.x, reply.y

    def client_size(self, window):
        geometry = window.get_geometry()
        return geometry.width, geometry.height

    def outer_rect(self, window):
        """(x, y, width, height) of the whole window on the screen: its X window and the window
        manager's frame around it, if any."""
        x, y = self.client_origin(window)
        width, height = self.client_size(window)
        left, right, top, bottom = self.frame_extents(window) or (0, 0, 0, 0)
        return x - left, y - top, width + left + right, height + top + bottom

    def shape_rectangles(self, window):
        """The bounding shape as (x, y, width, height) rectangles in client coordinates."""
        reply = window.shape_get_rectangles(shape.SK.Bounding)
        return [(r.x, r.y, r.width, r.height) for r in reply.rectangles]

    def set_resources(self, text):
        """The screen's X resources (RESOURCE_MANAGER), which `xrdb` sets and desktops set
        Xft.dpi in; programs read them when they start."""
        self.root.change_property(Xatom.RESOURCE_MANAGER, Xatom.STRING, 8, text.encode())
        self.connection.sync()

    def net_wm_state(self, window):
        prop = window.get_full_property(self.atom("_NET_WM_STATE"), Xatom.ATOM)
        if prop is None:
            return set()
        return {self.connection.get_atom_name(atom) for atom in prop.value}

    def icon_sizes(self, window):
        """The sizes of the pictures in the window's _NET_WM_ICON, as (width, height)."""
        prop = window.get_full_property(self.atom("_NET_WM_ICON"), Xatom.CARDINAL)
        values = list(prop.value) if prop else []
        sizes = []
        while len(values) >= 2:
            width, height = values[0], values[1]
            sizes.append((width, height))
            values = values[2 + width * height:]
        return sizes

    def frame_extents(self, window):
        prop = window.get_full_property(self.atom("_NET_FRAME_EXTENTS"), Xatom.CARDINAL)
        return tuple(prop.value) if prop else None

    def active_window(self):
        """The window the window manager has given the keyboard to, by id."""
        prop = self.root.get_full_property(self.atom("_NET_ACTIVE_WINDOW"), Xatom.WINDOW)
        return prop.value[0] if prop and len(prop.value) else None

    def activate(self, window):
        """Asks the window manager to give the window the keyboard, and waits until it has."""
        message = xevent.ClientMessage(
            window=window,
            client_type=self.atom("_NET_ACTIVE_WINDOW"),
            data=(32, [2, X.CurrentTime, 0, 0, 0]),
        )
        mask = X.SubstructureRedirectMask | X.SubstructureNotifyMask
        self.root.send_event(message, event_mask=mask)
        self.connection.sync()
        wait_until(lambda: self.active_window() == window.id and self.has_input_focus(window), 5,
                   message="the window to be active and to have the keyboard")

    def has_input_focus(self, window):
        """Whether the X server sends keys to the window or one of its children: a window manager
        may name the active window before it moves the keyboard there."""
        focus = self.connection.get_input_focus().focus
        while isinstance(focus, drawable.Window) and focus.id != self.root.id:
            if focus.id == window.id:
                return True
            focus = focus.query_tree().parent
        return False

    def move_window(self, window, x, y):
        """Asks the window manager to move the window's outer top-left corner to (x, y)."""
        north_west, x_and_y, from_pager = 1, 3 << 8, 2 << 12
        message = xevent.ClientMessage(
            window=window,
            client_type=self.atom("_NET_MOVERESIZE_WINDOW"),
            data=(32, [north_west | x_and_y | from_pager, x, y, 0, 0]),
        )
        mask = X.SubstructureRedirectMask | X.SubstructureNotifyMask
        self.root.send_event(message, event_mask=mask)
        self.connection.sync()

    def move_window_and_wait(self, window, x, y, timeout=5.0):
        """Moves the window as move_window does and waits until the window manager tells the
        window it is there (the ConfigureNotify it owes a window it moves)."""
        window.change_attributes(event_mask=X.StructureNotifyMask)
        self.connection.sync()
        self.move_window(window, x, y)

        def told():
            while self.connection.pending_events():
                event = self.connection.next_event()
                if (event.type == X.ConfigureNotify and event.window.id == window.id
                        and (event.x, event.y) == (x, y)):
                    return True
            return False
        try:
            wait_until(told, timeout, message="the window manager to move the window")
        finally:
            window.change_attributes(event_mask=X.NoEventMask)
            self.connection.sync()

    def close_from_caption(self, window):
        """Asks the window manager to close the window, as its caption's close button does."""
        message = xevent.ClientMessage(
            window=window,
            client_type=self.atom("_NET_CLOSE_WINDOW"),
            data=(32, [X.CurrentTime, 2, 0, 0, 0]),
        )
        mask = X.SubstructureRedirectMask | X.SubstructureNotifyMask
        self.root.send_event(message, event_mask=mask)
        self.connection.sync()

    # --- Pixels ----------------------------------------------------------------------------

    def screenshot(self, x, y, width, height):
        """Rows of (r, g, b) of the screen rectangle, cut to the screen."""
        left, top = max(0, x), max(0, y)
        right, bottom = min(self.width, x + width), min(self.height, y + height)
        image = self.root.get_image(left, top, right - left, bottom - top, X.ZPixmap, 0xFFFFFFFF)
        data = image.data
        stride = len(data) // (bottom - top)
        rows = []
        for row in range(bottom - top):
            base = row * stride
            rows.append([(data[base + 4 * i + 2], data[base + 4 * i + 1], data[base + 4 * i])
                         for i in range(right - left)])
        return rows
