// The current-rules window on each of its pages at start, the wage page with
// the year's schedule worked out (its total row in bold), its grid of a year
// from July, and the bonus, the settlement and the planner with their results,
// compared pixel by pixel with the references. The tax year is 2026 whatever
// the date: the fixture pins it, and the hints state that year's standards.

#include "current_fixture.hpp"
#include "reference_image.hpp"

#include <QAbstractItemModel>
#include <QApplication>
#include <QTableView>

namespace golden {
namespace {

class CurrentGolden : public uitest::CurrentWindowTest {};

TEST_F(CurrentGolden, EveryPageAtStartAndTheWageSchedule) {
    ASSERT_EQ(window.year(), 2026);
    for (int i = 0; i < window.pages().count(); ++i) {
        window.pages().setCurrentIndex(i);
        QApplication::processEvents();  // the page's scroll area fits its view to the page
        EXPECT_TRUE(
            MatchesReference(window.grab().toImage(), QStringLiteral("current-page%1").arg(i + 1)));
    }
    window.pages().setCurrentIndex(0);
    enter({{uitest::Control::WageGross, "20000"},
           {uitest::Control::WageSpecial, "4000"},
           {uitest::Control::WageAdditional, "2000"}});
    calculate(uitest::PageId::Wage);
    EXPECT_TRUE(MatchesReference(window.grab().toImage(), "current-wage-schedule"));
}

using uitest::Control;

// A bonus in a dead zone, the settlement of a year with a bonus both ways, and the best split
// of a year's pay with the alternatives at each bound.
TEST_F(CurrentGolden, BonusSettlementAndPlanWorkedOut) {
    const struct {
        uitest::PageId page;
        uitest::Entries entries;
        const char* reference;
    } kWorked[] = {
        {uitest::PageId::Bonus, {{Control::BonusAmount, "38000"}}, "current-bonus-dead-zone"},
        {uitest::PageId::Settlement,
         {{Control::SettlementWages, "240000"},
          {Control::SettlementBonus, "36000"},
          {Control::SettlementSpecial, "48000"},
          {Control::SettlementAdditional, "24000"},
          {Control::SettlementWithheld, "9360"}},
         "current-settlement-both-ways"},
        {uitest::PageId::BonusPlan,
         {{Control::BonusPlanPay, "400000"}, {Control::BonusPlanDeductions, "100000"}},
         "current-bonus-plan"},
    };
    for (const auto& w : kWorked) {
        window.pages().setCurrentWidget(&page(w.page));
        enter(w.entries);
        calculate(w.page);
        QApplication::processEvents();
        EXPECT_TRUE(MatchesReference(window.grab().toImage(), w.reference)) << w.reference;
    }
}

// The grid from July, its months before greyed as not employed, one month edited, and the year
// worked out with the basic deduction counted from January.
TEST_F(CurrentGolden, TheGridOfAYearFromJuly) {
    enter({{uitest::Control::WageGross, "10000"},
           {uitest::Control::WageSpecial, "1500"},
           {uitest::Control::WageFirstMonth, "7"},
           {uitest::Control::WageBasicFromJanuary, "1"}});
    calculate(uitest::PageId::Wage);
    QAbstractItemModel& months = *window.control<uitest::Control::WageMonths>().model();
    months.setData(months.index(11, 1), "25000");
    months.setData(months.index(11, 7), "100");
    app::current::ShowPageOf(window.control<uitest::Control::WageMonths>());
    EXPECT_TRUE(MatchesReference(window.grab().toImage(), "current-wage-grid"));
}

}  // namespace
}  // namespace golden
