#include "app/current/charts.hpp"

#include "app/current/chart_module/drawing.hpp"
#include "ui/bundled_fonts.hpp"

#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLibrary>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>

namespace app::current {
namespace {

using tax::current::BonusSeparateTax;

constexpr Fen kYuan = 100;
constexpr Fen kLargestBonus = 1'000'000'000'000 * kYuan;  // the largest amount a field takes

// The folders the module is looked for in: TOVARIN_CHART_MODULE_DIR where set (the tests set
// it to the build tree), the program's own folder (the build tree), then where it is installed
// relative to the program.
QStringList ModuleFolders() {
    QStringList folders;
    const QString configured = qEnvironmentVariable("TOVARIN_CHART_MODULE_DIR");
    if (!configured.isEmpty()) folders << configured;
    const QDir program(QCoreApplication::applicationDirPath());
    folders << program.path() << program.filePath(QStringLiteral(TOVARIN_MODULE_DIR_FROM_PROGRAM));
    return folders;
}

// Loaded for good: unloading at exit would make Qt Charts' static allocations look leaked.
chart_module::Factory LoadFactory() {
    for (const QString& folder : ModuleFolders()) {
        QLibrary library(QDir(folder).filePath(QLatin1String(chart_module::kModuleName)));
        library.setLoadHints(QLibrary::PreventUnloadHint);
        if (auto factory = reinterpret_cast<chart_module::Factory>(
                library.resolve(chart_module::kFactorySymbol))) {
            return factory;
        }
    }
    return nullptr;
}

chart_module::Factory Factory() {
    static const chart_module::Factory factory = LoadFactory();
    return factory;
}

double Yuan(Fen amount) { return static_cast<double>(amount) / kYuan; }

Fen CeilToYuan(Fen amount) { return (amount + kYuan - 1) / kYuan * kYuan; }

// Where the take-home drops: the bounds of the monthly table times the months a bonus is
// spread over (a bound belongs to the lower row).
std::vector<Fen> BonusBounds(const Parameters& p) {
    std::vector<Fen> bounds;
    for (std::size_t i = 0; i + 1 < p.monthly.size(); ++i) {
        bounds.push_back(p.monthly[i].upTo * p.bonusMonths);
    }
    return bounds;
}

// The last bonus of the dead zone above `bound`; the bound itself where it has none.
Fen ZoneEnd(const Parameters& p, Fen bound) {
    const auto zone = tax::current::BonusDeadZone(p, bound + 1);
    return zone ? zone->to : bound;
}

}  // namespace

bool ChartModuleAvailable() { return Factory() != nullptr; }

ChartArea::ChartArea(const QString& accessibleName, QWidget* parent) : QWidget(parent) {
    setAccessibleName(accessibleName);
    (new QVBoxLayout(this))->setContentsMargins(0, 0, 0, 0);
}

chart_module::Drawing* ChartArea::draw() {
    if (drawing_ || notice_) return drawing_;
    if (const chart_module::Factory factory = Factory()) {
        drawing_ = factory(this, ui::WithBundledSans(font()));
        QWidget* view = drawing_->widget();
        view->setAccessibleName(accessibleName());
        // Nothing to do in a chart: Tab passes it by.
        view->setFocusPolicy(Qt::NoFocus);
        layout()->addWidget(view);
    } else {
        auto* notice =
            new QLabel(QString::fromUtf8("图表模块无法加载，此处不显示图表；表格中有全部数字。"));
        notice->setAlignment(Qt::AlignCenter);
        notice_ = notice;
        layout()->addWidget(notice);
    }
    return drawing_;
}

void ChartArea::showEvent(QShowEvent* event) {
    draw();
    QWidget::showEvent(event);
}

// Tall enough for the axes, their titles, two-line month labels and the legend, and no more
// than a part of a scrolling page.
QSize ChartArea::sizeHint() const {
    const int line = fontMetrics().lineSpacing();
    return {40 * line, 17 * line};
}
QSize ChartArea::minimumSizeHint() const {
    const int line = fontMetrics().lineSpacing();
    return {24 * line, 14 * line};
}

YearChart::YearChart(QWidget* parent)
    : ChartArea(QString::fromUtf8("逐月预扣税额与税后收入图"), parent) {}

void YearChart::setSchedule(const std::vector<tax::current::MonthRow>& schedule) {
    chart_module::Drawing* drawing = draw();
    if (!drawing) return;
    std::vector<chart_module::Month> months;
    for (const tax::current::MonthRow& row : schedule) {
        const auto rate = row.cumulativeTaxable > 0 ? std::optional(row.ratePercent) : std::nullopt;
        months.push_back({row.month, Yuan(row.withheld), Yuan(row.netPay), rate});
    }
    drawing->drawYear(months);
}

BonusCurve BonusCurveAround(const Parameters& p, Fen entered) {
    entered = std::clamp<Fen>(entered, 0, kLargestBonus);
    const std::vector<Fen> bounds = BonusBounds(p);
    Fen below = 0;
    Fen far = entered;
    for (const Fen bound : bounds) {
        if (bound < entered) {
            below = bound;
            far = std::max(entered, ZoneEnd(p, bound));
        } else {
            far = ZoneEnd(p, bound);
            break;
        }
    }
    const Fen margin = CeilToYuan((far - below) / 20);
    const Fen start = std::max<Fen>(0, below - margin), end = CeilToYuan(far + margin);

    BonusCurve curve{{}, {}, entered};
    std::vector<Fen> bonuses{start, entered, end};
    for (const Fen bound : bounds) {
        if (bound <= start || bound >= end) continue;
        bonuses.insert(bonuses.end(), {bound, bound + 1});
        if (const auto zone = tax::current::BonusDeadZone(p, bound + 1)) {
            curve.zones.push_back(*zone);
            bonuses.push_back(zone->to);
        }
    }
    std::sort(bonuses.begin(), bonuses.end());
    bonuses.erase(std::unique(bonuses.begin(), bonuses.end()), bonuses.end());
    for (const Fen bonus : bonuses) {
        curve.points.push_back({bonus, bonus - BonusSeparateTax(p, bonus)});
    }
    return curve;
}

BonusChart::BonusChart(QWidget* parent) : ChartArea(QString::fromUtf8("奖金税后收入图"), parent) {}

void BonusChart::setCurve(const BonusCurve& curve) {
    chart_module::Drawing* drawing = draw();
    if (!drawing) return;
    chart_module::Curve drawn;
    for (const BonusPoint& point : curve.points) {
        drawn.points.push_back({Yuan(point.bonus), Yuan(point.takeHome)});
        if (point.bonus == curve.entered) drawn.entered = drawn.points.back();
    }
    for (const tax::current::BonusZone& zone : curve.zones) {
        drawn.deadZones.push_back({Yuan(zone.from), Yuan(zone.to)});
    }
    drawing->drawCurve(drawn);
}

}  // namespace app::current
