#include "ui/field.hpp"

#include <QInputMethodEvent>
#include <QKeyEvent>

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
    connect(this, &QLineEdit::textChanged, this, &Field::GuardWhileDisabled);
}

void Field::write(const QString& text) {
    writing_ = true;
    setText(text);
    writing_ = false;
    lastAllowed_ = this->text();
}

void Field::GuardWhileDisabled() {
    if (writing_) return;
    if (isEnabled()) {
        lastAllowed_ = text();
        return;
    }
    write(lastAllowed_);
}

QString Field::Kept(const QString& typed) const {
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
    const QString kept = Kept(event->text());
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
    judged.setCommitString(Kept(event->commitString()), event->replacementStart(),
                           event->replacementLength());
    QLineEdit::inputMethodEvent(&judged);
}

}  // namespace ui
