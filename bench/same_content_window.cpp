// The floor for start-up: one widget that draws what the old-rules window
// shows at start, its lines, banner and every caption, label and field text
// at the place and in the font the layout gives them, and nothing else. What
// the calculator costs over this is the cost of its widgets.

#include "app/application.hpp"
#include "app/form.hpp"
#include "app/layout.hpp"
#include "ui/first_paint_probe.hpp"
#include "ui/twips.hpp"

#include <QApplication>
#include <QLocale>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

namespace {

class SameContent : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        for (const app::LineRow& row : app::Lines()) {
            painter.drawLine(ui::Pixels(row.x1), ui::Pixels(row.y1), ui::Pixels(row.x2),
                             ui::Pixels(row.y2));
        }
        for (const app::ControlRow& row : app::Controls()) {
            const QRect place = ui::PixelRect(row.left, row.top, row.width, row.height);
            if (row.kind == app::Kind::Picture) {
                painter.drawPixmap(place.topLeft(), QPixmap(QStringLiteral(":/art/banner.jpg")));
                continue;
            }
            painter.setFont(app::FontOf(row.font));
            const int flags = row.kind == app::Kind::Button ? Qt::AlignCenter | Qt::TextWordWrap
                              : row.kind == app::Kind::Field ? Qt::AlignLeft | Qt::AlignVCenter
                                                             : Qt::AlignLeft | Qt::TextWordWrap;
            painter.drawText(place, flags, QString::fromUtf8(row.text));
        }
    }
};

}  // namespace

// Set up as the calculator's main does, so that only the widgets differ.
int main(int argc, char** argv) {
    QApplication application(argc, argv);
    app::InstallQtTranslations(QLocale::system());
    app::ConfigureApplication();
    SameContent window;
    const app::EditionLayout& layout = app::LayoutOf(tax::Edition::OldRules);
    window.setWindowTitle(QString::fromUtf8(layout.caption));
    window.setWindowIcon(app::WindowIcon());
    window.setFixedSize(474, 542);
    window.show();
    ui::ExitAfterFirstPaintIfAsked(window);
    return application.exec();
}
