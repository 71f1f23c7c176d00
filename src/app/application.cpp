#include "app/application.hpp"

#include "ui/accessibility.hpp"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QWidget>

namespace app {

void ConfigureApplication() {
    // The title goes into the application name, not the display name: on X11
    // Qt appends a display name to every window caption, which would change
    // the captions of both windows.
    QCoreApplication::setApplicationName(QString::fromUtf8(kApplicationTitle));
    QGuiApplication::setDesktopFileName(QString::fromUtf8(kAppId));
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
    // One folder a size, named as the icon theme names them: "16x16".
    const QDir sizes(QStringLiteral(":/art/icons/hicolor"));
    QIcon icon;
    for (const QString& size : sizes.entryList(QDir::Dirs)) {
        const int side = size.section(QLatin1Char('x'), 0, 0).toInt();
        icon.addFile(sizes.filePath(size + QStringLiteral("/apps/tovarin-calculator.png")),
                     QSize(side, side));
    }
    return icon;
}

void ShowAndActivate(QWidget& window) {
    window.show();
    window.raise();
    window.activateWindow();
}

}  // namespace app
