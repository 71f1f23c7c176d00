#include "ui/message_box.hpp"

#include "ui/bundled_fonts.hpp"
#include "ui/legacy_title.hpp"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QShowEvent>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace ui {
namespace {

QMessageBox::Icon QtIcon(BoxIcon icon) {
    switch (icon) {
    case BoxIcon::Information: return QMessageBox::Information;
    case BoxIcon::Exclamation: return QMessageBox::Warning;
    case BoxIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

// The client area of `box` on the middle of its owner's, kept on the screen
// with a frame like the owner's around it.
QRect CentredPlace(const QWidget& box, const QWidget& owner) {
    const QRect client = owner.geometry();
    QRect place(QPoint(client.x() + (client.width() - box.width()) / 2,
                       client.y() + (client.height() - box.height()) / 2),
                box.size());
    const QScreen* screen = owner.screen();
    if (!screen) return place;
    const QRect frame = owner.frameGeometry();
    const QRect allowed = screen->availableGeometry().marginsRemoved(
        QMargins(client.left() - frame.left(), client.top() - frame.top(),
                 frame.right() - client.right(), frame.bottom() - client.bottom()));
    place.moveLeft(
        std::max(std::min(place.left(), allowed.right() - place.width() + 1), allowed.left()));
    place.moveTop(
        std::max(std::min(place.top(), allowed.bottom() - place.height() + 1), allowed.top()));
    return place;
}

// Qt centres a box by a guess at the window frame that it then leaves out of
// the place it asks for, so a box would open a title bar's height above the
// middle under a window manager, and 40 pixels above it without one. Placed
// again once it has its size and before it is mapped, it opens in the middle.
class CentredBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent* event) override {
        QMessageBox::showEvent(event);
        const QWidget* owner = parentWidget();
        if (owner && !event->spontaneous()) setGeometry(CentredPlace(*this, *owner->window()));
    }
};

}  // namespace

void ShowBox(QWidget& owner, const Box& box) {
    // Set explicitly: Qt would leave an untitled box nameless for
    // accessibility tools, whatever the window manager shows.
    const QString title =
        box.title.isEmpty() ? QGuiApplication::applicationDisplayName() : box.title;
    const QPointer<QWidget> window = owner.window();
    const QPointer<QWidget> focus = window->focusWidget();
    CentredBox message(QtIcon(box.icon), title, box.prompt, QMessageBox::Ok, window);
    message.setTextFormat(Qt::PlainText);
    message.setFont(WithBundledSans(message.font()));
    message.setWindowModality(Qt::ApplicationModal);
    KeepLegacyTitle(message);
    message.exec();
    // The keyboard goes back to the control that had it, usually the button
    // just pressed, whatever the window manager activates next.
    if (window && window->isVisible()) window->activateWindow();
    if (focus && focus->isVisible()) focus->setFocus(Qt::OtherFocusReason);
}

void EndProcess() {
    std::fflush(nullptr);
    // No destructor runs: the windows hold nothing worth keeping.
    std::_Exit(EXIT_SUCCESS);
}

}  // namespace ui
