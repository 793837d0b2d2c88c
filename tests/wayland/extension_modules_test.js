// The GNOME Shell extension in the ES module format of GNOME 45 and later, loaded under gjs with
// stand-ins for the Shell's modules: it must load, publish the pointer on the session bus while
// enabled, and leave the bus when disabled. Run by extension_modules_test.sh, on a bus of its own,
// with the extensions as the build makes them in ZORVIN_GNOME_EXTENSIONS/<format>/<uuid>.
import Gio from 'gi://Gio';
import GLib from 'gi://GLib';
import System from 'system';

const extensions = GLib.getenv('ZORVIN_GNOME_EXTENSIONS');
const uuid = GLib.getenv('ZORVIN_GNOME_EXTENSION_UUID');
const SERVICE = 'org.example.zorvin.ShellPointer';
const PATH = '/org/example/zorvin/ShellPointer';

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

// Each format declares the Shell versions it runs on, under the same uuid.
for (const [format, versions] of [['43', ['43', '44']], ['45', ['45', '46', '47', '48', '49']]]) {
    const metadata = JSON.parse(readText(`${extensions}/${format}/${uuid}/metadata.json`));
    expectEqual(metadata.uuid, uuid, `the ${format} format's uuid`);
    expectEqual(metadata['shell-version'], versions, `the ${format} format's Shell versions`);
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
globalThis.global = {get_pointer: () => [12, 34, 0], screen_width: 1280, screen_height: 1024};

const {default: ZorvinPointerExtension} = await import(`file://${work}/extension.js`);
const extension = new ZorvinPointerExtension({uuid});

const bus = Gio.DBus.session;
function waitFor(condition, what) {
    const deadline = GLib.get_monotonic_time() + 5_000_000;
    while (!condition()) {
        if (GLib.get_monotonic_time() > deadline)
            fail(`timed out waiting for ${what}`);
        GLib.MainContext.default().iteration(true);
    }
}
function hasOwner() {
    let answer = null;
    bus.call('org.freedesktop.DBus', '/org/freedesktop/DBus', 'org.freedesktop.DBus',
        'NameHasOwner', new GLib.Variant('(s)', [SERVICE]), null, Gio.DBusCallFlags.NONE, -1,
        null, (connection, result) => {
            answer = connection.call_finish(result).deepUnpack()[0];
        });
    waitFor(() => answer !== null, 'NameHasOwner');
    return answer;
}

extension.enable();
waitFor(hasOwner, 'the extension to own its name');
let position = null;
bus.call(SERVICE, PATH, SERVICE, 'Position', null, null, Gio.DBusCallFlags.NONE, -1, null,
    (connection, result) => {
        position = connection.call_finish(result);
    });
waitFor(() => position !== null, 'the position');
expectEqual(position.get_type_string(), '(iiii)', 'the reply\'s signature');
expectEqual(position.deepUnpack(), [12, 34, 1280, 1024], 'the position');

extension.disable();
waitFor(() => !hasOwner(), 'the extension to leave the bus');
for (const name of ['extension-base.js', 'extension.js'])
    GLib.unlink(`${work}/${name}`);
GLib.rmdir(work);
print('ok');
