#include "editing.hpp"

#include <cstdint>

namespace monkey {
namespace {

bool HasSelection(const FieldState& field) {
    return field.selectionStart >= 0 && field.selectionLength > 0;
}

// The selection taken out and `inserted` put in its place, or at the cursor;
// what does not fit under the length cap is dropped.
QString Inserted(const FieldState& field, const QString& inserted) {
    QString text = field.text;
    qsizetype at = field.cursor;
    if (HasSelection(field)) {
        text.remove(field.selectionStart, field.selectionLength);
        at = field.selectionStart;
    }
    text.insert(at, inserted.left(field.maxLength - text.size()));
    return text;
}

QString Filtered(const FieldState& field, const QString& typed) {
    if (!field.filtered) return typed;
    QString kept;
    // Code 0 is what the rule answers for "discard", so a NUL never passes.
    for (const QChar unit : typed) {
        if (PassesFilter(unit) && !unit.isNull()) kept += unit;
    }
    return kept;
}

// A keyboard character that a line edit inserts: anything printable, format
// and private-use characters and whole surrogate pairs, but no control code.
bool Insertable(const QString& typed) {
    const QChar first = typed.front();
    if (first.category() == QChar::Other_Format || first.category() == QChar::Other_PrivateUse)
        return true;
    if (first.isHighSurrogate()) return typed.size() > 1 && typed[1].isLowSurrogate();
    return first.isPrint();
}

}  // namespace

bool PassesFilter(QChar unit) { return static_cast<std::int16_t>(unit.unicode()) < 58; }

QString AfterTyping(const FieldState& field, const QString& typed) {
    if (!field.enabled || typed.isEmpty() || !Insertable(typed)) return field.text;
    const QString kept = Filtered(field, typed);
    return kept.isEmpty() ? field.text : Inserted(field, kept);
}

QString AfterCommit(const FieldState& field, const QString& committed) {
    if (!field.enabled) return field.text;
    const QString kept = Filtered(field, committed);
    return kept.isEmpty() ? field.text : Inserted(field, kept);
}

QString AfterPaste(const FieldState& field, const QString& clipboard) {
    if (!field.enabled || (clipboard.isEmpty() && !HasSelection(field))) return field.text;
    return Inserted(field, clipboard);
}

// Backspace takes a whole surrogate pair at once.
QString AfterBackspace(const FieldState& field) {
    if (!field.enabled) return field.text;
    if (HasSelection(field)) return Inserted(field, QString());
    if (field.cursor == 0) return field.text;
    qsizetype from = field.cursor - 1;
    if (from > 0 && field.text[from].isLowSurrogate() && field.text[from - 1].isHighSurrogate())
        --from;
    QString text = field.text;
    return text.remove(from, field.cursor - from);
}

QString AfterCut(const FieldState& field) {
    if (!field.enabled || !HasSelection(field)) return field.text;
    return Inserted(field, QString());
}

}  // namespace monkey
