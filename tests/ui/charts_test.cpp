// The bonus curve's points and zones, exact to the fen, and the chart areas: the module loaded
// from the build tree, or, where it is missing (ui.chart_module_missing), one line instead.

#include "app/current/chart_module/drawing.hpp"
#include "app/current/charts.hpp"

#include <QLabel>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace app::current;
namespace tc = tax::current;

constexpr Fen Yuan(Fen yuan) { return yuan * 100; }

const Parameters& P2026() { return tc::ParametersFor(2026); }

struct Zone {
    Fen from, to;
};
struct CurveCase {
    const char* what;
    Fen entered;
    Fen start, end;  // the first and last bonus of the curve
    std::vector<Zone> zones;
    Fen marked;  // the entered amount as the curve holds it
};

void PrintTo(const CurveCase& c, std::ostream* os) { *os << c.what; }

const Zone kAbove36000{Yuan(36'000) + 1, 3'856'666};
const Zone kAbove144000{Yuan(144'000) + 1, 16'049'999};
const Zone kAbove960000{Yuan(960'000) + 1, 111'999'999};

// clang-format off
const CurveCase kCurves[] = {
    // From the bound below less a twentieth of the range, to past the zone of the bound above.
    {"in the zone above 36,000", Yuan(38'000), Yuan(29'775), Yuan(166'725),
     {kAbove36000, kAbove144000}, Yuan(38'000)},
    {"a fen above the bound", Yuan(36'000) + 1, Yuan(29'775), Yuan(166'725),
     {kAbove36000, kAbove144000}, Yuan(36'000) + 1},
    // A bound belongs to the row below it: the range is that of the first row.
    {"at the bound", Yuan(36'000), 0, Yuan(40'496), {kAbove36000}, Yuan(36'000)},
    {"nothing", 0, 0, Yuan(40'496), {kAbove36000}, 0},
    {"below nothing", -500, 0, Yuan(40'496), {kAbove36000}, 0},
    {"above the last bound", Yuan(2'000'000), Yuan(908'000), Yuan(2'052'000),
     {kAbove960000}, Yuan(2'000'000)},
    {"in the last zone", Yuan(1'000'000), Yuan(952'000), Yuan(1'128'000),
     {kAbove960000}, Yuan(1'000'000)},
};
// clang-format on

class BonusCurveTest : public testing::TestWithParam<CurveCase> {};

TEST_P(BonusCurveTest, RangeAndZones) {
    const CurveCase& c = GetParam();
    const BonusCurve curve = BonusCurveAround(P2026(), c.entered);
    ASSERT_FALSE(curve.points.empty());
    EXPECT_EQ(curve.points.front().bonus, c.start);
    EXPECT_EQ(curve.points.back().bonus, c.end);
    EXPECT_EQ(curve.entered, c.marked);
    ASSERT_EQ(curve.zones.size(), c.zones.size());
    for (std::size_t i = 0; i < c.zones.size(); ++i) {
        EXPECT_EQ(curve.zones[i].from, c.zones[i].from) << i;
        EXPECT_EQ(curve.zones[i].to, c.zones[i].to) << i;
        EXPECT_EQ(curve.zones[i].better, c.zones[i].from - 1) << i;
    }
}

// Every point is exact, the entered amount is one of them, and every drop and zone end is
// drawn: the bound and the fen above it, and the zone's last fen, each a point.
TEST_P(BonusCurveTest, PointsShowEveryDrop) {
    const BonusCurve curve = BonusCurveAround(P2026(), GetParam().entered);
    const auto has = [&](Fen bonus) {
        return std::any_of(curve.points.begin(), curve.points.end(),
                           [&](const BonusPoint& p) { return p.bonus == bonus; });
    };
    for (std::size_t i = 0; i < curve.points.size(); ++i) {
        const BonusPoint& p = curve.points[i];
        EXPECT_EQ(p.takeHome, p.bonus - tc::BonusSeparateTax(P2026(), p.bonus)) << p.bonus;
        if (i > 0) {
            EXPECT_LT(curve.points[i - 1].bonus, p.bonus);
        }
    }
    EXPECT_TRUE(has(curve.entered));
    for (const tc::BonusZone& zone : curve.zones) {
        EXPECT_TRUE(has(zone.better) && has(zone.from) && has(zone.to)) << zone.from;
    }
    // Between the points the take-home never drops: every drop is at a point.
    for (std::size_t i = 1; i < curve.points.size(); ++i) {
        const BonusPoint &a = curve.points[i - 1], &b = curve.points[i];
        if (b.bonus == a.bonus + 1) continue;
        EXPECT_GE(b.takeHome, a.takeHome) << a.bonus << " to " << b.bonus;
    }
}

INSTANTIATE_TEST_SUITE_P(Entered, BonusCurveTest, testing::ValuesIn(kCurves),
                         [](const testing::TestParamInfo<CurveCase>& info) {
                             std::string name = info.param.what;
                             std::replace_if(
                                 name.begin(), name.end(), [](char ch) { return !isalnum(ch); },
                                 '_');
                             return name;
                         });

// The largest amount a field takes: all the bounds in range, none overflowing.
TEST(BonusCurve, LargestBonusHoldsEveryZone) {
    const BonusCurve curve = BonusCurveAround(P2026(), Yuan(1'000'000'000'000));
    EXPECT_EQ(curve.points.front().bonus, 0);
    EXPECT_EQ(curve.zones.size(), P2026().monthly.size() - 1);
    EXPECT_EQ(curve.points.back().bonus, Yuan(1'049'999'952'000));
}

tc::PayrollYear TenThousandAMonth() {
    tc::PayrollYear year{1, tc::BasicDeduction::MonthsEmployed, {}};
    year.months.assign(12, tc::MonthIncome{.gross = Yuan(10'000)});
    return year;
}

TEST(ChartArea, NamedAndSizedForAScrollingPage) {
    YearChart year;
    BonusChart bonus;
    EXPECT_EQ(year.accessibleName(), QString::fromUtf8("逐月预扣税额与税后收入图"));
    EXPECT_EQ(bonus.accessibleName(), QString::fromUtf8("奖金税后收入图"));
    const int line = year.fontMetrics().lineSpacing();
    EXPECT_LE(year.minimumSizeHint().height(), 17 * line);
    EXPECT_LE(bonus.minimumSizeHint().height(), 17 * line);
}

// The drawing is made when the chart is first used, as the view of the chart area.
TEST(ChartArea, DrawsThroughTheModuleOnFirstUse) {
    if (!ChartModuleAvailable()) GTEST_SKIP() << "no chart module: ui.chart_module_missing";
    YearChart chart;
    EXPECT_EQ(chart.drawing(), nullptr);
    chart.setSchedule(tc::WageWithholding(P2026(), TenThousandAMonth()));
    ASSERT_NE(chart.drawing(), nullptr);
    QWidget* view = chart.drawing()->widget();
    EXPECT_EQ(view->parentWidget(), &chart);
    EXPECT_EQ(view->accessibleName(), chart.accessibleName());
    EXPECT_EQ(view->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(chart.unavailableNotice(), nullptr);
    chart.setSchedule({});  // empties it again, without a crash

    BonusChart bonus;
    bonus.setCurve(BonusCurveAround(P2026(), Yuan(38'000)));
    ASSERT_NE(bonus.drawing(), nullptr);
    EXPECT_EQ(bonus.drawing()->widget()->accessibleName(), bonus.accessibleName());
    bonus.setCurve({});
}

TEST(ChartArea, WithoutTheModuleOneLineSaysSo) {
    if (ChartModuleAvailable()) GTEST_SKIP() << "the module is found; see ui.chart_module_missing";
    for (const bool shownFirst : {true, false}) {
        BonusChart chart;
        if (shownFirst) chart.show();
        chart.setCurve(BonusCurveAround(P2026(), Yuan(38'000)));
        EXPECT_EQ(chart.drawing(), nullptr);
        const auto* notice = qobject_cast<const QLabel*>(chart.unavailableNotice());
        ASSERT_NE(notice, nullptr);
        EXPECT_FALSE(notice->text().contains('\n'));
        EXPECT_FALSE(notice->text().isEmpty());
    }
}

}  // namespace
