#pragma once
// What a text field must hold after one edit, worked out from its state just
// before: the keystroke rule of the amount fields, then the editing rules of a
// single-line field (a selection is replaced, the length is capped, a
// disabled field never changes).

#include <QString>

namespace monkey {

struct FieldState {
    QString text;
    int cursor = 0;
    int selectionStart = -1;  // -1: nothing selected
    int selectionLength = 0;
    int maxLength = 32767;
    bool enabled = true;
    bool filtered = true;  // has the keystroke rule
};

// Whether the keystroke rule lets a UTF-16 unit through: its code, read as a
// signed 16-bit value, is below 58.
bool PassesFilter(QChar unit);

// A key event carrying `typed` (one character or a short run of printable ones).
QString AfterTyping(const FieldState& field, const QString& typed);

// Characters committed by an input method.
QString AfterCommit(const FieldState& field, const QString& committed);

// The paste shortcut or paste() with `clipboard` on the clipboard: not filtered.
QString AfterPaste(const FieldState& field, const QString& clipboard);

QString AfterBackspace(const FieldState& field);
QString AfterCut(const FieldState& field);

}  // namespace monkey
