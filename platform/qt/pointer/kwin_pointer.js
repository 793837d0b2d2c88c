// Tells Zorvin where the pointer is, from inside KWin. Zorvin fills in the names and its tick before
// it loads this script. A moving pointer is reported at once, then at most once per tick, the last
// place it reached included; a still pointer costs no call and no timer. Each report carries KWin's
// outputs, "name,x,y,width,height" each in logical pixels and separated by ";", so that Zorvin can
// map the pointer to the X11 screen of the output it is on; outputs that come, go or change are
// reported as a move is, since a still pointer then lies elsewhere on the new screens.
const zorvin = {
    service: "@SERVICE@",
    path: "@PATH@",
    iface: "@INTERFACE@",
    script: "@SCRIPT@",
    tick: @TICK@,
};

const pause = new QTimer();
pause.singleShot = true;
pause.interval = zorvin.tick;
let sent = null;
let ended = false;

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

// A Zorvin that ended without unloading this script (killed, or gone before KWin took its word)
// is no longer on the bus: rather than call nobody on every move for the rest of the session, the
// script unloads itself.
function report(x, y, described) {
    callDBus("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
             "NameHasOwner", zorvin.service, function (running) {
        if (running) {
            callDBus(zorvin.service, zorvin.path, zorvin.iface, "Moved", x, y, described);
        } else if (!ended) {
            ended = true;
            pause.stop();
            callDBus("org.kde.KWin", "/Scripting", "org.kde.kwin.Scripting", "unloadScript",
                     zorvin.script);
        }
    });
}

function send() {
    const x = whole(workspace.cursorPos.x);
    const y = whole(workspace.cursorPos.y);
    const described = outputs();
    if (ended || (sent !== null && sent.x === x && sent.y === y && sent.outputs === described)) {
        return;
    }
    sent = { x: x, y: y, outputs: described };
    report(x, y, described);
    pause.start();
}

function changed() {
    if (!pause.active) {
        send();
    }
}

pause.timeout.connect(send);
workspace.cursorPosChanged.connect(changed);
// Plasma 6 tells of outputs that come and go by the first, Plasma 5 by the next two; both by the
// last when the desktop's bounds change.
for (const signal of ["screensChanged", "numberScreensChanged", "screenResized",
                      "virtualScreenGeometryChanged"]) {
    if (workspace[signal] !== undefined) {
        workspace[signal].connect(changed);
    }
}
send();
