// The yardstick for start-up: one empty Qt Widgets window with the client
// area of a calculator window, and nothing else. With --with-text it also
// shows one line of Chinese in the calculator's serif face, which tells the
// cost of bringing up fonts at all apart from the calculator's own. It quits
// after its first paint.

#include "first_paint_probe.hpp"

#include <QApplication>
#include <QLabel>
#include <QWidget>

#include <cstring>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    window.setFixedSize(474, 542);
    if (argc > 1 && std::strcmp(argv[1], "--with-text") == 0) {
        QFont serif;
        serif.setFamilies({QStringLiteral("Noto Serif CJK SC")});
        serif.setPointSizeF(9);
        auto* label = new QLabel(QString::fromUtf8("1.工薪、工资所得税计算"), &window);
        label->setFont(serif);
        label->move(8, 8);
    }
    window.show();
    bench::ExitAfterFirstPaint(window);
    return application.exec();
}
