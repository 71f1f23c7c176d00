#!/usr/bin/python3
"""Drives the real calculator's current-rules window, started with --current, on an X display
over the accessibility bus: fields found by their names (their labels) on the page showing,
pages chosen by their tabs, buttons pressed, boxes read and dismissed, Enter typed, and the tax
year chosen from the keyboard. The program is told from other programs on the bus by its process
id. Saves a screenshot of every page with its results and of a warning box, named after the
scale factor.

Run inside an X display and a D-Bus session whose daemon sees that display:
    xvfb-run -a dbus-run-session -- current_desktop_check.py CALCULATOR OUTDIR SCALE
"""

import datetime
import os
import subprocess
import sys
import time

try:
    import pyatspi
except ImportError:
    print("python3-pyatspi is not installed; skipping")
    sys.exit(77)

TITLE = "现行个人所得税计算"
PAGES = ["1 工资薪金", "2 全年一次性奖金", "3 劳务报酬", "4 稿酬、特许权使用费", "5 经营所得",
         "6 利息股息红利、偶然所得", "7 年度汇算", "8 奖金筹划"]
CALCULATE = "计算"
RETURN = 0xff0d  # the X keysyms
UP, DOWN = 0xff52, 0xff54

# The tax year starts as the calendar year, within the years of the rules; Qt names the choice by
# the year chosen, and its label says what it is.
YEAR_LABEL = "纳税年度(Y)"
FIRST_YEAR, LAST_YEAR = 2019, 2027
START_YEAR = min(max(datetime.date.today().year, FIRST_YEAR), LAST_YEAR)
# 2022's standards, in the hint beside the monthly special additional deductions.
HINT_2022 = ("各项合计。每月标准：子女教育、3 岁以下婴幼儿照护每个子女 1,000 元，\n"
             "继续教育 400 元，住房贷款利息 1,000 元，住房租金 1,500 / 1,100 / 800 元\n"
             "（按城市），赡养老人最多 2,000 元（非独生子女每人分摊最多 1,000 元）")

WAGES = {"月工资收入": "20000", "每月专项扣除": "4000", "每月专项附加扣除": "2000"}
EXEMPT = ("免税提示", "单张彩票中奖不超过 10,000 元，免征个人所得税。", True)

# (page, typed fields, ticked check boxes, results afterwards, boxes in order)
PRESSES = [
    (0, WAGES, {}, {"首月预扣税额": "270.00", "首月税后收入": "15,730.00",
                    "全年预扣税额合计": "8,280.00", "全年累计应纳税所得额": "108,000.00"}, []),
    (1, {"全年一次性奖金": "36000.01"}, {}, {"单独计税应纳税额": "3,390.00"}, []),
    (1, {"全年一次性奖金": "144000.00"}, {}, {"单独计税应纳税额": "14,190.00"}, []),
    (1, {"全年一次性奖金": "144000.01"}, {}, {"单独计税应纳税额": "27,390.00"}, []),
    (1, {"全年一次性奖金": "36000"}, {},
     {"单独计税应纳税额": "1,080.00", "并入综合所得增加的税额": "3,600.00",
      "工资薪金全年累计应纳税所得额": "108,000.00", "比较": "单独计税较低，比并入综合所得少缴 2,520.00 元"},
     []),
    (2, {"每次劳务报酬收入": "25000"}, {}, {"应预扣预缴税额": "4,000.00"}, []),
    (2, {"每次劳务报酬收入": "62500"}, {}, {"应预扣预缴税额": "13,000.00"}, []),
    (2, {"每次劳务报酬收入": "800"}, {}, {"应预扣预缴税额": "0.00"}, []),
    (2, {"每次劳务报酬收入": "3000"}, {}, {"应预扣预缴税额": "440.00"}, []),
    (3, {"每次稿酬收入": "1000", "每次特许权使用费收入": "1000"}, {},
     {"稿酬应预扣预缴税额": "28.00", "特许权使用费应预扣预缴税额": "40.00"}, []),
    (3, {"每次稿酬收入": "5000", "每次特许权使用费收入": "5000"}, {},
     {"稿酬应预扣预缴税额": "560.00", "特许权使用费应预扣预缴税额": "800.00"}, []),
    (4, {"全年收入总额": "500000", "成本、费用及损失": "380000"}, {"没有综合所得，减除费用 60,000 元": False},
     {"经营所得应纳税额": "13,500.00"}, []),
    (4, {}, {"没有综合所得，减除费用 60,000 元": True}, {"经营所得应纳税额": "4,500.00"}, []),
    (5, {"利息、股息、红利所得": "123.45", "偶然所得": "10000.01"}, {"单张彩票中奖": True},
     {"利息、股息、红利所得应纳税额": "24.69", "偶然所得应纳税额": "2,000.00"}, []),
    (5, {"偶然所得": "10000"}, {}, {"偶然所得应纳税额": "0.00"}, [EXEMPT]),
    (1, {"全年一次性奖金": "38000"}, {},
     {"临界区间": "在 36,000.01 至 38,566.66 元的临界区间内；少发到 36,000.00 元，"
                  "税后 34,920.00 元，反而比现在的 34,410.00 元多 510.00 元"}, []),
    (6, {"全年工资薪金收入": "240000", "全年劳务报酬收入": "10000", "全年专项扣除": "48000",
         "全年专项附加扣除": "24000", "已预缴税额": "9880"}, {},
     {"单独计税：应纳税所得额": "116,000.00", "单独计税：全年应纳税额": "9,080.00",
      "单独计税：应补（退）税额": "-800.00", "单独计税：汇算结论": "应退税 800.00 元，可申请退税"},
     []),
    (6, {"全年劳务报酬收入": "", "全年一次性奖金": "36000", "已预缴税额": "9360"}, {},
     {"单独计税：全年应纳税额": "9,360.00", "单独计税：应补（退）税额": "0.00",
      "并入综合所得：全年应纳税额": "11,880.00", "并入综合所得：应补（退）税额": "2,520.00",
      "较优方式": "单独计税对纳税人更有利，比并入综合所得少缴 2,520.00 元"}, []),
    (7, {"全年税前收入": "400000", "全年扣除合计": "100000"}, {},
     {"全年税额最低的奖金": "144,000.00", "该方案全年税额": "28,470.00",
      "不发奖金全年税额": "43,080.00", "按奖金页奖金全年税额": "39,070.00"}, []),
]

# Rows of the schedule table after the first press: (row, column, cell).
SCHEDULE = [(0, 0, "1月"), (0, 8, "270.00"), (0, 9, "15,730.00"), (3, 8, "270.00"),
            (4, 8, "900.00"), (11, 8, "900.00"), (12, 0, "全年合计"), (12, 8, "8,280.00")]

# The basic deduction's rules on the wage page, by their radio buttons' names.
BASIC_RULES = ["按任职受雇月份计算", "本年首次取得工资薪金", "上年在本单位全年受雇且工资不超过 6 万元"]

REFUSED = ("输入有误", "“每次劳务报酬收入”中的内容不是可以计算的金额。\n"
           "可以输入 0 到 1,000,000,000,000 元的金额：只用数字，最多一个小数点和两位小数，"
           "例如 20000 或 20000.50；不能带正负号、千位分隔符或其他文字。", True)

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


def has(node, state):
    try:
        return node.getState().contains(state)
    except Exception:  # gone from the bus
        return False


def showing(node):
    return has(node, pyatspi.STATE_SHOWING)


def text_of(node):
    return node.queryText().getText(0, -1)


def do_action(node, name):
    action = node.queryAction()
    index = next(i for i in range(action.nActions) if action.getName(i) == name)
    action.doAction(index)


SCALE = 1.0  # Qt gives the bus its coordinates in logical pixels: the screen's over the scale


def extents(node):
    """In the screen's pixels."""
    e = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return tuple(round(v * SCALE) for v in (e.x, e.y, e.width, e.height))


class Calculator:
    def __init__(self, binary, scale):
        env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_SCALE_FACTOR=scale)
        self.process = subprocess.Popen([binary, "--current"], env=env)
        self.app = wait_for(self._find_app, "the calculator on the accessibility bus")
        self.frame = wait_for(lambda: next((w for w in self.app if w is not None and w.name == TITLE
                                            and showing(w)), None), "the window " + TITLE)
        # The tabs and the pages, found once: searching one page is much quicker than the window.
        nodes = pyatspi.findAllDescendants(self.frame, lambda n: n.name in PAGES)
        self.tabs = {n.name: n for n in nodes if n.getRoleName() == "page tab"}
        self.pages = {n.name: n for n in nodes
                      if n.getRoleName() not in ("page tab", "page tab list")}
        check(sorted(self.tabs) == sorted(PAGES) and sorted(self.pages) == sorted(PAGES),
              f"eight tabs and pages, found {sorted(self.tabs)} and {sorted(self.pages)}")
        self.page = self.pages[PAGES[0]]

    def _find_app(self):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.get_process_id() == self.process.pid:
                return app
        return None

    def find(self, role, name):
        """The control of that role and name on the page in front."""
        found = pyatspi.findAllDescendants(
            self.page, lambda n: n.getRoleName() == role and n.name == name)
        check(len(found) == 1, f"one {role} {name!r} on {self.page.name}, found {len(found)}")
        if not found:
            raise RuntimeError(f"no {role} {name!r}")
        return found[0]

    def field(self, name):
        return self.find("text", name)

    def open_page(self, index):
        do_action(self.tabs[PAGES[index]], "Press")
        self.page = self.pages[PAGES[index]]
        wait_for(lambda: showing(self.page), "the page " + PAGES[index])

    def open_box(self):
        return wait_for(lambda: next((w for w in self.app if w is not None and
                                      w.getRoleName() == "alert" and showing(w)), None), "a box")

    def no_box_left(self):
        time.sleep(0.3)
        return all(w is None or w.getRoleName() != "alert" or not showing(w) for w in self.app)


def read_box(box):
    prompt = next((c.name for c in box if c.getRoleName() == "label" and c.name), "")
    icon = any(c.getRoleName() in ("image", "icon") and showing(c) for c in box)
    return (box.name, prompt, icon)


def dismiss(box):
    ok = pyatspi.findDescendant(box, lambda n: n.getRoleName() == "push button")
    check(ok is not None and ok.name == "OK", "the box has a single OK button")
    do_action(ok, "Press")
    wait_for(lambda: not showing(box), "the box to close", 5)


def screenshot(node, path):
    x, y, w, h = extents(node)
    subprocess.run(["import", "-window", "root", "-crop", f"{w}x{h}+{x}+{y}", "+repage", path],
                   check=True)
    colours = int(subprocess.run(["identify", "-format", "%k", path], capture_output=True,
                                 text=True, check=True).stdout)
    check(colours > 8, f"{path} shows more than a blank area ({colours} colours)")
    print("saved", path, f"{w}x{h}", flush=True)


def key(keysym):
    pyatspi.Registry.generateKeyboardEvent(keysym, None, pyatspi.KEY_SYM)
    time.sleep(0.05)


def focus(node):
    node.queryComponent().grabFocus()
    wait_for(lambda: has(node, pyatspi.STATE_FOCUSED), "the focus in " + node.name)


def run_presses(calc, outdir, scale):
    for number, (page, typed, ticked, results, boxes) in enumerate(PRESSES):
        what = f"{PAGES[page]} #{number} {typed}"
        calc.open_page(page)
        for name, text in typed.items():
            calc.field(name).queryEditableText().setTextContents(text)
        for name, wanted in ticked.items():
            box = calc.find("check box", name)
            if has(box, pyatspi.STATE_CHECKED) != wanted:
                do_action(box, "Toggle")
            wait_for(lambda: has(box, pyatspi.STATE_CHECKED) == wanted, "the check box " + name)
        before = {name: text_of(calc.field(name)) for name in results}
        do_action(calc.find("push button", CALCULATE), "Press")
        for expected in boxes:
            box = calc.open_box()
            check(read_box(box) == expected, f"{what}: box {read_box(box)} should be {expected}")
            for name in results:
                check(text_of(calc.field(name)) == before[name],
                      f"{what}: {name} kept while the box is open")
            dismiss(box)
        check(calc.no_box_left(), f"{what}: no further box")
        for name, shown in results.items():
            seen = text_of(calc.field(name))
            check(seen == shown, f"{what}: {name} shows {seen!r}, not {shown!r}")
        last_of_page = number + 1 == len(PRESSES) or PRESSES[number + 1][0] != page
        if last_of_page:
            time.sleep(0.3)
            screenshot(calc.frame, os.path.join(outdir, f"current-page{page + 1}-x{scale}.png"))


def check_schedule(calc):
    calc.open_page(0)
    table = calc.find("table", "逐月预扣预缴明细").queryTable()
    check(table.nRows == 13, f"the schedule has 13 rows, not {table.nRows}")
    for row, column, cell in SCHEDULE:
        seen = table.getAccessibleAt(row, column).name
        check(seen == cell, f"schedule cell ({row}, {column}) shows {seen!r}, not {cell!r}")


def check_wage_year(calc):
    """The wage page's rules, items button and grid by name, and the gross worked back from a
    take-home of 15,000 a month with the example's deductions, reached by Alt+G."""
    calc.open_page(0)
    for name in BASIC_RULES:
        calc.find("radio button", name)
    calc.find("push button", "按项目填写…")
    grid = calc.find("table", "逐月收入").queryTable()
    check(grid.nRows == 12, f"the grid has 12 rows, not {grid.nRows}")
    subprocess.run(["xdotool", "key", "alt+g"], check=True)
    target = calc.field("期望月均税后收入")
    wait_for(lambda: has(target, pyatspi.STATE_FOCUSED), "Alt+G to reach the take-home")
    target.queryEditableText().setTextContents("15000")
    do_action(calc.find("push button", "倒算"), "Press")
    wait_for(lambda: text_of(calc.field("所需月工资收入")) == "19,655.56",
             "the gross wage for 15,000 a month")


def check_refused(calc, outdir, scale):
    calc.open_page(2)
    income = calc.field("每次劳务报酬收入")
    income.queryEditableText().setTextContents("1,000")
    do_action(calc.find("push button", CALCULATE), "Press")
    box = calc.open_box()
    time.sleep(0.3)
    screenshot(box, os.path.join(outdir, f"current-warning-x{scale}.png"))
    check(read_box(box) == REFUSED, f"refused box {read_box(box)}")
    dismiss(box)
    check(calc.no_box_left(), "refused: no further box")
    check(text_of(calc.field("应预扣预缴税额")) == "440.00", "refused: the result is kept")
    wait_for(lambda: has(income, pyatspi.STATE_FOCUSED), "the focus back in the refused field")


def check_keyboard(calc):
    calc.open_page(2)
    income = calc.field("每次劳务报酬收入")
    income.queryEditableText().setTextContents("")
    focus(income)
    for digit in "25000":
        key(ord(digit))
    key(RETURN)
    wait_for(lambda: text_of(calc.field("应预扣预缴税额")) == "4,000.00", "Enter to calculate")
    # Alt and a digit bring that page to the front.
    subprocess.run(["xdotool", "key", "alt+8"], check=True)
    wait_for(lambda: showing(calc.pages[PAGES[7]]), "Alt+8 to bring the last page to the front")


def year_choice(calc):
    found = pyatspi.findAllDescendants(calc.frame, lambda n: n.getRoleName() == "combo box")
    check(len(found) == 1, f"one combo box in the window, found {len(found)}")
    return found[0]


def labels_of(node):
    return [relation.getTarget(i).name for relation in node.getRelationSet()
            if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY
            for i in range(relation.getNTargets())]


def check_year_at_start(calc):
    choice = year_choice(calc)
    check(choice.name == f"{START_YEAR} 年", f"the year starts as {START_YEAR}, not {choice.name!r}")
    check(YEAR_LABEL in labels_of(choice), f"the year is labelled {YEAR_LABEL}: {labels_of(choice)}")


def check_year(calc):
    """Alt+Y and the arrow keys choose 2022: the results go, its standards come, and the pages
    compute again."""
    calc.open_page(0)
    check(text_of(calc.field("首月预扣税额")) != "", "the wage page has results before")
    subprocess.run(["xdotool", "key", "alt+y"], check=True)
    choice = year_choice(calc)
    wait_for(lambda: has(choice, pyatspi.STATE_FOCUSED), "Alt+Y to reach the year")
    for _ in range(abs(START_YEAR - 2022)):
        key(UP if START_YEAR > 2022 else DOWN)
    wait_for(lambda: year_choice(calc).name == "2022 年", "the year 2022 chosen")
    for name in ("首月预扣税额", "首月税后收入", "全年预扣税额合计", "全年累计应纳税所得额"):
        check(text_of(calc.field(name)) == "", f"2022: {name} emptied")
    table = calc.find("table", "逐月预扣预缴明细").queryTable()
    check(table.nRows == 0, f"2022: the schedule emptied, {table.nRows} rows left")
    hints = pyatspi.findAllDescendants(
        calc.page, lambda n: n.getRoleName() == "label" and n.name.startswith("各项合计"))
    check([h.name for h in hints] == [HINT_2022], f"2022: the hint reads {[h.name for h in hints]}")
    calc.open_page(1)
    calc.field("全年一次性奖金").queryEditableText().setTextContents("36000")
    do_action(calc.find("push button", CALCULATE), "Press")
    wait_for(lambda: text_of(calc.field("单独计税应纳税额")) == "1,080.00", "2022: the bonus's tax")


def check_fits_the_screen(calc):
    root = subprocess.run(["xdpyinfo"], capture_output=True, text=True).stdout
    size = next(line.split()[1] for line in root.splitlines() if "dimensions:" in line)
    width, height = (int(n) for n in size.split("x"))
    x, y, w, h = extents(calc.frame)
    check(x >= 0 and y >= 0 and x + w <= width and y + h <= height,
          f"the window {w}x{h}+{x}+{y} lies on the {width}x{height} screen")


def main():
    global SCALE
    binary, outdir, scale = sys.argv[1], sys.argv[2], sys.argv[3]
    SCALE = float(scale)
    os.makedirs(outdir, exist_ok=True)
    calc = Calculator(binary, scale)
    time.sleep(0.5)  # the first paint
    check(has(calc.field("月工资收入"), pyatspi.STATE_FOCUSED), "the window starts in the gross wage")
    check_fits_the_screen(calc)
    check_year_at_start(calc)
    run_presses(calc, outdir, scale)
    check_schedule(calc)
    check_wage_year(calc)
    check_refused(calc, outdir, scale)
    check_keyboard(calc)
    check_year(calc)
    calc.process.terminate()
    calc.process.wait(10)
    print(f"{len(failures)} failures", flush=True)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
