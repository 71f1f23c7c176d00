#include "reference_image.hpp"

#include <QDir>
#include <QGuiApplication>
#include <QPainter>

namespace golden {
namespace {

QString Folder(const char* variable) { return QString::fromLocal8Bit(qgetenv(variable)); }

// "x1" or "x2": the device pixels per logical pixel of the screen.
QString ScaleFolder() { return QStringLiteral("x%1").arg(qGuiApp->devicePixelRatio()); }

QString Saved(const QImage& image, const QString& folder, const QString& file) {
    QDir().mkpath(folder);
    const QString path = QDir(folder).filePath(file);
    image.save(path);
    return path;
}

// The reference faded to grey, with every differing pixel in red.
QImage Difference(const QImage& reference, const QImage& rendered) {
    QImage diff =
        reference.convertToFormat(QImage::Format_Grayscale8).convertToFormat(QImage::Format_ARGB32);
    QPainter fade(&diff);
    fade.fillRect(diff.rect(), QColor(255, 255, 255, 160));
    fade.end();
    for (int y = 0; y < diff.height(); ++y) {
        for (int x = 0; x < diff.width(); ++x) {
            if (reference.pixel(x, y) != rendered.pixel(x, y)) diff.setPixel(x, y, qRgb(255, 0, 0));
        }
    }
    return diff;
}

}  // namespace

testing::AssertionResult MatchesReference(const QImage& image, const QString& name) {
    const QImage rendered = image.convertToFormat(QImage::Format_ARGB32);
    const QString folder = ScaleFolder();
    const QString referencePath =
        QDir(Folder("GOLDEN_REFERENCES")).filePath(folder + '/' + name + ".png");
    const QString output = QDir(Folder("GOLDEN_OUTPUT")).filePath(folder);
    if (!qEnvironmentVariableIsEmpty("GOLDEN_UPDATE")) {
        QDir().mkpath(QFileInfo(referencePath).path());
        if (!rendered.save(referencePath))
            return testing::AssertionFailure() << "cannot write " << referencePath.toStdString();
        return testing::AssertionSuccess() << "updated " << referencePath.toStdString();
    }

    const QImage reference = QImage(referencePath).convertToFormat(QImage::Format_ARGB32);
    const QString actualPath = Saved(rendered, output, name + ".actual.png");
    if (reference.isNull()) {
        return testing::AssertionFailure()
               << "no reference " << referencePath.toStdString() << "; rendered image in "
               << actualPath.toStdString() << " (tests/golden/update-references.sh makes them)";
    }
    if (reference.size() != rendered.size()) {
        return testing::AssertionFailure()
               << name.toStdString() << " is " << rendered.width() << " x " << rendered.height()
               << ", the reference " << reference.width() << " x " << reference.height()
               << "; rendered image in " << actualPath.toStdString();
    }
    int differing = 0;
    QRect where;
    for (int y = 0; y < rendered.height(); ++y) {
        for (int x = 0; x < rendered.width(); ++x) {
            if (reference.pixel(x, y) == rendered.pixel(x, y)) continue;
            ++differing;
            where |= QRect(x, y, 1, 1);
        }
    }
    if (differing == 0) {
        QFile::remove(actualPath);
        return testing::AssertionSuccess();
    }
    const QString diffPath = Saved(Difference(reference, rendered), output, name + ".diff.png");
    return testing::AssertionFailure()
           << name.toStdString() << ": " << differing
           << " pixels differ from the reference within (" << where.x() << ", " << where.y() << ") "
           << where.width() << " x " << where.height()
           << "\n  reference:  " << referencePath.toStdString()
           << "\n  rendered:   " << actualPath.toStdString()
           << "\n  difference: " << diffPath.toStdString();
}

}  // namespace golden
