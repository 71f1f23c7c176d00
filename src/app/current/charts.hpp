#pragma once
// The charts of the current-rules window: the year's withholding month by month, and a bonus's
// take-home against its amount. The window computes what they show; they only draw it.

#include "tax/current.hpp"

#include <QWidget>

#include <vector>

namespace app::current {

using tax::current::Fen;
using tax::current::Parameters;

// Each month's withholding and take-home, with the rate of the row that its cumulative taxable
// income falls in, so that the months where withholding steps up stand out.
class YearChart : public QWidget {
public:
    explicit YearChart(QWidget* parent = nullptr);
    // The months of `schedule`; an empty schedule empties the chart.
    void setSchedule(const std::vector<tax::current::MonthRow>& schedule);
};

struct BonusPoint {
    Fen bonus, takeHome;
};
struct BonusCurve {
    std::vector<BonusPoint> points;              // by rising bonus
    std::vector<tax::current::BonusZone> zones;  // the dead zones among the points
    Fen entered = 0;
};
// The take-home of a bonus taxed on its own, for bonuses around `entered`.
BonusCurve BonusCurveAround(const Parameters& p, Fen entered);

// A bonus's take-home against its amount, the dead zones shaded and the entered bonus marked.
class BonusChart : public QWidget {
public:
    explicit BonusChart(QWidget* parent = nullptr);
    // An empty curve empties the chart.
    void setCurve(const BonusCurve& curve);
};

}  // namespace app::current
