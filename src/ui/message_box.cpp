#include "ui/message_box.hpp"

#include <QApplication>
#include <QMessageBox>

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

}  // namespace

void ShowBox(const Box& box) {
    if (boxHook()) {
        boxHook()(box);
        return;
    }
    // Set explicitly: Qt would leave an untitled box nameless for
    // accessibility tools, whatever the window manager shows.
    const QString title = box.title.isEmpty() ? QGuiApplication::applicationDisplayName() : box.title;
    QMessageBox message(QtIcon(box.icon), title, box.prompt, QMessageBox::Ok,
                        QApplication::activeWindow());
    message.setTextFormat(Qt::PlainText);
    message.setWindowModality(Qt::ApplicationModal);
    message.exec();
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
