// Both windows as a user first sees them: controls, geometry, fonts, tab
// order, focus and what a screen reader is told about each field.

#include "calculator_fixture.hpp"
#include "ui/bundled_fonts.hpp"
#include "ui/line.hpp"
#include "ui/picture.hpp"

#include <QAccessible>
#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QTest>

#include <algorithm>
#include <iterator>
#include <set>
#include <utility>

namespace uitest {
namespace {

using tax::Edition;

class EachWindow : public CalculatorTest, public testing::WithParamInterface<Edition> {
protected:
    app::Form& window() { return form(GetParam()); }
};

INSTANTIATE_TEST_SUITE_P(Editions, EachWindow,
                         testing::Values(Edition::OldRules, Edition::NewRules),
                         [](const auto& info) { return EditionName(info.param); });

TEST_P(EachWindow, HasEveryControlOnceAndAFixedClientArea) {
    app::Form& w = window();
    EXPECT_EQ(w.objectName(), EditionName(GetParam()));
    EXPECT_EQ(w.size(), QSize(474, 542));
    EXPECT_EQ(w.minimumSize(), w.maximumSize());
    EXPECT_EQ(w.findChildren<QLineEdit*>().size(), 20);
    EXPECT_EQ(w.findChildren<QPushButton*>().size(), 8);
    EXPECT_EQ(w.findChildren<ui::Line*>().size(), 24);
    EXPECT_EQ(w.findChildren<ui::Picture*>().size(), 1);
    const bool old = GetParam() == Edition::OldRules;
    EXPECT_EQ(w.findChildren<QLabel*>().size(), old ? 28 : 27);
    EXPECT_EQ(w.findChild<QLabel*>("Label2") != nullptr, old);
    EXPECT_EQ(w.windowTitle(),
              QString::fromUtf8(old ? "旧版Tovarin--Brellow出品" : "新版Tovarin--Brellow出品"));
    EXPECT_EQ(button(w, "Command8").text(),
              QString::fromUtf8(old ? "切换至新版纳税计算" : "切换至旧版纳税计算"));
    EXPECT_FALSE(w.windowIcon().isNull());
}

// Pixel rectangles worked out by hand from the twips of the layout.
struct Placed {
    const char* name;
    QRect form1;
    QRect form2;
};

const Placed kPlaced[] = {
    {"Text1", {72, 32, 65, 20}, {72, 32, 65, 20}},
    {"Text7", {216, 112, 65, 18}, {216, 112, 65, 18}},
    {"Text10", {112, 312, 177, 18}, {112, 312, 177, 18}},
    {"Text20", {400, 424, 65, 20}, {400, 424, 65, 20}},
    {"Command2", {152, 152, 137, 21}, {152, 152, 137, 21}},
    {"Command3", {8, 408, 281, 69}, {8, 408, 281, 69}},
    {"Command8", {8, 488, 137, 41}, {8, 488, 137, 41}},
    {"Label1_1", {8, 72, 60, 20}, {8, 72, 60, 20}},
    {"Label7", {8, 280, 297, 33}, {8, 280, 289, 33}},
    {"Label11_6", {312, 424, 133, 12}, {312, 424, 133, 12}},
    {"Image1", {184, 488, 255, 60}, {184, 488, 255, 60}},
};

TEST_P(EachWindow, PlacesControlsAtTheirPixels) {
    for (const Placed& p : kPlaced) {
        const QWidget* control = window().findChild<QWidget*>(p.name);
        ASSERT_TRUE(control) << p.name;
        EXPECT_EQ(control->geometry(), GetParam() == Edition::OldRules ? p.form1 : p.form2)
            << p.name;
    }
    const auto* frameTop = window().findChild<ui::Line*>("Line18");
    EXPECT_EQ(frameTop->from(), QPoint(472, 0));
    EXPECT_EQ(frameTop->to(), QPoint(0, 0));
    const auto* divider = window().findChild<ui::Line*>("Line14");
    EXPECT_EQ(divider->geometry(), QRect(296, 272, 1, 209));
}

// The grid in pixels, each end point worked out by hand from the twips.
struct GridLine {
    const char* name;
    QPoint from;
    QPoint to;
};

// clang-format off
const GridLine kGrid[] = {
    {"Line1", {144, 24}, {144, 184}}, {"Line2", {0, 24}, {296, 24}},
    {"Line3", {0, 184}, {296, 184}},  {"Line4", {0, 184}, {0, 24}},
    {"Line5", {296, 184}, {296, 24}}, {"Line6", {0, 64}, {296, 64}},
    {"Line7", {0, 104}, {296, 104}},  {"Line8", {0, 144}, {296, 144}},
    {"Line9", {0, 272}, {296, 272}},  {"Line10", {296, 272}, {296, 184}},
    {"Line11", {0, 272}, {0, 184}},   {"Line12", {0, 272}, {0, 480}},
    {"Line13", {0, 480}, {296, 480}}, {"Line14", {296, 480}, {296, 272}},
    {"Line15", {296, 480}, {472, 480}}, {"Line16", {472, 144}, {472, 8}},
    {"Line17", {472, 0}, {472, 56}},  {"Line18", {472, 0}, {0, 0}},
    {"Line19", {0, 0}, {0, 24}},      {"Line20", {296, 24}, {296, 0}},
    {"Line21", {472, 480}, {472, 144}}, {"Line22", {296, 240}, {472, 240}},
    {"Line23", {296, 360}, {472, 360}}, {"Line24", {296, 120}, {472, 120}},
};
// clang-format on

TEST_P(EachWindow, DrawsEveryGridLineByNameBetweenItsEndPoints) {
    for (const GridLine& expected : kGrid) {
        const auto* line = window().findChild<ui::Line*>(expected.name);
        ASSERT_TRUE(line) << expected.name;
        EXPECT_EQ(line->from(), expected.from) << expected.name;
        EXPECT_EQ(line->to(), expected.to) << expected.name;
        // The widget covers the line and nothing more, so it hides nothing else.
        const QPoint topLeft(std::min(expected.from.x(), expected.to.x()),
                             std::min(expected.from.y(), expected.to.y()));
        const QPoint bottomRight(std::max(expected.from.x(), expected.to.x()),
                                 std::max(expected.from.y(), expected.to.y()));
        EXPECT_EQ(line->geometry(), QRect(topLeft, bottomRight)) << expected.name;
    }
}

TEST_P(EachWindow, HasTheWindowIconInItsTwoSizes) {
    const QIcon icon = window().windowIcon();
    QList<QSize> sizes = icon.availableSizes();
    std::sort(sizes.begin(), sizes.end(), [](QSize a, QSize b) { return a.width() < b.width(); });
    EXPECT_EQ(sizes, (QList<QSize>{QSize(16, 16), QSize(32, 32)}));
    for (const int side : {16, 32}) {
        EXPECT_EQ(icon.pixmap(QSize(side, side), 1.0).size(), QSize(side, side)) << side;
    }
}

// What assistive technologies are told each control is, for every control.
TEST_P(EachWindow, AnnouncesEveryKindOfControlInItsRole) {
    const std::pair<const char*, QAccessible::Role> kRoles[] = {
        {"Text", QAccessible::EditableText}, {"Command", QAccessible::Button},
        {"Label", QAccessible::StaticText},  {"Line", QAccessible::Separator},
        {"Image", QAccessible::Graphic},
    };
    int checked = 0;
    for (QWidget* control :
         window().findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        const QString name = control->objectName();
        const auto kind = std::find_if(std::begin(kRoles), std::end(kRoles),
                                       [&](const auto& k) { return name.startsWith(k.first); });
        ASSERT_NE(kind, std::end(kRoles)) << name.toStdString();
        EXPECT_EQ(QAccessible::queryAccessibleInterface(control)->role(), kind->second)
            << name.toStdString();
        ++checked;
    }
    EXPECT_EQ(checked, GetParam() == Edition::OldRules ? 81 : 80);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&window())->role(), QAccessible::Window);
}

TEST_P(EachWindow, StartsWithOnlyTheThresholdFilledAndOutputsOff) {
    const std::set<QString> disabled = {"Text5",  "Text6",  "Text7",  "Text9", "Text12",
                                        "Text14", "Text16", "Text18", "Text20"};
    for (const QLineEdit* field : window().findChildren<QLineEdit*>()) {
        const bool off = disabled.count(field->objectName()) > 0;
        EXPECT_EQ(field->isEnabled(), !off) << field->objectName().toStdString();
        if (field->objectName() != "Text7") {
            EXPECT_EQ(field->text(), "") << field->objectName().toStdString();
        }
    }
    EXPECT_EQ(window().field(app::Control::Text7).text(),
              GetParam() == Edition::OldRules ? "2000" : "3500");
}

// The named face when it is installed, else the bundled cut of the same style.
QString ExpectedFamily(const char* named, const char* fallback) {
    const QString face = QString::fromUtf8(named);
    return QFontDatabase::families().contains(face) ? face : QString::fromUtf8(fallback);
}

TEST_P(EachWindow, UsesTheFontsOfTheLayout) {
    const QFont calculate = button(window(), "Command1").font();
    EXPECT_EQ(calculate.pointSizeF(), 10.5);
    EXPECT_EQ(calculate.families().front(), ExpectedFamily("宋体", ui::kBundledSerif));
    const QFont big = button(window(), "Command3").font();
    EXPECT_EQ(big.pointSizeF(), 14.25);
    EXPECT_TRUE(big.underline());
    EXPECT_EQ(big.weight(), QFont::Normal);
    EXPECT_EQ(big.families().front(), ExpectedFamily("微软雅黑", ui::kBundledSans));
    for (const char* name : {"Command8", "Label4", "Text1"}) {
        EXPECT_EQ(window().findChild<QWidget*>(name)->font().pointSizeF(), 9) << name;
    }
    // Without the named faces the text comes out in the bundled cut, and what
    // that lacks in the full CJK face behind it, when installed.
    EXPECT_TRUE(QFontInfo(calculate).family() == ui::kBundledSerif ||
                QFontInfo(calculate).family() == QString::fromUtf8("宋体"));
    EXPECT_EQ(calculate.families().size(), 1);
    EXPECT_EQ(calculate.styleHint(), QFont::Serif);
    EXPECT_EQ(big.styleHint(), QFont::SansSerif);
}

// The Tab key, from the first focus on, visits the enabled controls in this order.
// clang-format off
const std::vector<QString> kForm1Tabs = {
    "Text1", "Text2", "Text3", "Text4", "Command2", "Command1", "Text8", "Text10", "Text11",
    "Command3", "Text13", "Command4", "Command5", "Text15", "Text17", "Command6", "Text19",
    "Command7", "Command8", "Text1"};
const std::vector<QString> kForm2Tabs = {
    "Command7", "Text19", "Command6", "Text17", "Text15", "Command5", "Command4", "Text13",
    "Command3", "Text11", "Text10", "Text8", "Command1", "Command2", "Text4", "Text3", "Text2",
    "Text1", "Command8", "Command7"};

TEST_P(EachWindow, TabVisitsEnabledControlsInTheWindowsOrder) {
    app::Form& w = window();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    std::vector<QString> visited;
    for (std::size_t i = 0; i < kForm1Tabs.size(); ++i) {
        visited.push_back(QApplication::focusWidget()->objectName());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(visited, GetParam() == Edition::OldRules ? kForm1Tabs : kForm2Tabs);
}
// clang-format on

// What a screen reader announces: the label beside the field and its section.
struct Announced {
    const char* field;
    const char* name;
    const char* description;
};

const Announced kAnnounced[] = {
    {"Text1", "工资总额", "1.工薪、工资所得税计算"},
    {"Text7", "起征点", "1.工薪、工资所得税计算"},
    {"Text9", "本次应缴税款", "2.劳动报酬所得税计算"},
    {"Text11", "成本、费用及损失或必要费用",
     "3.个体工商户的生产、经营所得和企事业单位的承包经营、承租经营所得税计算"},
    {"Text16", "本次应缴税款", "5.特许权使用费所得税计算"},
    {"Text17", "本次所得", "6.利息、红利所得税计算"},
};

TEST_P(EachWindow, TellsScreenReadersWhichFieldIsWhich) {
    for (const Announced& a : kAnnounced) {
        QAccessibleInterface* field =
            QAccessible::queryAccessibleInterface(&FieldNamed(window(), a.field));
        EXPECT_EQ(field->text(QAccessible::Name), QString::fromUtf8(a.name)) << a.field;
        EXPECT_EQ(field->text(QAccessible::Description), QString::fromUtf8(a.description))
            << a.field;
    }
    std::set<QString> distinct;
    for (const QLineEdit* field : window().findChildren<QLineEdit*>()) {
        distinct.insert(field->accessibleName() + '|' + field->accessibleDescription());
    }
    EXPECT_EQ(distinct.size(), 20u);
    QAccessibleInterface* big =
        QAccessible::queryAccessibleInterface(&button(window(), "Command3"));
    EXPECT_EQ(big->text(QAccessible::Name),
              QString::fromUtf8("这才是纳税的大户，看看人家交了多少，学习的榜样呀！！！！"));
    QAccessibleInterface* labour =
        QAccessible::queryAccessibleInterface(&button(window(), "Command1"));
    EXPECT_EQ(labour->text(QAccessible::Name), QString::fromUtf8("计算个人所得税"));
    EXPECT_EQ(labour->text(QAccessible::Description), QString::fromUtf8("2.劳动报酬所得税计算"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&window())->role(), QAccessible::Window);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(window().findChild<ui::Line*>("Line1"))->role(),
              QAccessible::Separator);
}

// A screen reader can write into fields directly; the threshold and the
// output fields must still only change by their section's button.
TEST_P(EachWindow, AssistiveWritesChangeOnlyEnabledFields) {
    for (const char* name : {"Text7", "Text9", "Text8"}) {
        ui::Field& field = FieldNamed(window(), name);
        const QString before = field.text();
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&field);
        accessible->editableTextInterface()->replaceText(0, int(before.size()), "1");
        EXPECT_EQ(field.text(), field.isEnabled() ? "1" : before) << name;
    }
}

}  // namespace
}  // namespace uitest
