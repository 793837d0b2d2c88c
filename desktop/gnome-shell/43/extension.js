// Zorvin's pointer extension in the script format of GNOME Shell 43 and 44.
const {Gio} = imports.gi;

@ZORVIN_POINTER_SERVICE@
class ZorvinPointerExtension {
    enable() {
        this._pointer = new PointerService();
    }

    disable() {
        this._pointer.stop();
        this._pointer = null;
    }
}

function init() {
    return new ZorvinPointerExtension();
}
