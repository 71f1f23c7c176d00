#include "ui/bundled_fonts.hpp"

#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QResource>

namespace ui {
namespace {

// The font's bytes where the program holds them, uncompressed (see
// CMakeLists.txt), so that no copy of them is made.
QByteArray ResourceData(const QString& path) {
    const QResource resource(path);
    if (resource.isValid() && resource.compressionAlgorithm() == QResource::NoCompression) {
        return QByteArray::fromRawData(reinterpret_cast<const char*>(resource.data()),
                                       static_cast<qsizetype>(resource.size()));
    }
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Load(const char* path) {
    QFontDatabase::addApplicationFontFromData(ResourceData(QString::fromLatin1(path)));
}

}  // namespace

void LoadBundledFonts() {
    static const bool loaded = [] {
        Load(":/fonts/TovarinSerif-Regular.otf");
        Load(":/fonts/TovarinSans-Regular.otf");
        return true;
    }();
    (void)loaded;
}

// The bold sans only here: the edition windows never draw bold, and each
// face handed over costs the start a little.
QFont WithBundledSans(const QFont& font) {
    LoadBundledFonts();
    static const bool loaded = [] {
        Load(":/fonts/TovarinSans-Bold.otf");
        return true;
    }();
    (void)loaded;
    QFont result = font;
    result.setFamilies({QFontInfo(font).family(), QString::fromLatin1(kBundledSans)});
    return result;
}

}  // namespace ui
