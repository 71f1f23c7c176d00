#include "app/current/pages.hpp"

#include "app/current/charts.hpp"
#include "app/current/year_texts.hpp"

#include <QLineEdit>
#include <QVBoxLayout>

namespace app::current {
namespace {

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

// Which way of taxing the bonus costs less, and by how much.
QString Comparison(Fen separate, Fen combined) {
    if (separate == combined) return Text("两种方式税额相同");
    const QString saving =
        YuanText(separate < combined ? combined - separate : separate - combined);
    return separate < combined ? Text("单独计税较低，比并入综合所得少缴 %1 元").arg(saving)
                               : Text("并入综合所得较低，比单独计税少缴 %1 元").arg(saving);
}

// The dead zone that holds the bonus, and what the bound below it leaves more after tax.
QString DeadZoneText(const Parameters& p, Fen bonus) {
    if (!p.separateBonus) return BonusWithoutChoice();
    const std::optional<tax::current::BonusZone> zone = tax::current::BonusDeadZone(p, bonus);
    if (!zone) return Text("不在任何临界区间内");
    const auto takeHome = [&p](Fen b) { return b - tax::current::BonusSeparateTax(p, b); };
    return Text("在 %1 至 %2 元的临界区间内；少发到 %3 元，税后 %4 元，反而比现在的 %5 元多 %6 元")
        .arg(YuanText(zone->from), YuanText(zone->to), YuanText(zone->better),
             YuanText(takeHome(zone->better)), YuanText(takeHome(bonus)),
             YuanText(takeHome(zone->better) - takeHome(bonus)));
}

}  // namespace

BonusPage::BonusPage(WagePage& wages, const Parameters& p)
    : Page(PageId::Bonus, p), wages_(wages), chart_(new BonusChart) {
    bonus_ =
        addInput(Control::BonusAmount, Text("全年一次性奖金"), Need::Required, Text("税前金额"));
    separate_ = addOutput(Control::BonusSeparateTax, Text("单独计税应纳税额"));
    combined_ = addOutput(Control::BonusCombinedTax, Text("并入综合所得增加的税额"));
    wageTaxable_ = addOutput(Control::BonusWageAnnualTaxable, Text("工资薪金全年累计应纳税所得额"));
    lower_ = addOutput(Control::BonusLower, Text("比较"), Qt::AlignLeft);
    deadZone_ = addOutput(Control::BonusDeadZone, Text("临界区间"), Qt::AlignLeft);
    addNote(BonusSeparateNote);
    addNote(
        Text("并入综合所得：把奖金加到“工资薪金”页按其当前内容算出的全年累计应纳税所得额上\n"
             "（该页月工资收入为空时按 0 计），按综合所得年度税率表计算增加的税额。"));
    addNote(BonusDeadZoneNote);
    column().addWidget(chart_, 1);
}

void BonusPage::calculate() {
    AmountReader read;
    const Fen bonus = read.read(*bonus_, Need::Required);
    if (!read.ok()) return;
    const std::optional<Fen> wageTaxable = wages_.annualTaxable();
    if (!wageTaxable) return;
    const Fen separate = tax::current::BonusSeparateTax(parameters(), bonus);
    const Fen combined = tax::current::BonusCombinedTax(parameters(), *wageTaxable, bonus);
    separate_->setText(YuanText(separate));
    combined_->setText(YuanText(combined));
    wageTaxable_->setText(YuanText(*wageTaxable));
    // Without separate taxation in the year there is nothing to choose between.
    lower_->setText(parameters().separateBonus ? Comparison(separate, combined)
                                               : BonusWithoutChoice());
    deadZone_->setText(DeadZoneText(parameters(), bonus));
    chart_->setCurve(BonusCurveAround(parameters(), bonus));
}

void BonusPage::clearResults() {
    Page::clearResults();
    chart_->setCurve({});
}

}  // namespace app::current
