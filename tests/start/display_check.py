#!/usr/bin/python3
"""Starts the real calculator with and without a display. Without one it must
refuse with exit status 1 and advice that works; a platform named by
QT_QPA_PLATFORM or -platform must let it start. The real program never quits by
itself: where it should start, it must still be running after a while, and is
then stopped. The same start-up built to quit after its first paint, PROBE
(first_paint_calculator), must paint its window and end with status 0.

Usage: display_check.py CALCULATOR PROBE
"""

import os
import shlex
import shutil
import subprocess
import sys

NO_DISPLAY = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}

# (what, arguments, extra environment, expected exit status, expected to paint)
CASES = [
    ("no display", [], {}, 1, False),
    ("-platform without a name", ["-platform"], {}, 2, False),
    ("--current without a display", ["--current"], {}, 1, False),
    ("--current -platform offscreen", ["--current", "-platform", "offscreen"], {}, 0, True),
    ("-platform offscreen", ["-platform", "offscreen"], {}, 0, True),
    ("--platform offscreen", ["--platform", "offscreen"], {}, 0, True),
    ("QT_QPA_PLATFORM=offscreen", [], {"QT_QPA_PLATFORM": "offscreen"}, 0, True),
]

failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAIL:", what, flush=True)


def environment(extra):
    env = {k: v for k, v in os.environ.items() if k not in NO_DISPLAY}
    env.update(extra)
    return env


def run(command, env):
    return subprocess.run(command, env=env, capture_output=True, text=True, timeout=60)


# How long a started program must keep running to count as started.
RUNNING_SECONDS = 3


def keeps_running(command, env):
    """Whether the program is still running after a while; it is stopped then."""
    child = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL,
                             stderr=subprocess.PIPE, text=True)
    try:
        _, stderr = child.communicate(timeout=RUNNING_SECONDS)
        return False, f"ended with status {child.returncode}: {stderr!r}"
    except subprocess.TimeoutExpired:
        child.kill()
        child.communicate()
        return True, "still running"


def advised_command(stderr):
    """The command line the refusal advises, split into words."""
    marker = "To run it on a virtual X display: "
    line = next((l for l in stderr.splitlines() if l.startswith(marker)), None)
    return shlex.split(line[len(marker):]) if line else None


def main():
    calculator, probe = sys.argv[1], sys.argv[2]
    for what, arguments, extra, status, paints in CASES:
        if paints:
            running, how = keeps_running([calculator, *arguments], environment(extra))
            check(running, f"{what}: the program {how}")
            print(f"{what}: the program is {how}", flush=True)
            done = run([probe, *arguments], environment(extra))
            check(done.returncode == status, f"{what}: probe's exit status {done.returncode}, not {status}")
            check("first-paint" in done.stdout, f"{what}: the probe painted no window")
            print(f"{what}: probe's exit status {done.returncode}", flush=True)
            continue
        done = run([calculator, *arguments], environment(extra))
        check(done.returncode == status, f"{what}: exit status {done.returncode}, not {status}")
        check("first-paint" not in done.stdout, f"{what}: painted")
        if status == 1:
            check(done.stderr.startswith(calculator + ": no display found"), f"{what}: {done.stderr!r}")
            check("apt-get install xvfb xauth" in done.stderr, f"{what}: says how to install xvfb-run")
        if status == 2:
            check("needs a value" in done.stderr.splitlines()[0], f"{what}: {done.stderr!r}")
        print(f"{what}: exit status {done.returncode}", flush=True)

    # The advice itself, followed as given: the probe's, which names the probe.
    advice = advised_command(run([calculator], environment({})).stderr)
    check(advice == ["xvfb-run", "-a", calculator], f"advice is {advice}")
    advice = advised_command(run([probe], environment({})).stderr)
    check(advice == ["xvfb-run", "-a", probe], f"the probe's advice is {advice}")
    if advice and shutil.which("xvfb-run"):
        done = run(advice, environment({}))
        check(done.returncode == 0 and "first-paint" in done.stdout,
              f"the advice starts the calculator: status {done.returncode}, {done.stderr!r}")
        print(f"advice {shlex.join(advice)}: exit status {done.returncode}", flush=True)
    print(f"{len(failures)} failures", flush=True)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
