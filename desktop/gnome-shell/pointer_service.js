// Tells Zorvin where the pointer is: a Wayland program cannot learn that outside its own windows,
// but the Shell knows it everywhere. It tells only the programs that subscribed, each by a call to
// its own unique bus name, and only while the pointer moves: a move is told at once, then at most
// once per tick of Zorvin's timer while the pointer keeps moving, the last place it reached
// included. A still pointer costs no message and no timer. A subscriber is forgotten when it leaves
// the bus. Shared by both extension formats, which load Gio and GLib each in their own way and hand
// in Mutter's cursor tracker and monitor manager.
const POINTER_INTERFACE = `
<node>
  <interface name="@ZORVIN_SHELL_POINTER_INTERFACE@">
    <method name="Subscribe">
      <arg name="x" type="i" direction="out"/>
      <arg name="y" type="i" direction="out"/>
      <arg name="monitors" type="s" direction="out"/>
    </method>
  </interface>
</node>`;
// Zorvin looks at the pointer once per tick of its timer.
const TICK_MS = 100;

// The pointer in the stage's coordinates, with the monitors' rectangles in the same coordinates,
// written as "name,x,y,width,height" separated by ";" (the Shell names none), so that Zorvin maps
// each monitor onto the X11 screen that shows it.
function pointerPosition() {
    const [x, y] = global.get_pointer();
    const monitors = [];
    for (let i = 0; i < global.display.get_n_monitors(); i++) {
        const rect = global.display.get_monitor_geometry(i);
        monitors.push(`,${rect.x},${rect.y},${rect.width},${rect.height}`);
    }
    return [x, y, monitors.join(';')];
}

// Tells one subscriber where the pointer is: a call that wants no reply, to its own name alone.
function tell(subscriber, position) {
    const message = Gio.DBusMessage.new_method_call(subscriber, '@ZORVIN_SHELL_POINTER_PATH@',
        '@ZORVIN_SHELL_POINTER_SUBSCRIBER_INTERFACE@', 'Moved');
    message.set_body(new GLib.Variant('(iis)', position));
    message.set_flags(Gio.DBusMessageFlags.NO_REPLY_EXPECTED);
    Gio.DBus.session.send_message(message, Gio.DBusSendMessageFlags.NONE);
}

class PointerService {
    constructor(cursorTracker, monitorManager) {
        this._sources = [
            [cursorTracker, 'position-invalidated'],
            [monitorManager, 'monitors-changed'],
        ];
        this._handlers = [];
        // Each subscriber's unique name, with the watch that tells when it leaves the bus.
        this._subscribers = new Map();
        this._told = null;
        this._tick = 0;
        this._object = Gio.DBusExportedObject.wrapJSObject(POINTER_INTERFACE, {
            SubscribeAsync: (parameters, invocation) => this._subscribe(invocation),
        });
        this._object.export(Gio.DBus.session, '@ZORVIN_SHELL_POINTER_PATH@');
        this._name = Gio.bus_own_name_on_connection(Gio.DBus.session,
            '@ZORVIN_SHELL_POINTER_SERVICE@', Gio.BusNameOwnerFlags.NONE, null, null);
    }

    stop() {
        Gio.bus_unown_name(this._name);
        this._object.unexport();
        for (const subscriber of [...this._subscribers.keys()])
            this._forget(subscriber);
    }

    // The subscriber learns where the pointer is now in the answer, and of every move after it.
    _subscribe(invocation) {
        const subscriber = invocation.get_sender();
        if (!this._subscribers.has(subscriber)) {
            this._subscribers.set(subscriber, Gio.bus_watch_name_on_connection(Gio.DBus.session,
                subscriber, Gio.BusNameWatcherFlags.NONE, null, () => this._forget(subscriber)));
            if (this._subscribers.size === 1)
                this._listen();
        }
        invocation.return_value(new GLib.Variant('(iis)', pointerPosition()));
    }

    _forget(subscriber) {
        Gio.bus_unwatch_name(this._subscribers.get(subscriber));
        this._subscribers.delete(subscriber);
        if (this._subscribers.size === 0)
            this._stopListening();
    }

    // Mutter is listened to only while someone is to be told.
    _listen() {
        this._handlers = this._sources.map(([source, signal]) =>
            [source, source.connect(signal, () => this._moved())]);
    }

    _stopListening() {
        for (const [source, handler] of this._handlers)
            source.disconnect(handler);
        this._handlers = [];
        if (this._tick)
            GLib.source_remove(this._tick);
        this._tick = 0;
        this._told = null;
    }

    // Within a tick of the last message, the tick's end tells the latest place.
    _moved() {
        if (!this._tick)
            this._tellAll();
    }

    _tellAll() {
        const position = pointerPosition();
        if (this._told && position.every((value, i) => value === this._told[i]))
            return;
        this._told = position;
        for (const subscriber of this._subscribers.keys())
            tell(subscriber, position);
        this._tick = GLib.timeout_add(GLib.PRIORITY_DEFAULT, TICK_MS, () => {
            this._tick = 0;
            this._tellAll();
            return GLib.SOURCE_REMOVE;
        });
    }
}
