#!/usr/bin/env python3
"""Cold start and peak memory of the calculator against a baseline window.

The calculator and the baseline are started alternately in the same X
server, and so is the baseline with one line of Chinese text. Both are the
benchmark's own programs: the calculator is first_paint_calculator, the
program's own start-up code built to quit after its first paint. Each prints
the CLOCK_MONOTONIC time of its first painted window and quits. Start time is that instant less the
instant before the process was spawned; peak memory is the child's maximum
resident set size. With --floor, the same-content window takes part as
well, and with --today another build of the calculator (today's, say), all
in the same alternation. Prints medians and their ratios as a table.

Usage: startup.py CALCULATOR BASELINE [PAIRS] [--floor SAME_CONTENT] [--today CALCULATOR]
"""

import argparse
import os
import statistics
import subprocess
import time


# Older builds of the calculator (--today) held the probe themselves and quit
# after their first paint only with this set; the benchmark's programs ignore it.
OLDER_BUILDS_PROBE = {"TOVARIN_EXIT_AFTER_FIRST_PAINT": "1"}


def run_once(command):
    env = dict(os.environ, **OLDER_BUILDS_PROBE)
    start = time.clock_gettime_ns(time.CLOCK_MONOTONIC)
    child = subprocess.Popen(command, env=env, stdout=subprocess.PIPE,
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
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("calculator")
    parser.add_argument("baseline")
    parser.add_argument("pairs", nargs="?", type=int, default=15)
    parser.add_argument("--floor", help="the same-content window")
    parser.add_argument("--today", help="another build of the calculator, to compare with")
    args = parser.parse_args()
    programs = {"calculator": [args.calculator], "empty window": [args.baseline],
                "window with text": [args.baseline, "--with-text"]}
    if args.floor:
        programs["same-content window"] = [args.floor]
    if args.today:
        programs["calculator, other build"] = [args.today]
    for command in programs.values():
        run_once(command)  # warm the page cache and the font cache for all alike
    results = {name: [] for name in programs}
    names = list(programs)
    for i in range(args.pairs):
        order = names if i % 2 == 0 else names[::-1]
        for name in order:
            results[name].append(run_once(programs[name]))
    start = {n: statistics.median(ms for ms, _ in r) for n, r in results.items()}
    memory = {n: statistics.median(mb for _, mb in r) for n, r in results.items()}

    print("| median of %d runs each, alternated | start to first painted window (ms) "
          "| ÷ empty window | peak resident memory (MiB) | ÷ empty window |" % args.pairs)
    print("|---|---|---|---|---|")
    e_start, e_memory = start["empty window"], memory["empty window"]
    for name in names:
        print("| %s | %.1f | %.3f | %.1f | %.3f |" % (name, start[name], start[name] / e_start,
                                                     memory[name], memory[name] / e_memory))
    print("goals for the calculator: peak memory <= 1.30 x the empty window%s" %
          (", start ratio no worse than the other build's" if args.today else ""))


if __name__ == "__main__":
    main()
