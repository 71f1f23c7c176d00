// Both charts of the current-rules window on their own, at a fixed size, with fixed figures:
// the 2026 schedule of 10,000 yuan a month from January (the rate steps from 3 % to 10 % in
// August), and the bonus curve around 38,000 yuan, inside the dead zone above 36,000.

#include "app/current/charts.hpp"
#include "reference_image.hpp"

#include <QApplication>

namespace golden {
namespace {

using namespace app::current;
namespace tc = tax::current;

constexpr QSize kChartSize(720, 360);

QImage Rendered(ChartArea& chart) {
    chart.resize(kChartSize);
    chart.show();
    QApplication::processEvents();
    return chart.grab().toImage();
}

TEST(ChartGolden, YearOfTenThousandAMonth) {
    ASSERT_TRUE(ChartModuleAvailable());
    tc::PayrollYear year{1, tc::BasicDeduction::MonthsEmployed, {}};
    year.months.assign(12, tc::MonthIncome{.gross = 1'000'000});
    YearChart chart;
    chart.setSchedule(tc::WageWithholding(tc::ParametersFor(2026), year));
    EXPECT_TRUE(MatchesReference(Rendered(chart), "chart-year"));
}

TEST(ChartGolden, BonusAround38000) {
    ASSERT_TRUE(ChartModuleAvailable());
    BonusChart chart;
    chart.setCurve(BonusCurveAround(tc::ParametersFor(2026), 3'800'000));
    EXPECT_TRUE(MatchesReference(Rendered(chart), "chart-bonus"));
}

}  // namespace
}  // namespace golden
