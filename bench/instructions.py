#!/usr/bin/env python3
"""Instructions to first paint, counted by callgrind.

Each program runs once under callgrind (with TOVARIN_EXIT_AFTER_FIRST_PAINT
set, which older builds of the calculator needed to quit after first paint).
Callgrind dumps its counts as the first-paint probe's report begins,
that is once the first window is painted and flushed, so the count runs from
the first instruction of the process (the run-time linker's included) to
first paint, and leaves out the quitting after it. Unlike wall-clock time
the count hardly moves between runs (about 0.1 %), whatever else the machine
is doing. Prints the counts and the first program's count over each other's.

Usage: instructions.py NAME=PROGRAM[,ARGUMENT...] ...
"""

import glob
import os
import subprocess
import sys
import tempfile

# The probe's queued report, which prints the time of first paint and quits.
PROBE = "*FirstPaintProbe*lambda*"


def instructions_to_first_paint(command, scratch):
    out = os.path.join(scratch, "callgrind.out")
    for old in glob.glob(out + "*"):
        os.remove(old)
    env = dict(os.environ, TOVARIN_EXIT_AFTER_FIRST_PAINT="1")
    subprocess.run(["valgrind", "--tool=callgrind", "--callgrind-out-file=" + out,
                    "--dump-before=" + PROBE, "--dump-instr=no", "--compress-strings=no"]
                   + command, env=env, check=True, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)
    first = out + ".1"  # the counts up to the probe; the last part holds the rest
    if not os.path.exists(first):
        raise SystemExit("%s: callgrind never reached the first-paint probe" % command[0])
    with open(first) as dump:
        for line in dump:
            if line.startswith("summary:") or line.startswith("totals:"):
                return int(line.split()[1])
    raise SystemExit("%s: no total in %s" % (command[0], first))


def main():
    programs = [argument.split("=", 1) for argument in sys.argv[1:]]
    if len(programs) < 2:
        raise SystemExit(__doc__)
    counts = {}
    with tempfile.TemporaryDirectory() as scratch:
        for name, command in programs:
            counts[name] = instructions_to_first_paint(command.split(","), scratch)
    first = programs[0][0]
    print("| instructions to first paint (callgrind) | millions | %s ÷ this |" % first)
    print("|---|---|---|")
    for name, _ in programs:
        print("| %s | %.1f | %.3f |" % (name, counts[name] / 1e6, counts[first] / counts[name]))


if __name__ == "__main__":
    main()
