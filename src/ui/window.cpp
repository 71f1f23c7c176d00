#include "ui/window.hpp"

#include "ui/legacy_title.hpp"

#include <QIcon>
#include <QWindow>

namespace ui {

Window::Window(const QString& name, const QString& caption, QSize clientSize, const QIcon& icon) {
    setObjectName(name);
    setWindowTitle(caption);
    setWindowIcon(icon);
    // The layout is absolute, so the window neither grows nor shrinks.
    setFixedSize(clientSize);
    KeepLegacyTitle(*this);
}

// A window manager places a window anew each time it is mapped, unless the
// program has asked for a place of its own. Asking for the place the window
// has now, which is where the manager or the user put it, keeps it there; the
// window does not move, as the place is the same. QWidget::move would not do:
// it skips a place the widget already has.
void Window::hideInPlace() {
    if (QWindow* native = windowHandle()) native->setPosition(native->position());
    hide();
}

}  // namespace ui
