// What a narrow field shows of a text wider than itself: results written by the
// program, and amounts typed by the user once the focus has gone elsewhere,
// show their first characters, as a field that has never scrolled does.

#include "calculator_fixture.hpp"

#include <QAccessible>
#include <QApplication>
#include <QFontMetricsF>
#include <QMenu>
#include <QTest>

#include <functional>
#include <utility>

namespace uitest {
namespace {

using tax::Edition;
using Texts = std::vector<std::pair<const char*, const char*>>;

// The x where an unscrolled field of this size and font draws its first character.
qreal FirstCharacterX(const QLineEdit& field) {
    QLineEdit fresh;
    fresh.setFont(field.font());
    fresh.resize(field.size());
    fresh.grab();
    return fresh.inputMethodQuery(Qt::ImCursorRectangle).toRectF().x();
}

// How far the field's text is scrolled to the left, in pixels, as last drawn.
qreal ScrolledBy(QLineEdit& field) {
    field.grab();  // a field works out its scrolling when it paints
    const qreal cursorX = field.inputMethodQuery(Qt::ImCursorRectangle).toRectF().x();
    const qreal beforeCursor =
        QFontMetricsF(field.font()).horizontalAdvance(field.text().left(field.cursorPosition()));
    return FirstCharacterX(field) + beforeCursor - cursorX;
}

bool ShowsFromFirstCharacter(QLineEdit& field) { return ScrolledBy(field) < 1; }

struct Result {
    std::vector<Edition> editions;
    Texts typed;
    const char* button;
    Texts written;
};

const std::vector<Edition> kBoth = {Edition::OldRules, Edition::NewRules};

// Results of every length the two formats give, in every output field.
// clang-format off
const Result kResults[] = {
    {kBoth, {{"Text8", "12345678900"}}, "Command1", {{"Text9", "3.95061E+09"}}},
    {kBoth, {{"Text8", "1.06338e39"}}, "Command1", {{"Text9", "3.402816E+38"}}},
    {kBoth, {{"Text8", "800.000617284"}}, "Command1", {{"Text9", "0.0001234568"}}},
    {kBoth, {{"Text8", "800.0000617284"}}, "Command1", {{"Text9", "1.234568E-05"}}},
    {kBoth, {}, "Command1", {{"Text9", "0"}}},
    {{Edition::OldRules}, {{"Text1", "2000.1"}}, "Command2",
     {{"Text5", "0.0999999999999091"}, {"Text6", "0.00499999999999545"}}},
    {{Edition::NewRules}, {{"Text1", "3500.1"}}, "Command2",
     {{"Text5", "0.0999999999999091"}, {"Text6", "0.00299999999999727"}}},
    {{Edition::OldRules}, {{"Text1", "1234567890123456789"}}, "Command2",
     {{"Text5", "1.23456789012345E+18"}, {"Text6", "5.55555550555539E+17"}}},
    {{Edition::OldRules}, {{"Text1", "35333.33"}}, "Command2",
     {{"Text5", "33333.33"}, {"Text6", "6958.3325"}}},
    {{Edition::OldRules}, {{"Text10", "98765432109"}}, "Command3", {{"Text12", "3.456789E+10"}}},
    {{Edition::NewRules}, {{"Text10", "98765432109"}}, "Command3", {{"Text12", "3.456788E+10"}}},
    {kBoth, {{"Text13", "123456780"}}, "Command4", {{"Text14", "1.382716E+07"}}},
    {kBoth, {{"Text15", "77160493.75"}}, "Command5", {{"Text16", "1.234568E+07"}}},
    {kBoth, {{"Text15", "800.000617284"}}, "Command5", {{"Text16", "0.0001234568"}}},
    {kBoth, {{"Text17", "61728390"}}, "Command6", {{"Text18", "1.234568E+07"}}},
    {kBoth, {{"Text19", "1.7014115e39"}}, "Command7", {{"Text20", "3.402823E+38"}}},
};
// clang-format on

TEST_F(CalculatorTest, EveryResultShowsFromItsFirstCharacter) {
    for (const Result& r : kResults) {
        for (const Edition edition : r.editions) {
            app::Form& w = form(edition);
            for (const auto& [field, text] : r.typed) FieldNamed(w, field).setText(text);
            button(w, r.button).click();
            for (const auto& [field, text] : r.written) {
                SCOPED_TRACE(std::string(field) + " in " + EditionName(edition));
                EXPECT_EQ(FieldNamed(w, field).text().toStdString(), text);
                EXPECT_LT(ScrolledBy(FieldNamed(w, field)), 1);
            }
            for (const auto& typed : r.typed) FieldNamed(w, typed.first).setText("1");
        }
    }
}

// Texts no button writes, such as a negative figure, fare the same, and a
// long text replaced by a short one leaves nothing scrolled.
TEST_F(CalculatorTest, EveryWrittenTextShowsFromItsFirstCharacter) {
    const char* outputs[] = {"Text5",  "Text6",  "Text7",  "Text9", "Text12",
                             "Text14", "Text16", "Text18", "Text20"};
    const char* texts[] = {"-3.402823E+38", "-0.000123456789012346", "-1.23456789012346E+15", "7"};
    for (const Edition edition : kBoth) {
        for (const char* name : outputs) {
            ui::Field& field = FieldNamed(form(edition), name);
            for (const char* text : texts) {
                field.write(text);
                EXPECT_TRUE(ShowsFromFirstCharacter(field)) << name << " " << text;
            }
        }
    }
}

// A screen reader user's text reaches the field without moving the focus.
TEST_F(CalculatorTest, TextPutInWithoutTheFocusShowsFromItsStart) {
    for (const Edition edition : kBoth) {
        for (const char* name : {"Text1", "Text8", "Text13", "Text19"}) {
            QLineEdit& field = FieldNamed(form(edition), name);
            ASSERT_FALSE(field.hasFocus());
            QAccessible::queryAccessibleInterface(&field)->setText(QAccessible::Value,
                                                                   "1234567890123456789");
            EXPECT_EQ(field.text(), "1234567890123456789");
            EXPECT_TRUE(ShowsFromFirstCharacter(field)) << name << " in " << EditionName(edition);
        }
    }
}

struct FocusLeaves {
    const char* how;
    std::function<void(app::Form&, QLineEdit&)> leave;
    bool showsStart;  // else the field keeps the user's place
};

TEST_F(CalculatorTest, TypedTextShowsFromItsStartOnceTheFocusHasGone) {
    QWidget elsewhere;
    // clang-format off
    const FocusLeaves cases[] = {
        {"Tab", [](app::Form&, QLineEdit& f) { QTest::keyClick(&f, Qt::Key_Tab); }, true},
        {"Backtab",
         [](app::Form&, QLineEdit& f) { QTest::keyClick(&f, Qt::Key_Backtab, Qt::ShiftModifier); },
         true},
        {"a click into another field",
         [](app::Form& w, QLineEdit&) { QTest::mouseClick(&w.field(app::Control::Text13), Qt::LeftButton); },
         true},
        {"another window activated",
         [&elsewhere](app::Form&, QLineEdit&) {
             elsewhere.show();
             elsewhere.activateWindow();
             ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
         },
         false},
        {"a context menu opened",
         [](app::Form&, QLineEdit& f) {
             QMenu menu;
             menu.addAction("x");
             menu.popup(f.mapToGlobal(QPoint(0, 0)));
             EXPECT_EQ(QApplication::focusWidget(), &f);
             EXPECT_FALSE(ShowsFromFirstCharacter(f));
         },
         false},
    };
    // clang-format on
    for (const Edition edition : kBoth) {
        app::Form& w = form(edition);
        for (const FocusLeaves& c : cases) {
            SCOPED_TRACE(std::string(c.how) + " in " + EditionName(edition));
            w.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
            QLineEdit& field = w.field(app::Control::Text1);
            field.clear();
            field.setFocus(Qt::MouseFocusReason);
            QTest::keyClicks(&field, "1234567890123456789");
            ASSERT_FALSE(ShowsFromFirstCharacter(field))
                << "the amount must be wider than the field";
            c.leave(w, field);
            EXPECT_EQ(ShowsFromFirstCharacter(field), c.showsStart);
            EXPECT_EQ(field.cursorPosition(), c.showsStart ? 0 : 19);
            elsewhere.hide();
        }
    }
}

}  // namespace
}  // namespace uitest
