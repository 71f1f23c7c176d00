#include "app/application.hpp"

#include "ui/accessibility.hpp"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace app {

void ConfigureApplication() {
    // The title goes into the application name, not the display name: on X11
    // Qt appends a display name to every window caption, which would change
    // the captions of both windows.
    QCoreApplication::setApplicationName(QString::fromUtf8(kApplicationTitle));
    QGuiApplication::setDesktopFileName("io.github.tovarin.Calculator");
    // Closing the visible window ends the program, although the other
    // edition's window may still exist hidden.
    QApplication::setQuitOnLastWindowClosed(true);
    ui::InstallAccessibility();
}

QTranslator* InstallQtTranslations(const QLocale& locale) {
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return nullptr;
    }
    QCoreApplication::installTranslator(translator);
    return translator;
}

QIcon WindowIcon() {
    QIcon icon;
    icon.addFile(":/art/icons/hicolor/16x16/apps/tovarin-calculator.png", QSize(16, 16));
    icon.addFile(":/art/icons/hicolor/32x32/apps/tovarin-calculator.png", QSize(32, 32));
    return icon;
}

}  // namespace app
