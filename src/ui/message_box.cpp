#include "ui/message_box.hpp"

#include "ui/legacy_title.hpp"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

#include <cstdio>
#include <cstdlib>

namespace ui {
namespace {

BoxHook& boxHook() {
    static BoxHook hook;
    return hook;
}

ExitHook& exitHook() {
    static ExitHook hook;
    return hook;
}

QMessageBox::Icon QtIcon(BoxIcon icon) {
    switch (icon) {
    case BoxIcon::Information: return QMessageBox::Information;
    case BoxIcon::Exclamation: return QMessageBox::Warning;
    case BoxIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

// The window the box belongs to: the active one, or while activation is still
// on its way back from an earlier box, the visible window of the program.
QWidget* OwnerWindow() {
    if (QWidget* active = QApplication::activeWindow()) return active;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && !qobject_cast<QMessageBox*>(window)) return window;
    }
    return nullptr;
}

}  // namespace

void ShowBox(const Box& box) {
    if (boxHook()) {
        boxHook()(box);
        return;
    }
    // Set explicitly: Qt would leave an untitled box nameless for
    // accessibility tools, whatever the window manager shows.
    const QString title = box.title.isEmpty() ? QGuiApplication::applicationDisplayName() : box.title;
    const QPointer<QWidget> owner = OwnerWindow();
    const QPointer<QWidget> focus = owner ? owner->focusWidget() : nullptr;
    QMessageBox message(QtIcon(box.icon), title, box.prompt, QMessageBox::Ok, owner);
    message.setTextFormat(Qt::PlainText);
    message.setWindowModality(Qt::ApplicationModal);
    KeepLegacyTitle(message);
    message.exec();
    // The keyboard goes back to the control that had it, usually the button
    // just pressed, whatever the window manager activates next.
    if (owner && owner->isVisible()) owner->activateWindow();
    if (focus && focus->isVisible()) focus->setFocus(Qt::OtherFocusReason);
}

void EndProcess() {
    if (exitHook()) {
        exitHook()();
        return;
    }
    std::fflush(nullptr);
    // No destructor runs: the windows hold nothing worth keeping.
    std::_Exit(EXIT_SUCCESS);
}

void SetBoxHook(BoxHook hook) { boxHook() = std::move(hook); }
void SetExitHook(ExitHook hook) { exitHook() = std::move(hook); }

}  // namespace ui
