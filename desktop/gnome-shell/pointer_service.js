// Publishes the pointer on the session bus for Zorvin: a Wayland program cannot learn where the
// pointer is outside its own windows, but the Shell knows it everywhere. Zorvin asks once per tick
// of its timer. Shared by both extension formats, which load Gio each in their own way.
const POINTER_INTERFACE = `
<node>
  <interface name="@ZORVIN_SHELL_POINTER_INTERFACE@">
    <method name="Position">
      <arg name="x" type="i" direction="out"/>
      <arg name="y" type="i" direction="out"/>
      <arg name="width" type="i" direction="out"/>
      <arg name="height" type="i" direction="out"/>
    </method>
  </interface>
</node>`;

class PointerService {
    constructor() {
        this._object = Gio.DBusExportedObject.wrapJSObject(POINTER_INTERFACE, {
            // In the stage's coordinates, with the size of the whole stage.
            Position() {
                const [x, y] = global.get_pointer();
                return [x, y, global.screen_width, global.screen_height];
            },
        });
        this._object.export(Gio.DBus.session, '@ZORVIN_SHELL_POINTER_PATH@');
        this._name = Gio.bus_own_name_on_connection(Gio.DBus.session,
            '@ZORVIN_SHELL_POINTER_SERVICE@', Gio.BusNameOwnerFlags.NONE, null, null);
    }

    stop() {
        Gio.bus_unown_name(this._name);
        this._object.unexport();
    }
}
