#!/usr/bin/python3
"""Cuts the two CJK faces of the windows down to the characters the program draws.

Every character of every string and character literal under src/ (comments
left out; not src/cli/, whose texts go to a terminal), all of
printable ASCII and the few the amounts and the fields use besides, and Qt's
Chinese texts in the windows (the boxes' button, the fields' context menus) is
kept; the rest of Noto Serif CJK SC and Noto Sans CJK SC
(Debian's fonts-noto-cjk) is dropped with fontTools' subsetter, hinting and
layout features kept, so that every kept glyph draws as in the full face.
The results are renamed, as the SIL Open Font License asks of a modified
version, and written to data/fonts/, from where the build embeds them.

    data/make-fonts.py            writes data/fonts/ again after a text changed
    data/make-fonts.py --check    fails, listing them, when a character of the
                                  sources is missing from the fonts in data/fonts/

Needs Debian's python3-fonttools (and fonts-noto-cjk to write the fonts).
"""

import argparse
import pathlib
import re
import struct
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

ROOT = pathlib.Path(__file__).resolve().parent.parent
OUT = ROOT / "data" / "fonts"
NOTO = pathlib.Path("/usr/share/fonts/opentype/noto")

# (source collection, face in it, new family, style, file written). The bold
# sans draws the bold rows of the current-rules window's tables.
FACES = (
    ("NotoSerifCJK-Regular.ttc", "Noto Serif CJK SC", "Tovarin Serif", "Regular",
     "TovarinSerif-Regular.otf"),
    ("NotoSansCJK-Regular.ttc", "Noto Sans CJK SC", "Tovarin Sans", "Regular",
     "TovarinSans-Regular.otf"),
    ("NotoSansCJK-Bold.ttc", "Noto Sans CJK SC", "Tovarin Sans", "Bold", "TovarinSans-Bold.otf"),
)

# Drawn without being spelt in a literal: printable ASCII (digits, signs and
# the letters of amounts such as 1E+07), and the ideographic space.
EXTRA = "".join(chr(c) for c in range(0x20, 0x7F)) + "\u3000"

# Qt's own texts in the program's windows, in Qt's Chinese translation: the
# boxes' button, and the context menus of fields and spin boxes. (context,
# source texts; None for every text of the context)
QT_TRANSLATIONS = pathlib.Path("/usr/share/qt6/translations/qtbase_zh_CN.qm")
QT_TEXTS = (("QPlatformTheme", {"OK"}), ("QLineEdit", None), ("QAbstractSpinBox", None))
QM_MAGIC = bytes.fromhex("3cb86418caef9c95cd211cbf60a1bddd")

SIMPLE_ESCAPES = {"n": "\n", "t": "\t", "r": "\r", "0": "\0", "\\": "\\", '"': '"', "'": "'",
                  "a": "\a", "b": "\b", "f": "\f", "v": "\v", "?": "?"}


def literals(text):
    """The contents of the string and character literals of C++ source text."""
    i, n = 0, len(text)
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            i = text.find("\n", i)
            i = n if i < 0 else i
        elif text.startswith("/*", i):
            i = text.find("*/", i + 2)
            i = n if i < 0 else i + 2
        elif c in "\"'":
            if c == "'" and i > 0 and text[i - 1].isalnum():  # digit separator, as in 1'000
                i += 1
                continue
            j, out = i + 1, []
            while j < n and text[j] != c:
                if text[j] == "\\":
                    e = text[j + 1]
                    if e in "uU":
                        width = 4 if e == "u" else 8
                        out.append(chr(int(text[j + 2:j + 2 + width], 16)))
                        j += 2 + width
                        continue
                    if e == "x":  # bytes, not characters
                        m = re.match(r"x[0-9a-fA-F]+", text[j + 1:])
                        j += 1 + len(m.group(0))
                        continue
                    out.append(SIMPLE_ESCAPES.get(e, e))
                    j += 2
                    continue
                out.append(text[j])
                j += 1
            yield "".join(out)
            i = j + 1
        else:
            i += 1


def qt_translations(path):
    """(context, source text, translation) of every message of a Qt .qm file."""
    data = path.read_bytes()
    if data[:16] != QM_MAGIC:
        raise SystemExit("%s is no Qt translation file" % path)
    i = 16
    while i < len(data):
        tag, size = data[i], struct.unpack(">I", data[i + 1:i + 5])[0]
        body, i = data[i + 5:i + 5 + size], i + 5 + size
        if tag != 0x69:  # the messages; hashes, contexts and rules are skipped
            continue
        j, message = 0, {}
        while j < len(body):
            field, j = body[j], j + 1
            if field == 1:  # end of a message
                yield message.get(7, ""), message.get(6, ""), message.get(3, "")
                message = {}
                continue
            if field == 5:  # obsolete, four bytes
                j += 4
                continue
            if field == 9:  # obsolete, nothing
                continue
            length, j = struct.unpack(">I", body[j:j + 4])[0], j + 4
            if length == 0xFFFFFFFF:
                continue
            value, j = body[j:j + length], j + length
            message[field] = value.decode("utf-16-be" if field == 3 else "latin-1")


def qt_texts():
    """Qt's translated texts that the program's windows show, if installed."""
    if not QT_TRANSLATIONS.exists():
        return ""
    wanted = dict(QT_TEXTS)
    return "".join(translation for context, source, translation in qt_translations(QT_TRANSLATIONS)
                   if context in wanted and (wanted[context] is None or source in wanted[context]))


# The command-line program prints to a terminal; the windows draw none of its texts. The
# payroll files' library is drawn: the wage page shows its messages about a file it reads.
NOT_DRAWN = ("cli",)


def program_characters():
    """Every character the program can draw by itself, sorted."""
    chars = set(EXTRA) | set(qt_texts())
    for path in sorted((ROOT / "src").rglob("*")):
        if path.relative_to(ROOT / "src").parts[0] in NOT_DRAWN:
            continue
        if path.suffix in (".cpp", ".hpp"):
            for literal in literals(path.read_text(encoding="utf-8")):
                chars.update(ch for ch in literal if ch >= " " and ch != "\x7f")
    return "".join(sorted(chars))


def face_number(collection, family):
    for number in range(16):
        font = TTFont(collection, fontNumber=number, lazy=True)
        if font["name"].getDebugName(1) == family:
            return number
    raise SystemExit("%s holds no face %s" % (collection, family))


def rename(font, old, family, style):
    """Gives the cut face its own names; copyright, licence and credits stay."""
    postscript = family.replace(" ", "") + "-" + style
    full = family if style == "Regular" else family + " " + style
    names = {1: family, 2: style, 3: "%.3f;%s" % (font["head"].fontRevision, postscript),
             4: full, 6: postscript}
    table = font["name"]
    table.names = [n for n in table.names if n.nameID not in (7, 16, 17, 18, 21, 22)]
    for record in list(table.names):
        if record.nameID in names:
            table.names.remove(record)
    for name_id, value in names.items():
        table.setName(value, name_id, 3, 1, 0x409)
        table.setName(value, name_id, 1, 0, 0)
    cff = font["CFF "].cff
    old_postscript = cff.fontNames[0]
    cff.fontNames = [postscript]
    top = cff.topDictIndex[0]
    for key in ("FamilyName", "FullName"):
        if hasattr(top, key):
            setattr(top, key, family if key == "FamilyName" else full)
    if hasattr(top, "FDArray"):
        for fd in top.FDArray:
            if hasattr(fd, "FontName"):
                fd.FontName = fd.FontName.replace(old_postscript, postscript)
    leftover = [str(n) for n in table.names if old.split()[0] in str(n) and n.nameID in names]
    if leftover:
        raise SystemExit("still named %s: %s" % (old, leftover))


def make(chars):
    OUT.mkdir(parents=True, exist_ok=True)
    options = subset.Options()
    options.name_IDs = ["*"]
    options.name_languages = ["*"]
    options.notdef_outline = True
    options.hinting = True
    # Outlines spelt out in full: the same glyphs, a little less work for the
    # font engine at each glyph it loads, and a smaller file.
    options.desubroutinize = True
    options.prune_unicode_ranges = False
    for collection, family, new_family, style, file_name in FACES:
        path = NOTO / collection
        number = face_number(str(path), family)
        options.font_number = number
        font = subset.load_font(str(path), options)
        subsetter = subset.Subsetter(options)
        subsetter.populate(unicodes=[ord(ch) for ch in chars])
        subsetter.subset(font)
        rename(font, family, new_family, style)
        target = OUT / file_name
        # The same bytes on every run, and the maxima of the whole face kept,
        # which the font system reads as the face's metrics.
        font.recalcTimestamp = False
        font.recalcBBoxes = False
        font.save(str(target))
        print("%s: %d characters, %d glyphs, %d bytes" % (
            target.relative_to(ROOT), len(chars), font["maxp"].numGlyphs, target.stat().st_size))


def check(chars):
    missing = {}
    for *_, file_name in FACES:
        cmap = TTFont(str(OUT / file_name), lazy=True).getBestCmap()
        lacking = [ch for ch in chars if ord(ch) not in cmap]
        if lacking:
            missing[file_name] = "".join(lacking)
    for file_name, lacking in missing.items():
        print("data/fonts/%s lacks %d characters of the program: %s" % (
            file_name, len(lacking), " ".join("%s (U+%04X)" % (ch, ord(ch)) for ch in lacking)))
    if missing:
        print("run data/make-fonts.py to cut the fonts again")
        return 1
    print("the fonts in data/fonts hold all %d characters of the program" % len(chars))
    return 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--check", action="store_true",
                        help="only check that data/fonts covers the program's characters")
    args = parser.parse_args()
    chars = program_characters()
    if args.check:
        return check(chars)
    make(chars)
    return 0


if __name__ == "__main__":
    sys.exit(main())
