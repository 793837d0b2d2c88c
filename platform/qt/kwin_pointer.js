// Tells Zorvin where the pointer is, from inside KWin. Zorvin fills in the names and its tick before
// it loads this script. A moving pointer is reported at once, then at most once per tick, the last
// place it reached included; a still pointer costs no call and no timer.
const zorvin = {
    service: "@SERVICE@",
    path: "@PATH@",
    iface: "@INTERFACE@",
    tick: @TICK@,
};

const pause = new QTimer();
pause.singleShot = true;
pause.interval = zorvin.tick;
let sent = null;

// Plasma 6 gives positions as floating-point numbers; the call carries int32.
function whole(value) {
    return Math.round(value) | 0;
}

function send() {
    const x = whole(workspace.cursorPos.x);
    const y = whole(workspace.cursorPos.y);
    if (sent !== null && sent.x === x && sent.y === y) {
        return;
    }
    sent = { x: x, y: y };
    const size = workspace.virtualScreenSize;
    callDBus(zorvin.service, zorvin.path, zorvin.iface, "Moved", x, y, whole(size.width),
             whole(size.height));
    pause.start();
}

pause.timeout.connect(send);
workspace.cursorPosChanged.connect(function () {
    if (!pause.active) {
        send();
    }
});
send();
