// The current-rules window on each of its pages at start, and the wage page
// with the year's schedule worked out (its total row in bold), compared
// pixel by pixel with the references. The tax year is 2026 whatever the date:
// the fixture pins it, and the hints state that year's standards.

#include "current_fixture.hpp"
#include "reference_image.hpp"

namespace golden {
namespace {

class CurrentGolden : public uitest::CurrentWindowTest {};

TEST_F(CurrentGolden, EveryPageAtStartAndTheWageSchedule) {
    ASSERT_EQ(window.year(), 2026);
    for (int i = 0; i < window.pages().count(); ++i) {
        window.pages().setCurrentIndex(i);
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

}  // namespace
}  // namespace golden
