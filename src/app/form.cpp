#include "app/form.hpp"

#include "app/application.hpp"
#include "app/numeric_key_filter.hpp"
#include "app/sections/present.hpp"
#include "app/twips.hpp"
#include "tax/amount.hpp"
#include "tax/wage.hpp"
#include "ui/bundled_fonts.hpp"
#include "ui/button.hpp"
#include "ui/label.hpp"
#include "ui/line.hpp"
#include "ui/picture.hpp"

#include <QFontDatabase>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

#include <optional>
#include <vector>

namespace app {
namespace {

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

// Each face falls back to the cut of a CJK face compiled into the program
// when it is missing. Only the first installed family is named: a missing one
// sends the font system into its slow search for a substitute, for every text
// drawn in it, and a second one makes it list every fallback face up front.
// Typed characters the face lacks go to the system's fallback faces for them.
QStringList FamiliesOf(Face face) {
    ui::LoadBundledFonts();
    const QStringList wanted = face == Face::Song ? QStringList{Text("宋体"), ui::kBundledSerif}
                                                  : QStringList{Text("微软雅黑"), ui::kBundledSans};
    const QStringList known = QFontDatabase::families();
    for (const QString& family : wanted) {
        if (known.contains(family)) return {family};
    }
    return wanted;
}

QFont MakeFont(const FontRow& row) {
    QFont font;
    font.setFamilies(FamiliesOf(row.face));
    font.setStyleHint(row.face == Face::Song ? QFont::Serif : QFont::SansSerif);
    font.setPointSizeF(row.points);
    font.setWeight(QFont::Normal);
    font.setUnderline(row.underline);
    return font;
}

}  // namespace

// Made once per run: finding out which families are installed costs the font
// system a search for each missing one.
const QFont& FontOf(Font font) {
    static const std::vector<QFont> fonts = [] {
        std::vector<QFont> made;
        for (const FontRow& row : layout::kFonts) made.push_back(MakeFont(row));
        return made;
    }();
    return fonts[static_cast<std::size_t>(font)];
}

QString ThresholdText(tax::Edition edition) {
    return QString::fromStdString(tax::FormatAmount(tax::Threshold(edition)));
}

namespace {

// The control as this edition has it; nullopt when the edition leaves it out.
std::optional<ControlRow> ForEdition(ControlRow row, const EditionLayout& edition) {
    for (const Difference& difference : edition.differences) {
        if (difference.control != row.id) continue;
        if (difference.absent) return std::nullopt;
        if (difference.text) row.text = difference.text;
        if (difference.width) row.width = difference.width;
    }
    return row;
}

QWidget* MakeControl(const ControlRow& row, QWidget* parent) {
    switch (KindOf(row.id)) {
    case Kind::Field: {
        auto* field = new ui::Field(parent);
        field->write(Text(row.text));
        if (row.filtered) field->setKeyPress(NumericKeyFilter);
        return field;
    }
    case Kind::Button: return new ui::Button(Text(row.text), parent);
    case Kind::Label: return new ui::Label(Text(row.text), parent);
    case Kind::Picture: return new ui::Picture(":/art/banner.jpg", ":/art/banner@2x.jpg", parent);
    }
    return nullptr;
}

QSize ClientSize() { return PixelSize(layout::kClientArea.width, layout::kClientArea.height); }

}  // namespace

Form::Form(tax::Edition edition)
    : ui::Window(Text(LayoutOf(edition).name), Text(LayoutOf(edition).caption), ClientSize(),
                 WindowIcon()),
      edition_(edition) {
    setFont(FontOf(Font::Window));
    addLines();
    addControls();
    field(Control::Text7).write(ThresholdText(edition));
    describeControls();
    wireButtons();
    orderTabs();
}

ui::Field& Form::field(Control id) const {
    Q_ASSERT(KindOf(id) == Kind::Field);
    return *static_cast<ui::Field*>(control(id));
}

void Form::addLines() {
    for (const LineRow& row : layout::kLines) {
        auto* line = new ui::Line(PixelPoint(row.x1, row.y1), PixelPoint(row.x2, row.y2), this);
        line->setObjectName(Text(row.name));
    }
}

void Form::addControls() {
    const EditionLayout& own = LayoutOf(edition_);
    for (const ControlRow& base : layout::kControls) {
        const std::optional<ControlRow> row = ForEdition(base, own);
        if (!row) continue;
        QWidget* widget = MakeControl(*row, this);
        widget->setObjectName(Text(row->name));
        widget->setGeometry(PixelRect(row->left, row->top, row->width, row->height));
        widget->setEnabled(row->enabled);
        if (row->font != Font::Window) widget->setFont(FontOf(row->font));
        controls_[IndexOf(row->id)] = widget;
    }
}

void Form::describeControls() {
    for (const Described& described : layout::kDescriptions) {
        QWidget* widget = control(described.control);
        widget->setAccessibleDescription(static_cast<QLabel*>(control(described.section))->text());
        if (!described.label) continue;
        auto* label = static_cast<QLabel*>(control(*described.label));
        widget->setAccessibleName(label->text());
        label->setBuddy(widget);
    }
}

void Form::wireButtons() {
    for (const SectionButton& section : layout::kSectionButtons) {
        connect(static_cast<QPushButton*>(control(section.button)), &QPushButton::clicked, this,
                [this, click = section.click] { Press(click, *this); });
    }
    connect(static_cast<QPushButton*>(control(Control::Command8)), &QPushButton::clicked, this,
            &Form::switchRequested);
}

// Disabled fields stay in the order but never take the focus.
void Form::orderTabs() {
    const std::span<const Control> order = LayoutOf(edition_).tabOrder;
    QWidget* previous = nullptr;
    for (const Control id : order) {
        if (previous) QWidget::setTabOrder(previous, control(id));
        previous = control(id);
    }
    for (const Control id : order) {
        if (control(id)->isEnabled()) {
            control(id)->setFocus();
            break;
        }
    }
}

}  // namespace app
