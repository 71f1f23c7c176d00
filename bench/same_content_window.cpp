// The floor for start-up: one widget that draws what the old-rules window
// shows at start, its lines, banner and every caption, label and field text
// at the place and in the font the layout gives them, and nothing else. What
// the calculator costs over this is the cost of its widgets.

#include "app/application.hpp"
#include "app/form.hpp"
#include "app/layout.hpp"
#include "app/twips.hpp"
#include "first_paint_probe.hpp"

#include <QApplication>
#include <QLocale>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

namespace {

constexpr tax::Edition kEdition = tax::Edition::OldRules;

QString TextOf(const app::ControlRow& row) {
    if (row.id == app::Control::Text7) return app::ThresholdText(kEdition);
    return QString::fromUtf8(row.text);
}

int FlagsOf(app::Kind kind) {
    switch (kind) {
    case app::Kind::Button: return Qt::AlignCenter | Qt::TextWordWrap;
    case app::Kind::Field: return Qt::AlignLeft | Qt::AlignVCenter;
    default: return Qt::AlignLeft | Qt::TextWordWrap;
    }
}

class SameContent : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        for (const app::LineRow& row : app::layout::kLines) {
            painter.drawLine(app::PixelPoint(row.x1, row.y1), app::PixelPoint(row.x2, row.y2));
        }
        for (const app::ControlRow& row : app::layout::kControls) {
            const QRect place = app::PixelRect(row.left, row.top, row.width, row.height);
            const app::Kind kind = app::KindOf(row.id);
            if (kind == app::Kind::Picture) {
                painter.drawPixmap(place.topLeft(), QPixmap(QStringLiteral(":/art/banner.jpg")));
                continue;
            }
            painter.setFont(app::FontOf(row.font));
            painter.drawText(place, FlagsOf(kind), TextOf(row));
        }
    }
};

}  // namespace

// Set up as the calculator's start is, so that only the widgets differ.
int main(int argc, char** argv) {
    QApplication application(argc, argv);
    app::InstallQtTranslations(QLocale::system());
    app::ConfigureApplication();
    SameContent window;
    window.setWindowTitle(QString::fromUtf8(app::LayoutOf(kEdition).caption));
    window.setWindowIcon(app::WindowIcon());
    window.setFixedSize(
        app::PixelSize(app::layout::kClientArea.width, app::layout::kClientArea.height));
    window.show();
    bench::ExitAfterFirstPaint(window);
    return application.exec();
}
