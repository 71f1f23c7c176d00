#!/usr/bin/env python3
"""Drives the real tovarin-tax: each refused input with its message and exit status, and no
output left behind (no file created, an existing one untouched, nothing on standard output);
the encodings; standard input; the usage errors; the single figures; the README's example.

Usage: tovarin_tax_check.py TOVARIN_TAX README.md
"""

import json
import os
import re
import subprocess
import sys
import tempfile

PROGRAM, README = os.path.abspath(sys.argv[1]), sys.argv[2]
failures = []
checks = 0

HEADER = "工号,姓名,月份,本期收入,累计子女教育,减除费用方式\n"
AMOUNT_RULE = ("不是金额 (金额只含数字和至多一个小数点，最多两位小数，如 1234.56；"
               "不带正负号、千位分隔符或单位，不超过 1000000000000)")

# name, file bytes, extra arguments, the lines expected on stderr before the closing ones
REFUSED = [
    ("missing required column", "工号,姓名,月份\nA,甲,1\n".encode(), [],
     ["in.csv:1: 缺少列 本期收入 (必需的列: 月份、本期收入，以及 证件号码 或 工号)"]),
    ("missing key column", "姓名,月份,本期收入\n甲,1,100\n".encode(), [],
     ["in.csv:1: 缺少列 证件号码 或 工号 (必需的列: 月份、本期收入，以及 证件号码 或 工号)"]),
    ("total with a column it stands for",
     "工号,月份,本期收入,住房公积金,专项扣除\nA,1,100,1,2\n".encode(), [],
     ["in.csv:1: 列 专项扣除 与列 住房公积金 不能同时出现 (专项扣除 是其各项的合计，"
      "只能给出合计或各项之一)"]),
    ("duplicated column", "工号,月份,本期收入,月份\nA,1,100,1\n".encode(), [],
     ["in.csv:1: 列 月份 重复 (第 2 列和第 4 列；每列只能出现一次)"]),
    ("unreadable encoding", "工号,月份,本期收入\nA,1,100\n".encode("gb18030") + b"B,1,\x80\xff\n", [],
     ["in.csv:3: 无法识别的编码: 此行既不是有效的 UTF-8，也不是有效的 GB18030 "
      "(可读的编码: UTF-8，带或不带 BOM；GB18030)"]),
    ("UTF-8 mark then other bytes", b"\xef\xbb\xbf" + HEADER.encode() + b"A,\xd5\xc5,1,100,,\n", [],
     ["in.csv:2: 编码错误: 此行不是有效的 UTF-8 (文件以 UTF-8 的 BOM 开头，其余部分也须是 UTF-8)"]),
    ("UTF-8 header then other bytes", HEADER.encode() + "A,甲,1,100,,\n".encode() +
     b"B,\xd2\xd2,1,100,,\n", [],
     ["in.csv:3: 编码错误: 此行不是有效的 UTF-8 (表头是 UTF-8，其余部分也须是 UTF-8)"]),
    ("bad amount", (HEADER + 'A,甲,1,"12,3",,\nA,甲,2,-800,,\nA,甲,3,1e3,,\n').encode(), [],
     ['in.csv:2: 列 本期收入: "12,3" ' + AMOUNT_RULE,
      'in.csv:3: 列 本期收入: "-800" ' + AMOUNT_RULE,
      'in.csv:4: 列 本期收入: "1e3" ' + AMOUNT_RULE]),
    ("month outside 1 to 12", (HEADER + "A,甲,13,100,,\nB,乙,0,100,,\n").encode(), [],
     ['in.csv:2: 列 月份: "13" 不是月份 (月份是 1 到 12 的整数)',
      'in.csv:3: 列 月份: "0" 不是月份 (月份是 1 到 12 的整数)']),
    ("duplicated month", (HEADER + "A,甲,1,100,,\nA,甲,2,100,,\nA,甲,2,100,,\n").encode(), [],
     ['in.csv:4: 列 月份: "2" 重复 (该员工的 2 月已在第 3 行)']),
    ("missing month", (HEADER + "A,甲,1,100,,\nA,甲,2,100,,\nA,甲,5,100,,\n").encode(), [],
     ['in.csv:4: 列 月份: "5" 不连续: 该员工缺少 3、4 月 (该员工的首月是 1 月，此后各月须连续，每月一行)']),
    ("months out of order", (HEADER + "A,甲,2,100,,\nB,乙,1,1,,\nA,甲,1,100,,\n").encode(), [],
     ['in.csv:4: 列 月份: "1" 顺序颠倒 (该员工第 2 行已是 2 月；每个员工的行须按月份升序排列)']),
    ("cumulative column decreases", (HEADER + "A,甲,1,100,2000,\nA,甲,2,100,1000.5,\n").encode(), [],
     ['in.csv:3: 列 累计子女教育: "1000.5" 小于该员工上一行 (第 2 行) 的 2000.00 '
      "(累计数从 1 月累计到本月，逐月不减)"]),
    ("unknown basic rule", (HEADER + "A,甲,1,100,,按月\n").encode(), [],
     ['in.csv:2: 列 减除费用方式: "按月" 不是减除费用方式 (按任职月份、自1月 或 全年6万；'
      "空则按 --basic 选项，默认按任职月份)"]),
    ("rule the year lacks", (HEADER + "A,甲,1,100,,全年6万\nB,乙,3,100,,自1月\n").encode(),
     ["--year", "2020"],
     ['in.csv:2: 列 减除费用方式: "全年6万" 在 2020 年不可用 (2021 年起才有这一减除方式)',
      'in.csv:3: 列 减除费用方式: "自1月" 在 2020 年只适用于当年 7 月及以后首次取得工资的员工 '
      "(该员工的首月是 3 月)"]),
    ("rule from the option the employee lacks", (HEADER + "A,甲,3,100,,\n").encode(),
     ["--year", "2024", "--basic", "全年6万"],
     ['in.csv:2: 减除费用方式 "全年6万" (--basic 选项) 只适用于 1 月起在本单位任职的员工 '
      "(该员工的首月是 3 月)"]),
    ("rules differ within an employee", (HEADER + "A,甲,1,100,,\nA,甲,2,100,,自1月\n").encode(),
     ["--year", "2024"],
     ['in.csv:3: 列 减除费用方式: "自1月" 与该员工第 2 行的 "按任职月份" 不同 '
      "(同一员工各月的减除费用方式须相同)"]),
    ("row of another width", (HEADER + "A,甲,1,100\n").encode(), [],
     ["in.csv:2: 该行有 4 列，表头有 6 列 (每行的列数须与表头相同)"]),
    ("empty key", (HEADER + " ,甲,1,100,,\n").encode(), [],
     ['in.csv:2: 列 工号: " " 是空的 (每行须有员工的工号，各月的行据此归到同一员工)']),
    ("quote never closed", (HEADER + 'A,"甲,1,100,,\n').encode(), [],
     ["in.csv:2: CSV 格式错误: 引号没有闭合 (该字段的引号开始于此行)"]),
    ("empty file", b"", [],
     ["in.csv:1: 文件是空的 (第一行应是表头，如 工号,姓名,证件号码,月份,本期收入,…)"]),
]


def check(condition, what):
    global checks
    checks += 1
    if not condition:
        failures.append(what)
        print("FAIL:", what)


def run(args, stdin=None):
    return subprocess.run([PROGRAM] + args, input=stdin, capture_output=True, timeout=60)


def refused_cases(scratch):
    for name, data, extra, expected in REFUSED:
        path = os.path.join(scratch, "in.csv")
        with open(path, "wb") as f:
            f.write(data)
        closing = ["tovarin-tax: in.csv: 有错误，没有写出结果"]
        out = os.path.join(scratch, "out.csv")
        if os.path.exists(out):
            os.remove(out)
        # To standard output: nothing there.
        done = subprocess.run([PROGRAM, "withhold"] + extra + ["in.csv"], cwd=scratch,
                              capture_output=True)
        lines = done.stderr.decode().splitlines()
        check(done.returncode == 1, f"{name}: exit {done.returncode}, not 1")
        check(lines == expected + closing, f"{name}: stderr {lines}")
        check(done.stdout == b"", f"{name}: {len(done.stdout)} bytes on standard output")
        # To a new file: not created.
        done = subprocess.run([PROGRAM, "withhold", "-o", out] + extra + ["in.csv"], cwd=scratch,
                              capture_output=True)
        check(done.returncode == 1 and not os.path.exists(out), f"{name}: -o file created")
        # Over an existing file: left as it was, and no temporary file beside it.
        with open(out, "wb") as f:
            f.write(b"old")
        done = subprocess.run([PROGRAM, "withhold", "-o", out] + extra + ["in.csv"], cwd=scratch,
                              capture_output=True)
        with open(out, "rb") as f:
            check(done.returncode == 1 and f.read() == b"old", f"{name}: -o file changed")
        check(sorted(os.listdir(scratch)) == ["in.csv", "out.csv"],
              f"{name}: files left: {os.listdir(scratch)}")


def fifty_at_most(scratch):
    path = os.path.join(scratch, "many.csv")
    with open(path, "w", encoding="utf-8") as f:
        f.write(HEADER + "".join(f"E{i},甲,1,x{i},,\n" for i in range(120)))
    done = run(["withhold", path])
    lines = done.stderr.decode().splitlines()
    check(done.returncode == 1 and len(lines) == 52, f"120 bad cells: {len(lines)} lines")
    check(lines[0].startswith(path + ':2: 列 本期收入: "x0"') and
          lines[49].startswith(path + ':51: 列 本期收入: "x49"'), "the first 50 by line")
    check(lines[50] == f"tovarin-tax: {path}: 共 120 处错误，以上是前 50 处", lines[50])


def encodings(scratch):
    text = HEADER + 'A,"张, 三",1,10000.00,,自1月\nA,"张, 三",2,10000,2000,自1月\n'
    variants = {"utf8": text.encode(), "bom": b"\xef\xbb\xbf" + text.encode(),
                "gb18030": text.encode("gb18030")}
    outputs = {}
    for name, data in variants.items():
        path = os.path.join(scratch, name + ".csv")
        with open(path, "wb") as f:
            f.write(data)
        done = run(["withhold", "--year", "2024", path])
        check(done.returncode == 0, f"{name}: exit {done.returncode} {done.stderr.decode()}")
        outputs[name] = done.stdout
        piped = run(["withhold", "--year", "2024", "-"], stdin=data)
        check(piped.stdout == done.stdout, f"{name}: standard input differs from the file")
        with open(path, "rb") as f:
            redirected = subprocess.run([PROGRAM, "withhold", "--year", "2024"], stdin=f,
                                        capture_output=True)
        check(redirected.stdout == done.stdout, f"{name}: redirected input differs")
    check(outputs["utf8"] == outputs["bom"] == outputs["gb18030"], "encodings differ")
    check(outputs["utf8"].startswith(b"\xef\xbb\xbf"), "output lacks its byte-order mark")
    lines = outputs["utf8"].decode("utf-8-sig").split("\r\n")
    check(lines[1].startswith('A,"张, 三",1,10000.00,,自1月,10000.00,0.00,5000.00,'),
          "row not carried through: " + lines[1])
    gb = run(["withhold", "--year", "2024", "--encoding", "gb18030",
              os.path.join(scratch, "utf8.csv")])
    check(gb.stdout == outputs["utf8"][3:].decode().encode("gb18030"), "GB18030 output")
    out = os.path.join(scratch, "written.csv")
    done = run(["withhold", "--year", "2024", "-o", out, os.path.join(scratch, "bom.csv")])
    with open(out, "rb") as f:
        check(done.returncode == 0 and done.stdout == b"" and f.read() == outputs["utf8"], "-o")


def totals(scratch):
    """专项扣除 and 累计专项附加扣除 give the same withholding as the columns they total."""
    months = range(1, 13)
    parts = "工号,月份,本期收入,基本养老保险费,住房公积金,累计子女教育,累计住房租金\n" + "".join(
        f"A,{m},30000,2400,3600,{2000 * m},{1500 * m}\n" for m in months)
    whole = "工号,月份,本期收入,专项扣除,累计专项附加扣除\n" + "".join(
        f"A,{m},30000.00,6000.00,{3500 * m}.00\n" for m in months)
    withheld = []
    for name, text in (("parts", parts), ("totals", whole)):
        path = os.path.join(scratch, name + ".csv")
        with open(path, "w", encoding="utf-8") as f:
            f.write(text)
        done = run(["withhold", "--year", "2024", path])
        check(done.returncode == 0, f"{name}: exit {done.returncode} {done.stderr.decode()}")
        lines = done.stdout.decode("utf-8-sig").splitlines()
        withheld.append([line.split(",")[-14:] for line in lines[1:]])
    check(len(withheld[0]) == 12 and withheld[0] == withheld[1],
          f"totals withhold otherwise: {withheld}")
    check(withheld[1][0][4] == "3500.00" and withheld[1][11][3] == "72000.00",
          f"cumulative deductions: {withheld[1][0]} {withheld[1][11]}")


def usage_errors():
    for args in (["withhold", "--year", "2030", "x.csv"], ["withhold", "--basic", "按月"],
                 ["withhold", "--encoding", "latin1"], ["withhold", "a", "b"],
                 ["labour", "12,3"], ["labour"], ["frobnicate"], [], ["labour", "1", "--bogus"],
                 ["withhold", "--year", "2019", "--basic", "自1月", "x.csv"],
                 ["business", "100"]):
        done = run(args)
        err = done.stderr.decode()
        check(done.returncode == 2, f"{args}: exit {done.returncode}, not 2")
        check(err.startswith("tovarin-tax: ") and "\nUsage: tovarin-tax" in err and
              done.stdout == b"", f"{args}: {err!r}")


def figures():
    table = [
        (["labour", "5000", "--year", "2024"], "800.00"),
        (["labour", "800"], "0.00"),
        (["author", "10000", "--year", "2024"], "1120.00"),
        (["royalty", "10000", "--year", "2024"], "1600.00"),
        (["interest", "1000.5", "--year", "2024"], "200.10"),
        (["bonus", "36000", "--year", "2024"], "1080.00"),
        (["annual", "36000", "--year", "2024"], "1080.00"),
        (["business", "200000", "50000", "--basic", "--year", "2024"], "7500.00"),
        (["business", "200000", "50000", "--year", "2024"], "19500.00"),
        (["incidental", "10000", "--lottery"], "0.00"),
        (["incidental", "10000"], "2000.00"),
    ]
    for args, tax in table:
        done = run(args)
        check(done.returncode == 0 and done.stdout.decode() == tax + "\n",
              f"{args}: {done.stdout!r} {done.stderr!r}")
    bonus = json.loads(run(["bonus", "36001", "--year", "2024", "--json"]).stdout)
    check(bonus == {"command": "bonus", "year": 2024, "bonus": 36001.0, "tax": 3390.1,
                    "deadZone": {"from": 36000.01, "to": 38566.66, "better": 36000.0}}, str(bonus))
    quiet = json.loads(run(["bonus", "30000", "--year", "2024", "--json"]).stdout)
    check(quiet["deadZone"] is None and quiet["tax"] == 900.0, str(quiet))
    prize = json.loads(run(["incidental", "8000", "--lottery", "--json"]).stdout)
    check(prize["exempt"] is True and prize["lottery"] is True and prize["tax"] == 0, str(prize))
    for args in (["--help"], ["withhold", "--help"], ["bonus", "--help"]):
        done = run(args)
        check(done.returncode == 0 and b"Usage:" in done.stdout, f"{args} help")
    check("2019" in run(["withhold", "--help"]).stdout.decode(), "--year's range in the help")
    version = run(["--version"])
    check(version.returncode == 0 and re.fullmatch(rb"tovarin-tax \d+\.\d+\n", version.stdout),
          f"--version: {version.stdout!r}")


def readme_example(scratch):
    text = open(README, encoding="utf-8").read()

    def block(marker):
        after = text.split(marker, 1)[1]
        lines = after.split("\n")
        start = next(i for i, l in enumerate(lines) if l.startswith("    "))
        end = next(i for i in range(start, len(lines)) if not lines[i].startswith("    "))
        return [l[4:] for l in lines[start:end]]

    path = os.path.join(scratch, "payroll.csv")
    with open(path, "w", encoding="utf-8") as f:
        f.write("\n".join(block("<!-- payroll example: input -->")) + "\n")
    shown = block("<!-- payroll example: output -->")
    done = run(["withhold", "--year", "2024", path])
    rows = [line.split(",") for line in done.stdout.decode("utf-8-sig").splitlines()]
    columns = [rows[0].index(name) for name in shown[0].split(",")]
    got = [",".join(row[i] for i in columns) for row in rows]
    check(got == shown, "the README's example output differs from the program's")


with tempfile.TemporaryDirectory() as scratch:
    refused = os.path.join(scratch, "refused")
    os.mkdir(refused)
    refused_cases(refused)
    fifty_at_most(scratch)
    encodings(scratch)
    totals(scratch)
    usage_errors()
    figures()
    readme_example(scratch)

print(f"{checks - len(failures)} passed, {len(failures)} failed")
sys.exit(1 if failures else 0)
