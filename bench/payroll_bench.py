#!/usr/bin/env python3
"""tovarin-tax withhold over a company's year against the floor of reading the same file.

    bench/payroll_bench.py TOVARIN_TAX [--employees 100000] [--months 12] [--runs 5]
                           [--file PATH]

Generates the file once (make_payroll.py, kept as PATH and reused while the same generator
made it for the same company), then runs, alternately and RUNS times each: the floor `cut -d, -f1 FILE`, the
program to /dev/null, and the program with -o to a file beside it (its temporary file, the
rename and QSaveFile's sync to disk included). Prints the median wall times, their ratios to
the floor, rows per second and each program's peak resident memory (the child's maximum
resident set, from GNU time). Goal: at most 5 x the floor and 150 MiB.
"""

import argparse
import hashlib
import os
import statistics
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))


def timed(command, stdout, scratch):
    """Wall time and peak resident set (KiB) of one run; the peak from GNU time, which execs
    the program itself, so that no copy of this interpreter counts."""
    start = time.monotonic()
    with open(stdout, "wb") as out:
        done = subprocess.run(["/usr/bin/time", "-f", "%M", "-o", scratch] + command,
                              stdout=out, stderr=subprocess.PIPE)
    elapsed = time.monotonic() - start
    if done.returncode != 0:
        sys.exit(f"{' '.join(command)} exited {done.returncode}: {done.stderr.decode()}")
    with open(scratch) as f:
        return elapsed, int(f.read().split()[-1])


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("program")
    parser.add_argument("--employees", type=int, default=100_000)
    parser.add_argument("--months", type=int, default=12)
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--file", default=None)
    args = parser.parse_args()
    path = args.file or f"/tmp/tovarin-payroll-{args.employees}x{args.months}.csv"
    stamp = path + ".made"
    with open(os.path.join(HERE, "make_payroll.py"), "rb") as generator:
        wanted = f"{args.employees} {args.months} {hashlib.sha1(generator.read()).hexdigest()}"
    if not (os.path.exists(path) and os.path.exists(stamp) and open(stamp).read() == wanted):
        print(f"generating {path} ...", flush=True)
        subprocess.run([sys.executable, os.path.join(HERE, "make_payroll.py"),
                        str(args.employees), str(args.months), path], check=True)
        with open(stamp, "w") as f:
            f.write(wanted)
    rows = sum(1 for _ in open(path, "rb")) - 1
    size = os.path.getsize(path)
    output = path + ".out"
    commands = {
        "floor: cut -d, -f1": (["cut", "-d,", "-f1", path], os.devnull),
        "withhold > /dev/null": ([args.program, "withhold", "--year", "2024", path], os.devnull),
        "withhold -o FILE": ([args.program, "withhold", "--year", "2024", "-o", output, path],
                             os.devnull),
    }
    # One run each to warm the page cache and the program, not counted.
    scratch = path + ".time"
    for command, stdout in commands.values():
        timed(command, stdout, scratch)
    times = {name: [] for name in commands}
    peaks = {name: 0 for name in commands}
    for _ in range(args.runs):
        for name, (command, stdout) in commands.items():
            elapsed, peak = timed(command, stdout, scratch)
            times[name].append(elapsed)
            peaks[name] = max(peaks[name], peak)
    os.remove(output)
    os.remove(scratch)
    floor = statistics.median(times["floor: cut -d, -f1"])
    print(f"{rows:,} rows, {size / 2**20:.0f} MiB, median of {args.runs} runs each")
    print(f"{'':24} {'median s':>9} {'x floor':>8} {'rows/s':>12} {'peak MiB':>9}")
    for name in commands:
        median = statistics.median(times[name])
        print(f"{name:24} {median:9.3f} {median / floor:8.2f} {rows / median:12,.0f} "
              f"{peaks[name] / 1024:9.1f}")


if __name__ == "__main__":
    main()
