#pragma once
// A top-level window whose client area has a fixed size, in pixels.

#include <QWidget>

namespace ui {

class Window : public QWidget {
    Q_OBJECT

public:
    Window(const QString& name, const QString& caption, QSize clientSize, const QIcon& icon);

    // Hides the window so that, shown again, it comes back where it was left.
    void hideInPlace();
};

}  // namespace ui
