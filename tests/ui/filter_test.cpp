// The keystroke rule of the amount fields, through real key and input-method
// events, and the editing keys that must keep working past it.

#include "app/numeric_key_filter.hpp"
#include "calculator_fixture.hpp"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QTest>

namespace uitest {
namespace {

using tax::Edition;

TEST(NumericKeyFilter, DiscardsCodesFrom58UpAndPassesNegativeOnes) {
    const std::int16_t passed[] = {0,  3,  8,  13, 22, 24, 27, 31,     32, 33,
                                   43, 44, 45, 46, 47, 48, 57, -32768, -1};
    const std::int16_t discarded[] = {58,  64,  65,  90,  91,  96,    97,
                                      122, 123, 126, 127, 128, 20013, 32767};
    for (std::int16_t code : passed) {
        const std::int16_t before = code;
        app::NumericKeyFilter(code);
        EXPECT_EQ(code, before);
    }
    for (std::int16_t code : discarded) {
        const std::int16_t before = code;
        app::NumericKeyFilter(code);
        EXPECT_EQ(code, 0) << before;
    }
}

struct Typing {
    const char* field;
    const char* typed;
    const char* shown;
};

// clang-format off
const Typing kTypings[] = {
    {"Text1", "a:z9", "9"},      {"Text1", "0", "0"},         {"Text8", "-12.5", "-12.5"},
    {"Text8", "1,000", "1,000"}, {"Text13", "1e3", "13"},     {"Text2", " +/", " +/"},
    {"Text11", "~@[5", "5"},     {"Text17", "abc1", "abc1"},  {"Text19", "$5", "$5"},
};
// clang-format on

class EachWindowsFields : public CalculatorTest, public testing::WithParamInterface<Edition> {
protected:
    ui::Field& field(const char* name) {
        ui::Field& f = FieldNamed(form(GetParam()), name);
        f.setFocus();
        return f;
    }
};

INSTANTIATE_TEST_SUITE_P(Editions, EachWindowsFields,
                         testing::Values(Edition::OldRules, Edition::NewRules),
                         [](const auto& info) { return EditionName(info.param); });

TEST_P(EachWindowsFields, TypedCharactersPassTheFilterOfTheirField) {
    for (const Typing& t : kTypings) {
        ui::Field& f = field(t.field);
        f.clear();
        QTest::keyClicks(&f, t.typed);
        EXPECT_EQ(f.text(), t.shown) << t.field << " typed " << t.typed;
    }
}

TEST_P(EachWindowsFields, InputMethodCommitsAreJudgedCharacterByCharacter) {
    // 中 is U+4E2D and is discarded; 谢 is U+8C22, negative as 16 bits, and passes.
    for (const auto& [name, shown] : {std::pair{"Text1", "谢1"}, std::pair{"Text17", "a中谢1"}}) {
        ui::Field& f = field(name);
        QInputMethodEvent commit;
        commit.setCommitString(QString::fromUtf8("a中谢1"));
        QApplication::sendEvent(&f, &commit);
        EXPECT_EQ(f.text(), QString::fromUtf8(shown)) << name;
    }
}

TEST_P(EachWindowsFields, EditingKeysAndShortcutsStillWork) {
    ui::Field& f = field("Text8");
    QTest::keyClicks(&f, "123");
    QTest::keyClick(&f, Qt::Key_Home);
    QTest::keyClick(&f, Qt::Key_Delete);
    EXPECT_EQ(f.text(), "23");
    QTest::keyClick(&f, Qt::Key_End);
    QTest::keyClick(&f, Qt::Key_Backspace);
    QTest::keyClick(&f, Qt::Key_Left);
    QTest::keyClicks(&f, "9");
    EXPECT_EQ(f.text(), "92");
    QTest::keyClick(&f, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&f, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(&f, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(f.text(), "");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "92");
    QTest::keyClick(&f, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(f.text(), "92");

    // On X11 Delete and Backspace arrive carrying the control characters
    // U+007F and U+0008 as their text; they edit, the filter never sees them.
    f.clear();
    QTest::keyClicks(&f, "456");
    QTest::keyClick(&f, Qt::Key_Home);
    QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QString(QChar(0x7F)));
    QApplication::sendEvent(&f, &del);
    EXPECT_EQ(f.text(), "56");
    QTest::keyClick(&f, Qt::Key_End);
    QKeyEvent backspace(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier, QString(QChar(0x08)));
    QApplication::sendEvent(&f, &backspace);
    EXPECT_EQ(f.text(), "5");

    // Pasted text is not filtered; it reads as 0 in the calculation.
    QGuiApplication::clipboard()->setText("abc");
    ui::Field& gross = field("Text1");
    QTest::keyClick(&gross, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(gross.text(), "abc");
}

}  // namespace
}  // namespace uitest
