#pragma once
// Process-wide settings of the calculator, made once the QApplication exists.

class QIcon;
class QLocale;
class QTranslator;

namespace app {

// The program's title, which a message box without a title of its own bears.
inline constexpr const char* kApplicationTitle = "TovarinVersion 1.0";

void ConfigureApplication();

// Loads Qt's own translations for `locale`, such as the text of a box's OK
// button, where the system has them. Returns the installed translator (owned
// by the application), or null when there is none for that locale.
QTranslator* InstallQtTranslations(const QLocale& locale);

// The program's icon, which every window bears.
QIcon WindowIcon();

}  // namespace app
