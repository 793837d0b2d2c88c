// Tells Zorvin where the pointer is, from inside KWin. Zorvin fills in the names and its tick before
// it loads this script. A moving pointer is reported at once, then at most once per tick, the last
// place it reached included; a still pointer costs no call and no timer. Each report carries KWin's
// outputs, "name,x,y,width,height" each in logical pixels and separated by ";", so that Zorvin can
// map the pointer to the X11 screen of the output it is on.
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

function describe(name, geometry) {
    return [name, whole(geometry.x), whole(geometry.y), whole(geometry.width),
            whole(geometry.height)].join(",");
}

// Plasma 6 lists its outputs with their names; Plasma 5 numbers them.
function outputs() {
    if (workspace.screens !== undefined) {
        return workspace.screens.map(output => describe(output.name, output.geometry)).join(";");
    }
    const described = [];
    for (let screen = 0; screen < workspace.numScreens; ++screen) {
        described.push(describe("", workspace.clientArea(KWin.FullScreenArea, screen,
                                                          workspace.currentDesktop)));
    }
    return described.join(";");
}

function send() {
    const x = whole(workspace.cursorPos.x);
    const y = whole(workspace.cursorPos.y);
    if (sent !== null && sent.x === x && sent.y === y) {
        return;
    }
    sent = { x: x, y: y };
    callDBus(zorvin.service, zorvin.path, zorvin.iface, "Moved", x, y, outputs());
    pause.start();
}

pause.timeout.connect(send);
workspace.cursorPosChanged.connect(function () {
    if (!pause.active) {
        send();
    }
});
send();
