#include "app/form.hpp"

#include "app/application.hpp"
#include "app/editions.hpp"
#include "app/layout.hpp"
#include "app/numeric_key_filter.hpp"
#include "app/sections/sections.hpp"
#include "ui/bundled_fonts.hpp"
#include "ui/button.hpp"
#include "ui/label.hpp"
#include "ui/line.hpp"
#include "ui/picture.hpp"
#include "ui/twips.hpp"

#include <QFontDatabase>
#include <QIcon>

#include <stdexcept>
#include <string>
#include <string_view>

namespace app {
namespace {

constexpr int kClientWidth = 7110;
constexpr int kClientHeight = 8130;

struct SectionButton {
    const char* name;
    void (*click)(Form&);
};

constexpr SectionButton kSectionButtons[] = {
    {"Command1", Command1_Click}, {"Command2", Command2_Click}, {"Command3", Command3_Click},
    {"Command4", Command4_Click}, {"Command5", Command5_Click}, {"Command6", Command6_Click},
    {"Command7", Command7_Click},
};

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

// Each face falls back to the cut of a CJK face compiled into the program
// when it is missing. Only the first installed family is named: a missing one
// sends the font system into its slow search for a substitute, for every text
// drawn in it, and a second one makes it list every fallback face up front.
// Typed characters the face lacks go to the system's fallback faces for them.
QStringList InstalledFamilies(const QStringList& families) {
    ui::LoadBundledFonts();
    const QStringList known = QFontDatabase::families();
    for (const QString& family : families) {
        if (known.contains(family)) return {family};
    }
    return families;
}

QFont MakeFont(const QStringList& families, QFont::StyleHint style, qreal points,
               bool underline = false) {
    QFont font;
    font.setFamilies(InstalledFamilies(families));
    font.setStyleHint(style);
    font.setPointSizeF(points);
    font.setWeight(QFont::Normal);
    font.setUnderline(underline);
    return font;
}

QFont MakeFontOf(Font font) {
    switch (font) {
    case Font::Window: return MakeFont({Text("宋体"), ui::kBundledSerif}, QFont::Serif, 9);
    case Font::Song: return MakeFont({Text("宋体"), ui::kBundledSerif}, QFont::Serif, 10.5);
    case Font::YaHeiUnderlined:
        return MakeFont({Text("微软雅黑"), ui::kBundledSans}, QFont::SansSerif, 14.25, true);
    }
    return {};
}

}  // namespace

// Made once per run: finding out which families are installed costs the font
// system a search for each missing one.
const QFont& FontOf(Font font) {
    static const QFont fonts[] = {MakeFontOf(Font::Window), MakeFontOf(Font::Song),
                                  MakeFontOf(Font::YaHeiUnderlined)};
    return fonts[static_cast<int>(font)];
}

namespace {

// The control as this edition has it.
ControlRow ForEdition(ControlRow row, const EditionLayout& layout) {
    const std::string_view name = row.name;
    if (name == "Text7") row.text = layout.threshold;
    if (name == "Command8") row.text = layout.switchCaption;
    if (name == "Label7") row.width = layout.label7Width;
    return row;
}

QWidget* MakeControl(const ControlRow& row, QWidget* parent) {
    switch (row.kind) {
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

}  // namespace

Form::Form(tax::Edition edition, Editions& editions)
    : ui::Window(Text(LayoutOf(edition).name), Text(LayoutOf(edition).caption), kClientWidth,
                 kClientHeight, WindowIcon()),
      edition_(edition),
      editions_(editions) {
    setFont(FontOf(Font::Window));
    AddLines();
    AddControls();
    DescribeControls();
    WireButtons();
    SetTabOrder();
}

ui::Field& Form::field(const char* name) const {
    auto* found = findChild<ui::Field*>(Text(name), Qt::FindDirectChildrenOnly);
    if (!found) throw std::logic_error(std::string("no field ") + name);
    return *found;
}

void Form::AddLines() {
    for (const LineRow& row : Lines()) {
        auto* line = new ui::Line(QPoint(ui::Pixels(row.x1), ui::Pixels(row.y1)),
                                  QPoint(ui::Pixels(row.x2), ui::Pixels(row.y2)), this);
        line->setObjectName(Text(row.name));
    }
}

void Form::AddControls() {
    const EditionLayout& layout = LayoutOf(edition_);
    for (const ControlRow& original : Controls()) {
        if (std::string_view(original.name) == "Label2" && !layout.hasLabel2) continue;
        const ControlRow row = ForEdition(original, layout);
        QWidget* control = MakeControl(row, this);
        control->setObjectName(Text(row.name));
        control->setGeometry(ui::PixelRect(row.left, row.top, row.width, row.height));
        control->setEnabled(row.enabled);
        if (row.font != Font::Window) control->setFont(FontOf(row.font));
    }
}

void Form::DescribeControls() {
    for (const Described& described : Descriptions()) {
        auto* control = findChild<QWidget*>(Text(described.control));
        control->setAccessibleDescription(findChild<QLabel*>(Text(described.section))->text());
        if (!described.label) continue;
        auto* label = findChild<QLabel*>(Text(described.label));
        control->setAccessibleName(label->text());
        label->setBuddy(control);
    }
}

void Form::WireButtons() {
    for (const SectionButton& section : kSectionButtons) {
        auto* button = findChild<QPushButton*>(Text(section.name));
        connect(button, &QPushButton::clicked, this, [this, click = section.click] {
            Press(click, *this);
        });
    }
    connect(findChild<QPushButton*>("Command8"), &QPushButton::clicked, this,
            [this] { editions_.SwitchEdition(*this); });
}

// Disabled fields stay in the order but never take the focus.
void Form::SetTabOrder() {
    const auto order = LayoutOf(edition_).tabOrder;
    QWidget* previous = nullptr;
    for (const char* name : order) {
        auto* control = findChild<QWidget*>(Text(name));
        if (previous) setTabOrder(previous, control);
        previous = control;
    }
    for (const char* name : order) {
        auto* control = findChild<QWidget*>(Text(name));
        if (control->isEnabled()) {
            control->setFocus();
            break;
        }
    }
}

}  // namespace app
