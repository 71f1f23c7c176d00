#!/usr/bin/env python3
"""Cold start and peak memory of the calculator against a baseline window.

The calculator and the baseline are started alternately in the same X
server, and so is the baseline with one line of Chinese text. Both are the
benchmark's own programs: the calculator is first_paint_calculator, the
program's own start-up code built to quit after its first paint. Each prints
the CLOCK_MONOTONIC time of its first painted window and quits. Start time is that instant less the
instant before the process was spawned; peak memory is the child's maximum
resident set size. Prints medians and their ratios as a table.

Usage: startup.py CALCULATOR BASELINE [PAIRS]
"""

import os
import statistics
import subprocess
import sys
import time


def run_once(command):
    start = time.clock_gettime_ns(time.CLOCK_MONOTONIC)
    child = subprocess.Popen(command, stdout=subprocess.PIPE,
                             stderr=subprocess.DEVNULL, text=True)
    output = child.stdout.read()
    _, status, usage = os.wait4(child.pid, 0)
    if status != 0:
        raise SystemExit("%s exited with status %d" % (command, status))
    painted = [line for line in output.splitlines() if line.startswith("first-paint ")]
    if not painted:
        raise SystemExit("%s reported no painted window" % command)
    painted_ns = int(painted[0].split()[1])
    return (painted_ns - start) / 1e6, usage.ru_maxrss / 1024.0


def main():
    calculator, baseline = sys.argv[1], sys.argv[2]
    pairs = int(sys.argv[3]) if len(sys.argv) > 3 else 15
    programs = {"calculator": [calculator], "empty window": [baseline],
                "window with text": [baseline, "--with-text"]}
    for command in programs.values():
        run_once(command)  # warm the page cache and the font cache for all alike
    results = {name: [] for name in programs}
    names = list(programs)
    for i in range(pairs):
        order = names if i % 2 == 0 else names[::-1]
        for name in order:
            results[name].append(run_once(programs[name]))
    start = {n: statistics.median(ms for ms, _ in r) for n, r in results.items()}
    memory = {n: statistics.median(mb for _, mb in r) for n, r in results.items()}

    print("| median of %d runs | calculator | empty window | ratio (goal) "
          "| window with text | ratio |" % pairs)
    print("|---|---|---|---|---|---|")
    for label, values, goal in (("start to first painted window (ms)", start, "1.10"),
                                ("peak resident memory (MiB)", memory, "1.15")):
        c, e, t = values["calculator"], values["empty window"], values["window with text"]
        print("| %s | %.1f | %.1f | %.3f (<= %s) | %.1f | %.3f |" % (label, c, e, c / e, goal,
                                                                   t, c / t))


if __name__ == "__main__":
    main()
