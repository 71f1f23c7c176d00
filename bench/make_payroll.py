#!/usr/bin/env python3
"""Writes a company's payroll year as tovarin-tax reads it: one row per employee and month,
every column of the wage template, January's rows first, then February's, and so on.

    bench/make_payroll.py EMPLOYEES MONTHS OUT.csv [--seed N]

The figures are random but repeatable (one seed), amounts have two decimals, the cumulative
special additional deductions grow month by month, and the three basic-deduction rules occur
(for a year from 2021 on).
UTF-8 with a byte-order mark and CRLF line ends, as spreadsheet programs write it.
"""

import argparse
import random

HEADER = ("工号,姓名,证件类型,证件号码,月份,本期收入,本期免税收入,基本养老保险费,基本医疗保险费,"
          "失业保险费,住房公积金,累计子女教育,累计继续教育,累计住房贷款利息,累计住房租金,"
          "累计赡养老人,累计3岁以下婴幼儿照护,累计个人养老金,企业(职业)年金,商业健康保险,"
          "税延养老保险,其他,准予扣除的捐赠额,减免税额,减除费用方式,备注")
SURNAMES = "王李张刘陈杨黄赵吴周徐孙马朱胡郭何高林罗"
GIVEN = "伟芳娜敏静丽强磊军洋勇艳杰娟涛明超秀霞平刚桂"


def yuan(fen):
    return "%d.%02d" % divmod(fen, 100)


class Employee:
    def __init__(self, number, rng):
        self.number = "E%06d" % number
        self.name = rng.choice(SURNAMES) + rng.choice(GIVEN) + rng.choice(GIVEN)
        self.id = "%06d%04d%02d%02d%03d%s" % (
            rng.randint(110000, 659000), rng.randint(1960, 2002), rng.randint(1, 12),
            rng.randint(1, 28), number % 1000, rng.choice("0123456789X"))
        self.basic = rng.choices(("按任职月份", "自1月", "全年6万"), (90, 5, 5))[0]
        self.wage = rng.randint(300_000, 6_000_000)
        self.children = rng.choice((0, 0, 1, 1, 2))
        self.loan = rng.random() < 0.3
        self.elderly = rng.choice((0, 100_000, 200_000, 300_000))
        self.cumulative = [0] * 7

    def row(self, month, rng):
        gross = self.wage + (rng.randint(0, 2_000_000) if rng.random() < 0.1 else 0)
        base = min(self.wage, 3_500_000)
        monthly = (self.children * 200_000, 0, 100_000 if self.loan else 0,
                   0 if self.loan else 150_000, self.elderly, 0, 100_000 if month % 3 == 0 else 0)
        self.cumulative = [c + m for c, m in zip(self.cumulative, monthly)]
        cells = [self.number, self.name, "居民身份证", self.id, str(month), yuan(gross), "0.00",
                 yuan(base * 8 // 100), yuan(base * 2 // 100), yuan(base // 200),
                 yuan(base * 12 // 100)]
        cells += [yuan(c) for c in self.cumulative]
        cells += [yuan(10_000), "0.00", "0.00", "0.00", "0.00", "0.00", self.basic, ""]
        return ",".join(cells)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("employees", type=int)
    parser.add_argument("months", type=int)
    parser.add_argument("out")
    parser.add_argument("--seed", type=int, default=19)
    args = parser.parse_args()
    rng = random.Random(args.seed)
    staff = [Employee(number + 1, rng) for number in range(args.employees)]
    with open(args.out, "w", encoding="utf-8-sig", newline="") as out:
        out.write(HEADER + "\r\n")
        for month in range(1, args.months + 1):
            out.write("".join(e.row(month, rng) + "\r\n" for e in staff))


if __name__ == "__main__":
    main()
