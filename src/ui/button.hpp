#pragma once
// A push button whose caption wraps onto several lines when it is wider than
// the button. It is never a default button, but Enter presses it while it
// has the focus, as Space does.

#include <QPushButton>

namespace ui {

class Button : public QPushButton {
    Q_OBJECT

public:
    Button(const QString& caption, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace ui
