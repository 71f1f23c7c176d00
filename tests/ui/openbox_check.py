#!/usr/bin/python3
"""Runs the real calculator under a window manager (openbox) on an X display,
with the mouse and the keyboard as a user has them: windows switched, dragged
by their title bars and closed through the manager, buttons clicked, boxes
answered with Enter. Checks where each window comes back, where the boxes
open, where the focus goes afterwards and how the program ends; the boxes and
the focus also before the manager starts. Saves screenshots on the way.

Windows are told apart by the X server's view of them (their process and
type), the focus read from the accessibility bus; no check depends on the
locale. Run inside an X display and a D-Bus session:
    xvfb-run -a -s "-screen 0 1600x1300x24 -noreset" dbus-run-session -- openbox_check.py CALCULATOR OUTDIR
"""

import os
import re
import subprocess
import sys
import time

sys.dont_write_bytecode = True  # importing the other check leaves the source tree as it was
import desktop_check as desktop  # noqa: E402
from desktop_check import CALCULATE, S1, S2, S7, check, failures, set_text, wait_for  # noqa: E402

# Button centres in the client area, in unscaled pixels.
COMMAND1, COMMAND2, COMMAND7, COMMAND8 = (220, 242), (220, 162), (388, 466), (76, 508)

# (typed fields, button, its centre, its section, the number of boxes it opens)
SECTIONS = [
    ({"Text8": "12345678900"}, COMMAND1, S2, 1),
    ({"Text1": "2000.1"}, COMMAND2, S1, 2),
    ({"Text19": "500"}, COMMAND7, S7, 2),
]


def run(*args):
    return subprocess.run(args, capture_output=True, text=True, check=False).stdout


def eventually(probe, seconds=5):
    try:
        return bool(wait_for(probe, "", seconds))
    except RuntimeError:
        return False


class Window:
    """A top-level X window of the calculator, as the X server has it."""

    def __init__(self, wid):
        self.wid = wid

    def _info(self):
        return run("xwininfo", "-id", str(self.wid))

    def viewable(self):
        return "IsViewable" in self._info()

    def place(self):
        """Top-left corner of the client area on the screen."""
        info = self._info()
        x = re.search(r"Absolute upper-left X:\s+(-?\d+)", info)
        y = re.search(r"Absolute upper-left Y:\s+(-?\d+)", info)
        return (int(x.group(1)), int(y.group(1))) if x and y else None

    def size(self):
        info = self._info()
        return (int(re.search(r"Width:\s+(\d+)", info).group(1)),
                int(re.search(r"Height:\s+(\d+)", info).group(1)))

    def centre(self):
        (x, y), (w, h) = self.place(), self.size()
        return (x + w / 2, y + h / 2)

    def frame_top(self):
        extents = re.findall(r"\d+", run("xprop", "-id", str(self.wid), "_NET_FRAME_EXTENTS").split("=")[-1])
        return int(extents[2]) if len(extents) == 4 else 0

    def is_dialog(self):
        return "_NET_WM_WINDOW_TYPE_DIALOG" in run("xprop", "-id", str(self.wid), "_NET_WM_WINDOW_TYPE")

    def settled_place(self):
        """The place once it has stopped changing: the manager may still be placing it."""
        def steady():
            first = self.place()
            time.sleep(0.1)
            return first if first and first == self.place() else None
        return wait_for(steady, "a window to settle", 5)


def focused_window():
    """The top-level window with the keyboard, with or without a window manager."""
    found = run("xdotool", "getwindowfocus").strip()
    return int(found) if found.isdigit() else None


class Session:
    """One run of the calculator, its windows in the order they were created."""

    def __init__(self, binary, factor=1):
        self.factor = factor
        os.environ["QT_SCALE_FACTOR"] = str(factor)
        self.calc = desktop.Calculator(binary)
        self.forms = []  # Form1 and, once created, Form2
        self.forms.append(wait_for(lambda: self.new_window(dialog=False), "the old-rules window"))

    def _windows(self):
        return [Window(int(w)) for w in run("xdotool", "search", "--pid", str(self.calc.process.pid)).split()]

    def new_window(self, dialog, seen=()):
        known = {w.wid for w in self.forms} | set(seen)
        return next((w for w in self._windows() if w.wid not in known and w.viewable()
                     and w.is_dialog() == dialog), None)

    def visible_form(self):
        return next(w for w in self.forms if w.viewable())

    def name(self, form):
        return "Form1" if form is self.forms[0] else "Form2"

    def click(self, window, point):
        x, y = window.place()
        run("xdotool", "mousemove", str(int(x + point[0] * self.factor)), str(int(y + point[1] * self.factor)),
            "click", "1")

    def switch(self):
        """Clicks Command8 of the visible window; returns the window shown instead."""
        source = self.visible_form()
        self.click(source, COMMAND8)
        if len(self.forms) == 1:
            self.forms.append(wait_for(lambda: self.new_window(dialog=False), "the new-rules window"))
        target = next(w for w in self.forms if w is not source)
        wait_for(lambda: target.viewable() and not source.viewable(), "the switch")
        return target

    def drag(self, window, target):
        """Drags the window by its title bar, in a few steps as a hand does."""
        x, y = window.settled_place()
        dx, dy = target[0] - x, target[1] - y
        grab_x, grab_y = x + 100, y - window.frame_top() // 2
        run("xdotool", "mousemove", str(grab_x), str(grab_y), "mousedown", "1")
        for step in range(1, 5):
            time.sleep(0.05)
            run("xdotool", "mousemove", str(grab_x + dx * step // 4), str(grab_y + dy * step // 4))
        run("xdotool", "mouseup", "1")
        wait_for(lambda: window.place() == (x + dx, y + dy), "the window to follow the drag", 5)
        return window.settled_place()

    def end(self):
        if self.calc.process.poll() is None:
            self.calc.process.terminate()
            self.calc.process.wait(10)


def check_places(session, expected, what, round_trips=5):
    """Switches back and forth; each window must come back at its expected place."""
    for trip in range(round_trips * 2):
        shown = session.switch()
        name = session.name(shown)
        place = shown.settled_place()
        check(place == expected[name], f"{what}, switch {trip + 1}: {name} at {place}, not {expected[name]}")


def check_boxes(session, outdir, desktop_kind):
    """Every box opens centred on the window and leaves the focus on its button."""
    form = session.visible_form()
    name = session.name(form)
    shot = os.path.join(outdir, f"{desktop_kind}-{name.lower()}-x{session.factor}")
    frame = session.calc.frame(desktop.FORM1 if name == "Form1" else desktop.FORM2)
    for typed, button, section, count in SECTIONS:
        what = f"{desktop_kind} at scale {session.factor}: {name} button of {section}"
        for field, text in typed.items():
            set_text(session.calc.field(frame, field), text)
        session.click(form, button)
        seen = []
        for _ in range(count):
            box = wait_for(lambda: session.new_window(dialog=True, seen=seen), f"a box of {what}")
            seen.append(box.wid)
            check(eventually(lambda: focused_window() == box.wid), f"{what}: the box has the keyboard")
            (bx, by), (fx, fy) = box.centre(), form.centre()
            check(abs(bx - fx) <= 1 and abs(by - fy) <= 1,
                  f"{what}: box centred at {(bx, by)}, window at {(fx, fy)}")
            if len(seen) == 1 and button == COMMAND1:
                screenshot_screen(shot + "-box.png")
            run("xdotool", "key", "Return")
            wait_for(lambda: not box.viewable(), f"the box of {what} to close", 5)
        check(eventually(lambda: focused_window() == form.wid), f"{what}: the window has the keyboard again")
        check(eventually(lambda: focused_control(frame) == ("push button", CALCULATE, section)),
              f"{what}: focus on {focused_control(frame)}, not back on the button")
    screenshot_window(form, shot + ".png")


def focused_control(frame):
    """Role, name and description of the control with the focus."""
    control = next((c for c in frame if c.getState().contains(desktop.pyatspi.STATE_FOCUSED)), None)
    return control and (control.getRoleName(), control.name, control.description)


def screenshot_screen(path):
    subprocess.run(["import", "-window", "root", path], check=True)
    print("saved", path, flush=True)


def screenshot_window(window, path):
    (x, y), (w, h) = window.place(), window.size()
    subprocess.run(["import", "-window", "root", "-crop", f"{w}x{h}+{x}+{y}", "+repage", path], check=True)
    print("saved", path, flush=True)


def check_close(binary, switches):
    """Closing the visible window through the manager ends the program."""
    session = Session(binary)
    for _ in range(switches):
        session.switch()
    visible = session.visible_form()
    hidden = next(w for w in session.forms if w is not visible)
    name = session.name(visible)
    check(not hidden.viewable(), f"closing {name}: the other window is hidden")
    run("wmctrl", "-i", "-c", hex(visible.wid))
    try:
        code = session.calc.process.wait(10)
        check(code == 0, f"closing {name} ends the program with status 0, got {code}")
    except subprocess.TimeoutExpired:
        check(False, f"closing {name} ends the program")
    session.end()


def check_session(binary, outdir, factor):
    session = Session(binary, factor)
    scale = f" at scale {factor}"
    form1 = session.forms[0].settled_place()
    form2 = session.switch().settled_place()
    # Qt places a window in whole pixels of its scaled coordinates, which at
    # some scales miss a device pixel.
    slack = 0 if factor == 1 else 1
    check(max(abs(form2[0] - form1[0]), abs(form2[1] - form1[1])) <= slack,
          f"Form2 opens at {form2}, in the place of Form1 at {form1}{scale}")
    check_places(session, {"Form1": form1, "Form2": form2}, "unmoved" + scale)

    # The user drags each window elsewhere; each then keeps its new place.
    moved = {}
    for target in ((150, 60), (400, 120)):
        form = session.visible_form()
        moved[session.name(form)] = session.drag(form, target)
        session.switch()
    check_places(session, moved, "moved" + scale)
    if factor != 1.5:
        check_boxes(session, outdir, "openbox")
        session.switch()
        check_boxes(session, outdir, "openbox")
    session.end()


def check_boxes_without_manager(binary, outdir):
    session = Session(binary)
    check_boxes(session, outdir, "bare")
    session.switch()
    check_boxes(session, outdir, "bare")
    session.end()


def start_window_manager():
    manager = subprocess.Popen(["openbox", "--sm-disable"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    wait_for(lambda: "window id" in run("xprop", "-root", "_NET_SUPPORTING_WM_CHECK"), "openbox")
    return manager


def main():
    binary, outdir = sys.argv[1], sys.argv[2]
    os.makedirs(outdir, exist_ok=True)
    check_boxes_without_manager(binary, outdir)
    manager = start_window_manager()
    try:
        for factor in (1, 1.5, 2):
            check_session(binary, outdir, factor)
        os.environ["QT_SCALE_FACTOR"] = "1"
        check_close(binary, switches=1)  # Form2 closed, Form1 hidden
        check_close(binary, switches=2)  # Form1 closed, Form2 hidden
    finally:
        manager.terminate()
        manager.wait(10)
    print(f"{len(failures)} failures", flush=True)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
