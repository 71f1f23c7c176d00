// The yardstick for start-up: one empty Qt Widgets window with the client
// area of a calculator window, and nothing else.

#include "ui/first_paint_probe.hpp"

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    window.setFixedSize(474, 542);
    window.show();
    ui::ExitAfterFirstPaintIfAsked(window);
    return application.exec();
}
