#pragma once
// Process-wide settings of the calculator, made once the QApplication exists.

class QIcon;

namespace app {

// The program's title, which a message box without a title of its own bears.
inline constexpr const char* kApplicationTitle = "TovarinVersion 1.0";

void ConfigureApplication();

// The program's icon, which every window bears.
QIcon WindowIcon();

}  // namespace app
