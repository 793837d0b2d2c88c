// Zorvin's pointer extension in the script format of GNOME Shell 43 and 44.
const {Gio, GLib, Meta} = imports.gi;

@ZORVIN_POINTER_SERVICE@
class ZorvinPointerExtension {
    enable() {
        this._pointer = new PointerService(Meta.CursorTracker.get_for_display(global.display),
            global.backend.get_monitor_manager());
    }

    disable() {
        this._pointer.stop();
        this._pointer = null;
    }
}

function init() {
    return new ZorvinPointerExtension();
}
