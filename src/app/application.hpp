#pragma once
// Process-wide settings of the calculator, made once the QApplication exists.

class QIcon;
class QLocale;
class QTranslator;
class QWidget;

namespace app {

// The program's title, which a message box without a title of its own bears.
inline constexpr const char* kApplicationTitle = "TovarinVersion 1.0";

// The desktop entries' names, set once in the build (TOVARIN_APP_ID).
inline constexpr const char* kAppId = TOVARIN_APP_ID;
inline constexpr const char* kCurrentAppId = TOVARIN_APP_ID ".Current";

void ConfigureApplication();

// Loads Qt's own translations for `locale`, such as the text of a box's OK
// button, where the system has them. Returns the installed translator (owned
// by the application), or null when there is none for that locale.
QTranslator* InstallQtTranslations(const QLocale& locale);

// The program's icon, which every window bears, in each size the build put
// among the program's resources.
QIcon WindowIcon();

// Shows a top-level window in front, with the keyboard.
void ShowAndActivate(QWidget& window);

}  // namespace app
