// The current-rules window's make: its pages, Enter pressing "计算", the keyboard reaching
// every page, labels and accessible names, read-only results, and a minimum size that cuts
// nothing off.

#include "current_fixture.hpp"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabBar>
#include <QTableView>
#include <QTest>

namespace uitest {
namespace {

TEST_F(CurrentWindowTest, SevenPagesInOrderUnderAChineseTitle) {
    EXPECT_EQ(window.objectName(), "CurrentForm");
    EXPECT_EQ(window.windowTitle(), U("现行个人所得税计算"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&window)->role(), QAccessible::Window);
    const char* const titles[] = {
        "&1 工资薪金", "&2 全年一次性奖金",         "&3 劳务报酬", "&4 稿酬、特许权使用费",
        "&5 经营所得", "&6 利息股息红利、偶然所得", "&7 年度汇算"};
    ASSERT_EQ(window.pages().count(), 7);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(window.pages().widget(i)->objectName(), kCurrentPages[i]);
        EXPECT_EQ(window.pages().tabText(i), U(titles[i]));
        EXPECT_EQ(page(kCurrentPages[i]).calculateButton().text(), U("计算"));
        EXPECT_TRUE(page(kCurrentPages[i]).calculateButton().isDefault());
        EXPECT_EQ(window.pages().widget(i)->accessibleName(), U(titles[i]).remove('&'));
    }
    EXPECT_EQ(window.focusWidget(), &control("wagePage", "gross"));
}

// Every control of a page that takes the focus and is not a button.
std::vector<QWidget*> FocusableFields(QWidget& page) {
    std::vector<QWidget*> fields;
    for (QWidget* w : page.findChildren<QWidget*>()) {
        if (w->focusPolicy() & Qt::TabFocus && !qobject_cast<QPushButton*>(w) && w->isEnabled() &&
            w->objectName() != "qt_scrollarea_viewport") {
            fields.push_back(w);
        }
    }
    return fields;
}

struct EnterKey {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    bool presses;

    friend void PrintTo(const EnterKey& k, std::ostream* os) {
        *os << QKeySequence(k.key | k.modifiers).toString().toStdString();
    }
};

class EnterOnAPage : public CurrentWindowTest, public testing::WithParamInterface<EnterKey> {};

TEST_P(EnterOnAPage, PressesItsButtonFromEveryField) {
    const EnterKey& k = GetParam();
    for (const char* name : kCurrentPages) {
        app::current::Page& p = page(name);
        window.pages().setCurrentWidget(&p);
        QSignalSpy presses(&p.calculateButton(), &QPushButton::clicked);
        const std::vector<QWidget*> fields = FocusableFields(p);
        ASSERT_GE(fields.size(), 2u) << name;
        for (QWidget* field : fields) {
            field->setFocus();
            QTest::keyClick(field, k.key, k.modifiers);
        }
        EXPECT_EQ(presses.count(), k.presses ? static_cast<int>(fields.size()) : 0) << name;
        if (!k.presses) continue;
        // On the button itself the key presses it once, not once more through the window.
        p.calculateButton().setFocus();
        QTest::keyClick(&p.calculateButton(), k.key, k.modifiers);
        EXPECT_EQ(presses.count(), static_cast<int>(fields.size()) + 1) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(Keys, EnterOnAPage,
                         testing::Values(EnterKey{Qt::Key_Return, Qt::NoModifier, true},
                                         EnterKey{Qt::Key_Enter, Qt::KeypadModifier, true},
                                         EnterKey{Qt::Key_Return, Qt::ControlModifier, false},
                                         EnterKey{Qt::Key_Enter, Qt::AltModifier, false}),
                         [](const testing::TestParamInfo<EnterKey>& info) {
                             return std::string(info.param.key == Qt::Key_Return ? "Return"
                                                                                 : "Enter") +
                                    (info.param.presses ? "" : "_WithModifier");
                         });

TEST_F(CurrentWindowTest, EnterCalculatesWhatTheFieldsHold) {
    window.pages().setCurrentWidget(&page("labourPage"));
    QLineEdit& income = control("labourPage", "income");
    income.setFocus();
    QTest::keyClicks(&income, "3000");
    QTest::keyClick(&income, Qt::Key_Return);
    EXPECT_EQ(text("labourPage", "tax"), "440.00");
}

TEST_F(CurrentWindowTest, AltAndTheDigitBringEachPageToTheFront) {
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    for (int i : {6, 2, 0, 4, 1, 5, 3}) {
        QTest::keyClick(&window, static_cast<Qt::Key>(Qt::Key_1 + i), Qt::AltModifier);
        EXPECT_EQ(window.pages().currentIndex(), i);
    }
    QTest::keyClick(window.pages().tabBar(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(window.pages().currentIndex(), 4);
}

TEST_F(CurrentWindowTest, EveryFieldHasAVisibleLabelAsBuddyAndAsAccessibleName) {
    int fields = 0;
    for (QWidget* field : window.findChildren<QWidget*>()) {
        if (!qobject_cast<QLineEdit*>(field) && !qobject_cast<QSpinBox*>(field) &&
            !qobject_cast<QTableView*>(field)) {
            continue;
        }
        if (qobject_cast<QSpinBox*>(field->parentWidget())) continue;  // its own line edit
        ++fields;
        QLabel* label = nullptr;
        for (QLabel* l : window.findChildren<QLabel*>()) {
            if (l->buddy() == field) label = l;
        }
        ASSERT_NE(label, nullptr) << field->objectName().toStdString();
        EXPECT_FALSE(label->text().isEmpty());
        EXPECT_EQ(field->accessibleName(), label->text());
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(field);
        ASSERT_NE(accessible, nullptr);
        EXPECT_EQ(accessible->text(QAccessible::Name), label->text());
    }
    // Inputs and results of each page, and the table.
    EXPECT_EQ(fields, (5 + 4) + (1 + 4) + (1 + 1) + (2 + 2) + (2 + 1) + (2 + 2) + (8 + 5) + 1);
}

TEST_F(CurrentWindowTest, ResultsAreReadOnlyEnabledRightAlignedSelectableAndCopyable) {
    enter("wagePage", {{"gross", "20000"}});
    calculate("wagePage");
    int outputs = 0;
    const int widest = QFontMetrics(window.font()).horizontalAdvance("1,000,000,000,000.00");
    for (QLineEdit* field : window.findChildren<QLineEdit*>()) {
        if (qobject_cast<QSpinBox*>(field->parentWidget())) continue;
        EXPECT_GT(field->minimumWidth(), widest) << field->objectName().toStdString();
        if (!field->isReadOnly()) {
            EXPECT_EQ(field->alignment() & Qt::AlignRight, Qt::AlignRight);
            continue;
        }
        ++outputs;
        EXPECT_TRUE(field->isEnabled());
        EXPECT_NE(field->focusPolicy(), Qt::NoFocus);
        const bool sentence = field->objectName() == "lower" || field->objectName() == "conclusion";
        EXPECT_EQ(field->alignment() & Qt::AlignRight, sentence ? Qt::Alignment() : Qt::AlignRight)
            << field->objectName().toStdString();
    }
    EXPECT_EQ(outputs, 4 + 4 + 1 + 2 + 1 + 2 + 5);

    QLineEdit& result = control("wagePage", "firstNetPay");
    result.setFocus();
    QTest::keyClick(&result, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(result.selectedText(), result.text());
    QTest::keyClick(&result, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "19,550.00");
    QTest::keyClicks(&result, "9");
    EXPECT_EQ(result.text(), "19,550.00");
}

// Every widget lies inside its parent, and no label is narrower than its text.
void ExpectNothingCutOff(QWidget& parent, const std::string& where) {
    for (QWidget* child : parent.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!child->isVisible() || child->isWindow()) continue;
        const std::string name = where + "/" + child->metaObject()->className() + " " +
                                 child->objectName().toStdString();
        EXPECT_TRUE(parent.rect().contains(child->geometry())) << name;
        if (auto* label = qobject_cast<QLabel*>(child)) {
            EXPECT_GE(label->width(), label->sizeHint().width()) << name;
            EXPECT_GE(label->height(), label->sizeHint().height()) << name;
        }
        ExpectNothingCutOff(*child, name);
    }
}

TEST_F(CurrentWindowTest, AtItsMinimumSizeNothingIsCutOffOnAnyPage) {
    EXPECT_LT(window.minimumWidth(), window.maximumWidth());  // resizable
    window.resize(window.minimumSize());
    EXPECT_EQ(window.size(), window.minimumSize());
    // Filled with the widest figures, so the schedule table has all its rows.
    enter("wagePage", {{"gross", "1000000000000"}});
    calculate("wagePage");
    for (const char* name : kCurrentPages) {
        window.pages().setCurrentWidget(&page(name));
        QApplication::processEvents();
        ExpectNothingCutOff(window, name);
    }
}

}  // namespace
}  // namespace uitest
