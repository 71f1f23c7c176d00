#include "ui/field.hpp"

#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>

#include <utility>

namespace ui {
namespace {

// Events that edit or move rather than type: Delete, Backspace, arrows,
// Home, End and the Ctrl shortcuts. The field never inserts their text, so
// they reach it unjudged. Only control codes count: format characters such as
// the soft hyphen are not printable, yet a field inserts them.
bool IsEditingKey(const QKeyEvent& event) {
    const QString text = event.text();
    if (text.isEmpty() || text.front().category() == QChar::Other_Control) return true;
    return event.modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
}

}  // namespace

Field::Field(QWidget* parent) : QLineEdit(parent) {
    // A user's edit announces itself just before the change of text.
    connect(this, &QLineEdit::textEdited, this, [this] { edited_ = true; });
    connect(this, &QLineEdit::textChanged, this, &Field::judgeTextChange);
}

void Field::write(const QString& text) {
    writing_ = true;
    setText(text);
    writing_ = false;
    lastAllowed_ = this->text();
    showFromStart();
}

// A field scrolls to keep its cursor in view, and setText leaves the cursor
// at the end: a narrow field would show the tail of a long text, and a
// disabled one cannot be scrolled back by the user.
void Field::showFromStart() { setCursorPosition(0); }

// Leaving the field by Tab, a click or any other way shows the text from its
// start; the user's place is kept while another window is active or a
// context menu is open, as the focus comes back to the same spot.
void Field::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    const Qt::FocusReason reason = event->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) showFromStart();
}

// A text put in without the focus and without editing, such as by an
// assistive technology, shows from its start like a written one.
void Field::judgeTextChange() {
    const bool edited = std::exchange(edited_, false);
    if (writing_) return;
    if (!isEnabled()) {
        write(lastAllowed_);
        return;
    }
    lastAllowed_ = text();
    if (!edited && !hasFocus()) showFromStart();
}

QString Field::allowedPart(const QString& typed) const {
    QString kept;
    for (const QChar c : typed) {
        auto code = static_cast<std::int16_t>(c.unicode());
        keyPress_(code);
        if (code != 0) kept += QChar(static_cast<char16_t>(code));
    }
    return kept;
}

void Field::keyPressEvent(QKeyEvent* event) {
    if (!keyPress_ || IsEditingKey(*event)) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const QString kept = allowedPart(event->text());
    if (kept == event->text()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (!kept.isEmpty()) insert(kept);
    event->accept();
}

// Characters committed by an input method are judged one by one like typed ones.
void Field::inputMethodEvent(QInputMethodEvent* event) {
    if (!keyPress_ || event->commitString().isEmpty()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent judged(event->preeditString(), event->attributes());
    judged.setCommitString(allowedPart(event->commitString()), event->replacementStart(),
                           event->replacementLength());
    QLineEdit::inputMethodEvent(&judged);
}

}  // namespace ui
