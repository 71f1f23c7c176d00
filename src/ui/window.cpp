#include "ui/window.hpp"

#include "ui/legacy_title.hpp"
#include "ui/twips.hpp"

#include <QIcon>

namespace ui {

Window::Window(const QString& name, const QString& caption, int widthTwips, int heightTwips,
               const QIcon& icon) {
    setObjectName(name);
    setWindowTitle(caption);
    setWindowIcon(icon);
    // The layout is absolute, so the window neither grows nor shrinks.
    setFixedSize(Pixels(widthTwips), Pixels(heightTwips));
    KeepLegacyTitle(*this);
}

}  // namespace ui
