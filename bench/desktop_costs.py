#!/usr/bin/python3
"""What Zorvin costs on a desktop, measured on a private X server with a window manager:

- looks at the pointer, wake-ups per second and CPU while the pointer and the face stand still: the
  program sleeps until something moves, but for a look once a second at moves nothing tells of
  (the Linux program's looks are counted from its log, which its helper writes, in a run of their
  own, since writing the log costs more than looking; Zorvin.exe keeps none);
- CPU while the pointer keeps moving around the face;
- how long the pupils take to follow a move of the pointer (the 100 ms tick's floor), and a warp
  of it by another client, for which the X server sends no input event: told by RECORD where the
  server has it, and on a server without it (nor XTEST, so moved by warps alone), found by a look
  (a second's ceiling) and the warps after that one at the ticks;
- under a nested Sway (where the release's has cursor sessions), wake-ups and CPU with the pointer
  still and moving over the empty desktop, where only the compositor can tell of it.

A wake-up is a context switch of any of the program's threads (voluntary and involuntary, from
/proc/PID/task/*/status); CPU is the threads' time on a CPU, to the nanosecond (schedstat). For
the Linux program these count its helper for the looks too; for Zorvin.exe they are its own
process's, not those of Wine's services (wineserver, explorer ...), which the figures for all of
Wine add.

Prints figures and sets no limits. The program under test is chosen as for the end-to-end tests:
ZORVIN_PROGRAM=linux|wine and ZORVIN_EXECUTABLE, or the path of `zorvin` as the only argument.

    /usr/bin/python3 -m bench.desktop_costs build/gcc/zorvin
    ZORVIN_PROGRAM=wine /usr/bin/python3 -m bench.desktop_costs build/win32/Zorvin.exe

from the source's top folder.
"""

import math
import os
import random
import statistics
import sys
import time
import unittest

from tests.harness import compositor, face, programs, session, wlroots_session, x11

STILL_SECONDS = 20
MOVING_SECONDS = 10
MOVES_PER_SECOND = 50
LATENCY_SAMPLES = 40
WARP_SAMPLES = 16
# A server without RECORD, which turns XTEST off with it.
WITHOUT_RECORD = ("-extension", "RECORD")
# The Linux program logs each look at the pointer, a tick's or one for the moves no event tells of,
# with one of these.
LOOK_LOG = {"QT_LOGGING_RULES": "zorvin.pointer.debug=true;zorvin.look.debug=true"}
LOOK_LINES = ("zorvin.pointer: looked", "zorvin.look: looked")
# The Windows program's process as Linux names it.
WINE_PROCESS_NAME = "Zorvin.exe"


def _read(path):
    try:
        with open(path) as f:
            return f.read()
    except OSError:  # the thread or process has just ended
        return ""


def thread_costs(pid):
    """(context switches, nanoseconds on a CPU) of every thread of process `pid` so far."""
    switches = nanoseconds = 0
    task_dir = "/proc/%d/task" % pid
    for tid in os.listdir(task_dir) if os.path.isdir(task_dir) else ():
        for line in _read("%s/%s/status" % (task_dir, tid)).splitlines():
            if line.startswith(("voluntary_ctxt_switches:", "nonvoluntary_ctxt_switches:")):
                switches += int(line.split()[1])
        schedstat = _read("%s/%s/schedstat" % (task_dir, tid)).split()
        if schedstat:
            nanoseconds += int(schedstat[0])
    return switches, nanoseconds


def wine_processes(prefix):
    """Every process of a Wine prefix: Zorvin.exe's and Wine's services (wineserver, explorer ...),
    some of which leave the program's session."""
    wanted = ("WINEPREFIX=%s" % prefix).encode()
    found = []
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open("/proc/%s/environ" % pid, "rb") as f:
                if wanted in f.read().split(b"\0"):
                    found.append(int(pid))
        except OSError:
            continue
    return found


def own_processes(running, program):
    """The processes whose own costs count: `zorvin` and the helper it runs for its looks at the
    pointer, or Zorvin.exe's process under Wine."""
    if program.name != "wine":
        return lambda: [running.process.pid] + running.children()

    def named():
        for pid in wine_processes(program.prefix.path):
            if _read("/proc/%d/comm" % pid).strip() == WINE_PROCESS_NAME:
                return pid
        return None

    x11.wait_until(named, 30, message="the process " + WINE_PROCESS_NAME)
    own = named()
    return lambda: [own]


class Costs:
    """Wake-ups and CPU of a set of processes over one stretch of time."""

    def __init__(self, pids):
        self.pids = pids
        self.start = self._now()

    def _now(self):
        totals = [thread_costs(pid) for pid in self.pids()]
        return (time.monotonic(), sum(s for s, _ in totals), sum(n for _, n in totals))

    def per_second(self):
        """(wake-ups per second, per cent of one core) since this was made."""
        (t0, s0, n0), (t1, s1, n1) = self.start, self._now()
        return (s1 - s0) / (t1 - t0), 100 * (n1 - n0) / 1e9 / (t1 - t0)


def measure(seconds, groups, activity=None):
    """The costs of each group of processes while `activity(elapsed)` runs 50 times a second, or
    while nothing at all happens."""
    costs = {name: Costs(pids) for name, pids in groups.items()}
    start = time.monotonic()
    if activity:
        while (elapsed := time.monotonic() - start) < seconds:
            activity(elapsed)
            time.sleep(1 / MOVES_PER_SECOND)
    else:
        time.sleep(seconds)
    return {name: cost.per_second() for name, cost in costs.items()}


def percentile(values, share):
    ordered = sorted(values)
    return ordered[min(len(ordered) - 1, math.ceil(share * len(ordered)) - 1)]


def looks_while_still(program, display):
    """How often the Linux program looks at the pointer while nothing moves, from its log."""
    running, _ = programs.start_shown(program, display, LOOK_LOG, timeout=30)
    try:
        time.sleep(2)  # the start's last ticks
        before = sum(running.output().count(line) for line in LOOK_LINES)
        time.sleep(STILL_SECONDS)
        return (sum(running.output().count(line) for line in LOOK_LINES) - before) / STILL_SECONDS
    finally:
        running.stop()


def warp_delays(display, window, program, lead_way, stills):
    """How long the pupils take to follow a warp of the pointer across the face by another client,
    after the pointer was moved `lead_way` to the other side and kept still for a span drawn from
    `stills` (one that varies over a whole look period, so that the warps do not fall in step with
    the looks)."""
    left, top, width, height = program.client_rect(display, window)
    centre_x, eyes_y = left + width // 2, top + face.eyes()[0][1]
    # The pupils as far left and as far right as they go.
    sideways = {-400: [(13, 28), (63, 28)], 400: [(23, 28), (73, 28)]}
    pauses = random.Random(29)

    def pupils():
        return face.find_pupils(display.screenshot(left, top, width, height))

    delays = []
    for sample in range(WARP_SAMPLES):
        side = -400 if sample % 2 else 400
        display.move_pointer(centre_x + side, eyes_y, way=lead_way)
        x11.wait_until(lambda: pupils() == sideways[side], 5,
                       message="the pupils to follow the lead-in")
        time.sleep(pauses.uniform(*stills))
        display.move_pointer(centre_x - side, eyes_y, way="warp")
        moved = time.monotonic()
        x11.wait_until(lambda: pupils() == sideways[-side], 5, interval=0.005,
                       message="the pupils to follow the warp")
        delays.append(1000 * (time.monotonic() - moved))
    return delays


def warps_without_record(program):
    """Warp delays on a server without RECORD: after a still spell longer than a warp keeps the
    program awake, and after a short one."""
    with session.XSession(server_arguments=WITHOUT_RECORD) as x:
        x.display.pointer_moves = "warp"
        x.reset_pointer()
        running, window = programs.start_shown(program, x.display, timeout=30)
        try:
            return (warp_delays(x.display, window, program, "warp", (3.2, 4.2)),
                    warp_delays(x.display, window, program, "warp", (0.3, 0.4)))
        finally:
            running.stop()


def under_sway(program):
    """Wake-ups and CPU of the Linux program under a nested Sway, which tells of the pointer's moves
    through cursor sessions, with the pointer still over the empty desktop, then moving there;
    nothing where the release's Sway has no cursor sessions."""
    if program.name != "linux":
        return None
    try:
        wlroots_session.require_cursor_sessions("sway")
    except unittest.SkipTest:
        return None
    desktop = wlroots_session.WlrootsSession("sway")
    desktop.start()
    try:
        xwayland = compositor.connect_x(desktop.environment["DISPLAY"])
        running, _ = programs.start_shown(program, xwayland, desktop.environment, timeout=30)
        try:
            groups = {"own": own_processes(running, program)}
            desktop.move_pointer(10, 10)
            time.sleep(2)  # the move's ticks
            still = measure(STILL_SECONDS, groups)

            def line(elapsed):  # along the desktop's top, away from every X11 window
                desktop.move_pointer(int(500 + 400 * math.sin(elapsed * 2)), 10)

            return still, measure(MOVING_SECONDS, groups, line)
        finally:
            running.stop()
            xwayland.close()
    finally:
        desktop.stop()


def main():
    if len(sys.argv) > 1:
        os.environ.setdefault("ZORVIN_EXECUTABLE", sys.argv[1])
    program = programs.from_environment()
    with session.XSession() as x:
        display = x.display
        x.reset_pointer()
        if program.name == "linux":
            looks = looks_while_still(program, display)
        running, window = programs.start_shown(program, display, timeout=30)
        try:
            left, top, width, height = program.client_rect(display, window)
            centre = (left + width // 2, top + height // 2)
            groups = {"own": own_processes(running, program)}
            if program.name == "wine":
                groups["wine"] = lambda: wine_processes(program.prefix.path)
            time.sleep(2)  # the start's last ticks and repaints

            still = measure(STILL_SECONDS, groups)

            def circle(elapsed):
                angle = elapsed * 2 * math.pi / 3
                display.move_pointer(int(centre[0] + 300 * math.cos(angle)),
                                     int(centre[1] + 300 * math.sin(angle)))

            moving = measure(MOVING_SECONDS, groups, circle)

            pauses = random.Random(15)
            eyes_y = top + face.eyes()[0][1]

            def pupils():
                return face.find_pupils(display.screenshot(left, top, width, height))

            def follow_delay(sample, lead_in):
                """How long the pupils take to follow a jump of the pointer across the face,
                after `lead_in(side, seconds)` has kept the pointer on one side for 0.3 to 0.4 s
                (a span that varies over a whole tick, so that the jumps do not fall in step with
                the ticks)."""
                side = -400 if sample % 2 else 400
                display.move_pointer(centre[0] + side, eyes_y)
                lead_in(side, pauses.uniform(0.3, 0.4))
                before = pupils()
                display.move_pointer(centre[0] - side, eyes_y)
                moved = time.monotonic()
                x11.wait_until(lambda: pupils() != before, 5,
                               interval=0.005, message="the pupils to follow")
                return 1000 * (time.monotonic() - moved)

            def keep_still(_side, seconds):
                time.sleep(seconds)

            def keep_moving(side, seconds):
                """Moves along the line through the eyes' centres, which leaves the pupils where
                they are, so that the ticks keep running."""
                start = time.monotonic()
                while (elapsed := time.monotonic() - start) < seconds:
                    display.move_pointer(centre[0] + side + int(20 * math.sin(elapsed * 20)),
                                         eyes_y)
                    time.sleep(1 / MOVES_PER_SECOND)

            after_still = [follow_delay(n, keep_still) for n in range(LATENCY_SAMPLES)]
            while_moving = [follow_delay(n, keep_moving) for n in range(LATENCY_SAMPLES)]
            # Long enough for the program to sleep after a device's move.
            after_warp = warp_delays(display, window, program, "device", (1.2, 2.2))
        finally:
            running.stop()
    first_unrecorded, next_unrecorded = warps_without_record(program)
    sway = under_sway(program)

    name = "Zorvin.exe under Wine" if program.name == "wine" else "zorvin"
    print("%s: still for %d s, moving for %d s" % (name, STILL_SECONDS, MOVING_SECONDS))
    print("  pointer and face still (the limit: a look a second, and no measurable CPU)")
    if program.name == "linux":
        print("    looks at the pointer:            %7.1f /s    (limit 1)" % looks)
    print("    wake-ups:                        %7.1f /s" % still["own"][0])
    print("    CPU:                             %7.3f %% of one core    (limit 0.02)"
          % still["own"][1])
    if "wine" in still:
        print("    CPU, with Wine's own processes:  %7.3f %% of one core" % still["wine"][1])
    print("  pointer moving (%d moves/s)" % MOVES_PER_SECOND)
    print("    wake-ups:                        %7.1f /s" % moving["own"][0])
    print("    CPU:                             %7.3f %% of one core" % moving["own"][1])
    if "wine" in moving:
        print("    CPU, with Wine's own processes:  %7.3f %% of one core" % moving["wine"][1])
    if sway:
        print("  under Sway, the pointer over the empty desktop: still, then moving (%d moves/s)"
              % MOVES_PER_SECOND)
        for what, (wakeups, cpu) in zip(("still", "moving"), (stage["own"] for stage in sway)):
            print("    %-6s wake-ups %6.1f /s, CPU %6.3f %% of one core" % (what, wakeups, cpu))
    print("  pupils follow a jump of the pointer across the face (%d jumps each)" % LATENCY_SAMPLES)
    for what, delays in (("while it keeps moving", while_moving),
                         ("after 0.3 to 0.4 s still", after_still)):
        print("    %-25s median %3.0f ms, p95 %3.0f ms, min %3.0f ms, max %3.0f ms"
              % (what, statistics.median(delays), percentile(delays, 0.95), min(delays),
                 max(delays)))
    print("  pupils follow a warp of the pointer by another client (%d warps each; the limit: a"
          " tick where the server tells of warps, a look period and a tick where it does not)"
          % WARP_SAMPLES)
    for what, delays in (("after 1.2 to 2.2 s still", after_warp),
                         ("no RECORD, 3.2 to 4.2 s still", first_unrecorded),
                         ("no RECORD, 0.3 to 0.4 s still", next_unrecorded)):
        print("    %-29s median %3.0f ms, p95 %3.0f ms, min %3.0f ms, max %3.0f ms"
              % (what, statistics.median(delays), percentile(delays, 0.95), min(delays),
                 max(delays)))


if __name__ == "__main__":
    main()
