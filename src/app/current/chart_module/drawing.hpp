#pragma once
// What the chart module draws and how the window reaches it. The module links Qt Charts, which
// the window does not: it is loaded on first use (app/current/charts.cpp), so that starting the
// program pays nothing for it. Only plain C++ and Qt types cross between the two.

#include <QFont>
#include <QWidget>

#include <optional>
#include <vector>

namespace app::current::chart_module {

// Amounts in yuan: doubles, for drawing only; the window's tables hold the exact figures.

// One month of the withholding schedule. ratePercent is that of the row the month's cumulative
// taxable income falls in; none where that income is nothing.
struct Month {
    int month;
    double withheld, takeHome;
    std::optional<int> ratePercent;
};

struct CurvePoint {
    double bonus, takeHome;
};
struct Span {
    double from, to;
};
struct Curve {
    std::vector<CurvePoint> points;  // by rising bonus
    std::vector<Span> deadZones;     // bonuses that leave less than the bound below them
    std::optional<CurvePoint> entered;
};

// A chart view, parented to and deleted with the widget it was made for. Each call replaces
// what it draws; empty figures leave an empty chart.
class Drawing {
public:
    virtual ~Drawing() = default;
    virtual QWidget* widget() = 0;
    virtual void drawYear(const std::vector<Month>& months) = 0;
    virtual void drawCurve(const Curve& curve) = 0;
};

// The module's one exported symbol: makes a Drawing whose texts use `font`.
using Factory = Drawing* (*)(QWidget* parent, const QFont& font);
inline constexpr char kFactorySymbol[] = "tovarin_chart_drawing";
inline constexpr char kModuleName[] = "tovarin-charts";

}  // namespace app::current::chart_module
