#!/usr/bin/python3
"""Checks the names the real calculator gives its windows on the X server,
in many locales: _NET_WM_NAME in UTF-8, and the legacy WM_NAME as compound
text with GB2312 in the right half, so that a tool that reads only WM_NAME
finds the windows by their captions whatever the locale. Both windows and a
result box are checked. Besides the machine's own locales (generated or
not), en_US.UTF-8, zh_CN.UTF-8 and zh_CN.GB2312 are generated into a scratch
folder and used through LOCPATH.

Run inside an X display:  xvfb-run -a window_names.py CALCULATOR SCRATCH_DIR
"""

import os
import re
import subprocess
import sys
import time

FORM1 = "旧版Tovarin--Brellow出品"
FORM2 = "新版Tovarin--Brellow出品"
RESULT = "结果！"
GB2312_RIGHT_HALF = b"\x1b$)A"

LOCALE_VARIABLES = ["LANG", "LANGUAGE", "LC_ALL", "LC_CTYPE", "LC_NUMERIC", "LC_TIME", "LC_COLLATE",
                    "LC_MONETARY", "LC_MESSAGES", "LC_PAPER", "LC_NAME", "LC_ADDRESS", "LC_TELEPHONE",
                    "LC_MEASUREMENT", "LC_IDENTIFICATION"]
# (locale, source, charmap) made with localedef into the scratch folder.
GENERATED = [("en_US.UTF-8", "en_US", "UTF-8"), ("zh_CN.UTF-8", "zh_CN", "UTF-8"),
             ("zh_CN.GB2312", "zh_CN", "GB2312")]

failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAIL:", what, flush=True)


def cases(scratch):
    yield "no locale", {}
    for name in ["C", "POSIX", "C.UTF-8", "en_US.UTF-8", "zh_CN.UTF-8"]:
        yield "LANG=" + name, {"LANG": name}
    yield "LC_ALL=zh_CN.UTF-8", {"LC_ALL": "zh_CN.UTF-8"}
    for name, source, charmap in GENERATED:
        folder = os.path.join(scratch, name)
        if not os.path.isdir(folder):
            made = subprocess.run(["localedef", "--no-archive", "-c", "-i", source, "-f", charmap, folder],
                                  capture_output=True, text=True)
            if not os.path.isfile(os.path.join(folder, "LC_CTYPE")):
                check(False, f"localedef made no {name} (the Debian package locales has its sources): "
                             + made.stderr.strip())
                continue
        yield f"LANG={name} generated", {"LANG": name, "LOCPATH": scratch}


def environment(variables):
    env = {k: v for k, v in os.environ.items() if k not in LOCALE_VARIABLES and k != "LOCPATH"}
    env.update(variables)
    return env


def xdotool(*args, env=None):
    done = subprocess.run(["xdotool", *args], capture_output=True, env=env)
    return done.stdout.decode("utf-8", "replace").split()


def window_named(pid, name, seconds=10):
    """The visible window of process pid whose _NET_WM_NAME is name."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        for window in xdotool("search", "--onlyvisible", "--pid", str(pid)):
            if property_bytes(window, "_NET_WM_NAME")[1] == name.encode("utf-8"):
                return window
        time.sleep(0.1)
    return None


def property_bytes(window, name):
    """The type and the bytes of a window's 8-bit property."""
    out = subprocess.run(["xprop", "-id", window, "-f", name, "8x", " $0+", name],
                         capture_output=True, text=True).stdout
    found = re.match(re.escape(name) + r"\((\w+)\) ?(.*)", out)
    if not found:
        return None, None
    values = [int(v, 16) for v in found.group(2).replace(",", " ").split()]
    return found.group(1), bytes(values)


def click(window, x, y):
    geometry = subprocess.run(["xdotool", "getwindowgeometry", window], capture_output=True,
                              text=True).stdout
    left, top = map(int, re.search(r"Position: (\d+),(\d+)", geometry).groups())
    subprocess.run(["xdotool", "mousemove", str(left + x), str(top + y), "click", "1"], check=True)


def check_names(case, env, window, caption):
    what = f"{case}: {caption}"
    check(property_bytes(window, "_NET_WM_NAME") == ("UTF8_STRING", caption.encode("utf-8")),
          f"{what}: _NET_WM_NAME is {property_bytes(window, '_NET_WM_NAME')}")
    wanted = ("COMPOUND_TEXT", GB2312_RIGHT_HALF + caption.encode("gb2312"))
    seen = property_bytes(window, "WM_NAME")
    check(seen == wanted, f"{what}: WM_NAME is {seen}, not {wanted}")
    # xdotool matches names against WM_NAME alone, decoded in its own locale.
    found = xdotool("search", "--onlyvisible", "--name", caption[:2], env=env)
    check(window in found, f"{what}: xdotool search --name {caption[:2]} finds {found}, not {window}")
    print(f"{what}: WM_NAME({seen[0]}) {seen[1].hex(' ')}", flush=True)


def run_case(calculator, case, variables):
    env = environment(variables)
    program = subprocess.Popen([calculator], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        form1 = window_named(program.pid, FORM1)
        if not form1:
            check(False, f"{case}: no window {FORM1}")
            return
        check_names(case, env, form1, FORM1)
        click(form1, 76, 508)  # Command8, the switch, at (120, 7320) twips, 2055 x 615
        form2 = window_named(program.pid, FORM2)
        if not form2:
            check(False, f"{case}: no window {FORM2}")
            return
        check_names(case, env, form2, FORM2)
        click(form2, 220, 242)  # Command1, the labour section, at (2280, 3480) twips, 2055 x 315
        box = window_named(program.pid, RESULT)
        if not box:
            check(False, f"{case}: no box {RESULT}")
            return
        check_names(case, env, box, RESULT)
    finally:
        program.kill()
        program.wait()


def main():
    calculator, scratch = sys.argv[1], sys.argv[2]
    sys.stdout.reconfigure(encoding="utf-8", errors="backslashreplace")
    os.makedirs(scratch, exist_ok=True)
    for case, variables in cases(scratch):
        run_case(calculator, case, variables)
    print(f"{len(failures)} failures", flush=True)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
