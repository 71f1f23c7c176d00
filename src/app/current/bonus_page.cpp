#include "app/current/pages.hpp"

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

}  // namespace

BonusPage::BonusPage(WagePage& wages) : Page("bonusPage"), wages_(wages) {
    bonus_ = addInput("bonus", Text("全年一次性奖金"), Need::Required, Text("税前金额"));
    separate_ = addOutput("separateTax", Text("单独计税应纳税额"));
    combined_ = addOutput("combinedTax", Text("并入综合所得增加的税额"));
    wageTaxable_ = addOutput("wageAnnualTaxable", Text("工资薪金全年累计应纳税所得额"));
    lower_ = addOutput("lower", Text("比较"), Qt::AlignLeft);
    addNote(
        Text("单独计税：以奖金除以 12 的商数查找月度税率表的税率和速算扣除数，\n"
             "应纳税额 = 奖金 × 税率 − 速算扣除数。单独计税的政策执行至 2027 年 12 月 31 日。"));
    addNote(
        Text("并入综合所得：把奖金加到“工资薪金”页按其当前内容算出的全年累计应纳税所得额上\n"
             "（该页月工资收入为空时按 0 计），按综合所得年度税率表计算增加的税额。"));
    column().addStretch();
}

void BonusPage::calculate() {
    AmountReader read;
    const Fen bonus = read.read(*bonus_, Need::Required);
    if (!read.ok()) return;
    const std::optional<Fen> wageTaxable = wages_.annualTaxable();
    if (!wageTaxable) return;
    const Fen separate = tax::current::BonusSeparateTax(bonus);
    const Fen combined = tax::current::BonusCombinedTax(*wageTaxable, bonus);
    separate_->setText(YuanText(separate));
    combined_->setText(YuanText(combined));
    wageTaxable_->setText(YuanText(*wageTaxable));
    lower_->setText(Comparison(separate, combined));
}

}  // namespace app::current
