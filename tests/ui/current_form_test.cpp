// The current-rules window's make: its pages, every control where its id says, Enter pressing
// "计算", the keyboard reaching every page, labels and accessible names, read-only results, and a
// minimum size that cuts nothing off in any year.

#include "current_fixture.hpp"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabBar>
#include <QTableView>
#include <QTest>

#include <algorithm>
#include <set>

namespace uitest {
namespace {

TEST_F(CurrentWindowTest, EightPagesInOrderUnderAChineseTitle) {
    EXPECT_EQ(window.objectName(), "CurrentForm");
    EXPECT_EQ(window.windowTitle(), U("现行个人所得税计算"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&window)->role(), QAccessible::Window);
    const char* const titles[] = {
        "&1 工资薪金", "&2 全年一次性奖金",         "&3 劳务报酬", "&4 稿酬、特许权使用费",
        "&5 经营所得", "&6 利息股息红利、偶然所得", "&7 年度汇算", "&8 奖金筹划"};
    ASSERT_EQ(window.pages().count(), 8);
    const char* const names[] = {"wagePage",          "bonusPage",    "labourPage",
                                 "authorRoyaltyPage", "businessPage", "interestIncidentalPage",
                                 "settlementPage",    "bonusPlanPage"};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(window.pages().widget(i), &page(kCurrentPages[i]));
        EXPECT_EQ(window.pages().widget(i)->objectName(), names[i]);
        EXPECT_EQ(window.pages().tabText(i), U(titles[i]));
        EXPECT_EQ(page(kCurrentPages[i]).calculateButton().text(), U("计算"));
        EXPECT_TRUE(page(kCurrentPages[i]).calculateButton().isDefault());
        EXPECT_EQ(&page(kCurrentPages[i]).calculateButton(),
                  &window.widget(app::current::CalculateOf(kCurrentPages[i])));
        EXPECT_EQ(window.pages().widget(i)->accessibleName(), U(titles[i]).remove('&'));
    }
    EXPECT_EQ(window.focusWidget(), &field(Control::WageGross));
}

// Whether `widget` is what a control of `kind` is made of.
bool IsOfKind(QWidget& widget, app::current::Kind kind) {
    auto* edit = qobject_cast<QLineEdit*>(&widget);
    switch (kind) {
    case app::current::Kind::Amount: return edit && !edit->isReadOnly();
    case app::current::Kind::Result: return edit && edit->isReadOnly();
    case app::current::Kind::Check: return qobject_cast<QCheckBox*>(&widget);
    case app::current::Kind::Radio: return qobject_cast<QRadioButton*>(&widget);
    case app::current::Kind::Number: return qobject_cast<QSpinBox*>(&widget);
    case app::current::Kind::Table: return qobject_cast<QTableView*>(&widget);
    case app::current::Kind::Button: return qobject_cast<QPushButton*>(&widget);
    }
    return false;
}

class EveryControl : public CurrentWindowTest, public testing::WithParamInterface<Control> {};

TEST_P(EveryControl, IsOnItsPageUnderItsNameAndOfItsKind) {
    const app::current::ControlRow& row = app::current::RowOf(GetParam());
    QWidget& widget = window.widget(row.id);
    EXPECT_TRUE(page(row.page).isAncestorOf(&widget));
    EXPECT_EQ(widget.objectName(), row.name);
    EXPECT_EQ(page(row.page).findChild<QWidget*>(row.name), &widget);
    EXPECT_TRUE(IsOfKind(widget, row.kind));
}

INSTANTIATE_TEST_SUITE_P(Ids, EveryControl, testing::ValuesIn(AllControls()),
                         [](const testing::TestParamInfo<Control>& info) {
                             const auto& row = app::current::RowOf(info.param);
                             return std::string(app::current::RowOf(row.page).name) + "_" +
                                    row.name;
                         });

// No control of a page goes without an id: what the page made is what the ids reach.
TEST_F(CurrentWindowTest, EveryControlOfAPageHasAnId) {
    for (const PageId id : kCurrentPages) {
        std::set<QWidget*> made;
        for (QWidget* w : page(id).findChildren<QWidget*>()) {
            // Not the parts of a spin box, a table or a tab bar: its line edit, its corner
            // button, its scroll buttons.
            QWidget* parent = w->parentWidget();
            if (qobject_cast<QSpinBox*>(parent) || qobject_cast<QTableView*>(parent) ||
                qobject_cast<QTabBar*>(parent)) {
                continue;
            }
            if (qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractButton*>(w) ||
                qobject_cast<QSpinBox*>(w) || qobject_cast<QTableView*>(w)) {
                made.insert(w);
            }
        }
        std::set<QWidget*> reached;
        for (const Control c : AllControls()) {
            if (app::current::PageOf(c) == id) reached.insert(&window.widget(c));
        }
        EXPECT_EQ(made, reached) << testing::PrintToString(id);
    }
}

// The typed access checks the kind a control is asked for as.
TEST_F(CurrentWindowTest, AControlAskedForAsAnotherKindIsRefused) {
    EXPECT_EQ(&window.control<QLineEdit>(Control::LabourTax), &field(Control::LabourTax));
    EXPECT_EQ(&window.control<Control::LotteryPrize>(),
              &window.control<QCheckBox>(Control::LotteryPrize));
    EXPECT_THROW(window.control<QLineEdit>(Control::LotteryPrize), std::logic_error);
    EXPECT_THROW(window.field(Control::WageSchedule), std::logic_error);
    EXPECT_THROW(window.field(Control::WageFirstMonth), std::logic_error);
}

// Every control of a page that takes the focus and is not a button, nor the grid of the months,
// where Enter edits the cell.
std::vector<QWidget*> FocusableFields(QWidget& page) {
    std::vector<QWidget*> fields;
    for (QWidget* w : page.findChildren<QWidget*>()) {
        if (w->focusPolicy() & Qt::TabFocus && !qobject_cast<QPushButton*>(w) && w->isEnabled() &&
            w->objectName() != "qt_scrollarea_viewport" && w->objectName() != "months") {
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
    for (const PageId name : kCurrentPages) {
        app::current::Page& p = page(name);
        window.pages().setCurrentWidget(&p);
        QSignalSpy presses(&p.calculateButton(), &QPushButton::clicked);
        const std::vector<QWidget*> fields = FocusableFields(p);
        ASSERT_GE(fields.size(), 2u) << testing::PrintToString(name);
        for (QWidget* field : fields) {
            field->setFocus();
            QTest::keyClick(field, k.key, k.modifiers);
        }
        EXPECT_EQ(presses.count(), k.presses ? static_cast<int>(fields.size()) : 0)
            << testing::PrintToString(name);
        if (!k.presses) continue;
        // On the button itself the key presses it once, not once more through the window.
        p.calculateButton().setFocus();
        QTest::keyClick(&p.calculateButton(), k.key, k.modifiers);
        EXPECT_EQ(presses.count(), static_cast<int>(fields.size()) + 1)
            << testing::PrintToString(name);
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
    window.pages().setCurrentWidget(&page(PageId::Labour));
    QLineEdit& income = field(Control::LabourIncome);
    income.setFocus();
    QTest::keyClicks(&income, "3000");
    QTest::keyClick(&income, Qt::Key_Return);
    EXPECT_EQ(text(Control::LabourTax), "440.00");
}

// On the year's choice, Enter calculates the page in front, as from any of its fields.
TEST_F(CurrentWindowTest, EnterOnTheYearCalculatesThePageInFront) {
    window.pages().setCurrentWidget(&page(PageId::Labour));
    enter({{Control::LabourIncome, "3000"}});
    QSignalSpy presses(&page(PageId::Labour).calculateButton(), &QPushButton::clicked);
    window.yearChoice().setFocus();
    QTest::keyClick(&window.yearChoice(), Qt::Key_Return);
    EXPECT_EQ(presses.count(), 1);
    EXPECT_EQ(text(Control::LabourTax), "440.00");
}

TEST_F(CurrentWindowTest, AltAndTheDigitBringEachPageToTheFront) {
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    for (int i : {6, 2, 7, 0, 4, 1, 5, 3}) {
        QTest::keyClick(&window, static_cast<Qt::Key>(Qt::Key_1 + i), Qt::AltModifier);
        EXPECT_EQ(window.pages().currentIndex(), i);
    }
    QTest::keyClick(window.pages().tabBar(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(window.pages().currentIndex(), 4);
}

// The actions beside the calculation: named as they read, in the Tab order, and Enter on one
// presses it, not "计算".
TEST_F(CurrentWindowTest, ButtonsBesideTheCalculationAreNamedReachedAndPressedByEnter) {
    for (const Control id : {Control::SettlementFromWages, Control::BonusPlanFromWages}) {
        QPushButton& button = window.control<QPushButton>(id);
        app::current::Page& p = page(app::current::PageOf(id));
        EXPECT_EQ(button.text(), U("从工资薪金页带入"));
        EXPECT_EQ(QAccessible::queryAccessibleInterface(&button)->text(QAccessible::Name),
                  button.text());
        EXPECT_TRUE(button.focusPolicy() & Qt::TabFocus);
        window.pages().setCurrentWidget(&p);
        QSignalSpy pressed(&button, &QPushButton::clicked);
        QSignalSpy calculated(&p.calculateButton(), &QPushButton::clicked);
        button.setFocus();
        QTest::keyClick(&button, Qt::Key_Return);
        EXPECT_EQ(pressed.count(), 1);
        EXPECT_EQ(calculated.count(), 0);
    }
    // With no year worked out on the wage page, each says there is nothing to take.
    ASSERT_EQ(boxes.size(), 2u);
    for (const ui::Box& box : boxes) EXPECT_EQ(box.title, U("无法带入"));
}

// A label as it reads: without the mnemonic that follows it, "(&Y)", which a screen reader
// announces as the shortcut.
QString Shown(const QLabel& label) {
    static const QRegularExpression mnemonic(QStringLiteral("\\(&[A-Z0-9]\\)$"));
    return QString(label.text()).remove(mnemonic);
}

TEST_F(CurrentWindowTest, EveryFieldHasAVisibleLabelAsBuddyAndAsAccessibleName) {
    int fields = 0;
    for (QWidget* field : window.findChildren<QWidget*>()) {
        if (!qobject_cast<QLineEdit*>(field) && !qobject_cast<QSpinBox*>(field) &&
            !qobject_cast<QTableView*>(field) && !qobject_cast<QComboBox*>(field)) {
            continue;
        }
        if (qobject_cast<QSpinBox*>(field->parentWidget())) continue;  // its own line edit
        ++fields;
        QLabel* label = nullptr;
        for (QLabel* l : window.findChildren<QLabel*>()) {
            if (l->buddy() == field) label = l;
        }
        ASSERT_NE(label, nullptr) << field->objectName().toStdString();
        EXPECT_FALSE(Shown(*label).isEmpty());
        EXPECT_EQ(field->accessibleName(), Shown(*label));
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(field);
        ASSERT_NE(accessible, nullptr);
        // Qt names a choice by the item chosen on Linux, as the desktop's own choices are
        // named; its label stands in the relation below, as every field's does but the
        // table's, which Qt's table interface leaves without relations.
        auto* choice = qobject_cast<QComboBox*>(field);
        EXPECT_EQ(accessible->text(QAccessible::Name),
                  choice ? choice->currentText() : Shown(*label));
        if (qobject_cast<QTableView*>(field)) continue;
        const auto labels = accessible->relations(QAccessible::Label);
        EXPECT_TRUE(std::any_of(labels.begin(), labels.end(), [label](const auto& relation) {
            return relation.first->object() == label;
        })) << field->objectName().toStdString();
    }
    // The year, the inputs and results of each page (the wage page's take-home among them), and
    // the tables: the wage page's grid and schedule, the planner's alternatives.
    EXPECT_EQ(fields, 1 + (5 + 1 + 4 + 3) + (1 + 5) + (1 + 1) + (2 + 2) + (2 + 1) + (2 + 2) +
                          (10 + 9) + (2 + 5) + 3);
}

// The results that are sentences, left-aligned; every other result is an amount.
const Control kSentences[] = {Control::BonusLower,
                              Control::BonusDeadZone,
                              Control::SettlementSeparateConclusion,
                              Control::SettlementMergedConclusion,
                              Control::SettlementBetter,
                              Control::BonusPlanConclusion};

TEST_F(CurrentWindowTest, ResultsAreReadOnlyEnabledRightAlignedSelectableAndCopyable) {
    enter({{Control::WageGross, "20000"}});
    calculate(PageId::Wage);
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
        const bool sentence = std::any_of(std::begin(kSentences), std::end(kSentences),
                                          [&](Control id) { return field == &window.field(id); });
        EXPECT_EQ(field->alignment() & Qt::AlignRight, sentence ? Qt::Alignment() : Qt::AlignRight)
            << field->objectName().toStdString();
    }
    EXPECT_EQ(outputs, 7 + 5 + 1 + 2 + 1 + 2 + 9 + 5);

    QLineEdit& result = field(Control::WageFirstNetPay);
    result.setFocus();
    QTest::keyClick(&result, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(result.selectedText(), result.text());
    QTest::keyClick(&result, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "19,550.00");
    QTest::keyClicks(&result, "9");
    EXPECT_EQ(result.text(), "19,550.00");
}

// Every widget lies inside its parent, and no label is narrower than its text. A page scrolls
// up and down, never sideways: what it holds is as wide as the page's view of it.
void ExpectNothingCutOff(QWidget& parent, const std::string& where) {
    const bool scrolled = qobject_cast<QScrollArea*>(parent.parentWidget()) != nullptr;
    for (QWidget* child : parent.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!child->isVisible() || child->isWindow()) continue;
        const std::string name = where + "/" + child->metaObject()->className() + " " +
                                 child->objectName().toStdString();
        if (scrolled) {
            EXPECT_EQ(child->width(), parent.width()) << name;
            EXPECT_GE(child->height(), parent.height()) << name;
        } else {
            EXPECT_TRUE(parent.rect().contains(child->geometry())) << name;
        }
        if (auto* label = qobject_cast<QLabel*>(child)) {
            EXPECT_GE(label->width(), label->sizeHint().width()) << name;
            EXPECT_GE(label->height(), label->sizeHint().height()) << name;
        }
        ExpectNothingCutOff(*child, name);
    }
}

// In the years of the fewest and of the most standards to state, and today's.
class AtItsMinimumSize : public CurrentWindowTest, public testing::WithParamInterface<int> {};

TEST_P(AtItsMinimumSize, NothingIsCutOffOnAnyPage) {
    chooseYear(GetParam());
    EXPECT_LT(window.minimumWidth(), window.maximumWidth());  // resizable
    window.resize(window.minimumSize());
    QApplication::processEvents();
    EXPECT_EQ(window.size(), window.minimumSize());
    // Short enough for a screen of 768 rows, and of 1,600 at twice the scale, with its panels.
    EXPECT_LE(window.height(), 640);
    // Filled with the widest figures, so the schedule table has all its rows.
    enter({{Control::WageGross, "1000000000000"}});
    calculate(PageId::Wage);
    for (const PageId id : kCurrentPages) {
        window.pages().setCurrentWidget(&page(id));
        QApplication::processEvents();
        ExpectNothingCutOff(window, app::current::RowOf(id).name);
    }
}

INSTANTIATE_TEST_SUITE_P(Years, AtItsMinimumSize, testing::Values(2019, 2022, 2026));

// A refused field low on a page the window is too short for is scrolled into view.
TEST_F(CurrentWindowTest, ARefusedFieldIsScrolledIntoView) {
    window.resize(window.minimumSize());
    enter({{Control::SettlementWages, "1"}, {Control::SettlementWithheld, "x"}});
    calculate(PageId::Settlement);
    QApplication::processEvents();
    QLineEdit& refused = field(Control::SettlementWithheld);
    auto* scroll = page(PageId::Settlement).findChild<QScrollArea*>();
    ASSERT_NE(scroll, nullptr);
    ASSERT_GT(scroll->verticalScrollBar()->maximum(), 0);  // the page does scroll
    const QRect shown(refused.mapTo(scroll->viewport(), QPoint(0, 0)), refused.size());
    EXPECT_TRUE(scroll->viewport()->rect().contains(shown));
    EXPECT_EQ(boxes.size(), 1u);
}

}  // namespace
}  // namespace uitest
