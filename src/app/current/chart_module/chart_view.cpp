// The chart module: both charts of the current-rules window drawn with Qt Charts, behind the
// plain interface of drawing.hpp.

#include "app/current/chart_module/drawing.hpp"

#include <QAreaSeries>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLocale>
#include <QScatterSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace app::current::chart_module {
namespace {

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

const QColor kWithheld(0xd0, 0x74, 0x3c);
const QColor kSteppedUp(0xa3, 0x3a, 0x22);
const QColor kTakeHome(0x2c, 0x6a, 0xb0);
const QColor kDeadZone(0xd9, 0x3f, 0x3f, 0x38);
const QColor kEntered(0x1d, 0x8a, 0x4e);

// A tick step of 1, 2 or 5 times a power of ten that cuts `span` into at most `count` parts.
double NiceStep(double span, int count) {
    if (span <= 0) return 1;
    const double raw = span / count;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double factor : {1.0, 2.0, 5.0}) {
        if (factor * magnitude >= raw) return factor * magnitude;
    }
    return 10 * magnitude;
}

class ChartView final : public QChartView, public Drawing {
public:
    ChartView(QWidget* parent, const QFont& font) : QChartView(parent), font_(font) {
        setFrameShape(QFrame::NoFrame);
        setRenderHint(QPainter::Antialiasing);
        setBackgroundBrush(palette().window());
        QChart* c = chart();
        c->setBackgroundVisible(false);
        c->setPlotAreaBackgroundBrush(palette().base());
        c->setPlotAreaBackgroundVisible(true);
        c->setMargins(QMargins(0, 0, 0, 0));
        c->setBackgroundRoundness(0);
        // Grouped thousands ("10,000") whatever the user's locale: the window's amounts are.
        c->setLocale(QLocale(QLocale::Chinese, QLocale::China));
        c->setLocalizeNumbers(true);
        c->legend()->setAlignment(Qt::AlignBottom);
        c->legend()->setFont(font_);
        c->legend()->setLabelColor(palette().text().color());
    }

    QWidget* widget() override { return this; }

    void drawYear(const std::vector<Month>& months) override {
        clear();
        auto* withheld = new QBarSet(Text("预扣税额"));
        withheld->setColor(kWithheld);
        withheld->setPen(Qt::NoPen);
        withheld->setSelectedColor(kSteppedUp);
        auto* takeHome = new QLineSeries;
        takeHome->setName(Text("税后收入"));
        takeHome->setPen(QPen(kTakeHome, 2));
        takeHome->setPointsVisible(true);
        QStringList categories;
        double mostWithheld = 0, mostTakeHome = 0;
        std::optional<int> previousRate;
        for (std::size_t i = 0; i < months.size(); ++i) {
            const Month& m = months[i];
            const bool steppedUp = m.ratePercent && previousRate && *m.ratePercent > *previousRate;
            *withheld << m.withheld;
            if (steppedUp) withheld->selectBar(static_cast<int>(i));
            takeHome->append(static_cast<double>(i), m.takeHome);
            categories << Category(m, steppedUp);
            previousRate = m.ratePercent;
            mostWithheld = std::max(mostWithheld, m.withheld);
            mostTakeHome = std::max(mostTakeHome, m.takeHome);
        }
        auto* bars = new QBarSeries;
        bars->append(withheld);
        bars->setBarWidth(0.55);
        chart()->addSeries(bars);
        chart()->addSeries(takeHome);

        auto* monthAxis = new QBarCategoryAxis;
        monthAxis->append(categories);
        style(monthAxis, Text("月份与预扣率"));
        chart()->addAxis(monthAxis, Qt::AlignBottom);
        // Headroom above the highest bar and the line, so that neither touches the frame.
        QValueAxis* withheldAxis = amountAxis(Text("预扣税额（元）"), 0, mostWithheld * 1.08);
        chart()->addAxis(withheldAxis, Qt::AlignLeft);
        QValueAxis* takeHomeAxis = amountAxis(Text("税后收入（元）"), 0, mostTakeHome * 1.08);
        takeHomeAxis->setGridLineVisible(false);  // the bars' grid is the one drawn
        chart()->addAxis(takeHomeAxis, Qt::AlignRight);
        bars->attachAxis(monthAxis);
        bars->attachAxis(withheldAxis);
        takeHome->attachAxis(monthAxis);
        takeHome->attachAxis(takeHomeAxis);
    }

    void drawCurve(const Curve& curve) override {
        clear();
        if (curve.points.empty()) return;
        const auto [lowest, highest] = std::minmax_element(
            curve.points.begin(), curve.points.end(),
            [](const CurvePoint& a, const CurvePoint& b) { return a.takeHome < b.takeHome; });
        QValueAxis* bonusAxis =
            amountAxis(Text("年终奖（元）"), curve.points.front().bonus, curve.points.back().bonus);
        QValueAxis* takeHomeAxis =
            amountAxis(Text("税后收入（元）"), lowest->takeHome, highest->takeHome);
        // The curve from end to end; the ticks stay at round amounts.
        bonusAxis->setRange(curve.points.front().bonus, curve.points.back().bonus);
        chart()->addAxis(bonusAxis, Qt::AlignBottom);
        chart()->addAxis(takeHomeAxis, Qt::AlignLeft);
        const double bottom = takeHomeAxis->min(), top = takeHomeAxis->max();

        bool firstZone = true;
        for (const Span& zone : curve.deadZones) {
            // The area's edges are its children: it does not own them by itself.
            auto* area = new QAreaSeries;
            auto* upper = new QLineSeries(area);
            upper->append({{zone.from, top}, {zone.to, top}});
            auto* lower = new QLineSeries(area);
            lower->append({{zone.from, bottom}, {zone.to, bottom}});
            area->setUpperSeries(upper);
            area->setLowerSeries(lower);
            area->setName(Text("临界区间：多发反而少得"));
            area->setBrush(kDeadZone);
            area->setPen(Qt::NoPen);
            add(area, bonusAxis, takeHomeAxis, firstZone);
            firstZone = false;
        }
        auto* line = new QLineSeries;
        line->setName(Text("税后收入"));
        line->setPen(QPen(kTakeHome, 2));
        for (const CurvePoint& p : curve.points) line->append(p.bonus, p.takeHome);
        add(line, bonusAxis, takeHomeAxis, true);
        if (curve.entered) {
            auto* rule = new QLineSeries;
            rule->setPen(QPen(kEntered, 1, Qt::DashLine));
            rule->append({{curve.entered->bonus, bottom}, {curve.entered->bonus, top}});
            add(rule, bonusAxis, takeHomeAxis, false);
            auto* mark = new QScatterSeries;
            mark->setName(Text("所填奖金"));
            mark->setColor(kEntered);
            mark->setBorderColor(palette().base().color());
            mark->setMarkerSize(QFontMetricsF(font_).height() * 0.6);
            mark->append(curve.entered->bonus, curve.entered->takeHome);
            add(mark, bonusAxis, takeHomeAxis, true);
        }
    }

private:
    // "7月" over the rate of the month's row, bold where the rate rises.
    static QString Category(const Month& m, bool steppedUp) {
        QString label = Text("%1月").arg(m.month);
        if (m.ratePercent) label += QStringLiteral("<br>%1%").arg(*m.ratePercent);
        return steppedUp ? QStringLiteral("<b>%1</b>").arg(label) : label;
    }

    void clear() {
        chart()->removeAllSeries();
        for (QAbstractAxis* axis : chart()->axes()) {
            chart()->removeAxis(axis);
            delete axis;
        }
    }

    void add(QAbstractSeries* series, QAbstractAxis* x, QAbstractAxis* y, bool inLegend) {
        chart()->addSeries(series);
        series->attachAxis(x);
        series->attachAxis(y);
        for (QLegendMarker* marker : chart()->legend()->markers(series)) {
            marker->setVisible(inLegend);
        }
    }

    void style(QAbstractAxis* axis, const QString& title) {
        axis->setTitleText(title);
        axis->setTitleFont(font_);
        axis->setLabelsFont(font_);
        axis->setTitleBrush(palette().text());
        axis->setLabelsBrush(palette().text());
        axis->setLinePenColor(palette().mid().color());
    }

    // From `from` to `to` widened to whole ticks, ticks at multiples of a round step.
    QValueAxis* amountAxis(const QString& title, double from, double to) {
        auto* axis = new QValueAxis;
        style(axis, title);
        const double step = NiceStep(to - from, 5);
        const double low = std::floor(from / step) * step, high = std::ceil(to / step) * step;
        axis->setRange(low, std::max(high, low + step));
        axis->setTickType(QValueAxis::TicksDynamic);
        axis->setTickAnchor(0);
        axis->setTickInterval(step);
        axis->setLabelFormat(QStringLiteral("%.0f"));
        axis->setGridLineColor(palette().midlight().color());
        return axis;
    }

    QFont font_;
};

}  // namespace
}  // namespace app::current::chart_module

extern "C" Q_DECL_EXPORT app::current::chart_module::Drawing* tovarin_chart_drawing(
    QWidget* parent, const QFont& font) {
    return new app::current::chart_module::ChartView(parent, font);
}
