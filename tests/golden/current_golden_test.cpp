// The current-rules window on each of its pages at start, the wage page with
// the year's schedule worked out (its total row in bold), and the bonus, the
// settlement and the planner with their results, compared pixel by pixel
// with the references. The tax year is 2026 whatever the date:
// the fixture pins it, and the hints state that year's standards.

#include "current_fixture.hpp"
#include "reference_image.hpp"

#include <QApplication>

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

}  // namespace
}  // namespace golden
