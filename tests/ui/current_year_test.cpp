// The tax year of the current-rules window: which year it starts in, how it is chosen, the
// standards its hints state, and that no result outlives the year it was computed for.

#include "current_fixture.hpp"

#include <QAbstractItemModel>
#include <QDate>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTest>

namespace uitest {
namespace {

using C = Control;
using P = PageId;

struct Clamp {
    int calendarYear;
    int year;
};

class ClampedYear : public testing::TestWithParam<Clamp> {};

TEST_P(ClampedYear, KeepsTheCalendarYearWithinTheYearsOfTheRules) {
    EXPECT_EQ(app::current::ClampedYear(GetParam().calendarYear), GetParam().year);
}

INSTANTIATE_TEST_SUITE_P(CalendarYears, ClampedYear,
                         testing::Values(Clamp{2018, 2019}, Clamp{2019, 2019}, Clamp{2026, 2026},
                                         Clamp{2027, 2027}, Clamp{2030, 2027}),
                         [](const testing::TestParamInfo<Clamp>& info) {
                             return std::to_string(info.param.calendarYear);
                         });

TEST(CurrentWindowYear, StartsInThisCalendarYearClamped) {
    const int expected = app::current::ClampedYear(QDate::currentDate().year());
    EXPECT_EQ(app::current::DefaultYear(), expected);
    const app::current::CurrentForm window;
    EXPECT_EQ(window.year(), expected);
}

TEST(CurrentWindowYear, RefusesAYearWithoutRules) {
    EXPECT_THROW(app::current::CurrentForm{2018}, std::out_of_range);
    app::current::CurrentForm window{2019};
    EXPECT_THROW(window.setYear(2028), std::out_of_range);
    EXPECT_EQ(window.year(), 2019);
}

TEST_F(CurrentWindowTest, TheYearIsALabelledChoiceOfEveryYearAboveThePages) {
    QComboBox& choice = window.yearChoice();
    EXPECT_EQ(window.year(), kPinnedYear);
    EXPECT_EQ(choice.currentText(), U("2026 年"));
    ASSERT_EQ(choice.count(), 9);
    for (int i = 0; i < choice.count(); ++i) {
        EXPECT_EQ(choice.itemText(i), U("%1 年").arg(2019 + i));
        EXPECT_EQ(choice.itemData(i).toInt(), 2019 + i);
    }
    EXPECT_EQ(choice.accessibleName(), U("纳税年度"));
    QLabel* label = nullptr;
    for (QLabel* l : window.findChildren<QLabel*>()) {
        if (l->buddy() == &choice) label = l;
    }
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), U("纳税年度(&Y)"));
    EXPECT_TRUE(label->isVisible());
    const QPoint choiceBottom = choice.mapTo(&window, QPoint(0, choice.height()));
    EXPECT_LE(choiceBottom.y(), window.pages().mapTo(&window, QPoint(0, 0)).y());
}

TEST_F(CurrentWindowTest, AltYReachesTheYearAndTheArrowKeysChangeIt) {
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_Y, Qt::AltModifier);
    EXPECT_EQ(window.focusWidget(), &window.yearChoice());
    QTest::keyClick(&window.yearChoice(), Qt::Key_Up);
    EXPECT_EQ(window.year(), 2025);
    QTest::keyClick(&window.yearChoice(), Qt::Key_Down);
    QTest::keyClick(&window.yearChoice(), Qt::Key_Down);
    EXPECT_EQ(window.year(), 2027);
    // Tab goes on into the pages.
    QTest::keyClick(&window.yearChoice(), Qt::Key_Tab);
    EXPECT_TRUE(window.pages().isAncestorOf(window.focusWidget()));
}

// The hint beside a field, in the third column of the field's row.
QString HintOf(QWidget& field) {
    auto* grid = qobject_cast<QGridLayout*>(field.parentWidget()->layout());
    if (!grid) throw std::logic_error("no grid");
    int row = 0, column = 0, rows = 0, columns = 0;
    grid->getItemPosition(grid->indexOf(&field), &row, &column, &rows, &columns);
    // The hint is the label in the row's third cell, after a button that may stand before it.
    QLayout* cell = grid->itemAtPosition(row, 2) ? grid->itemAtPosition(row, 2)->layout() : nullptr;
    QLabel* hint = nullptr;
    for (int i = 0; cell && i < cell->count(); ++i) {
        if (auto* label = qobject_cast<QLabel*>(cell->itemAt(i)->widget())) hint = label;
    }
    if (!hint) throw std::logic_error("no hint");
    return hint->text();
}

struct Hint {
    int year;
    Control field;
    const char* text;

    friend void PrintTo(const Hint& h, std::ostream* os) {
        *os << h.year << ' ' << app::current::RowOf(h.field).name;
    }
};

// clang-format off
const Hint kHints[] = {
    {2019, C::WageAdditional,
     "各项合计。每月标准：子女教育每个子女 1,000 元，\n"
     "继续教育 400 元，住房贷款利息 1,000 元，住房租金 1,500 / 1,100 / 800 元\n"
     "（按城市），赡养老人最多 2,000 元（非独生子女每人分摊最多 1,000 元）"},
    {2022, C::WageAdditional,
     "各项合计。每月标准：子女教育、3 岁以下婴幼儿照护每个子女 1,000 元，\n"
     "继续教育 400 元，住房贷款利息 1,000 元，住房租金 1,500 / 1,100 / 800 元\n"
     "（按城市），赡养老人最多 2,000 元（非独生子女每人分摊最多 1,000 元）"},
    {2026, C::WageAdditional,
     "各项合计。每月标准：子女教育、3 岁以下婴幼儿照护每个子女 2,000 元，\n"
     "继续教育 400 元，住房贷款利息 1,000 元，住房租金 1,500 / 1,100 / 800 元\n"
     "（按城市），赡养老人最多 3,000 元（非独生子女每人分摊最多 1,500 元）"},
    {2019, C::WageOther, "例如企业年金、职业年金、商业健康保险"},
    {2021, C::WageOther, "例如企业年金、职业年金、商业健康保险"},
    {2022, C::WageOther, "例如个人养老金，每月最多 1,000 元"},
    {2026, C::WageOther, "例如个人养老金，每月最多 1,000 元"},
    {2019, C::SettlementAdditional,
     "各项合计，含只在汇算时扣除的大病医疗（自付超过 15,000 元的部分，\n"
     "最多 80,000 元）。年度标准：子女教育每个子女\n"
     "12,000 元，继续教育 4,800 元（职业资格证书当年 3,600 元），\n"
     "住房贷款利息 12,000 元，住房租金 18,000 / 13,200 / 9,600 元，\n"
     "赡养老人最多 24,000 元（非独生子女每人分摊最多 12,000 元）"},
    {2026, C::SettlementAdditional,
     "各项合计，含只在汇算时扣除的大病医疗（自付超过 15,000 元的部分，\n"
     "最多 80,000 元）。年度标准：子女教育、3 岁以下婴幼儿照护每个子女\n"
     "24,000 元，继续教育 4,800 元（职业资格证书当年 3,600 元），\n"
     "住房贷款利息 12,000 元，住房租金 18,000 / 13,200 / 9,600 元，\n"
     "赡养老人最多 36,000 元（非独生子女每人分摊最多 18,000 元）"},
    {2021, C::SettlementOther, "例如企业年金、职业年金、商业健康保险"},
    {2026, C::SettlementOther, "例如个人养老金，每年最多 12,000 元"},
};
// clang-format on

class HintsOfTheYear : public CurrentWindowTest, public testing::WithParamInterface<Hint> {};

// Chosen from another year, so that each text is written anew.
TEST_P(HintsOfTheYear, StateItsStandards) {
    const Hint& h = GetParam();
    chooseYear(h.year == 2026 ? 2019 : 2026);
    chooseYear(h.year);
    EXPECT_EQ(HintOf(window.widget(h.field)), U(h.text));
}

INSTANTIATE_TEST_SUITE_P(Years, HintsOfTheYear, testing::ValuesIn(kHints),
                         [](const testing::TestParamInfo<Hint>& info) {
                             return std::string(app::current::RowOf(info.param.field).name) +
                                    (app::current::PageOf(info.param.field) == P::Wage ? "Monthly"
                                                                                       : "Annual") +
                                    std::to_string(info.param.year);
                         });

// Every text beside a field, under the results and on a check box, as the year has it.
std::vector<QString> YearTexts(app::current::CurrentForm& window) {
    std::vector<QString> texts;
    for (const PageId id : kCurrentPages) {
        for (const QLabel* label : window.page(id).findChildren<QLabel*>()) {
            texts.push_back(label->text());
        }
    }
    texts.push_back(window.control<Control::BusinessBasicDeduction>().text());
    return texts;
}

// The window's texts follow the year, both ways: a year and back again reads as at the start.
TEST_F(CurrentWindowTest, TextsFollowTheYearThereAndBack) {
    const std::vector<QString> texts2026 = YearTexts(window);
    chooseYear(2019);
    const std::vector<QString> texts2019 = YearTexts(window);
    EXPECT_NE(texts2019, texts2026);
    app::current::CurrentForm fresh2019{2019};
    EXPECT_EQ(texts2019, YearTexts(fresh2019));
    chooseYear(2026);
    EXPECT_EQ(YearTexts(window), texts2026);
}

TEST_F(CurrentWindowTest, ComputesInTheYearChosen) {
    chooseYear(2022);
    enter({{C::BonusAmount, "36000"}});
    calculate(P::Bonus);
    EXPECT_EQ(text(C::BonusSeparateTax), "1,080.00");
    EXPECT_EQ(text(C::BonusLower), U("两种方式税额相同"));
}

// One case a page, so that every result of the window holds a figure.
const Entries kEveryPage = {
    {C::WageGross, "20000"},        {C::WageTargetNet, "15000"}, {C::BonusAmount, "36000"},
    {C::LabourIncome, "3000"},      {C::AuthorIncome, "1000"},   {C::RoyaltyIncome, "1000"},
    {C::BusinessRevenue, "500000"}, {C::InterestIncome, "100"},  {C::IncidentalIncome, "100"},
    {C::SettlementWages, "300000"}, {C::BonusPlanPay, "400000"},
};

TEST_F(CurrentWindowTest, AnotherYearEmptiesEveryResultAndTheScheduleButKeepsTheInputs) {
    enter(kEveryPage);
    for (const PageId id : kCurrentPages) calculate(id);
    for (const auto& [id, shown] : outputs()) {
        ASSERT_FALSE(shown.empty()) << testing::PrintToString(id);
    }
    QTableView& schedule = window.control<C::WageSchedule>();
    QTableView& alternatives = window.control<C::BonusPlanAlternatives>();
    QPushButton& exportCsv = window.control<C::WageExportCsv>();
    ASSERT_EQ(schedule.model()->rowCount(), 13);
    ASSERT_EQ(alternatives.model()->rowCount(), 3);
    ASSERT_TRUE(exportCsv.isEnabled());

    chooseYear(2022);
    for (const auto& [id, shown] : outputs()) {
        EXPECT_EQ(shown, "") << testing::PrintToString(id);
    }
    EXPECT_EQ(schedule.model()->rowCount(), 0);
    EXPECT_EQ(alternatives.model()->rowCount(), 0);
    EXPECT_FALSE(exportCsv.isEnabled());
    for (const auto& [id, typed] : kEveryPage) EXPECT_EQ(text(id), U(typed));
    EXPECT_TRUE(boxes.empty());

    // And the year's results come back with a press.
    calculate(P::Wage);
    EXPECT_EQ(schedule.model()->rowCount(), 13);
    EXPECT_TRUE(exportCsv.isEnabled());
    EXPECT_EQ(text(C::WageFirstWithheld), "450.00");
}

// A year whose parameters offer no separate taxation of the bonus: every page that would tax
// it on its own merges it, and says so.
TEST_F(CurrentWindowTest, AYearWithoutSeparateBonusTaxationMergesItOnEveryPage) {
    static const tax::current::Parameters merged = [] {
        tax::current::Parameters p = tax::current::ParametersFor(kPinnedYear);
        p.separateBonus.reset();
        return p;
    }();
    for (const PageId id : kCurrentPages) page(id).setParameters(merged);
    enter({{C::BonusAmount, "38000"},
           {C::SettlementWages, "240000"},
           {C::SettlementBonus, "36000"},
           {C::SettlementSpecial, "48000"},
           {C::SettlementAdditional, "24000"},
           {C::SettlementWithheld, "9360"},
           {C::BonusPlanPay, "400000"},
           {C::BonusPlanDeductions, "100000"}});
    for (const PageId id : {P::Bonus, P::Settlement, P::BonusPlan}) calculate(id);
    const std::pair<Control, const char*> shown[] = {
        {C::BonusDeadZone, "本年度奖金只能并入综合所得计税"},
        {C::BonusLower, "本年度奖金只能并入综合所得计税"},
        {C::SettlementSeparateTaxable, ""},
        {C::SettlementSeparateTax, ""},
        {C::SettlementSeparateBalance, ""},
        {C::SettlementSeparateConclusion, "本年度没有全年一次性奖金单独计税的政策"},
        {C::SettlementMergedTax, "11,880.00"},
        {C::SettlementMergedBalance, "2,520.00"},
        {C::SettlementBetter, "本年度奖金只能并入综合所得计税"},
        {C::BonusPlanBest, "0.00"},
        {C::BonusPlanBestTotal, "43,080.00"},
        {C::BonusPlanNoBonusTotal, "43,080.00"},
        {C::BonusPlanEnteredTotal, "43,080.00"},
        {C::BonusPlanConclusion, "本年度奖金只能并入综合所得计税，怎样拆分全年税额都相同"},
    };
    for (const auto& [id, text] : shown) {
        EXPECT_EQ(this->text(id), U(text)) << testing::PrintToString(id);
    }
    EXPECT_EQ(window.control<C::BonusPlanAlternatives>().model()->rowCount(), 0);
    EXPECT_TRUE(boxes.empty());
}

}  // namespace
}  // namespace uitest
