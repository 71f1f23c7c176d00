// The wage page's year month by month: the grid the quick form fills and the user edits, the
// basic deduction's rules and when a year offers them, the special additional deductions item by
// item, the gross wage worked back from a take-home, and where the focus goes when a page comes
// forward.

#include "app/current/additional_dialog.hpp"
#include "app/current/pages.hpp"
#include "current_fixture.hpp"

#include <QAbstractItemModel>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTableView>
#include <QTest>
#include <QTimer>

namespace uitest {
namespace {

using C = Control;
using P = PageId;

constexpr int kWithheldColumn = 8;  // of the schedule: 本月预扣税额

QTableView& Months(app::current::CurrentForm& window) { return window.control<C::WageMonths>(); }

QString Cell(QTableView& table, int row, int column) {
    return table.model()->index(row, column).data().toString();
}

// The month's withholding in the schedule, which starts at the first month.
QString Withheld(app::current::CurrentForm& window, int firstMonth, int month) {
    return Cell(window.control<C::WageSchedule>(), month - firstMonth, kWithheldColumn);
}

struct BasicCase {
    const char* what;
    C rule;
    int firstMonth;
    const char* gross;
    std::vector<std::pair<int, const char*>> withheld;  // month, its withholding
    const char* year;

    friend void PrintTo(const BasicCase& c, std::ostream* os) { *os << c.what; }
};

// clang-format off
const BasicCase kBasicCases[] = {
    {"from January, first month July", C::WageBasicFromJanuary, 7, "10000",
     {{7, "0.00"}, {12, "0.00"}}, "0.00"},
    {"months employed, first month July", C::WageBasicMonthsEmployed, 7, "10000",
     {{7, "150.00"}, {8, "150.00"}}, "900.00"},
    {"whole year, 6,000 a month", C::WageBasicWholeYear, 1, "6000",
     {{1, "0.00"}, {10, "0.00"}, {11, "180.00"}, {12, "180.00"}}, "360.00"},
};
// clang-format on

class BasicDeductionRule : public CurrentWindowTest,
                           public testing::WithParamInterface<BasicCase> {};

TEST_P(BasicDeductionRule, GivesTheYearsWithholding) {
    const BasicCase& c = GetParam();
    enter({{C::WageGross, c.gross}, {C::WageFirstMonth, std::to_string(c.firstMonth).c_str()}});
    enter({{c.rule, "1"}});
    calculate(P::Wage);
    for (const auto& [month, withheld] : c.withheld) {
        EXPECT_EQ(Withheld(window, c.firstMonth, month), withheld) << month;
    }
    EXPECT_EQ(text(C::WageYearWithheld), c.year);
    EXPECT_TRUE(boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(Rules, BasicDeductionRule, testing::ValuesIn(kBasicCases),
                         NameOf<BasicCase>);

TEST_F(CurrentWindowTest, ChangingTheRuleWorksTheShownYearOutAgain) {
    enter({{C::WageGross, "10000"}, {C::WageFirstMonth, "7"}});
    calculate(P::Wage);
    EXPECT_EQ(text(C::WageFirstWithheld), "150.00");
    enter({{C::WageBasicFromJanuary, "1"}});
    EXPECT_EQ(text(C::WageFirstWithheld), "0.00");
}

struct Offer {
    int year, firstMonth;
    bool fromJanuary, wholeYear;
    const char* fromJanuaryLine;
    const char* wholeYearLine;
};

// clang-format off
const Offer kOffers[] = {
    {2019, 1, false, false, "2019 年没有这项规定（2020 年起适用）",
     "2019 年没有这项规定（2021 年起适用）"},
    {2020, 6, false, false, "2020 年只适用于 7 月及以后起任职受雇的",
     "2020 年没有这项规定（2021 年起适用）"},
    {2020, 7, true, false, "当年此前没有工资薪金所得：从 1 月起按每月 5,000 元累计",
     "2020 年没有这项规定（2021 年起适用）"},
    {2026, 1, true, true, "当年此前没有工资薪金所得：从 1 月起按每月 5,000 元累计",
     "上年各月均在本单位领取工资，全年不超过 60,000 元：1 月起即减除 60,000 元"},
    {2026, 2, true, false, "当年此前没有工资薪金所得：从 1 月起按每月 5,000 元累计",
     "只适用于 1 月起在本单位任职受雇的"},
};
// clang-format on

// The line under a rule's radio button.
QString LineUnder(QWidget& radio) {
    QWidget* group = radio.parentWidget();
    const QList<QWidget*> children = group->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    const auto at = std::find(children.begin(), children.end(), &radio);
    return qobject_cast<QLabel*>(*(at + 1))->text();
}

class RulesOffered : public CurrentWindowTest, public testing::WithParamInterface<Offer> {};

TEST_P(RulesOffered, ByTheYearAndTheFirstMonthWithTheReason) {
    const Offer& o = GetParam();
    chooseYear(o.year);
    enter({{C::WageFirstMonth, std::to_string(o.firstMonth).c_str()}});
    auto& months = window.control<C::WageBasicMonthsEmployed>();
    auto& january = window.control<C::WageBasicFromJanuary>();
    auto& whole = window.control<C::WageBasicWholeYear>();
    EXPECT_TRUE(months.isEnabled());
    EXPECT_EQ(LineUnder(months), U("每月 5,000 元乘以当年在本单位任职受雇的月份数"));
    EXPECT_EQ(january.isEnabled(), o.fromJanuary);
    EXPECT_EQ(whole.isEnabled(), o.wholeYear);
    EXPECT_EQ(LineUnder(january), U(o.fromJanuaryLine));
    EXPECT_EQ(LineUnder(whole), U(o.wholeYearLine));
}

INSTANTIATE_TEST_SUITE_P(YearsAndMonths, RulesOffered, testing::ValuesIn(kOffers),
                         [](const testing::TestParamInfo<Offer>& info) {
                             return std::to_string(info.param.year) + "_" +
                                    std::to_string(info.param.firstMonth);
                         });

TEST_F(CurrentWindowTest, TheRulesAreNamedInPlainWords) {
    const std::pair<C, const char*> titles[] = {
        {C::WageBasicMonthsEmployed, "按任职受雇月份计算"},
        {C::WageBasicFromJanuary, "本年首次取得工资薪金"},
        {C::WageBasicWholeYear, "上年在本单位全年受雇且工资不超过 6 万元"},
    };
    for (const auto& [id, title] : titles) {
        EXPECT_EQ(window.control<QRadioButton>(id).text(), U(title));
        EXPECT_EQ(window.control<QRadioButton>(id).accessibleName(), U(title));
    }
    EXPECT_TRUE(window.control<C::WageBasicMonthsEmployed>().isChecked());
}

// A choice the year or the first month takes away falls back to the months employed.
TEST_F(CurrentWindowTest, AChoiceNoLongerOfferedFallsBackToTheMonthsEmployed) {
    enter({{C::WageBasicWholeYear, "1"}, {C::WageFirstMonth, "3"}});
    EXPECT_TRUE(window.control<C::WageBasicMonthsEmployed>().isChecked());
    enter({{C::WageBasicFromJanuary, "1"}});
    chooseYear(2019);
    EXPECT_TRUE(window.control<C::WageBasicMonthsEmployed>().isChecked());
    EXPECT_EQ(static_cast<app::current::WagePage&>(page(P::Wage)).basicDeduction(),
              tax::current::BasicDeduction::MonthsEmployed);
}

TEST_F(CurrentWindowTest, CalculateFillsTheGridFromTheFirstMonth) {
    enter({{C::WageGross, "20000"},
           {C::WageSpecial, "4000"},
           {C::WageAdditional, "2000"},
           {C::WageFirstMonth, "3"}});
    calculate(P::Wage);
    QTableView& grid = Months(window);
    const QAbstractItemModel& model = *grid.model();
    ASSERT_EQ(model.rowCount(), 12);
    ASSERT_EQ(model.columnCount(), 8);
    const char* const headers[] = {"月份",         "本期收入", "免税收入",         "专项扣除",
                                   "专项附加扣除", "其他扣除", "准予扣除的捐赠额", "减免税额"};
    for (int c = 0; c < 8; ++c) EXPECT_EQ(model.headerData(c, Qt::Horizontal), U(headers[c]));
    for (int m = 0; m < 2; ++m) {
        EXPECT_EQ(Cell(grid, m, 1), U("未任职"));
        EXPECT_FALSE(model.flags(model.index(m, 1)) & Qt::ItemIsEditable);
        EXPECT_FALSE(model.flags(model.index(m, 1)) & Qt::ItemIsEnabled);  // greyed
    }
    EXPECT_EQ(Cell(grid, 2, 0), U("3月"));
    EXPECT_EQ(
        (QStringList{Cell(grid, 11, 1), Cell(grid, 11, 2), Cell(grid, 11, 3), Cell(grid, 11, 4)}),
        (QStringList{"20,000.00", "0.00", "4,000.00", "2,000.00"}));
    EXPECT_TRUE(model.flags(model.index(2, 1)) & Qt::ItemIsEditable);
    EXPECT_FALSE(model.flags(model.index(2, 0)) & Qt::ItemIsEditable);
    EXPECT_EQ(model.index(2, 1).data(Qt::EditRole).toString(), "20000.00");

    const auto year = static_cast<app::current::WagePage&>(page(P::Wage)).payrollYear();
    ASSERT_TRUE(year);
    EXPECT_EQ(year->firstMonth, 3);
    ASSERT_EQ(year->months.size(), 10u);
    EXPECT_EQ(year->months[9].gross, 2'000'000);
    EXPECT_EQ(year->months[9].additional, 200'000);
}

// Each column lands in its own amount of the month, which the schedule then counts.
struct CellCase {
    int column;
    const char* typed;
    const char* deductions;  // the schedule's 累计扣除 of January
    const char* withheld;    // January's
};

class EditedCell : public CurrentWindowTest, public testing::WithParamInterface<CellCase> {};

TEST_P(EditedCell, WorksTheYearOutAtOnce) {
    const CellCase& c = GetParam();
    enter({{C::WageGross, "20000"}});
    calculate(P::Wage);
    ASSERT_EQ(text(C::WageFirstWithheld), "450.00");
    QAbstractItemModel& model = *Months(window).model();
    EXPECT_TRUE(model.setData(model.index(0, c.column), U(c.typed)));
    EXPECT_EQ(Cell(window.control<C::WageSchedule>(), 0, 3), c.deductions);
    EXPECT_EQ(text(C::WageFirstWithheld), c.withheld);
    EXPECT_TRUE(boxes.empty());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Columns, EditedCell, testing::Values(
    CellCase{1, "30000", "0.00", "750.00"},     // gross
    CellCase{2, "1000", "1,000.00", "420.00"},  // exempt
    CellCase{3, "2000", "2,000.00", "390.00"},  // special
    CellCase{4, "3000", "3,000.00", "360.00"},  // additional
    CellCase{5, "4000", "4,000.00", "330.00"},  // other
    CellCase{6, "5000", "5,000.00", "300.00"},  // donation
    CellCase{7, "100", "0.00", "350.00"}));     // relief
// clang-format on

TEST_F(CurrentWindowTest, ACellIsTypedIntoFromTheKeyboard) {
    enter({{C::WageGross, "20000"}});
    calculate(P::Wage);
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTableView& grid = Months(window);
    grid.setFocus();
    grid.setCurrentIndex(grid.model()->index(11, 1));
    QTest::keyClick(&grid, Qt::Key_3);  // opens the cell's editor with the digit typed
    QWidget* editor = QApplication::focusWidget();
    ASSERT_NE(editor, &grid);
    QTest::keyClicks(editor, "0000");
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();  // the editor commits once its key is handled
    EXPECT_EQ(Cell(grid, 11, 1), "30,000.00");
    EXPECT_EQ(Withheld(window, 1, 12), "5,000.00");
    // Enter on the grid edits the cell; it does not refill the grid from the quick form.
    QTest::keyClick(&grid, Qt::Key_Return);
    editor = QApplication::focusWidget();
    ASSERT_NE(editor, &grid);
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_EQ(Cell(grid, 11, 1), "30,000.00");
}

TEST_F(CurrentWindowTest, ARefusedCellIsReportedByMonthAndColumnAndKeepsItsAmount) {
    enter({{C::WageGross, "20000"}});
    calculate(P::Wage);
    const QString withheld = text(C::WageYearWithheld);
    QAbstractItemModel& model = *Months(window).model();
    EXPECT_FALSE(model.setData(model.index(4, 3), "-1"));
    QApplication::processEvents();  // reported once the editor would have closed
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(
        boxes[0].prompt.startsWith(U("5月的“专项扣除”不是可以计算的金额，该格保留原来的金额。")))
        << boxes[0].prompt.toStdString();
    EXPECT_EQ(boxes[0].title, U("输入有误"));
    EXPECT_EQ(Cell(Months(window), 4, 3), "0.00");
    EXPECT_EQ(text(C::WageYearWithheld), withheld);
}

TEST_F(CurrentWindowTest, MovingTheFirstMonthGreysTheMonthsBeforeIt) {
    enter({{C::WageGross, "10000"}});
    calculate(P::Wage);
    enter({{C::WageFirstMonth, "7"}});
    EXPECT_EQ(Cell(Months(window), 5, 1), U("未任职"));
    EXPECT_EQ(Cell(window.control<C::WageSchedule>(), 0, 0), U("7月"));
    EXPECT_EQ(text(C::WageYearWithheld), "900.00");
}

TEST_F(CurrentWindowTest, TheGridIsReachedByItsMnemonicAndNamedByItsTitle) {
    QTableView& grid = Months(window);
    EXPECT_EQ(grid.accessibleName(), U("逐月收入"));
    EXPECT_TRUE(grid.editTriggers() & QAbstractItemView::AnyKeyPressed);
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_M, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), &grid);
}

struct TakeHome {
    const char* what;
    Entries entries;
    const char* gross;
    const char* first;
    const char* december;
};

// clang-format off
const TakeHome kTakeHomes[] = {
    {"15,000 from January", {{C::WageTargetNet, "15000"}, {C::WageSpecial, "4000"},
                             {C::WageAdditional, "2000"}},
     "19,655.56", "15,395.89", "14,790.01"},
    {"no deductions", {{C::WageTargetNet, "4000"}}, "4,000.00", "4,000.00", "4,000.00"},
};
// clang-format on

class GrossForNet : public CurrentWindowTest, public testing::WithParamInterface<TakeHome> {};

TEST_P(GrossForNet, GivesTheGrossAndTheTakeHomeOfTheFirstMonthAndDecember) {
    enter(GetParam().entries);
    window.control<C::WageGrossForNet>().click();
    EXPECT_EQ(text(C::WageNeededGross), GetParam().gross);
    EXPECT_EQ(text(C::WageTargetFirstNetPay), GetParam().first);
    EXPECT_EQ(text(C::WageTargetDecemberNetPay), GetParam().december);
    EXPECT_TRUE(boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(Targets, GrossForNet, testing::ValuesIn(kTakeHomes), NameOf<TakeHome>);

TEST_F(CurrentWindowTest, ATakeHomeOutOfReachIsReported) {
    enter({{C::WageTargetNet, "1000000000000"}});
    window.control<C::WageGrossForNet>().click();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].title, U("无法倒算"));
    EXPECT_TRUE(text(C::WageNeededGross).isEmpty());
    boxes.clear();
    enter({{C::WageTargetNet, ""}});
    window.control<C::WageGrossForNet>().click();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].title, U("缺少输入"));
}

// ---- the special additional deductions item by item ----------------------------------------

struct Claims {
    const char* what;
    int year;
    std::function<void(app::current::AdditionalDialog&)> fill;
    const char* total;    // empty: refused
    const char* refusal;  // empty: none
};

using Dialog = app::current::AdditionalDialog;

// clang-format off
const Claims kClaims[] = {
    {"nothing", 2026, [](Dialog&) {}, "0.00", ""},
    {"two children, half", 2026, [](Dialog& d) {
         d.childrenInEducation().setValue(1); d.childrenUnder3().setValue(1);
         d.childShare().setCurrentIndex(1); }, "2,000.00", ""},
    {"loan, degree, only child", 2026, [](Dialog& d) {
         d.housingLoan().setChecked(true); d.degreeEducation().setChecked(true);
         d.onlyChild().setChecked(true); }, "4,400.00", ""},
    {"rent in a big city and a share", 2026, [](Dialog& d) {
         d.rent().setCurrentIndex(1); d.elderlyShare().setText("1500"); }, "3,000.00", ""},
    {"loan with rent", 2026, [](Dialog& d) {
         d.housingLoan().setChecked(true); d.rent().setCurrentIndex(3); }, "",
     "住房贷款利息和住房租金不能同时扣除，请只选其中一项"},
    {"share above the cap", 2026, [](Dialog& d) { d.elderlyShare().setText("1500.01"); }, "",
     "非独生子女每月分摊的赡养老人扣除不能超过 1,500 元"},
    {"share above 2022's cap", 2022, [](Dialog& d) { d.elderlyShare().setText("1001"); }, "",
     "非独生子女每月分摊的赡养老人扣除不能超过 1,000 元"},
    {"share not an amount", 2026, [](Dialog& d) { d.elderlyShare().setText("abc"); }, "",
     "“非独生子女分摊额”中的内容不是可以计算的金额"},
    {"an only child's share is not read", 2026, [](Dialog& d) {
         d.elderlyShare().setText("abc"); d.onlyChild().setChecked(true); }, "3,000.00", ""},
    {"2021 children, 2021 standards", 2021, [](Dialog& d) {
         d.childrenInEducation().setValue(2); d.childrenUnder3().setValue(1); }, "2,000.00", ""},
};
// clang-format on

class AdditionalItems : public testing::TestWithParam<Claims> {};

TEST_P(AdditionalItems, GiveTheMonthsTotalOrSayWhyNot) {
    const Claims& c = GetParam();
    Dialog dialog(tax::current::ParametersFor(c.year));
    c.fill(dialog);
    EXPECT_EQ(dialog.total() ? app::current::YuanText(*dialog.total()) : QString(), U(c.total));
    EXPECT_EQ(dialog.refusal(), U(c.refusal));
    EXPECT_EQ(dialog.okButton().isEnabled(), *c.total != '\0');
}

INSTANTIATE_TEST_SUITE_P(Claims, AdditionalItems, testing::ValuesIn(kClaims), NameOf<Claims>);

TEST(AdditionalItemsDialog, StatesTheYearsStandardsAndDisablesWhatTheYearLacks) {
    Dialog before(tax::current::ParametersFor(2021));
    EXPECT_FALSE(before.childrenUnder3().isEnabled());
    Dialog now(tax::current::ParametersFor(2026));
    EXPECT_TRUE(now.childrenUnder3().isEnabled());
    QStringList shown;
    for (QLabel* label : now.findChildren<QLabel*>()) shown << label->text();
    for (const char* standard : {"每个子女每月 2,000 元", "每月 400 元", "每月 3,000 元",
                                 "与兄弟姐妹约定的分摊额，每月最多 1,500 元"}) {
        EXPECT_TRUE(shown.contains(U(standard))) << standard;
    }
    QStringList before2021;
    for (QLabel* label : before.findChildren<QLabel*>()) before2021 << label->text();
    EXPECT_TRUE(before2021.contains(U("2021 年没有这项规定（2022 年起适用）")));
    EXPECT_EQ(now.rent().itemText(1), U("直辖市、省会城市、计划单列市等：每月 1,500 元"));
    EXPECT_EQ(now.rent().itemText(3), U("其他城市：每月 800 元"));
    // Every control named as its label reads.
    EXPECT_EQ(now.childrenInEducation().accessibleName(), U("接受教育的子女"));
    EXPECT_EQ(now.housingLoan().accessibleName(), U("住房贷款利息"));
    EXPECT_EQ(now.elderlyShare().accessibleName(), U("非独生子女分摊额"));
}

TEST_F(CurrentWindowTest, TheItemsWriteTheirTotalIntoTheQuickForm) {
    auto& button = window.control<C::WageAdditionalItems>();
    EXPECT_EQ(button.text(), U("按项目填写(&D)…"));
    EXPECT_EQ(button.accessibleName(), U("按项目填写…"));
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->childrenInEducation().setValue(1);
        dialog->rent().setCurrentIndex(3);
        dialog->okButton().click();
    });
    button.click();
    EXPECT_EQ(text(C::WageAdditional), "2800.00");
}

// ---- the focus of a page brought forward -----------------------------------------------------

TEST_F(CurrentWindowTest, APageBroughtForwardTakesTheFocusInItsFirstField) {
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    const std::pair<int, C> firsts[] = {{6, C::SettlementWages}, {2, C::LabourIncome},
                                        {0, C::WageGross},       {4, C::BusinessRevenue},
                                        {1, C::BonusAmount},     {5, C::InterestIncome},
                                        {3, C::AuthorIncome}};
    for (const auto& [index, first] : firsts) {
        QTest::keyClick(&window, static_cast<Qt::Key>(Qt::Key_1 + index), Qt::AltModifier);
        EXPECT_EQ(QApplication::focusWidget(), &window.widget(first)) << index;
    }
    // Typed digits land there.
    QTest::keyClick(&window, Qt::Key_3, Qt::AltModifier);
    QTest::keyClicks(QApplication::focusWidget(), "3000");
    EXPECT_EQ(text(C::LabourIncome), "3000");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(QApplication::focusWidget(), &window.widget(C::AuthorIncome));
    // A click on a tab.
    QTabBar& tabs = *window.pages().tabBar();
    QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.tabRect(4).center());
    EXPECT_EQ(QApplication::focusWidget(), &window.widget(C::BusinessRevenue));
}

}  // namespace
}  // namespace uitest
