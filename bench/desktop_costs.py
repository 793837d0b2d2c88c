#!/usr/bin/python3
"""What Zorvin costs on a desktop, measured on a private X server with a window manager:

- CPU time while the pointer stands still (the program should be all but asleep),
- CPU time while the pointer keeps moving around the face,
- how long the pupils take to follow a move of the pointer (polled every 100 ms by design).

Prints figures and sets no limits. The program under test is chosen as for the end-to-end tests:
ZORVIN_PROGRAM=linux|wine and ZORVIN_EXECUTABLE, or the path of `zorvin` as the only argument.

    /usr/bin/python3 bench/desktop_costs.py build/gcc/zorvin
"""

import math
import os
import statistics
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))

import programs  # noqa: E402
import screen_face  # noqa: E402
import session  # noqa: E402
import x11  # noqa: E402

MEASURE_SECONDS = 10
MOVES_PER_SECOND = 50
LATENCY_SAMPLES = 20


def cpu_seconds(session_id):
    """CPU time used so far by every process of the program's session (Wine runs several)."""
    ticks = 0
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open("/proc/%s/stat" % pid) as f:
                fields = f.read().rsplit(")", 1)[1].split()
        except OSError:
            continue
        if int(fields[3]) == session_id:  # the session id, after state, ppid and pgrp
            ticks += int(fields[11]) + int(fields[12])  # utime + stime
    return ticks / os.sysconf("SC_CLK_TCK")


def cpu_share(pid, seconds, activity=lambda elapsed: None):
    start_cpu, start = cpu_seconds(pid), time.monotonic()
    while (elapsed := time.monotonic() - start) < seconds:
        activity(elapsed)
        time.sleep(1 / MOVES_PER_SECOND)
    return 100 * (cpu_seconds(pid) - start_cpu) / (time.monotonic() - start)


def main():
    if len(sys.argv) > 1:
        os.environ.setdefault("ZORVIN_EXECUTABLE", sys.argv[1])
    program = programs.from_environment()
    with session.XSession() as x:
        display = x.display
        running = program.start(x)
        try:
            face = display.wait_for_window(programs.MAIN_WINDOW, 30)
            x11.wait_until(lambda: len(display.shape_rectangles(face)) > 1, 10, message="shape")
            left, top, width, height = program.client_rect(display, face)
            centre = (left + width // 2, top + height // 2)
            pid = running.process.pid
            time.sleep(1)

            still = cpu_share(pid, MEASURE_SECONDS)

            def circle(elapsed):
                angle = elapsed * 2 * math.pi / 3
                display.move_pointer(int(centre[0] + 300 * math.cos(angle)),
                                     int(centre[1] + 300 * math.sin(angle)))

            moving = cpu_share(pid, MEASURE_SECONDS, circle)

            delays = []
            origin = (left, top)
            for sample in range(LATENCY_SAMPLES):
                side = -400 if sample % 2 else 400
                display.move_pointer(centre[0] + side, top + 32)
                time.sleep(0.3)
                before = screen_face.find_pupils(display, origin)
                display.move_pointer(centre[0] - side, top + 32)
                moved = time.monotonic()
                x11.wait_until(lambda: screen_face.find_pupils(display, origin) != before, 5,
                               interval=0.005, message="the pupils to follow")
                delays.append(1000 * (time.monotonic() - moved))
        finally:
            running.stop()

    print("Zorvin (%s), %d s each:" % (program.name, MEASURE_SECONDS))
    print("  CPU, pointer still:             %6.2f %% of one core" % still)
    print("  CPU, pointer moving (%d/s):     %6.2f %% of one core" % (MOVES_PER_SECOND, moving))
    print("  pupils follow a move within:    min %.0f ms, median %.0f ms, max %.0f ms (%d moves)"
          % (min(delays), statistics.median(delays), max(delays), len(delays)))


if __name__ == "__main__":
    main()
