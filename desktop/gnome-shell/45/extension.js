// Zorvin's pointer extension in the ES module format of GNOME Shell 45 and later.
import Gio from 'gi://Gio';
import GLib from 'gi://GLib';
import {Extension} from 'resource:///org/gnome/shell/extensions/extension.js';

@ZORVIN_POINTER_SERVICE@
export default class ZorvinPointerExtension extends Extension {
    enable() {
        this._pointer = new PointerService(global.backend.get_cursor_tracker(),
            global.backend.get_monitor_manager());
    }

    disable() {
        this._pointer.stop();
        this._pointer = null;
    }
}
