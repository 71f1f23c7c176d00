#!/usr/bin/env python3
"""Cross-checks the tax library against a reference written apart from it.

Python's float is the same IEEE double and rounds every operation the same
way; struct's single packing rounds to nearest, and a finite double that
rounds to an infinite single is the overflow.
The check sends many queries to the driver and compares every bit and
every character of the answers.

Usage: reference_check.py DRIVER [SEED]
"""

import random
import re
import struct
import subprocess
import sys

INF = float("inf")


class ArithmeticError_(Exception):
    pass


def fin(v):
    if v != v or v in (INF, -INF):
        raise ArithmeticError_()
    return v


def single(v):
    if v != v:
        raise ArithmeticError_()
    try:
        rounded = struct.unpack("f", struct.pack("f", v))[0]
    except OverflowError:  # older Pythons refuse instead of rounding to infinity
        raise ArithmeticError_()
    if rounded in (INF, -INF):
        raise ArithmeticError_()
    return rounded


# ---- amount reading ----

NUMBER = re.compile(r"[+-]?([0-9]+\.?[0-9]*|\.[0-9]+)([EeDd][+-]?[0-9]+)?")


def read_amount(text):
    s = re.sub(r"[ \t\n]", "", text)
    m = re.match(r"&([Hh])([0-9A-Fa-f]*)|&([Oo])([0-7]*)", s)
    if m:
        digits, base = (m.group(2), 16) if m.group(1) else (m.group(4), 8)
        if not digits:
            return 0.0
        try:
            return float(int(digits, base))
        except OverflowError:
            raise ArithmeticError_()
    m = NUMBER.match(s)
    if not m:
        return 0.0
    literal = m.group(0).replace("D", "e").replace("d", "e")
    value = float(literal)
    if value in (INF, -INF):
        raise ArithmeticError_()
    return value


# ---- formatting ----

def significant(value, digits):
    if value != value or value in (INF, -INF):
        raise ArithmeticError_()
    if value == 0:
        return "0"
    sci = "%.*e" % (digits - 1, value)
    power = int(sci[sci.index("e") + 1:])

    def trim(t):
        if "." in t:
            t = t.rstrip("0").rstrip(".")
        return t

    if -4 <= power <= digits - 1:
        return trim("%.*f" % (digits - 1 - power, value))
    mantissa, exponent = sci.split("e")
    sign = exponent[0]
    return trim(mantissa) + "E" + sign + exponent[1:].rjust(2, "0")


def format_amount(v):
    return significant(single(v), 7)


def format_double(v):
    return significant(v, 15)


# ---- rules ----

WAGE = {
    "old": [(0, 500, .05, 0), (500, 2000, .1, 25), (2000, 5000, .15, 125),
            (5000, 20000, .2, 375), (20000, 40000, .25, 1375), (40000, 60000, .3, 3375),
            (60000, 80000, .35, 6375), (80000, 100000, .4, 10375), (None, None, .45, 15375)],
    "new": [(0, 1500, .03, 0), (1500, 4500, .1, 105), (4500, 9000, .2, 555),
            (9000, 35000, .25, 1005), (35000, 55000, .3, 2755), (55000, 80000, .35, 5505),
            (None, None, .45, 13505)],
}


def pick(rows, x):
    for row in rows[:-1]:
        if row[0] <= x <= row[1]:
            return row
    return rows[-1]


def wage_tax(ed, x):
    _, _, rate, qd = pick(WAGE[ed], x)
    return fin(fin(x * rate) - qd)


def wage(ed, g, h, m, p, t):
    after = fin(fin(fin(g - h) - m) - p)
    x = fin(after - t)
    tax = wage_tax(ed, x)
    c = 2000.0 if ed == "old" else 3500.0
    net = single(fin(fin(x + c) - tax))
    if x <= 0:
        return 0.0, 0.0, single(after)
    return x, tax, net


def labour(x):
    if 0 <= x <= 800:
        v = 0.0
    elif 800 <= x <= 4000:
        v = fin(fin(x - 800) * 0.2)
    elif 4000 <= x <= 25000:
        v = fin(fin(x * 0.8) * 0.2)
    elif 25000 <= x <= 62500:
        v = fin(4000 + fin(fin(fin(x * 0.8) - 20000) * 0.3))
    else:
        v = fin(13000 + fin(fin(fin(x * 0.8) - 50000) * 0.4))
    t = single(v)
    return 0.0 if x <= 0 else t


def business(ed, x):
    if ed == "old":
        rows = [(0, 5000, .05, 0), (5000, 10000, .1, 250), (10000, 30000, .2, 1250),
                (30000, 50000, .3, 4250), (None, None, .35, 6750)]
        _, _, rate, qd = pick(rows, x)
        v = fin(fin(x * rate) - qd)
    else:
        rows = [(0, 15000, 0, .05, 0), (15000, 30000, 15000, .1, 750),
                (30000, 60000, 30000, .2, 2250), (60000, 100000, 60000, .3, 8250),
                (None, None, 100000, .35, 20250)]
        row = pick(rows, x)
        v = fin(x * row[3]) if row[2] == 0 else fin(row[4] + fin(fin(x - row[2]) * row[3]))
    t = single(v)
    return 0.0 if x <= 0 else t


def author(x, reduced=True):
    if 0 <= x <= 800:
        return 0.0
    taxable = fin(x - 800) if 800 <= x <= 4000 else fin(x * 0.8)
    v = fin(taxable * 0.2)
    if reduced:
        v = fin(v * 0.7)
    t = single(v)
    return 0.0 if x <= 0 else t


def royalty(x):
    return author(x, reduced=False)


def interest(x):
    return single(fin(x * 0.2)) if x > 0 else 0.0


def incidental(x):
    if 0 <= x <= 10000:
        return 0.0, True
    t = single(fin(x * 0.2))
    return (0.0 if x < 0 else t), False


# ---- inputs ----

def bounds():
    return [0, 500, 800, 1500, 2000, 3500, 4000, 4500, 5000, 9000, 10000, 15000, 20000,
            25000, 30000, 35000, 40000, 50000, 55000, 60000, 62500, 80000, 100000,
            83500, 102000, 5500, 7000, 13000]


def amounts(rng):
    out = []
    for b in bounds():
        for v in (b, -b):
            out += [v, v + 0.01, v - 0.01, nextafter(v, INF), nextafter(v, -INF)]
    for _ in range(3000):
        v = 10 ** rng.uniform(-3, 12)
        out += [v, -v, round(v, 2)]
    for e in (38, 39, 40, 100, 300, 308):
        for m in (1, 1.7, 2.1, 3, 3.4, 6.2):
            try:
                out += [m * 10.0 ** e, -m * 10.0 ** e]
            except OverflowError:
                pass
    out += [1.7976931348623157e308, -1.7976931348623157e308, 5e-324, -5e-324, 1e-40]
    return [float(v) for v in out if abs(v) != INF]


def nextafter(v, toward):
    import math
    return math.nextafter(v, toward)


def texts(rng):
    alphabet = "0123456789+-.eEdD &HhOo,x\t\n"
    out = ["", "-", ".", "1e", "1e+", ".5", "-.5", "&H", "&HFFFF", "&O777", "1 000",
           "2,500", "3.5.1", "5-3", "1d3", "&H" + "F" * 300, "9" * 400, "1e400", "1e-400",
           "0." + "0" * 500 + "1e500", "&O" + "7" * 400, "\uff15", "1.7976931348623158e308"]
    for _ in range(4000):
        n = rng.randint(1, 24)
        out.append("".join(rng.choice(alphabet) for _ in range(n)))
    for _ in range(2000):
        out.append("%s%d.%de%d" % (rng.choice(["", "-", "+"]), rng.randint(0, 10 ** 12),
                                   rng.randint(0, 10 ** 6), rng.randint(-330, 320)))
    return out


def answer(fn, *args):
    try:
        return fn(*args)
    except ArithmeticError_:
        return "ERR"


def hexs(v):
    return v.hex()


def main():
    driver = sys.argv[1]
    rng = random.Random(int(sys.argv[2]) if len(sys.argv) > 2 else 20261208)
    queries, expected = [], []

    def ask(query, want):
        queries.append(query)
        expected.append(want)

    def num(fn, *args):
        r = answer(fn, *args)
        return r if r == "ERR" else hexs(r)

    for t in texts(rng):
        ask("read " + t.encode().hex(), num(read_amount, t))
    xs = amounts(rng)
    for x in xs:
        hx = hexs(x)
        ask("fmt " + hx, answer(format_amount, x))
        ask("fmtd " + hx, answer(format_double, x))
        for ed in ("old", "new"):
            ask("wagetax %s %s" % (ed, hx), num(wage_tax, ed, x))
            ask("business %s %s" % (ed, hx), num(business, ed, x))
            t = 2000.0 if ed == "old" else 3500.0
            for g, h, m, p in ((x, 0.0, 0.0, 0.0), (x, 500.0, 200.0, 300.0),
                               (1000.0, x, 0.0, 0.0), (x, -x, 0.0, 0.0)):
                r = answer(wage, ed, g, h, m, p, t)
                want = r if r == "ERR" else " ".join(hexs(v) for v in r)
                ask("wage %s %s %s %s %s %s" % (ed, hexs(g), hexs(h), hexs(m), hexs(p), hexs(t)),
                    want)
        for name, fn in (("labour", labour), ("author", author), ("royalty", royalty),
                         ("interest", interest)):
            ask("%s %s" % (name, hx), num(fn, x))
        r = answer(incidental, x)
        ask("incidental " + hx, r if r == "ERR" else "%s %s" % (hexs(r[0]), "exempt" if r[1] else "taxed"))

    got = subprocess.run([driver], input="\n".join(queries) + "\n", capture_output=True,
                         text=True, check=True).stdout.split("\n")
    mismatches = 0
    for q, want, have in zip(queries, expected, got):
        if want != normal(have):
            mismatches += 1
            if mismatches <= 20:
                print("MISMATCH %s: reference %r, library %r" % (q, want, have))
    print("%d queries, %d mismatches" % (len(queries), mismatches))
    return 1 if mismatches or len(got) < len(queries) else 0


def normal(answer_text):
    """The driver prints C's %a; turn it into Python's float.hex spelling."""
    parts = []
    for token in answer_text.split(" "):
        if token.startswith(("0x", "-0x")):
            token = float.fromhex(token).hex()
        parts.append(token)
    return " ".join(parts)


if __name__ == "__main__":
    sys.exit(main())
