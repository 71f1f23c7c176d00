#include "app/application.hpp"

#include "ui/accessibility.hpp"

#include <QApplication>
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

}  // namespace app
