#pragma once
// The faces compiled into the program: cuts of two CJK faces holding every
// character the program draws by itself (data/make-fonts.py makes them), so
// that its own texts draw the same with or without CJK fonts installed.

#include <QFont>

namespace ui {

inline constexpr char kBundledSerif[] = "Tovarin Serif";
inline constexpr char kBundledSans[] = "Tovarin Sans";

// Hands the bundled regular faces to the font system, once; later calls do
// nothing.
// Installed faces and the user's font settings keep applying: the bundled
// families draw only where a font names them.
void LoadBundledFonts();

// `font` as the font system resolves it, with the bundled sans (regular and
// bold, handed over on the first call) behind it for
// the characters that face lacks, ahead of the system's own fallbacks. For
// windows that follow the system font: the face and size stay the user's,
// the program's Chinese texts draw without a CJK font installed, and typed
// characters the bundled face lacks still reach the installed CJK faces.
QFont WithBundledSans(const QFont& font);

}  // namespace ui
