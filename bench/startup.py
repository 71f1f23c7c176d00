#!/usr/bin/env python3
"""Cold start and peak memory of the calculator against a baseline window.

Both programs are started alternately in the same X server, with
TOVARIN_EXIT_AFTER_FIRST_PAINT set: each prints the CLOCK_MONOTONIC time of
its first painted window and quits. Start time is that instant less the
instant before the process was spawned; peak memory is the child's maximum
resident set size. Prints medians and their ratios as a table.

Usage: startup.py CALCULATOR BASELINE [PAIRS]
"""

import os
import statistics
import subprocess
import sys
import time


def run_once(program):
    env = dict(os.environ, TOVARIN_EXIT_AFTER_FIRST_PAINT="1")
    start = time.clock_gettime_ns(time.CLOCK_MONOTONIC)
    child = subprocess.Popen([program], env=env, stdout=subprocess.PIPE,
                             stderr=subprocess.DEVNULL, text=True)
    output = child.stdout.read()
    _, status, usage = os.wait4(child.pid, 0)
    if status != 0:
        raise SystemExit("%s exited with status %d" % (program, status))
    painted = [line for line in output.splitlines() if line.startswith("first-paint ")]
    if not painted:
        raise SystemExit("%s reported no painted window" % program)
    painted_ns = int(painted[0].split()[1])
    return (painted_ns - start) / 1e6, usage.ru_maxrss / 1024.0


def main():
    calculator, baseline = sys.argv[1], sys.argv[2]
    pairs = int(sys.argv[3]) if len(sys.argv) > 3 else 15
    run_once(calculator)  # warm the page cache and font cache for both alike
    run_once(baseline)
    results = {calculator: [], baseline: []}
    for i in range(pairs):
        order = (calculator, baseline) if i % 2 == 0 else (baseline, calculator)
        for program in order:
            results[program].append(run_once(program))
    start = {p: statistics.median(ms for ms, _ in r) for p, r in results.items()}
    memory = {p: statistics.median(mb for _, mb in r) for p, r in results.items()}
    print("| measure (median of %d) | calculator | baseline | ratio | goal |" % pairs)
    print("|---|---|---|---|---|")
    print("| start to first painted window (ms) | %.1f | %.1f | %.3f | <= 1.10 |"
          % (start[calculator], start[baseline], start[calculator] / start[baseline]))
    print("| peak resident memory (MiB) | %.1f | %.1f | %.3f | <= 1.15 |"
          % (memory[calculator], memory[baseline], memory[calculator] / memory[baseline]))


if __name__ == "__main__":
    main()
