#pragma once
// The legacy X11 window name (WM_NAME) in the same form in every locale.
//
// On X11 Qt writes _NET_WM_NAME as UTF-8, but WM_NAME through Xlib in the
// encoding of the C library's locale, while it hands Xlib UTF-8 bytes
// whatever that locale is: outside a UTF-8 locale the captions arrive as
// nonsense for window managers and tools that read only WM_NAME. The windows
// of this layer write WM_NAME themselves, after Qt, as compound text.

#include <QByteArray>
#include <QString>

class QWidget;

namespace ui {

struct LegacyTitle {
    QByteArray type;   // the property's type: "COMPOUND_TEXT" or "UTF8_STRING"
    QByteArray bytes;  // its value
};

// Compound text where every character is ASCII or GB2312 (the GB2312 set is
// designated to the right half, its characters in their EUC-CN bytes);
// UTF-8 for any other text, which current clients read as well.
LegacyTitle EncodeLegacyTitle(const QString& title);

// Keeps WM_NAME of `window`, a top-level widget, in the form above whenever
// Qt creates its native window or changes its title. Does nothing on
// platforms other than X11.
void KeepLegacyTitle(QWidget& window);

}  // namespace ui
