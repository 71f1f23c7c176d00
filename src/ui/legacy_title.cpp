#include "ui/legacy_title.hpp"

#include <QEvent>
#include <QGuiApplication>
#include <QWidget>

#include <iconv.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <optional>

namespace ui {
namespace {

// EUC-CN leaves ASCII as it is and gives each GB2312 character two bytes
// with the high bit set: exactly compound text's right half for GB2312.
std::optional<QByteArray> EucCn(const QString& text) {
    const iconv_t converter = iconv_open("EUC-CN", "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    QByteArray in = text.toUtf8();
    QByteArray out(in.size(), '\0');  // never longer than its UTF-8
    char* inNext = in.data();
    char* outNext = out.data();
    size_t inLeft = static_cast<size_t>(in.size());
    size_t outLeft = static_cast<size_t>(out.size());
    const size_t converted = iconv(converter, &inNext, &inLeft, &outNext, &outLeft);
    iconv_close(converter);
    if (converted == static_cast<size_t>(-1) || inLeft != 0) return std::nullopt;
    out.truncate(static_cast<qsizetype>(outNext - out.data()));
    return out;
}

// Compound text allows no control characters but tab and newline.
bool HasForbiddenControl(const QByteArray& bytes) {
    return std::any_of(bytes.begin(), bytes.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return (byte < 0x20 && byte != '\t' && byte != '\n') || byte == 0x7f;
    });
}

bool HasRightHalf(const QByteArray& bytes) {
    return std::any_of(bytes.begin(), bytes.end(),
                       [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

xcb_atom_t Atom(xcb_connection_t* connection, const QByteArray& name) {
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(connection, 0, static_cast<uint16_t>(name.size()), name.constData());
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(connection, cookie, nullptr), &std::free);
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// The X server's connection on the xcb platform; none elsewhere, including
// the offscreen platform, which may offer the X11 interface without one.
xcb_connection_t* XcbConnection() {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

void WriteLegacyTitle(QWidget& window) {
    const WId id = window.internalWinId();  // winId() would create the native window
    xcb_connection_t* connection = XcbConnection();
    if (!id || !connection) return;
    const LegacyTitle title = EncodeLegacyTitle(window.windowTitle());
    const xcb_atom_t type = Atom(connection, title.type);
    if (type == XCB_ATOM_NONE) return;
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(id),
                        XCB_ATOM_WM_NAME, type, 8, static_cast<uint32_t>(title.bytes.size()),
                        title.bytes.constData());
    xcb_flush(connection);
}

// Qt writes WM_NAME when it creates the native window, which is done by the
// time the window is shown, and when the title changes, before it tells of
// the change.
class LegacyTitleKeeper : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show || event->type() == QEvent::WindowTitleChange) {
            WriteLegacyTitle(*static_cast<QWidget*>(watched));
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

LegacyTitle EncodeLegacyTitle(const QString& title) {
    const std::optional<QByteArray> euc = EucCn(title);
    if (!euc || HasForbiddenControl(*euc)) return {"UTF8_STRING", title.toUtf8()};
    // "ESC $ ) A" designates GB2312 to the right half; the left half stays ASCII.
    return {"COMPOUND_TEXT", HasRightHalf(*euc) ? "\x1b$)A" + *euc : *euc};
}

void KeepLegacyTitle(QWidget& window) {
    if (!XcbConnection()) return;
    window.installEventFilter(new LegacyTitleKeeper(&window));
    WriteLegacyTitle(window);
}

}  // namespace ui
