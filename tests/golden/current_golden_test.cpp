// The current-rules window on each of its pages at start, and the wage page
// with the year's schedule worked out (its total row in bold), compared
// pixel by pixel with the references.

#include "current_fixture.hpp"
#include "reference_image.hpp"

namespace golden {
namespace {

class CurrentGolden : public uitest::CurrentWindowTest {};

TEST_F(CurrentGolden, EveryPageAtStartAndTheWageSchedule) {
    for (int i = 0; i < window.pages().count(); ++i) {
        window.pages().setCurrentIndex(i);
        EXPECT_TRUE(
            MatchesReference(window.grab().toImage(), QStringLiteral("current-page%1").arg(i + 1)));
    }
    window.pages().setCurrentIndex(0);
    enter("wagePage", {{"gross", "20000"}, {"special", "4000"}, {"additional", "2000"}});
    calculate("wagePage");
    EXPECT_TRUE(MatchesReference(window.grab().toImage(), "current-wage-schedule"));
}

}  // namespace
}  // namespace golden
