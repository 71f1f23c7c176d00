#!/usr/bin/env python3
"""Cross-checks the rules in force (tax/current.hpp) against a reference written apart from them.

The reference holds its own parameter tables for every tax year and evaluates each formula in
exact fractions, rounding a tax figure to the fen half away from zero. Cases lean on the places
where a rule changes its mind: every table bound one fen below, on and above, the fixed-expense
and lottery bounds, the basic deduction's offsets, the waiver's bounds, small amounts, negatives
and amounts up to 10^14 fen. They go to the driver in one batch and every field is compared.

Usage: current_reference_check.py DRIVER [SEED]
"""

import random
import subprocess
import sys
from fractions import Fraction

INT64_MIN, INT64_MAX = -(2 ** 63), 2 ** 63 - 1
TOP = 10 ** 14  # the largest amount ReadYuan yields
YEARS = range(2019, 2028)
DEFAULT_SEED = 20190101


def yuan(v):
    return round(v * 100)


def table(rows):
    """Rows of (up to, rate %, quick deduction) in yuan; the last row's bound is None."""
    return [(None if up is None else yuan(up), rate, yuan(qd)) for up, rate, qd in rows]


ANNUAL = table([(36000, 3, 0), (144000, 10, 2520), (300000, 20, 16920), (420000, 25, 31920),
                (660000, 30, 52920), (960000, 35, 85920), (None, 45, 181920)])
MONTHLY = table([(3000, 3, 0), (12000, 10, 210), (25000, 20, 1410), (35000, 25, 2660),
                 (55000, 30, 4410), (80000, 35, 7160), (None, 45, 15160)])
LABOUR = table([(20000, 20, 0), (50000, 30, 2000), (None, 40, 7000)])
BUSINESS = table([(30000, 5, 0), (90000, 10, 1500), (300000, 20, 10500), (500000, 30, 40500),
                  (None, 35, 65500)])


class Year:
    """One year's parameters, typed in from the published history."""

    def __init__(self, year):
        self.year = year
        self.annual, self.monthly, self.labour, self.business = ANNUAL, MONTHLY, LABOUR, BUSINESS
        self.bonus_months = 12
        self.annual_basic, self.monthly_basic = yuan(60000), yuan(5000)
        self.from_january = None if year == 2019 else 7 if year == 2020 else 1
        self.whole_year = year >= 2021
        self.fixed_up_to, self.fixed = yuan(4000), yuan(800)
        self.remuneration, self.author_part, self.author_rate = 80, 70, 20
        self.flat_rate = 20
        self.lottery_exempt_up_to = yuan(10000)
        self.child_education = yuan(1000 if year <= 2022 else 2000)
        self.infant_care = yuan(0 if year <= 2021 else 1000 if year == 2022 else 2000)
        self.degree_education = yuan(400)
        self.housing_loan = yuan(1000)
        self.rent = (yuan(1500), yuan(1100), yuan(800))
        self.elderly_support = yuan(2000 if year <= 2022 else 3000)
        self.elderly_share_cap = yuan(1000 if year <= 2022 else 1500)
        self.separate_bonus = 2019 <= year <= 2027
        self.waiver = (yuan(120000), yuan(400)) if 2019 <= year <= 2027 else None


PARAMS = {y: Year(y) for y in YEARS}


# ---- exact arithmetic ----

def to_fen(q):
    """A Fraction rounded to the fen, half away from zero, clamped to Fen's range."""
    n, d = q.numerator, q.denominator
    v = (2 * n + d) // (2 * d) if n >= 0 else -((2 * -n + d) // (2 * d))
    return clamp(v)


def clamp(v):
    return max(INT64_MIN, min(INT64_MAX, v))


def row_of(rows, x):
    for row in rows[:-1]:
        if x <= row[0]:
            return row
    return rows[-1]


def table_tax(rows, x):
    """Exact x (int or Fraction) by a table; 0 for x <= 0."""
    if x <= 0:
        return 0
    _, rate, qd = row_of(rows, x)
    return to_fen(Fraction(x) * rate / 100 - qd)


# ---- the rules ----

def annual_tax(p, x):
    return table_tax(p.annual, x)


def available(p, basic, first):
    if basic == "M":
        return 1 <= first <= 12
    if basic == "F":
        return p.from_january is not None and p.from_january <= first <= 12
    return p.whole_year and first == 1


def wage(p, first, basic, months):
    if not 1 <= first <= 12 or len(months) != 13 - first or not available(p, basic, first):
        return []
    rows = []
    income = deductions = relief = withheld_before = 0
    for i, (gross, exempt, special, additional, other, donation, reduction) in enumerate(months):
        m = first + i
        income += gross
        deductions += exempt + special + additional + other + donation
        relief += reduction
        if basic == "M":
            basic_sum = p.monthly_basic * (m - first + 1)
        elif basic == "F":
            basic_sum = p.monthly_basic * m
        else:
            basic_sum = p.annual_basic
        taxable = income - basic_sum - deductions
        if taxable <= 0:
            rate = qd = table_sum = 0
        else:
            _, rate, qd = row_of(p.annual, taxable)
            table_sum = to_fen(Fraction(taxable * rate, 100) - qd)
        tax = max(0, table_sum - relief)
        withheld = max(0, tax - withheld_before)
        withheld_before += withheld
        rows.append((m, income, basic_sum, deductions, taxable, rate, qd, tax, withheld,
                     gross - special - withheld))
    return rows


def bonus_separate(p, bonus):
    if bonus <= 0:
        return 0
    rate, qd = p.monthly[-1][1:]
    for up, r, q in p.monthly[:-1]:
        if bonus <= p.bonus_months * up:
            rate, qd = r, q
            break
    return to_fen(Fraction(bonus * rate, 100) - qd)


def bonus_combined(p, taxable, bonus):
    if bonus <= 0:
        return 0
    return clamp(annual_tax(p, taxable + bonus) - annual_tax(p, taxable))


def remuneration_part(p, income):
    if income <= p.fixed_up_to:
        return Fraction(income - p.fixed)
    return Fraction(income * p.remuneration, 100)


def labour(p, income):
    return table_tax(p.labour, remuneration_part(p, income))


def author(p, income):
    part = remuneration_part(p, income)
    return 0 if part <= 0 else to_fen(part * p.author_part / 100 * p.author_rate / 100)


def royalty(p, income):
    part = remuneration_part(p, income)
    return 0 if part <= 0 else to_fen(part * p.author_rate / 100)


def business(p, revenue, costs, deduction):
    taxable = revenue - costs - (p.annual_basic if deduction == "basic" else 0)
    return table_tax(p.business, taxable)


def interest(p, income):
    return 0 if income <= 0 else to_fen(Fraction(income * p.flat_rate, 100))


def incidental(p, income, prize):
    if prize == "lottery" and 0 <= income <= p.lottery_exempt_up_to:
        return 0, 1
    return (0 if income <= 0 else to_fen(Fraction(income * p.flat_rate, 100))), 0


def settlement(p, treatment, fields):
    wages, lab, auth, roy, special, additional, other, donation, withheld, bonus = fields
    separate = treatment == "separate" and p.separate_bonus
    if not separate:
        wages += bonus
    r = Fraction(p.remuneration, 100)
    income = wages + lab * r + roy * r + auth * r * Fraction(p.author_part, 100)
    taxable = income - p.annual_basic - special - additional - other - donation
    tax = annual_tax(p, taxable) + (bonus_separate(p, bonus) if separate else 0)
    balance = tax - withheld
    entered = wages + lab + auth + roy
    waived = (balance > 0 and p.waiver is not None
              and (entered <= p.waiver[0] or balance <= p.waiver[1]))
    return to_fen(taxable), tax, balance, int(waived)


def additional(p, edu, under3, share, degree, loan, rent, only, elderly):
    if loan and rent != 0:
        return None
    if share not in (100, 50) or edu < 0 or under3 < 0:
        return None
    if not only and not 0 <= elderly <= p.elderly_share_cap:
        return None
    total = p.child_education * edu * share // 100 + p.infant_care * under3 * share // 100
    total += p.degree_education if degree else 0
    total += p.housing_loan if loan else 0
    total += ((0,) + p.rent)[rent]
    total += p.elderly_support if only else elderly
    return total


# ---- inputs ----

ANNUAL_BOUNDS = [0] + [b for b, _, _ in ANNUAL[:-1]]
BONUS_BOUNDS = [0] + [12 * b for b, _, _ in MONTHLY[:-1]]
# Labour: the fixed-expense bound, the 800 yuan that leaves nothing, and the payments whose
# 80 % part lands on the table's bounds.
LABOUR_BOUNDS = [0, yuan(800), yuan(4000)] + [b * 100 // 80 for b, _, _ in LABOUR[:-1]]
BUSINESS_BOUNDS = [0] + [b for b, _, _ in BUSINESS[:-1]]
EXTREMES = [INT64_MIN, INT64_MIN + 1, -TOP, TOP, TOP + 1, INT64_MAX - 1, INT64_MAX]


class Amounts:
    def __init__(self, rng):
        self.rng = rng

    def near(self, bounds, spread=1):
        return self.rng.choice(bounds) + self.rng.randint(-spread, spread)

    def large(self):
        """Log-uniform up to 10^14 fen."""
        return min(TOP, int(10 ** self.rng.uniform(0, 14)))

    def any(self, bounds):
        rng = self.rng
        k = rng.random()
        if k < 0.35:
            v = self.near(bounds)
        elif k < 0.45:
            v = -self.near(bounds)
        elif k < 0.55:
            v = rng.randint(-2000, 2000)
        elif k < 0.60:
            v = rng.choice([TOP, -TOP, TOP - 1, -TOP + 1])
        elif k < 0.70:
            v = self.near(bounds, 10 ** rng.randint(1, 6))
        elif k < 0.78:
            v = -self.large()
        else:
            v = self.large()
        return v

    def modest(self, up_to=yuan(30000)):
        """An everyday figure, often 0."""
        rng = self.rng
        k = rng.random()
        if k < 0.4:
            return 0
        if k < 0.85:
            return rng.randint(0, up_to)
        if k < 0.92:
            return -rng.randint(0, up_to)
        return self.any([0, up_to])


def wage_case(rng, a, p):
    """A year of months: (first, basic, months)."""
    basic = rng.choice("MMFFW")
    k = rng.random()
    if k < 0.04:  # a shape the year cannot take
        first = rng.choice([0, -1, 13, 14, 100, -100])
        count = max(0, min(14, 13 - first)) if rng.random() < 0.5 else rng.randint(0, 13)
    elif k < 0.10:
        first = rng.randint(1, 12)
        count = 13 - first + rng.choice([-1, 1, -(13 - first)])
    else:
        if basic == "W":
            first = 1 if rng.random() < 0.9 else rng.randint(2, 12)
        elif basic == "F" and p.from_january is not None and rng.random() < 0.9:
            first = rng.randint(p.from_january, 12)
        else:
            first = rng.randint(1, 12)
        count = 13 - first
    style = rng.random()
    months = []
    income = deductions = 0
    for i in range(count):
        m = first + i
        if style < 0.45:  # months aimed at the table's bounds after the basic deduction
            special = rng.choice([0, rng.randint(0, yuan(5000))])
            exempt = rng.choice([0, 0, 0, rng.randint(0, yuan(2000))])
            add = rng.choice([0, 0, rng.randint(0, yuan(6000))])
            other = rng.choice([0, 0, 0, rng.randint(0, yuan(1000))])
            donation = rng.choice([0, 0, 0, rng.randint(0, yuan(3000))])
            relief = rng.choice([0, 0, 0, 0, rng.randint(0, yuan(500))])
            own = exempt + special + add + other + donation
            if basic == "F":
                basic_sum = p.monthly_basic * m
            elif basic == "W":
                basic_sum = p.annual_basic
            else:
                basic_sum = p.monthly_basic * (i + 1)
            if rng.random() < 0.6:
                target = a.near(ANNUAL_BOUNDS)
                gross = target + basic_sum + deductions + own - income
            else:
                gross = rng.choice([p.monthly_basic + rng.randint(-1, 1),
                                    rng.randint(0, yuan(60000)), 0])
        elif style < 0.75:  # everyday pay with the odd negative or huge figure
            gross = a.modest(yuan(100000))
            exempt, special, add, other, donation, relief = (
                a.modest(yuan(3000)) if rng.random() < 0.3 else 0 for _ in range(6))
        else:  # anything, up to 10^14 fen
            gross = a.any(ANNUAL_BOUNDS)
            exempt, special, add, other, donation, relief = (
                a.any(ANNUAL_BOUNDS) if rng.random() < 0.3 else 0 for _ in range(6))
        months.append((gross, exempt, special, add, other, donation, relief))
        income += gross
        deductions += exempt + special + add + other + donation
    return first, basic, months


def settlement_case(rng, a, p):
    treatment = rng.choice(["separate", "merged"])
    lab = a.modest(yuan(80000)) if rng.random() < 0.4 else 0
    auth = a.modest(yuan(50000)) if rng.random() < 0.3 else 0
    roy = a.modest(yuan(50000)) if rng.random() < 0.3 else 0
    special = a.modest(yuan(40000)) if rng.random() < 0.7 else 0
    add = a.modest(yuan(60000)) if rng.random() < 0.5 else 0
    other = a.modest(yuan(12000)) if rng.random() < 0.2 else 0
    donation = a.modest(yuan(20000)) if rng.random() < 0.2 else 0
    bonus = a.any(BONUS_BOUNDS) if rng.random() < 0.5 else 0
    merged_bonus = bonus if treatment == "merged" else 0
    k = rng.random()
    if k < 0.4:  # exact taxable income on (or a fraction beside) a bound of the table
        r = Fraction(p.remuneration, 100)
        rest = lab * r + roy * r + auth * r * Fraction(p.author_part, 100) + merged_bonus
        want = a.near(ANNUAL_BOUNDS) + p.annual_basic + special + add + other + donation
        wages = int(want - rest) + rng.choice([0, 0, 1, -1])
    elif k < 0.7:  # gross income as entered beside the waiver's income bound
        wages = p.waiver[0] + rng.randint(-1, 1) - lab - auth - roy - merged_bonus
    else:
        wages = a.any(ANNUAL_BOUNDS)
    fields = [wages, lab, auth, roy, special, add, other, donation, 0, bonus]
    tax = settlement(p, treatment, fields)[1]
    k = rng.random()
    if k < 0.5:  # a balance beside the waiver's payment bound, or beside 0
        fields[8] = tax - rng.choice([p.waiver[1], 0]) + rng.randint(-1, 1)
    elif k < 0.8:
        fields[8] = max(0, tax - rng.randint(0, yuan(5000)))
    else:
        fields[8] = a.modest(yuan(100000))
    return treatment, fields


def additional_case(rng, p):
    """Claims that go together about two times in three, otherwise one or more refusals."""
    cap = p.elderly_share_cap
    edu = rng.choice([0, 0, 1, 1, 2, 3, rng.randint(0, 1000), 2 ** 31 - 1])
    under3 = rng.choice([0, 0, 0, 1, 2, rng.randint(0, 100), 2 ** 31 - 1])
    share = rng.choice([100, 100, 50])
    degree = rng.randint(0, 1)
    loan = rng.randint(0, 1)
    rent = 0 if loan else rng.choice([0, 1, 2, 3])
    only = rng.randint(0, 1)
    elderly = rng.choice([0, cap, cap - 1, rng.randint(0, cap), 1])
    if only:  # ignored then, whatever it is
        elderly = rng.choice([elderly, cap + 1, -1, p.elderly_support, TOP, -TOP])
    if rng.random() < 0.35:
        k = rng.randrange(5)
        if k == 0:
            loan, rent = 1, rng.choice([1, 2, 3])
        elif k == 1:
            share = rng.choice([0, 75, 200, -50, 49, 51, 99, 101])
        elif k == 2:
            edu = rng.choice([-1, -rng.randint(1, 10), -(2 ** 31)])
        elif k == 3:
            under3 = rng.choice([-1, -rng.randint(1, 10), -(2 ** 31)])
        else:
            only, elderly = 0, rng.choice([cap + 1, -1, -TOP, TOP, p.elderly_support])
    return edu, under3, share, degree, loan, rent, only, elderly


def cases(rng):
    a = Amounts(rng)
    out = []

    def ask(query, want):
        out.append((query, want))

    for y in YEARS:
        p = PARAMS[y]
        for basic in "MFW":
            for first in range(-1, 15):
                ask("available %d %s %d" % (y, basic, first), str(int(available(p, basic, first))))
        for x in [b + d for b in ANNUAL_BOUNDS for d in (-1, 0, 1)] + EXTREMES:
            ask("annual %d %d" % (y, x), str(annual_tax(p, x)))
            ask("bonussep %d %d" % (y, x), str(bonus_separate(p, x)))
        for x in [b + d for b in LABOUR_BOUNDS for d in (-1, 0, 1)] + EXTREMES:
            for name, fn in (("labour", labour), ("author", author), ("royalty", royalty)):
                ask("%s %d %d" % (name, y, x), str(fn(p, x)))
        for x in [p.lottery_exempt_up_to + d for d in (-1, 0, 1)] + [-1, 0, 1] + EXTREMES:
            for prize in ("other", "lottery"):
                ask("incidental %d %d %s" % (y, x, prize), "%d %d" % incidental(p, x, prize))
            ask("interest %d %d" % (y, x), str(interest(p, x)))
        for x in EXTREMES:
            for c in EXTREMES:
                for d in ("none", "basic"):
                    ask("business %d %d %d %s" % (y, x, c, d), str(business(p, x, c, d)))
                ask("bonuscomb %d %d %d" % (y, x, c), str(bonus_combined(p, x, c)))

        for _ in range(1300):
            x = a.any(ANNUAL_BOUNDS)
            ask("annual %d %d" % (y, x), str(annual_tax(p, x)))
        for _ in range(1000):
            x = a.any(BONUS_BOUNDS)
            ask("bonussep %d %d" % (y, x), str(bonus_separate(p, x)))
        for _ in range(1000):
            if rng.random() < 0.5:  # the sum on a bound
                t = a.any(ANNUAL_BOUNDS)
                b = a.near(ANNUAL_BOUNDS) - t
            else:
                t, b = a.any(ANNUAL_BOUNDS), a.any(BONUS_BOUNDS)
            ask("bonuscomb %d %d %d" % (y, t, b), str(bonus_combined(p, t, b)))
        for _ in range(800):
            x = a.any(LABOUR_BOUNDS)
            for name, fn in (("labour", labour), ("author", author), ("royalty", royalty)):
                ask("%s %d %d" % (name, y, x), str(fn(p, x)))
        for _ in range(1000):
            d = rng.choice(["none", "basic"])
            costs = a.modest(yuan(500000))
            t = a.any(BUSINESS_BOUNDS) + (p.annual_basic if d == "basic" else 0)
            revenue = t + costs if rng.random() < 0.7 else a.any(BUSINESS_BOUNDS)
            ask("business %d %d %d %s" % (y, revenue, costs, d),
                str(business(p, revenue, costs, d)))
        for _ in range(400):
            x = a.any([0, p.lottery_exempt_up_to])
            ask("interest %d %d" % (y, x), str(interest(p, x)))
        for _ in range(800):
            x = a.any([0, p.lottery_exempt_up_to])
            prize = rng.choice(["other", "lottery"])
            ask("incidental %d %d %s" % (y, x, prize), "%d %d" % incidental(p, x, prize))
        for _ in range(1800):
            treatment, fields = settlement_case(rng, a, p)
            ask("settlement %d %s %s" % (y, treatment, " ".join(map(str, fields))),
                "%d %d %d %d" % settlement(p, treatment, fields))
        for _ in range(600):
            claims = additional_case(rng, p)
            r = additional(p, *claims)
            ask("additional %d %s" % (y, " ".join(map(str, claims))),
                "none" if r is None else str(r))
        for _ in range(1300):
            first, basic, months = wage_case(rng, a, p)
            rows = wage(p, first, basic, months)
            ask("wage %d %d %s %d %s" % (y, first, basic, len(months),
                                         " ".join(str(v) for m in months for v in m)),
                " ".join([str(len(rows))] + [str(v) for r in rows for v in r]))

    for y in (2018, 2028, 0, -2019):  # no parameters outside 2019 to 2027
        ask("annual %d 100" % y, "ERR")
        ask("settlement %d merged 1 2 3 4 5 6 7 8 9 10" % y, "ERR")
    return out


def main():
    driver = sys.argv[1]
    seed = int(sys.argv[2]) if len(sys.argv) > 2 else DEFAULT_SEED
    print("seed %d" % seed)
    batch = cases(random.Random(seed))
    run = subprocess.run([driver], input="".join(q + "\n" for q, _ in batch),
                         capture_output=True, text=True)
    if run.returncode != 0:
        print("driver exited with %d: %s" % (run.returncode, run.stderr[-2000:]))
    answers = run.stdout.split("\n")
    failed = 0
    for i, (query, want) in enumerate(batch):
        have = answers[i] if i < len(answers) else "<no answer>"
        if have != want:
            failed += 1
            if failed <= 20:
                print("MISMATCH %s\n  reference %s\n  library   %s" % (query, want, have))
    print("%d passed, %d failed" % (len(batch) - failed, failed))
    return 1 if failed or run.returncode != 0 else 0


if __name__ == "__main__":
    sys.exit(main())
