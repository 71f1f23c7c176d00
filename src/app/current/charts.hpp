#pragma once
// The charts of the current-rules window: the year's withholding month by month, and a bonus's
// take-home against its amount. The window computes what they show; they only draw it.

#include "tax/current.hpp"

#include <QWidget>

#include <vector>

namespace app::current {

using tax::current::Fen;
using tax::current::Parameters;

namespace chart_module {
class Drawing;
}

// The area a chart is drawn in, by the chart module (chart_module/drawing.hpp), loaded on first
// use. Where the module cannot be loaded, the area shows one line saying so instead: the tables
// beside the charts hold every figure.
class ChartArea : public QWidget {
public:
    // The chart's drawing; null until first used, and where the module is missing.
    chart_module::Drawing* drawing() const { return drawing_; }
    // The line shown instead of the chart; null while none is.
    QWidget* unavailableNotice() const { return notice_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    ChartArea(const QString& accessibleName, QWidget* parent);
    // The drawing, made on the first call; null where the module cannot be loaded.
    chart_module::Drawing* draw();
    void showEvent(QShowEvent* event) override;

private:
    chart_module::Drawing* drawing_ = nullptr;
    QWidget* notice_ = nullptr;
};

// Whether the chart module is loaded, loading it on the first call.
bool ChartModuleAvailable();

// Each month's withholding and take-home, with the rate of the row that its cumulative taxable
// income falls in, so that the months where withholding steps up stand out.
class YearChart : public ChartArea {
public:
    explicit YearChart(QWidget* parent = nullptr);
    // The months of `schedule`; an empty schedule empties the chart.
    void setSchedule(const std::vector<tax::current::MonthRow>& schedule);
};

struct BonusPoint {
    Fen bonus, takeHome;
    friend bool operator==(const BonusPoint&, const BonusPoint&) = default;
};
struct BonusCurve {
    std::vector<BonusPoint> points;              // by rising bonus
    std::vector<tax::current::BonusZone> zones;  // the dead zones among the points
    Fen entered = 0;
};
// The take-home of a bonus taxed on its own (bonus - BonusSeparateTax), for bonuses around
// `entered` (taken as 0 below 0): from a little below the bound of the monthly table × 12 under
// it to a little past the dead zone of the bound at or above it, or past the entered amount and
// its own zone above the last bound. The take-home is straight between the points (fen rounding
// aside): the ends, every bound in the range and the fen above it (where the take-home drops),
// the last fen of each dead zone, and the entered amount.
BonusCurve BonusCurveAround(const Parameters& p, Fen entered);

// A bonus's take-home against its amount, the dead zones shaded and the entered bonus marked.
class BonusChart : public ChartArea {
public:
    explicit BonusChart(QWidget* parent = nullptr);
    // An empty curve empties the chart.
    void setCurve(const BonusCurve& curve);
};

}  // namespace app::current
