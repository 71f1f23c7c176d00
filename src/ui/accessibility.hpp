#pragma once
// Roles that assistive technologies see for the controls of this layer.

namespace ui {

// Windows, the calculator windows and any other top-level plain widget, are
// announced as windows, lines as separators and the picture as an image,
// instead of as unnamed panels. Call once after the QApplication exists.
void InstallAccessibility();

}  // namespace ui
