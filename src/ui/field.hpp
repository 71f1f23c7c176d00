#pragma once
// A single-line text field whose typed characters can pass through a
// key-press handler before the field receives them.

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

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    QString Kept(const QString& typed) const;

    KeyPress keyPress_;
};

}  // namespace ui
