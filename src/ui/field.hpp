#pragma once
// A single-line text field whose typed characters can pass through a
// key-press handler before the field receives them. A text wider than the
// field shows its first characters once written or put in without the focus,
// and once the user has left the field.

#include <QLineEdit>

#include <cstdint>
#include <functional>

namespace ui {

class Field : public QLineEdit {
    Q_OBJECT

public:
    // Takes the character's code as a signed 16-bit value; setting it to 0
    // discards the character.
    using KeyPress = std::function<void(std::int16_t& keyAscii)>;

    explicit Field(QWidget* parent);
    void setKeyPress(KeyPress handler) { keyPress_ = std::move(handler); }

    // Replaces the text, also of a disabled field. Nothing else changes a
    // disabled field: a change that reaches it another way, such as an
    // assistive technology writing to it directly, is undone at once.
    void write(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QString allowedPart(const QString& typed) const;
    void judgeTextChange();
    void showFromStart();

    KeyPress keyPress_;
    QString lastAllowed_;
    bool writing_ = false;
    bool edited_ = false;
};

}  // namespace ui
