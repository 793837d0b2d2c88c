// The GNOME Shell extension in the ES module format of GNOME 45 and later, loaded under gjs with
// stand-ins for the Shell's modules and Mutter's signals: it must load, publish its service on the
// session bus while enabled, tell the pointer to a subscriber and to no one else, once per tick
// while it moves, stop listening to Mutter once its last subscriber left, and leave the bus when
// disabled. Run by extension_modules_test.sh, on a bus of its own, with the extensions as the
// build makes them in ZORVIN_GNOME_EXTENSIONS/<format>/<uuid>.
import Gio from 'gi://Gio';
import GLib from 'gi://GLib';
import System from 'system';

const extensions = GLib.getenv('ZORVIN_GNOME_EXTENSIONS');
const uuid = GLib.getenv('ZORVIN_GNOME_EXTENSION_UUID');
const SERVICE = 'org.example.zorvin.ShellPointer';
const PATH = '/org/example/zorvin/ShellPointer';
const SUBSCRIBER = `
<node>
  <interface name="${SERVICE}.Subscriber">
    <method name="Moved">
      <arg name="x" type="i" direction="in"/>
      <arg name="y" type="i" direction="in"/>
      <arg name="monitors" type="s" direction="in"/>
    </method>
  </interface>
</node>`;

function fail(message) {
    printerr(`FAIL: ${message}`);
    System.exit(1);
}

function expectEqual(actual, expected, what) {
    if (JSON.stringify(actual) !== JSON.stringify(expected))
        fail(`${what}: ${JSON.stringify(actual)}, expected ${JSON.stringify(expected)}`);
}

function readText(path) {
    return new TextDecoder().decode(GLib.file_get_contents(path)[1]);
}

function waitFor(condition, what) {
    const deadline = GLib.get_monotonic_time() + 5_000_000;
    while (!condition()) {
        if (GLib.get_monotonic_time() > deadline)
            fail(`timed out waiting for ${what}`);
        GLib.MainContext.default().iteration(true);
    }
}

// A method call's answer, or its error.
function call(connection, name, path, method, parameters = null) {
    let answer = null;
    connection.call(name, path, name, method, parameters, null, Gio.DBusCallFlags.NONE, -1, null,
        (source, result) => {
            try {
                answer = source.call_finish(result).deepUnpack();
            } catch (error) {
                answer = error;
            }
        });
    waitFor(() => answer !== null, method);
    return answer;
}

function callExtension(connection, method) {
    return call(connection, SERVICE, PATH, method);
}

function extensionOnBus() {
    return call(Gio.DBus.session, 'org.freedesktop.DBus', '/org/freedesktop/DBus', 'NameHasOwner',
        new GLib.Variant('(s)', [SERVICE]))[0];
}

function connect() {
    return Gio.DBusConnection.new_for_address_sync(GLib.getenv('DBUS_SESSION_BUS_ADDRESS'),
        Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT |
        Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION, null, null);
}

// Each format declares the Shell versions it runs on, under the same uuid: those it is known to
// work on, and any other that loads that format (the installed Shell's, those the build names).
for (const [format, known, loads] of [['43', ['43', '44'], v => v < 45],
    ['45', ['45', '46', '47', '48', '49'], v => v >= 45]]) {
    const metadata = JSON.parse(readText(`${extensions}/${format}/${uuid}/metadata.json`));
    const versions = metadata['shell-version'];
    expectEqual(metadata.uuid, uuid, `the ${format} format's uuid`);
    expectEqual(known.filter(v => versions.includes(v)), known,
        `the known Shells among the ${format} format's ${versions}`);
    expectEqual(versions.filter(v => !loads(Number(v))), [],
        `the ${format} format's Shells that load the other format`);
}

// A GObject signal source as far as the extension uses one.
class Signals {
    constructor() {
        this.handlers = new Map();
        this._next = 1;
    }

    connect(_signal, handler) {
        this.handlers.set(this._next, handler);
        return this._next++;
    }

    disconnect(id) {
        this.handlers.delete(id);
    }

    emit() {
        for (const handler of this.handlers.values())
            handler();
    }
}

// The Shell's Extension class and its `global`, standing in.
const work = GLib.dir_make_tmp('zorvin-extension-XXXXXX');
GLib.file_set_contents(`${work}/extension-base.js`,
    'export class Extension { constructor(metadata) { this.metadata = metadata; } }\n');
const source = readText(`${extensions}/45/${uuid}/extension.js`);
const shellModule = "'resource:///org/gnome/shell/extensions/extension.js'";
if (!source.includes(shellModule))
    fail('the extension does not import the Shell\'s Extension class');
GLib.file_set_contents(`${work}/extension.js`,
    source.replace(shellModule, `'file://${work}/extension-base.js'`));
const cursorTracker = new Signals();
let pointer = [12, 34];
globalThis.global = {
    get_pointer: () => [...pointer, 0],
    // Two monitors, the second above and left of the first.
    display: {
        get_n_monitors: () => 2,
        get_monitor_geometry: i => [{x: 0, y: 0, width: 1280, height: 1024},
            {x: -640, y: -480, width: 640, height: 480}][i],
    },
    backend: {
        get_cursor_tracker: () => cursorTracker,
        get_monitor_manager: () => new Signals(),
    },
};

const {default: ZorvinPointerExtension} = await import(`file://${work}/extension.js`);
const extension = new ZorvinPointerExtension({uuid});

extension.enable();
waitFor(extensionOnBus, 'the extension to own its name');

const stranger = connect();
if (!(callExtension(stranger, 'Position') instanceof GLib.Error))
    fail('a client that did not subscribe was answered');

const subscriber = connect();
const told = [];
const receiver = Gio.DBusExportedObject.wrapJSObject(SUBSCRIBER, {
    Moved: (x, y, monitors) => told.push([x, y, monitors]),
});
receiver.export(subscriber, PATH);
const MONITORS = ',0,0,1280,1024;,-640,-480,640,480';
expectEqual(callExtension(subscriber, 'Subscribe'), [12, 34, MONITORS],
    'the answer to a subscriber');
if (cursorTracker.handlers.size !== 1)
    fail('the extension does not listen to the cursor tracker for its subscriber');

// A move is told at once; later ones within the tick (the main loop does not run meanwhile) at the
// tick's end, as the last place.
for (const place of [[56, 78], [90, 12], [34, 56]]) {
    pointer = place;
    cursorTracker.emit();
}
waitFor(() => told.length >= 2, 'the moves');
expectEqual(told, [[56, 78, MONITORS], [34, 56, MONITORS]], 'what the subscriber was told');

receiver.unexport();
subscriber.close_sync(null);
waitFor(() => cursorTracker.handlers.size === 0, 'the extension to drop its only subscriber');

extension.disable();
waitFor(() => !extensionOnBus(), 'the extension to leave the bus');
stranger.close_sync(null);
for (const name of ['extension-base.js', 'extension.js'])
    GLib.unlink(`${work}/${name}`);
GLib.rmdir(work);
print('ok');
