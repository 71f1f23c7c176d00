#include "app/current/run.hpp"

#include "app/current/current_form.hpp"
#include "ui/first_paint_probe.hpp"

#include <QApplication>

namespace app::current {

int Run() {
    // The desktop entry of this window, so that the desktop groups and names it by that entry.
    QGuiApplication::setDesktopFileName("io.github.tovarin.Calculator.Current");
    CurrentForm form;
    form.show();
    form.raise();
    form.activateWindow();
    ui::ExitAfterFirstPaintIfAsked(form);
    return QApplication::exec();
}

}  // namespace app::current
