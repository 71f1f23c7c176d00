#pragma once
// Process-wide settings of the calculator, made once the QApplication exists.

namespace app {

// The program's title, which a message box without a title of its own bears.
inline constexpr const char* kApplicationTitle = "TovarinVersion 1.0";

void ConfigureApplication();

}  // namespace app
