#!/usr/bin/python3
"""Drives the real calculator on an X display over the accessibility bus, as
a screen reader user would: fields found by name, description and place,
buttons pressed, boxes read and dismissed. Saves screenshots on the way.

Run inside an X display and a D-Bus session whose daemon sees that display:
    xvfb-run -a dbus-run-session -- desktop_check.py CALCULATOR OUTDIR [--screenshots-only]
        [--ok-button TEXT]
TEXT is what the boxes' button reads in the locale the program gets ("OK"
unless told). With PYTHONCOERCECLOCALE=0 in the environment: where there is
no locale, Python would otherwise set LC_CTYPE=C.UTF-8 for the program too.
"""

import os
import subprocess
import sys
import time

try:
    import pyatspi
except ImportError:
    print("python3-pyatspi is not installed; skipping")
    sys.exit(77)

TITLE = "TovarinVersion 1.0"
FORM1 = "旧版Tovarin--Brellow出品"
FORM2 = "新版Tovarin--Brellow出品"
CALCULATE = "计算个人所得税"
S1 = "1.工薪、工资所得税计算"
S2 = "2.劳动报酬所得税计算"
S3 = "3.个体工商户的生产、经营所得和企事业单位的承包经营、承租经营所得税计算"
S4 = "4.稿酬所得税计算"
S5 = "5.特许权使用费所得税计算"
S6 = "6.利息、红利所得税计算"
S7 = "7.偶然所得税计算"
DUE = "本次应缴税款"

# The fields: accessible name, description, and place in the window in pixels.
FIELDS = {
    "Text1": ("工资总额", S1, (72, 32, 65, 20)),
    "Text2": ("住房公积金", S1, (72, 72, 65, 20)),
    "Text3": ("医疗保险金", S1, (72, 112, 65, 20)),
    "Text4": ("养老保险金", S1, (72, 152, 65, 20)),
    "Text5": ("应纳税收入", S1, (216, 32, 65, 20)),
    "Text6": ("应纳税额", S1, (216, 72, 65, 20)),
    "Text7": ("起征点", S1, (216, 112, 65, 18)),
    "Text8": ("本次劳动收入", S2, (216, 192, 65, 18)),
    "Text9": (DUE, S2, (72, 232, 65, 18)),
    "Text10": ("纳税年度收入总额", S3, (112, 312, 177, 18)),
    "Text11": ("成本、费用及损失或必要费用", S3, (112, 344, 177, 18)),
    "Text12": (DUE, S3, (112, 376, 177, 18)),
    "Text13": ("本次稿酬所得", S4, (400, 32, 65, 20)),
    "Text14": (DUE, S4, (400, 64, 65, 20)),
    "Text15": ("本次所得", S5, (400, 152, 65, 20)),
    "Text16": (DUE, S5, (400, 184, 65, 20)),
    "Text17": ("本次所得", S6, (400, 272, 65, 20)),
    "Text18": (DUE, S6, (400, 304, 65, 20)),
    "Text19": ("本次所得", S7, (400, 392, 65, 20)),
    "Text20": (DUE, S7, (400, 424, 65, 20)),
}
OUTPUTS = ["Text5", "Text6", "Text9", "Text12", "Text14", "Text16", "Text18", "Text20"]
BUTTONS = {"Command1": S2, "Command2": S1, "Command3": S3, "Command4": S4,
           "Command5": S5, "Command6": S6, "Command7": S7}


def result(tax):
    return ("结果！", "您应缴纳缴个人所得税 " + tax + " 元。", True)


EXEMPT = (TITLE, "友情提示，低于10000，无需纳税！", False)
OUT_OF_RANGE = ("计算错误", "输入的金额超出了可以计算的范围，本次计算未作任何更改。", True)
EMPTY_WAGE = ("玩人呢还是智商不达标呢！！！！！！！",
              "您输入的总额收入为空气，经本专家分析，认定您的智商高达0，"
              "如此简单的工作不适合您来操作，请退出！", True)


def wage(tax, net):
    return [("纳税结果！", "您应缴纳缴个人所得税 " + tax + " 元。", True),
            ("收入结果！", "您本月所得个人收入为 " + net + " 元。", True)]


# (typed fields, button, boxes, written fields), for "both", "old" or "new".
PRESSES = [
    ("both", {"Text8": "3000"}, "Command1", [result("440")], {"Text9": "440"}),
    ("both", {"Text8": "1e40"}, "Command1", [OUT_OF_RANGE], {"Text9": "440"}),
    ("old", {"Text1": "7000"}, "Command2", wage("625", "6375"), {"Text5": "5000", "Text6": "625"}),
    ("new", {"Text1": "83501"}, "Command2", wage("22495.45", "61005.55"),
     {"Text5": "80001", "Text6": "22495.45"}),
    ("both", {"Text1": "1e39"}, "Command2", [OUT_OF_RANGE], {}),
    ("old", {"Text10": "30000", "Text11": "10000"}, "Command3", [result("2750")], {"Text12": "2750"}),
    ("new", {"Text10": "30000", "Text11": "10000"}, "Command3", [result("1250")], {"Text12": "1250"}),
    ("both", {"Text13": "4001"}, "Command4", [result("448.112")], {"Text14": "448.112"}),
    ("both", {"Text15": "4001"}, "Command5", [result("640.16")], {"Text16": "640.16"}),
    ("both", {"Text17": "123.45"}, "Command6", [result("24.69")], {"Text18": "24.69"}),
    ("both", {"Text19": "10000"}, "Command7", [EXEMPT, result("0")], {"Text20": "0"}),
    ("both", {"Text19": "10001"}, "Command7", [result("2000.2")], {"Text20": "2000.2"}),
    ("both", {"Text19": "-1e40"}, "Command7", [OUT_OF_RANGE], {"Text20": "2000.2"}),
]

OK_BUTTON = "OK"

failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAIL:", what, flush=True)


def wait_for(probe, what, seconds=10):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        found = probe()
        if found:
            return found
        time.sleep(0.05)
    raise RuntimeError("timed out waiting for " + what)


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


class Calculator:
    def __init__(self, binary):
        env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        self.process = subprocess.Popen([binary], env=env)
        self.app = wait_for(self._find_app, "the calculator on the accessibility bus")

    def _find_app(self):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == TITLE and app.get_process_id() == self.process.pid:
                return app
        return None

    def windows(self):
        return [w for w in self.app if w is not None]

    def frame(self, caption):
        return wait_for(lambda: next((w for w in self.windows() if w.name == caption and showing(w)), None),
                        "window " + caption)

    def field(self, frame, name):
        label, section, _ = FIELDS[name]
        return next(c for c in frame if c.getRoleName() == "text" and c.name == label
                    and c.description == section)

    def button(self, frame, caption, section=""):
        return next(c for c in frame if c.getRoleName() == "push button" and c.name == caption
                    and c.description == section)

    def section_button(self, frame, name):
        return self.button(frame, CALCULATE if name != "Command3" else
                           "这才是纳税的大户，看看人家交了多少，学习的榜样呀！！！！", BUTTONS[name])

    def open_box(self):
        return wait_for(lambda: next((w for w in self.windows() if w.getRoleName() == "alert" and showing(w)),
                                     None), "a message box")

    def no_box_left(self):
        time.sleep(0.3)
        return all(w.getRoleName() != "alert" or closed(w) for w in self.windows())


def extents(node):
    e = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return (e.x, e.y, e.width, e.height)


def text_of(node):
    return node.queryText().getText(0, -1)


def set_text(node, text):
    node.queryEditableText().setTextContents(text)


def press(node):
    action = node.queryAction()
    index = next(i for i in range(action.nActions) if action.getName(i) == "Press")
    action.doAction(index)


def read_box(box):
    prompt = next((c.name for c in box if c.getRoleName() == "label" and c.name), "")
    icon = any(c.getRoleName() in ("image", "icon") and showing(c) for c in box)
    return (box.name, prompt, icon)


def dismiss(box):
    ok = pyatspi.findDescendant(box, lambda n: n.getRoleName() == "push button")
    check(ok is not None and ok.name == OK_BUTTON, f"box has a single {OK_BUTTON} button")
    press(ok)
    wait_for(lambda: closed(box), "the box to close", 5)


def closed(box):
    try:
        return not showing(box)
    except Exception:  # the box is gone from the bus
        return True


def type_keys(node, keys):
    node.queryComponent().grabFocus()
    wait_for(lambda: node.getState().contains(pyatspi.STATE_FOCUSED), "focus in the field")
    for key in keys:
        pyatspi.Registry.generateKeyboardEvent(ord(key), None, pyatspi.KEY_SYM)
        time.sleep(0.05)
    time.sleep(0.3)


def screenshot(node, path):
    x, y, w, h = extents(node)
    subprocess.run(["import", "-window", "root", "-crop", f"{w}x{h}+{x}+{y}", "+repage", path], check=True)
    colours = int(subprocess.run(["identify", "-format", "%k", path], capture_output=True,
                                 text=True, check=True).stdout)
    check(colours > 8, f"{path} shows more than a blank area ({colours} colours)")
    print("saved", path, flush=True)


def check_layout(calc, frame, edition):
    fx, fy, fw, fh = extents(frame)
    check((fw, fh) == (474, 542), f"{frame.name}: client area 474 x 542, got {fw} x {fh}")
    for name, (label, section, (x, y, w, h)) in FIELDS.items():
        field = calc.field(frame, name)
        ex, ey, ew, eh = extents(field)
        check((ex - fx, ey - fy, ew, eh) == (x, y, w, h), f"{frame.name} {name} at {(x, y, w, h)}")
        enabled = field.getState().contains(pyatspi.STATE_ENABLED)
        check(enabled == (name not in OUTPUTS + ["Text7"]), f"{frame.name} {name} enabled state")
    threshold = calc.field(frame, "Text7")
    check(text_of(threshold) == ("2000" if edition == "old" else "3500"), f"{frame.name} threshold")
    set_text(threshold, "1")
    check(text_of(threshold) in ("2000", "3500"), f"{frame.name} threshold cannot be written")


def run_presses(calc, frame, edition):
    for scope, typed, button, boxes, written in PRESSES:
        if scope not in ("both", edition):
            continue
        what = f"{frame.name} {button} {typed}"
        for name, text in typed.items():
            set_text(calc.field(frame, name), text)
        before = {name: text_of(calc.field(frame, name)) for name in OUTPUTS}
        press(calc.section_button(frame, button))
        for expected in boxes:
            box = calc.open_box()
            seen = read_box(box)
            check(seen == expected, f"{what}: box {seen} should be {expected}")
            if button != "Command2":  # the wage section writes before its boxes
                for name in written:
                    check(text_of(calc.field(frame, name)) == before[name], f"{what}: {name} kept while open")
            dismiss(box)
        check(calc.no_box_left(), f"{what}: no further box")
        for name in OUTPUTS:
            want = written.get(name, before[name])
            check(text_of(calc.field(frame, name)) == want, f"{what}: {name} reads {want!r}")
        for name in typed:
            set_text(calc.field(frame, name), "")


def check_filter(calc, frame):
    for name, keys, shown in [("Text1", "a:z9", "9"), ("Text8", "-12.5", "-12.5"),
                              ("Text17", "abc1", "abc1")]:
        field = calc.field(frame, name)
        set_text(field, "")
        type_keys(field, keys)
        check(text_of(field) == shown, f"{frame.name} typing {keys!r} into {name} shows {shown!r}, "
                                       f"got {text_of(field)!r}")
        set_text(field, "")


def switch(calc, frame, caption, target):
    press(calc.button(frame, caption))
    other = calc.frame(target)
    wait_for(lambda: not showing(frame), f"{frame.name} hidden")
    return other


def main():
    global OK_BUTTON
    binary, outdir = sys.argv[1], sys.argv[2]
    only_screenshots = "--screenshots-only" in sys.argv
    if "--ok-button" in sys.argv:
        OK_BUTTON = sys.argv[sys.argv.index("--ok-button") + 1]
    # Captions in failure messages must not fail to print where there is no locale.
    sys.stdout.reconfigure(encoding="utf-8", errors="backslashreplace")
    os.makedirs(outdir, exist_ok=True)
    calc = Calculator(binary)

    form1 = calc.frame(FORM1)
    time.sleep(0.5)  # let the first paint finish
    screenshot(form1, os.path.join(outdir, "form1.png"))
    check(calc.field(form1, "Text1").getState().contains(pyatspi.STATE_FOCUSED), "Form1 starts in Text1")

    set_text(calc.field(form1, "Text8"), "3000")
    press(calc.section_button(form1, "Command1"))
    box = calc.open_box()
    time.sleep(0.3)
    screenshot(box, os.path.join(outdir, "result-box.png"))
    check(read_box(box) == result("440"), "labour result box")
    dismiss(box)

    form2 = switch(calc, form1, "切换至新版纳税计算", FORM2)
    time.sleep(0.5)
    screenshot(form2, os.path.join(outdir, "form2.png"))
    check(calc.button(form2, CALCULATE, S7).getState().contains(pyatspi.STATE_FOCUSED),
          "Form2 starts on Command7")

    if not only_screenshots:
        check_layout(calc, form2, "new")
        check_filter(calc, form2)
        run_presses(calc, form2, "new")
        form1 = switch(calc, form2, "切换至旧版纳税计算", FORM1)
        check(text_of(calc.field(form1, "Text8")) == "3000", "Form1 keeps its typed amount")
        check(text_of(calc.field(form1, "Text9")) == "440", "Form1 keeps its result")
        check_layout(calc, form1, "old")
        check_filter(calc, form1)
        run_presses(calc, form1, "old")
        form2 = switch(calc, form1, "切换至新版纳税计算", FORM2)
        check(text_of(calc.field(form2, "Text20")) == "2000.2", "Form2 keeps its results")
        check(len([w for w in calc.windows() if w.name in (FORM1, FORM2)]) <= 2, "one window per edition")

        # The empty gross wage: the scolding box, then the program ends.
        set_text(calc.field(form2, "Text1"), "")
        press(calc.section_button(form2, "Command2"))
        box = calc.open_box()
        check(read_box(box) == EMPTY_WAGE, f"empty wage box {read_box(box)}")
        dismiss_ok = pyatspi.findDescendant(box, lambda n: n.getRoleName() == "push button")
        press(dismiss_ok)
        try:
            code = calc.process.wait(10)
            check(code == 0, f"the program ends with status 0, got {code}")
        except subprocess.TimeoutExpired:
            check(False, "the program ends after the empty-wage box")

    if calc.process.poll() is None:
        calc.process.terminate()
        calc.process.wait(10)
    print(f"{len(failures)} failures", flush=True)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
